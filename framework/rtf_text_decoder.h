#pragma once
// Turns the 8-bit text of an RTF document into Unicode. RTF names encodings by
// Windows code page (\ansicpgN, \cpgN) or by font character set (\fcharsetN);
// glibc's iconv does the decoding.
#include <QString>
#include <string_view>
#include <unordered_map>

namespace fw {

// The code page used for a font with \fcharsetN, or 0 when that character set
// means "the document's code page".
int RtfCodePageForCharset(int charset);

// Keeps one converter per code page for its lifetime.
class RtfTextDecoder {
 public:
  RtfTextDecoder() = default;
  ~RtfTextDecoder();
  RtfTextDecoder(const RtfTextDecoder&) = delete;
  RtfTextDecoder& operator=(const RtfTextDecoder&) = delete;

  // Appends bytes decoded as codePage to out. Unknown code pages are read as
  // windows-1252; bytes that do not decode become U+FFFD.
  void Decode(int codePage, std::string_view bytes, QString& out);

 private:
  void* Converter(int codePage);  // an iconv_t, or (iconv_t)-1

  std::unordered_map<int, void*> converters_;
};

}  // namespace fw
