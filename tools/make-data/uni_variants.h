// The UniVariants table: for each BMP character, the variants the databases'
// own columns do not reach directly.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "opencc_dictionary.h"
#include "unihan_data.h"

// X -> X's variants: Unihan traditional, simplified and specialized semantic
// variants; then the OpenCC values in dictionary order; then, ascending, the
// compatibility ideographs that decompose to X. Each variant appears once, X never.
// Only BMP characters with at least one variant have an entry.
std::map<char32_t, std::vector<char32_t>> CollectUniVariants(
    const UnihanData& unihan, const std::vector<CharacterMap>& dictionaries);

// One line per entry: code text, TAB, the variants in hexadecimal separated by
// blanks, LF.
std::string UniVariantsText(const std::map<char32_t, std::vector<char32_t>>& variants);
