#include "pending_file.h"

#include <unistd.h>

#include <stdexcept>
#include <string>

PendingFile::PendingFile(std::filesystem::path final_path)
    : final_path_(std::move(final_path)),
      temporary_path_(final_path_.string() + ".tmp" + std::to_string(getpid())) {
  std::error_code ignored;
  std::filesystem::remove(temporary_path_, ignored);
}

PendingFile::~PendingFile() {
  if (committed_) return;
  std::error_code ignored;
  std::filesystem::remove(temporary_path_, ignored);
}

void PendingFile::Commit() {
  std::error_code error;
  std::filesystem::rename(temporary_path_, final_path_, error);
  if (error) {
    throw std::runtime_error(final_path_.string() + ": cannot replace: " + error.message());
  }
  committed_ = true;
}
