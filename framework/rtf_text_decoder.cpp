#include "framework/rtf_text_decoder.h"

#include <QtEndian>
#include <cerrno>
#include <iconv.h>

namespace fw {
namespace {

constexpr int kDefaultCodePage = 1252;

// Only known names are tried, so a document naming thousands of bogus code
// pages costs no more than one naming a real one.
const char* IconvName(int code_page) {
  switch (code_page) {
    case 437: return "CP437";
    case 737: return "CP737";
    case 775: return "CP775";
    case 850: return "CP850";
    case 852: return "CP852";
    case 855: return "CP855";
    case 857: return "CP857";
    case 860: return "CP860";
    case 861: return "CP861";
    case 862: return "CP862";
    case 863: return "CP863";
    case 864: return "CP864";
    case 865: return "CP865";
    case 866: return "CP866";
    case 869: return "CP869";
    case 874: return "CP874";
    case 932: return "CP932";
    case 936: return "GBK";
    case 949: return "CP949";
    case 950: return "CP950";
    case 1250: return "WINDOWS-1250";
    case 1251: return "WINDOWS-1251";
    case 1252: return "WINDOWS-1252";
    case 1253: return "WINDOWS-1253";
    case 1254: return "WINDOWS-1254";
    case 1255: return "WINDOWS-1255";
    case 1256: return "WINDOWS-1256";
    case 1257: return "WINDOWS-1257";
    case 1258: return "WINDOWS-1258";
    case 1361: return "JOHAB";
    case 10000: return "MACINTOSH";
    case 10001: return "SHIFT_JIS";
    case 10002: return "BIG5";
    case 10003: return "EUC-KR";
    case 10007: return "MAC-CYRILLIC";
    case 10008: return "GBK";
    case 10029: return "MAC-CENTRALEUROPE";
    case 10079: return "MAC-IS";
    case 20127: return "ASCII";
    case 20866: return "KOI8-R";
    case 20932: return "EUC-JP";
    case 20936: return "GBK";
    case 21866: return "KOI8-U";
    case 28591: return "ISO-8859-1";
    case 28592: return "ISO-8859-2";
    case 28593: return "ISO-8859-3";
    case 28594: return "ISO-8859-4";
    case 28595: return "ISO-8859-5";
    case 28596: return "ISO-8859-6";
    case 28597: return "ISO-8859-7";
    case 28598: return "ISO-8859-8";
    case 28599: return "ISO-8859-9";
    case 28605: return "ISO-8859-15";
    case 51932: return "EUC-JP";
    case 51936: return "GBK";
    case 51949: return "EUC-KR";
    case 54936: return "GB18030";
    case 65001: return "UTF-8";
    default: return nullptr;
  }
}

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

}  // namespace

int RtfCodePageForCharset(int charset) {
  switch (charset) {
    case 0: return 1252;     // ANSI
    case 77: return 10000;   // Mac Roman
    case 78: return 10001;   // Mac Japanese
    case 79: return 10003;   // Mac Korean
    case 80: return 10008;   // Mac Simplified Chinese
    case 81: return 10002;   // Mac Traditional Chinese
    case 88: return 10029;   // Mac Central European
    case 89: return 10007;   // Mac Cyrillic
    case 102: return 936;    // what Cocoa writes for GB 2312 fonts
    case 128: return 932;    // Shift_JIS
    case 129: return 949;    // Hangul
    case 130: return 1361;   // Johab
    case 134: return 936;    // GB 2312, read as its superset GBK
    case 136: return 950;    // Big5
    case 161: return 1253;   // Greek
    case 162: return 1254;   // Turkish
    case 163: return 1258;   // Vietnamese
    case 177: return 1255;   // Hebrew
    case 178: return 1256;   // Arabic
    case 186: return 1257;   // Baltic
    case 204: return 1251;   // Cyrillic
    case 222: return 874;    // Thai: TIS-620 plus the Windows additions
    case 238: return 1250;   // Central European
    case 254: return 437;    // PC 437
    case 255: return 850;    // OEM
    default: return 0;       // default, symbol and unknown sets
  }
}

RtfTextDecoder::~RtfTextDecoder() {
  for (auto& [code_page, converter] : converters_) {
    if (converter != kNoConverter) iconv_close(static_cast<iconv_t>(converter));
  }
}

void* RtfTextDecoder::Converter(int code_page) {
  if (!IconvName(code_page)) code_page = kDefaultCodePage;
  auto found = converters_.find(code_page);
  if (found != converters_.end()) return found->second;
  iconv_t converter = iconv_open("UTF-16LE", IconvName(code_page));
  converters_.emplace(code_page, converter);
  return converter;
}

void RtfTextDecoder::Decode(int code_page, std::string_view bytes, QString& out) {
  const iconv_t converter = static_cast<iconv_t>(Converter(code_page));
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
    const qsizetype units = static_cast<qsizetype>((sizeof buffer - out_left) / 2);
    qFromLittleEndian<char16_t>(buffer, units, buffer);
    out.append(reinterpret_cast<const QChar*>(buffer), units);
    if (result != static_cast<size_t>(-1)) break;
    if (errno == E2BIG && units > 0) continue;
    out += QChar::ReplacementCharacter;
    if (errno != EILSEQ) break;  // a sequence cut off by the end, or worse
    ++in;  // skip the byte that does not decode and go on
    --in_left;
  }
}

}  // namespace fw
