#pragma once
// The RTF control words the reader acts on, and what each one does.
#include <string_view>

namespace fw {

enum class RtfAction {
  kSkipDestination,  // a group whose content is not shown
  kFontTable,
  kColorTable,
  kBold,
  kItalic,
  kUnderline,  // \ul and its dotted, double, word... variants
  kUnderlineNone,
  kPlain,
  kFont,
  kFontSize,
  kColor,
  kAlign,  // value: a Qt::Alignment
  kParagraphDefaults,
  kParagraphBreak,
  kCharacter,  // value: the UTF-16 code unit to insert
  kUnicode,
  kUnicodeSkip,
  kDocumentCodePage,  // value: the code page, or 0 to take the parameter
  kDefaultFont,
  kFontCharset,
  kFontCodePage,
  kRed,
  kGreen,
  kBlue,
  kTabStop,
};

struct RtfControlWord {
  RtfAction action;
  int value = 0;
};

// The meaning of a control word, or nullptr for the many words that are read
// and ignored.
const RtfControlWord* FindRtfControlWord(std::string_view name);

}  // namespace fw
