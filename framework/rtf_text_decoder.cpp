#include "framework/rtf_text_decoder.h"

#include <iconv.h>

#include <QtEndian>
#include <cerrno>

namespace fw {
namespace {

constexpr int kDefaultCodePage = 1252;

// Only known names are tried, so a document naming thousands of bogus code
// pages costs no more than one naming a real one.
struct CodePageName {
  int codePage;
  const char* iconvName;
};
constexpr CodePageName kCodePageNames[] = {
    {437, "CP437"},
    {737, "CP737"},
    {775, "CP775"},
    {850, "CP850"},
    {852, "CP852"},
    {855, "CP855"},
    {857, "CP857"},
    {860, "CP860"},
    {861, "CP861"},
    {862, "CP862"},
    {863, "CP863"},
    {864, "CP864"},
    {865, "CP865"},
    {866, "CP866"},
    {869, "CP869"},
    {874, "CP874"},
    {932, "CP932"},
    {936, "GBK"},
    {949, "CP949"},
    {950, "CP950"},
    {1250, "WINDOWS-1250"},
    {1251, "WINDOWS-1251"},
    {1252, "WINDOWS-1252"},
    {1253, "WINDOWS-1253"},
    {1254, "WINDOWS-1254"},
    {1255, "WINDOWS-1255"},
    {1256, "WINDOWS-1256"},
    {1257, "WINDOWS-1257"},
    {1258, "WINDOWS-1258"},
    {1361, "JOHAB"},
    {10000, "MACINTOSH"},
    {10001, "SHIFT_JIS"},
    {10002, "BIG5"},
    {10003, "EUC-KR"},
    {10007, "MAC-CYRILLIC"},
    {10008, "GBK"},
    {10029, "MAC-CENTRALEUROPE"},
    {10079, "MAC-IS"},
    {20127, "ASCII"},
    {20866, "KOI8-R"},
    {20932, "EUC-JP"},
    {20936, "GBK"},
    {21866, "KOI8-U"},
    {28591, "ISO-8859-1"},
    {28592, "ISO-8859-2"},
    {28593, "ISO-8859-3"},
    {28594, "ISO-8859-4"},
    {28595, "ISO-8859-5"},
    {28596, "ISO-8859-6"},
    {28597, "ISO-8859-7"},
    {28598, "ISO-8859-8"},
    {28599, "ISO-8859-9"},
    {28605, "ISO-8859-15"},
    {51932, "EUC-JP"},
    {51936, "GBK"},
    {51949, "EUC-KR"},
    {54936, "GB18030"},
    {65001, "UTF-8"},
};

const char* IconvName(int codePage) {
  for (const CodePageName& entry : kCodePageNames) {
    if (entry.codePage == codePage) return entry.iconvName;
  }
  return nullptr;
}

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

}  // namespace

int RtfCodePageForCharset(int charset) {
  struct CharsetCodePage {
    int charset;
    int codePage;
  };
  static constexpr CharsetCodePage kCharsets[] = {
      {0, 1252},    // ANSI
      {77, 10000},  // Mac Roman
      {78, 10001},  // Mac Japanese
      {79, 10003},  // Mac Korean
      {80, 10008},  // Mac Simplified Chinese
      {81, 10002},  // Mac Traditional Chinese
      {88, 10029},  // Mac Central European
      {89, 10007},  // Mac Cyrillic
      {102, 936},   // what Cocoa writes for GB 2312 fonts
      {128, 932},   // Shift_JIS
      {129, 949},   // Hangul
      {130, 1361},  // Johab
      {134, 936},   // GB 2312, read as its superset GBK
      {136, 950},   // Big5
      {161, 1253},  // Greek
      {162, 1254},  // Turkish
      {163, 1258},  // Vietnamese
      {177, 1255},  // Hebrew
      {178, 1256},  // Arabic
      {186, 1257},  // Baltic
      {204, 1251},  // Cyrillic
      {222, 874},   // Thai: TIS-620 plus the Windows additions
      {238, 1250},  // Central European
      {254, 437},   // PC 437
      {255, 850},   // OEM
  };
  for (const CharsetCodePage& entry : kCharsets) {
    if (entry.charset == charset) return entry.codePage;
  }
  return 0;  // default, symbol and unknown sets
}

RtfTextDecoder::~RtfTextDecoder() {
  for (auto& [codePage, converter] : converters_) {
    if (converter != kNoConverter) iconv_close(static_cast<iconv_t>(converter));
  }
}

void* RtfTextDecoder::Converter(int codePage) {
  if (!IconvName(codePage)) codePage = kDefaultCodePage;
  auto found = converters_.find(codePage);
  if (found == converters_.end()) {
    found = converters_.emplace(codePage, iconv_open("UTF-16LE", IconvName(codePage))).first;
  }
  // A code page this C library lacks is read as the default one.
  if (found->second == kNoConverter && codePage != kDefaultCodePage) {
    return Converter(kDefaultCodePage);
  }
  return found->second;
}

void RtfTextDecoder::Decode(int codePage, std::string_view bytes, QString& out) {
  const iconv_t converter = static_cast<iconv_t>(Converter(codePage));
  if (converter == kNoConverter) {
    out += QLatin1StringView(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return;
  }
  iconv(converter, nullptr, nullptr, nullptr, nullptr);  // fresh shift state
  char* in = const_cast<char*>(bytes.data());
  size_t in_left = bytes.size();
  char16_t buffer[1024];
  while (in_left > 0) {
    char* out_ptr = reinterpret_cast<char*>(buffer);
    size_t out_left = sizeof buffer;
    const size_t result = iconv(converter, &in, &in_left, &out_ptr, &out_left);
    const int error = errno;
    const qsizetype units = static_cast<qsizetype>((sizeof buffer - out_left) / 2);
    qFromLittleEndian<char16_t>(buffer, units, buffer);
    out.append(reinterpret_cast<const QChar*>(buffer), units);
    if (result != static_cast<size_t>(-1)) break;
    if (error == E2BIG && units > 0) continue;
    out += QChar::ReplacementCharacter;
    if (error != EILSEQ) break;  // a sequence cut off by the end, or worse
    ++in;                        // skip the byte that does not decode and go on
    --in_left;
  }
}

}  // namespace fw
