#pragma once
// Reads RTF tokens with a stack of group states and hands the body text, in
// runs of equal format, to an RtfDocumentBuilder. The font and colour tables
// are read to format the text, not shown.
#include <QColor>
#include <QList>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "framework/rtf_control_words.h"
#include "framework/rtf_text_decoder.h"
#include "framework/rtf_tokenizer.h"

namespace fw {

class RtfDocumentBuilder;

class RtfParser {
 public:
  explicit RtfParser(RtfDocumentBuilder& builder) : builder_(builder) {}
  // Reads the whole input and finishes the document.
  void Parse(std::string_view rtf);

 private:
  enum class Destination { kBody, kFontTable, kColorTable };

  struct CharState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int font = -1;
    int halfPoints = 24;
    int color = 0;
    bool operator==(const CharState&) const = default;
  };
  struct ParagraphState {
    int alignment = Qt::AlignLeft;
    QList<int> tab_stops;  // twips; implicitly shared, cheap to copy per group
  };
  struct GroupState {
    CharState chars;
    ParagraphState paragraph;
    Destination destination = Destination::kBody;
    int unicodeSkip = 1;  // fallback characters after each \u
  };
  struct Font {
    QString family;
    int codePage = 0;  // 0: the document's
    bool bold = false;
    bool italic = false;
  };
  struct PendingFont {
    bool active = false;
    int number = 0;
    int charset = 1;
    int codePage = 0;
    QString name;
  };

  void HandleToken(const RtfToken& token);
  void SkipToken(const RtfToken& token);
  // True when the token is the fallback text of a \u and is dropped.
  bool ConsumeUnicodeFallback(RtfToken& token);
  void OpenGroup();
  void CloseGroup();
  void HandleWord(const RtfToken& token);
  void HandleSymbol(char symbol);
  void HandleText(std::string_view bytes);

  void FlushBytes();
  int CurrentCodePage() const;
  void AppendUnicode(int value);
  void AppendText(QStringView text);
  void AppendText(QChar c) { AppendText(QStringView(&c, 1)); }
  void AppendTextAsIs(QStringView text);
  void AppendTextAsIs(QChar c) { AppendTextAsIs(QStringView(&c, 1)); }
  void ResolvePendingSurrogate();
  void EndParagraph();

  void StartFont(int number);
  void CommitFont();
  void CommitColor();

  void SyncCharFormat();
  QTextCharFormat CharFormatFor(const CharState& chars) const;
  QTextBlockFormat BlockFormatFor(const ParagraphState& paragraph) const;

  RtfDocumentBuilder& builder_;
  RtfTextDecoder decoder_;

  GroupState state_;
  std::vector<GroupState> stack_;
  int64_t flattenedGroups_ = 0;  // groups opened beyond the depth limit

  bool skipping_ = false;
  int64_t skippedDepth_ = 0;
  int64_t unicodeFallbackLeft_ = 0;
  char16_t pendingHighSurrogate_ = 0;

  std::string bytes_;  // 8-bit text waiting to be decoded in one go
  int documentCodePage_ = 1252;
  int defaultFont_ = -1;

  std::unordered_map<int, Font> fonts_;
  PendingFont pendingFont_;
  QList<QColor> colors_;
  int red_ = 0, green_ = 0, blue_ = 0;
  bool colorGiven_ = false;

  // The last paragraph takes the properties its text had, even when the
  // document's closing brace has restored the state outside all groups.
  std::optional<ParagraphState> lastTextParagraph_;

  bool formatSynced_ = false;
  CharState syncedChars_;
};

}  // namespace fw
