#include "opencc_dictionary.h"

#include "input_file.h"
#include "utf8.h"

CharacterMap ParseOpenccText(std::string_view text) {
  CharacterMap map;
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const auto tab = line.find('\t');
    if (tab == std::string_view::npos) continue;
    const auto key = SingleCodePoint(line.substr(0, tab));
    if (!key) continue;
    std::string_view values = line.substr(tab + 1);
    while (!values.empty()) {
      const auto blank = values.find(' ');
      if (const auto value = SingleCodePoint(values.substr(0, blank))) map[*key].push_back(*value);
      if (blank == std::string_view::npos) break;
      values.remove_prefix(blank + 1);
    }
  }
  return map;
}

CharacterMap ReadOpenccDictionary(const std::filesystem::path& path) {
  return ParseOpenccText(ReadPlainFile(path));
}
