#include "framework/rtf_parser.h"

#include <QTextOption>
#include <algorithm>

#include "framework/fonts.h"
#include "framework/rtf_document_builder.h"

namespace fw {
namespace {

// Deeper groups are read as if flat: no unbounded stack, no copying per level.
constexpr size_t kMaxGroupDepth = 1000;
// Limits that keep hostile tables from growing without bound.
constexpr int kMaxHalfPoints = 3276;  // 1638 pt
constexpr qsizetype kMaxTabStops = 32;
constexpr size_t kMaxFonts = 4096;
constexpr qsizetype kMaxColors = 4096;
constexpr qsizetype kMaxFontNameLength = 256;

constexpr QChar kReplacement = QChar::ReplacementCharacter;

// Tab stops are given in twips; QTextDocument lays out in pixels of 1/96 inch.
constexpr double kTwipsPerPixel = 15.0;

}  // namespace

void RtfParser::Parse(std::string_view rtf) {
  RtfTokenizer tokenizer(rtf);
  for (RtfToken token = tokenizer.Next(); token.kind != RtfToken::Kind::kEnd;
       token = tokenizer.Next()) {
    if (skipping_) {
      SkipToken(token);
    } else {
      HandleToken(token);
    }
  }
  FlushBytes();
  ResolvePendingSurrogate();
  SyncCharFormat();
  builder_.Finish(BlockFormatFor(lastTextParagraph_.value_or(state_.paragraph)));
}

void RtfParser::HandleToken(const RtfToken& original) {
  RtfToken token = original;
  if (unicodeFallbackLeft_ > 0 && ConsumeUnicodeFallback(token)) return;
  switch (token.kind) {
    case RtfToken::Kind::kGroupOpen:
      OpenGroup();
      break;
    case RtfToken::Kind::kGroupClose:
      CloseGroup();
      break;
    case RtfToken::Kind::kWord:
      FlushBytes();
      HandleWord(token);
      break;
    case RtfToken::Kind::kSymbol:
      FlushBytes();
      HandleSymbol(token.symbol);
      break;
    case RtfToken::Kind::kHexByte:
      HandleText(std::string_view(reinterpret_cast<const char*>(&token.byte), 1));
      break;
    case RtfToken::Kind::kText:
      HandleText(token.text);
      break;
    case RtfToken::Kind::kEnd:
      break;
  }
}

// Inside a skipped destination only the braces matter, to find its end.
void RtfParser::SkipToken(const RtfToken& token) {
  if (token.kind == RtfToken::Kind::kGroupOpen) {
    ++skippedDepth_;
  } else if (token.kind == RtfToken::Kind::kGroupClose) {
    if (skippedDepth_ > 0) {
      --skippedDepth_;
    } else {
      skipping_ = false;
      CloseGroup();
    }
  }
}

// Each byte, \'hh, control word or symbol counts as one fallback character; a
// group boundary ends the fallback.
bool RtfParser::ConsumeUnicodeFallback(RtfToken& token) {
  switch (token.kind) {
    case RtfToken::Kind::kGroupOpen:
    case RtfToken::Kind::kGroupClose:
      unicodeFallbackLeft_ = 0;
      return false;
    case RtfToken::Kind::kText: {
      const size_t count =
          static_cast<size_t>(std::min<int64_t>(unicodeFallbackLeft_, token.text.size()));
      token.text.remove_prefix(count);
      unicodeFallbackLeft_ -= static_cast<int64_t>(count);
      return token.text.empty();
    }
    default:
      --unicodeFallbackLeft_;
      return true;
  }
}

void RtfParser::OpenGroup() {
  FlushBytes();
  if (stack_.size() < kMaxGroupDepth) {
    stack_.push_back(state_);
  } else {
    ++flattenedGroups_;
  }
}

void RtfParser::CloseGroup() {
  FlushBytes();
  // A table entry written as {\fN name} may lack its semicolon.
  if (state_.destination == Destination::kFontTable && !pendingFont_.name.isEmpty()) {
    CommitFont();
  }
  if (flattenedGroups_ > 0) {
    --flattenedGroups_;
  } else if (!stack_.empty()) {
    state_ = std::move(stack_.back());
    stack_.pop_back();
  }
  // A closing brace with no group open is ignored.
}

void RtfParser::HandleWord(const RtfToken& token) {
  const RtfControlWord* word = FindRtfControlWord(token.text);
  if (!word) return;
  const bool has = token.hasParam;
  const int param = token.param;
  const bool on = !has || param != 0;
  CharState& chars = state_.chars;
  switch (word->action) {
    case RtfAction::kSkipDestination:
      skipping_ = true;
      skippedDepth_ = 0;
      break;
    case RtfAction::kFontTable:
      state_.destination = Destination::kFontTable;
      break;
    case RtfAction::kColorTable:
      state_.destination = Destination::kColorTable;
      break;
    case RtfAction::kBold:
      chars.bold = on;
      break;
    case RtfAction::kItalic:
      chars.italic = on;
      break;
    case RtfAction::kUnderline:
      chars.underline = on;
      break;
    case RtfAction::kUnderlineNone:
      chars.underline = false;
      break;
    case RtfAction::kPlain:
      chars = CharState{};
      chars.font = defaultFont_;
      break;
    case RtfAction::kFont:
      if (!has) break;
      if (state_.destination == Destination::kFontTable) {
        StartFont(param);
      } else {
        chars.font = param;
      }
      break;
    case RtfAction::kFontSize:
      if (has && param > 0) chars.halfPoints = std::min(param, kMaxHalfPoints);
      break;
    case RtfAction::kColor:
      if (has) chars.color = std::max(param, 0);
      break;
    case RtfAction::kAlign:
      state_.paragraph.alignment = word->value;
      break;
    case RtfAction::kParagraphDefaults:
      state_.paragraph = ParagraphState{};
      break;
    case RtfAction::kTabStop:
      if (has && param > 0 && state_.paragraph.tab_stops.size() < kMaxTabStops) {
        state_.paragraph.tab_stops.append(param);
      }
      break;
    case RtfAction::kParagraphBreak:
      EndParagraph();
      break;
    case RtfAction::kCharacter:
      AppendText(QChar(static_cast<char16_t>(word->value)));
      break;
    case RtfAction::kUnicode:
      if (!has) break;
      AppendUnicode(param);
      unicodeFallbackLeft_ = state_.unicodeSkip;
      break;
    case RtfAction::kUnicodeSkip:
      if (has) state_.unicodeSkip = std::max(param, 0);
      break;
    case RtfAction::kDocumentCodePage:
      if (word->value != 0) {
        documentCodePage_ = word->value;
      } else if (has) {
        documentCodePage_ = param;
      }
      break;
    case RtfAction::kDefaultFont:
      if (!has) break;
      defaultFont_ = param;
      if (chars.font < 0) chars.font = param;
      break;
    case RtfAction::kFontCharset:
      if (has) pendingFont_.charset = param;
      break;
    case RtfAction::kFontCodePage:
      if (has) pendingFont_.codePage = std::max(param, 0);
      break;
    case RtfAction::kRed:
    case RtfAction::kGreen:
    case RtfAction::kBlue: {
      const int component = has ? std::clamp(param, 0, 255) : 0;
      if (word->action == RtfAction::kRed) red_ = component;
      if (word->action == RtfAction::kGreen) green_ = component;
      if (word->action == RtfAction::kBlue) blue_ = component;
      colorGiven_ = true;
      break;
    }
  }
}

void RtfParser::HandleSymbol(char symbol) {
  switch (symbol) {
    case '\\':
    case '{':
    case '}':
      AppendText(QChar(QLatin1Char(symbol)));
      break;
    case '~':
      AppendText(QChar(0x00A0));
      break;
    case '_':
      AppendText(QChar(0x2011));
      break;
    case '*':  // an ignorable destination: nothing we show is written this way
      skipping_ = true;
      skippedDepth_ = 0;
      break;
    case '\r':
    case '\n':
      EndParagraph();
      break;
    default:  // \- optional hyphen, \: index entries and unknown symbols
      break;
  }
}

void RtfParser::HandleText(std::string_view bytes) {
  if (state_.destination == Destination::kBody) {
    bytes_.append(bytes);
    return;
  }
  for (const char c : bytes) {
    if (c == ';') {
      FlushBytes();
      if (state_.destination == Destination::kFontTable) {
        CommitFont();
      } else {
        CommitColor();
      }
    } else if (state_.destination == Destination::kFontTable) {
      bytes_.push_back(c);
    }
  }
}

// Bytes are decoded together so that multi-byte characters split over several
// \'hh escapes come out whole.
void RtfParser::FlushBytes() {
  if (bytes_.empty()) return;
  QString text;
  decoder_.Decode(CurrentCodePage(), bytes_, text);
  bytes_.clear();
  AppendText(text);
}

int RtfParser::CurrentCodePage() const {
  int fontCodePage = 0;
  if (state_.destination == Destination::kFontTable) {
    fontCodePage = pendingFont_.codePage > 0 ? pendingFont_.codePage
                                             : RtfCodePageForCharset(pendingFont_.charset);
  } else if (const auto font = fonts_.find(state_.chars.font); font != fonts_.end()) {
    fontCodePage = font->second.codePage;
  }
  return fontCodePage > 0 ? fontCodePage : documentCodePage_;
}

// \uN takes a signed 16-bit value; surrogate pairs come as two escapes.
void RtfParser::AppendUnicode(int value) {
  if (value < -32768 || value > 65535) {
    AppendText(kReplacement);
    return;
  }
  const auto unit = static_cast<char16_t>(value < 0 ? value + 65536 : value);
  if (QChar::isHighSurrogate(unit)) {
    ResolvePendingSurrogate();
    pendingHighSurrogate_ = unit;
  } else if (QChar::isLowSurrogate(unit)) {
    if (pendingHighSurrogate_ != 0) {
      const QChar pair[2] = {QChar(pendingHighSurrogate_), QChar(unit)};
      pendingHighSurrogate_ = 0;
      AppendTextAsIs(QStringView(pair, 2));
    } else {
      AppendText(kReplacement);
    }
  } else {
    AppendText(QChar(unit));
  }
}

void RtfParser::AppendText(QStringView text) {
  ResolvePendingSurrogate();
  AppendTextAsIs(text);
}

void RtfParser::AppendTextAsIs(QStringView text) {
  switch (state_.destination) {
    case Destination::kBody:
      SyncCharFormat();
      builder_.AppendText(text);
      lastTextParagraph_ = state_.paragraph;
      break;
    case Destination::kFontTable:
      if (pendingFont_.active && pendingFont_.name.size() < kMaxFontNameLength) {
        pendingFont_.name += text;
      }
      break;
    case Destination::kColorTable:
      break;
  }
}

// A high surrogate not followed by its low half is no character.
void RtfParser::ResolvePendingSurrogate() {
  if (pendingHighSurrogate_ == 0) return;
  pendingHighSurrogate_ = 0;
  AppendTextAsIs(kReplacement);
}

void RtfParser::EndParagraph() {
  if (state_.destination != Destination::kBody) return;
  ResolvePendingSurrogate();
  SyncCharFormat();
  builder_.EndParagraph(BlockFormatFor(state_.paragraph));
  lastTextParagraph_.reset();
}

void RtfParser::StartFont(int number) {
  CommitFont();
  pendingFont_ = PendingFont{};
  pendingFont_.active = true;
  pendingFont_.number = number;
}

void RtfParser::CommitFont() {
  if (!pendingFont_.active) return;
  pendingFont_.active = false;
  if (fonts_.size() >= kMaxFonts && !fonts_.contains(pendingFont_.number)) return;
  Font font;
  font.family = pendingFont_.name.trimmed();
  font.codePage = pendingFont_.codePage > 0 ? pendingFont_.codePage
                                            : RtfCodePageForCharset(pendingFont_.charset);
  // PostScript names carry the face: "Helvetica-Bold", "Times-BoldItalic".
  const qsizetype dash = font.family.lastIndexOf(QLatin1Char('-'));
  if (dash > 0) {
    const QStringView face = QStringView(font.family).mid(dash + 1);
    font.bold = face.contains(QLatin1StringView("Bold"), Qt::CaseInsensitive);
    font.italic = face.contains(QLatin1StringView("Italic"), Qt::CaseInsensitive) ||
                  face.contains(QLatin1StringView("Oblique"), Qt::CaseInsensitive);
  }
  fonts_[pendingFont_.number] = std::move(font);
  pendingFont_.name.clear();
}

// The first entry, usually empty, stands for the automatic colour.
void RtfParser::CommitColor() {
  if (colors_.size() < kMaxColors) {
    colors_.append(colorGiven_ ? QColor(red_, green_, blue_) : QColor());
  }
  red_ = green_ = blue_ = 0;
  colorGiven_ = false;
}

void RtfParser::SyncCharFormat() {
  if (formatSynced_ && state_.chars == syncedChars_) return;
  builder_.SetCharFormat(CharFormatFor(state_.chars));
  syncedChars_ = state_.chars;
  formatSynced_ = true;
}

QTextCharFormat RtfParser::CharFormatFor(const CharState& chars) const {
  const auto found = fonts_.find(chars.font);
  const Font* font = found == fonts_.end() ? nullptr : &found->second;
  QTextCharFormat format;
  format.setFontWeight(chars.bold || (font && font->bold) ? QFont::Bold : QFont::Normal);
  format.setFontItalic(chars.italic || (font && font->italic));
  format.setFontUnderline(chars.underline);
  format.setFontPointSize(chars.halfPoints / 2.0);
  // The document's own family first; where it is not installed, the chain of
  // installed families that stands in for it.
  if (font && !font->family.isEmpty())
    format.setFontFamilies(QStringList{font->family} + FontChain(font->family));
  if (chars.color > 0 && chars.color < colors_.size() && colors_[chars.color].isValid()) {
    format.setForeground(colors_[chars.color]);
  }
  return format;
}

QTextBlockFormat RtfParser::BlockFormatFor(const ParagraphState& paragraph) const {
  QTextBlockFormat format;
  format.setAlignment(Qt::Alignment(paragraph.alignment));
  if (!paragraph.tab_stops.isEmpty()) {
    QList<QTextOption::Tab> tabs;
    tabs.reserve(paragraph.tab_stops.size());
    for (const int twips : paragraph.tab_stops) {
      tabs.append(QTextOption::Tab(twips / kTwipsPerPixel, QTextOption::LeftTab));
    }
    format.setTabPositions(tabs);
  }
  return format;
}

}  // namespace fw
