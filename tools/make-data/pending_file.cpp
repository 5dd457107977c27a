#include "pending_file.h"

#include <unistd.h>

#include <stdexcept>
#include <string>

PendingFile::PendingFile(std::filesystem::path final_path)
    : finalPath_(std::move(final_path)),
      temporaryPath_(finalPath_.string() + ".tmp" + std::to_string(getpid())) {
  std::error_code ignored;
  std::filesystem::remove(temporaryPath_, ignored);
}

PendingFile::~PendingFile() {
  if (committed_) return;
  std::error_code ignored;
  std::filesystem::remove(temporaryPath_, ignored);
}

void PendingFile::Commit() {
  std::error_code error;
  std::filesystem::rename(temporaryPath_, finalPath_, error);
  if (error) {
    throw std::runtime_error(finalPath_.string() + ": cannot replace: " + error.message());
  }
  committed_ = true;
}
