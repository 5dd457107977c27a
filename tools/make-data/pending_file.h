// An output written under a temporary name beside its final one and renamed into
// place only once complete, so an interrupted or failed run leaves the old file
// (or none), never a partial one.
#pragma once

#include <filesystem>

class PendingFile {
 public:
  // Removes any stale temporary file of the same name.
  explicit PendingFile(std::filesystem::path final_path);
  ~PendingFile();
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  const std::filesystem::path& temporary_path() const { return temporaryPath_; }
  const std::filesystem::path& final_path() const { return finalPath_; }

  // Renames the temporary file onto the final name; throws std::runtime_error on failure.
  void Commit();

 private:
  std::filesystem::path finalPath_;
  std::filesystem::path temporaryPath_;
  bool committed_ = false;
};
