#include "uni_variants.h"

#include <algorithm>

#include "code_point.h"

namespace {

constexpr char32_t kLastBmp = 0xFFFF;

// Compatibility ideograph lists keyed by the character they stand for, each ascending.
std::map<char32_t, std::vector<char32_t>> CompatibilityIdeographsByTarget(
    const UnihanData& unihan) {
  std::map<char32_t, std::vector<char32_t>> by_target;
  for (const char32_t code_point : unihan.CodePoints()) {
    const UnihanRecord& record = *unihan.Find(code_point);
    for (const char32_t target : UnihanCodesIn(record[kCompatibilityVariant])) {
      if (target <= kLastBmp) by_target[target].push_back(code_point);
    }
  }
  return by_target;
}

}  // namespace

std::map<char32_t, std::vector<char32_t>> CollectUniVariants(
    const UnihanData& unihan, const std::vector<CharacterMap>& dictionaries) {
  const auto compatibility = CompatibilityIdeographsByTarget(unihan);
  std::map<char32_t, std::vector<char32_t>> table;
  for (char32_t x = 0; x <= kLastBmp; ++x) {
    std::vector<char32_t> variants;
    const auto add = [&](char32_t variant) {
      if (variant != x && std::find(variants.begin(), variants.end(), variant) == variants.end()) {
        variants.push_back(variant);
      }
    };
    if (const UnihanRecord* record = unihan.Find(x)) {
      for (const auto field :
           {kTraditionalVariant, kSimplifiedVariant, kSpecializedSemanticVariant}) {
        for (const char32_t variant : UnihanCodesIn((*record)[field])) add(variant);
      }
    }
    for (const CharacterMap& dictionary : dictionaries) {
      if (const auto found = dictionary.find(x); found != dictionary.end()) {
        for (const char32_t variant : found->second) add(variant);
      }
    }
    if (const auto found = compatibility.find(x); found != compatibility.end()) {
      for (const char32_t variant : found->second) add(variant);
    }
    if (!variants.empty()) table.emplace(x, std::move(variants));
  }
  return table;
}

std::string UniVariantsText(const std::map<char32_t, std::vector<char32_t>>& variants) {
  std::string text;
  for (const auto& [x, list] : variants) {
    text += CodeText(x);
    char separator = '\t';
    for (const char32_t variant : list) {
      text += separator;
      text += HexDigits(variant);
      separator = ' ';
    }
    text += '\n';
  }
  return text;
}
