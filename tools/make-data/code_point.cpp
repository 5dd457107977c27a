#include "code_point.h"

#include <cstdio>

std::string CodeText(char32_t code_point) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%04X", static_cast<unsigned>(code_point));
  return buffer;
}

std::string HexDigits(char32_t code_point) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%X", static_cast<unsigned>(code_point));
  return buffer;
}

std::optional<char32_t> ParseUnihanCode(std::string_view item) {
  if (const auto source = item.find('<'); source != std::string_view::npos) {
    item = item.substr(0, source);
  }
  if (item.size() < 3 || item.size() > 8 || item[0] != 'U' || item[1] != '+') return std::nullopt;
  char32_t value = 0;
  for (const char c : item.substr(2)) {
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else {
      return std::nullopt;
    }
    value = value * 16 + digit;
  }
  if (value > kLastCodePoint) return std::nullopt;
  return value;
}

std::vector<char32_t> UnihanCodesIn(std::string_view value) {
  std::vector<char32_t> codes;
  while (!value.empty()) {
    const auto blank = value.find(' ');
    if (const auto code = ParseUnihanCode(value.substr(0, blank))) codes.push_back(*code);
    if (blank == std::string_view::npos) break;
    value.remove_prefix(blank + 1);
  }
  return codes;
}

std::optional<int> DatabaseIndexFor(char32_t code_point) {
  if (code_point >= 0x3000 && code_point <= 0x4FFF) return 0;
  if (code_point >= 0x5000 && code_point <= 0x6FFF) return 1;
  if (code_point >= 0x7000 && code_point <= 0x8FFF) return 2;
  if (code_point >= 0x9000 && code_point <= 0x9FFF) return 3;
  if (code_point >= 0xF000 && code_point <= 0xFFFF) return 3;
  if (code_point >= 0x10000 && code_point <= 0xFFFFF) return 4;
  return std::nullopt;
}
