// Single-character mappings from an OpenCC dictionary dumped as text.
#pragma once

#include <filesystem>
#include <string_view>
#include <unordered_map>
#include <vector>

// Key -> values, both single code points, values in file order. Lines are
// "key<TAB>value value ..."; phrase keys and phrase values are left out, and so
// are items that are not well-formed UTF-8.
using CharacterMap = std::unordered_map<char32_t, std::vector<char32_t>>;

CharacterMap ParseOpenccText(std::string_view text);

// Throws std::runtime_error when the file cannot be read.
CharacterMap ReadOpenccDictionary(const std::filesystem::path& path);

// The dictionaries consulted for variants, in the order their values are listed.
inline constexpr std::string_view kOpenccDictionaries[] = {
    "TSCharacters",  "STCharacters", "TWVariants",    "TWVariantsRev",        "HKVariants",
    "HKVariantsRev", "JPVariants",   "JPVariantsRev", "JPShinjitaiCharacters"};
