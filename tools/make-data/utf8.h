// Strict UTF-8 decoding for the dictionary dumps.
#pragma once

#include <optional>
#include <string_view>

// The one code point `text` encodes; nullopt when it is empty, holds more than
// one code point, or is not well-formed UTF-8 (overlong, surrogate, truncated).
std::optional<char32_t> SingleCodePoint(std::string_view text);
