// Code points as the data files spell them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr char32_t kLastCodePoint = 0x10FFFF;

// Upper-case hexadecimal, zero-padded to four digits below U+10000 ("3400", "20000").
std::string CodeText(char32_t code_point);

// Upper-case hexadecimal with no padding ("5F0C", "20000").
std::string HexDigits(char32_t code_point);

// "U+4E0E" or "U+4E0E<kMatthews" -> U+4E0E; anything else -> nullopt.
std::optional<char32_t> ParseUnihanCode(std::string_view item);

// Every code point named by a blank-separated Unihan value ("U+4E07 U+842C<kFenn"),
// in order; items that name no code point are passed over.
std::vector<char32_t> UnihanCodesIn(std::string_view value);

// Which of the five databases holds a code point's row (0-4), by the leading
// digit of its code text; nullopt where no database does.
std::optional<int> DatabaseIndexFor(char32_t code_point);
