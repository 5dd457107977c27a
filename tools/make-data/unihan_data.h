// The Unihan fields the program uses, for every code point Unihan lists.
#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The database columns, in table order; kSpecializedSemanticVariant is kept
// only for the variant table.
// clang-format off
inline constexpr std::array<std::string_view, 13> kUnihanFields = {
    "kZVariant",         "kSemanticVariant", "kSimplifiedVariant", "kTraditionalVariant",
    "kMandarin",         "kCantonese",       "kJapaneseKun",       "kJapaneseOn",
    "kKorean",           "kVietnamese",      "kDefinition",        "kCompatibilityVariant",
    "kSpecializedSemanticVariant"};
// clang-format on
inline constexpr std::size_t kDatabaseColumnCount = 12;

enum UnihanField : std::size_t {
  kSimplifiedVariant = 2,
  kTraditionalVariant = 3,
  kCompatibilityVariant = 11,
  kSpecializedSemanticVariant = 12,
};

// Values are views into the file texts the UnihanData keeps; empty where Unihan has none.
using UnihanRecord = std::array<std::string_view, kUnihanFields.size()>;

class UnihanData {
 public:
  // Adds one file's lines. Comment and empty lines are skipped; a line that is not
  // "U+code<TAB>field<TAB>value" is counted in malformed_lines and skipped. A field
  // given twice for one code point keeps its first non-empty value.
  void AddText(std::string text, const std::string& source_name);

  const UnihanRecord* Find(char32_t code_point) const;
  // Every code point seen in any file, ascending.
  std::vector<char32_t> CodePoints() const;

  std::size_t malformed_lines() const { return malformedLines_; }
  // "file:line" of the first few malformed lines, for the warning.
  const std::vector<std::string>& malformed_examples() const { return malformedExamples_; }

 private:
  std::vector<std::unique_ptr<std::string>> texts_;
  std::unordered_map<char32_t, UnihanRecord> records_;
  std::size_t malformedLines_ = 0;
  std::vector<std::string> malformedExamples_;
};

// The Unihan_*.txt or Unihan_*.txt.bz2 files in `folder`, sorted by name; where both
// forms of one file are present the plain one is taken. Throws when there are none.
std::vector<std::filesystem::path> UnihanFilesIn(const std::filesystem::path& folder);

// Reads the files (decompressing in parallel) into one UnihanData, in the given order.
UnihanData ReadUnihan(const std::vector<std::filesystem::path>& files);
