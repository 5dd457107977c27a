// Writes one hanzidata*.rsd file.
#pragma once

#include <filesystem>
#include <vector>

#include "unihan_data.h"

// Creates `path` (which must not exist) holding table unihan with one row per
// code point, in the given order; missing fields are stored as '' rather than
// NULL. The finished file uses a rollback journal so it opens read-only as a
// single file. Throws std::runtime_error on any SQLite failure.
void WriteUnihanDatabase(const std::filesystem::path& path, const UnihanData& unihan,
                         const std::vector<char32_t>& code_points);
