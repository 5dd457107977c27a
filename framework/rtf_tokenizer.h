#pragma once
// Splits RTF bytes into groups, control words, control symbols, \'hh bytes
// and runs of plain text. Works on any bytes: truncated escapes are dropped,
// numbers are clamped, and each call moves forward, so a whole input is read in
// linear time.
#include <cstddef>
#include <string_view>

namespace fw {

struct RtfToken {
  enum class Kind { kEnd, kGroupOpen, kGroupClose, kWord, kSymbol, kHexByte, kText };
  Kind kind = Kind::kEnd;
  std::string_view text;  // the word's letters, or the plain text bytes
  int param = 0;          // the word's number, clamped to the int range
  bool hasParam = false;
  char symbol = 0;         // kSymbol: the character after the backslash
  unsigned char byte = 0;  // kHexByte
};

class RtfTokenizer {
 public:
  explicit RtfTokenizer(std::string_view input) : input_(input) {}
  RtfToken Next();

 private:
  // False when the escape was truncated and yields nothing.
  bool ReadControl(RtfToken& token);
  void ReadWord(RtfToken& token);

  std::string_view input_;
  size_t pos_ = 0;
};

}  // namespace fw
