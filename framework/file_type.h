#pragma once
// A document type the program declares. Registered as data; nothing on this
// platform acts on it.
#include <QString>
#include <vector>

namespace fw {

struct FileType {
  QString Name;
  QString Extensions;
  QString MacType;
  QString MacCreator;
};

void RuntimeRegisterFileType(const FileType& type);
const std::vector<FileType>& RegisteredFileTypes();

}  // namespace fw
