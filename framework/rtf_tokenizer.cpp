#include "framework/rtf_tokenizer.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace fw {
namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Control bytes are not text in RTF (line ends only lay out the file); a tab
// byte is kept as a tab.
bool IsIgnoredByte(char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t'; }

bool EndsText(char c) { return c == '\\' || c == '{' || c == '}' || IsIgnoredByte(c); }

}  // namespace

RtfToken RtfTokenizer::Next() {
  RtfToken token;
  while (pos_ < input_.size()) {
    const char c = input_[pos_];
    if (c == '{' || c == '}') {
      ++pos_;
      token.kind = c == '{' ? RtfToken::Kind::kGroupOpen : RtfToken::Kind::kGroupClose;
      return token;
    }
    if (c == '\\') {
      if (ReadControl(token)) return token;
      continue;
    }
    if (IsIgnoredByte(c)) {
      ++pos_;
      continue;
    }
    const size_t start = pos_;
    while (pos_ < input_.size() && !EndsText(input_[pos_])) ++pos_;
    token.kind = RtfToken::Kind::kText;
    token.text = input_.substr(start, pos_ - start);
    return token;
  }
  return token;
}

bool RtfTokenizer::ReadControl(RtfToken& token) {
  ++pos_;  // the backslash
  if (pos_ >= input_.size()) return false;
  const char c = input_[pos_];
  if (IsLetter(c)) {
    ReadWord(token);
    return true;
  }
  ++pos_;
  if (c == '\'') {
    const int high = pos_ < input_.size() ? HexValue(input_[pos_]) : -1;
    if (high < 0) return false;
    ++pos_;
    const int low = pos_ < input_.size() ? HexValue(input_[pos_]) : -1;
    if (low < 0) return false;  // half an escape is no character
    ++pos_;
    token.kind = RtfToken::Kind::kHexByte;
    token.byte = static_cast<unsigned char>(high * 16 + low);
    return true;
  }
  token.kind = RtfToken::Kind::kSymbol;
  token.symbol = c;
  return true;
}

void RtfTokenizer::ReadWord(RtfToken& token) {
  const size_t start = pos_;
  while (pos_ < input_.size() && IsLetter(input_[pos_])) ++pos_;
  token.kind = RtfToken::Kind::kWord;
  token.text = input_.substr(start, pos_ - start);

  const bool negative =
      pos_ + 1 < input_.size() && input_[pos_] == '-' && IsDigit(input_[pos_ + 1]);
  if (negative) ++pos_;
  if (pos_ < input_.size() && IsDigit(input_[pos_])) {
    // Saturate well above the int range, then clamp: no overflow however long
    // the digit string.
    constexpr int64_t kSaturation = int64_t{1} << 40;
    int64_t value = 0;
    while (pos_ < input_.size() && IsDigit(input_[pos_])) {
      if (value < kSaturation) value = value * 10 + (input_[pos_] - '0');
      ++pos_;
    }
    if (negative) value = -value;
    token.param = static_cast<int>(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
    token.hasParam = true;
  }
  if (pos_ < input_.size() && input_[pos_] == ' ') ++pos_;  // the delimiter

  // \binN is followed by N raw bytes that must not be read as RTF.
  if (token.text == "bin" && token.hasParam && token.param > 0) {
    pos_ += std::min(static_cast<size_t>(token.param), input_.size() - pos_);
  }
}

}  // namespace fw
