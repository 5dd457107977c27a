// Whole-file reads of the source data; failures throw std::runtime_error naming the file.
#pragma once

#include <filesystem>
#include <string>

std::string ReadPlainFile(const std::filesystem::path& path);

// Decompresses in-process; a file of several concatenated bzip2 streams is read whole.
std::string ReadBzip2File(const std::filesystem::path& path);

// Picks the reader by the ".bz2" extension.
std::string ReadDataFile(const std::filesystem::path& path);
