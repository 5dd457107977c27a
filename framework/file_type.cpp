#include "framework/file_type.h"

namespace fw {
namespace {
std::vector<FileType>& Types() {
  static std::vector<FileType> types;
  return types;
}
}  // namespace

void RuntimeRegisterFileType(const FileType& type) { Types().push_back(type); }
const std::vector<FileType>& RegisteredFileTypes() { return Types(); }

}  // namespace fw
