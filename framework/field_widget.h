#pragma once
// The Qt widget behind an EditField, single-line or multi-line, with one face
// for both so that the field itself never asks which kind it has.
#include <QLineEdit>
#include <QTextEdit>
#include <optional>

namespace fw {

class FieldWidget {
 public:
  virtual ~FieldWidget() = default;

  virtual QWidget* AsWidget() = 0;
  // Where mouse events arrive: a multi-line field's inner viewport.
  virtual QWidget* MouseSurface() = 0;
  virtual bool MultiLine() const = 0;

  virtual QString Text() const = 0;
  virtual void SetText(const QString& text) = 0;
  // Length of the text in UTF-16 code units.
  virtual int Length() const = 0;
  virtual bool ReadOnly() const = 0;
  virtual void SetReadOnly(bool readOnly) = 0;

  // Selection in UTF-16 code units; Select takes a range inside the text.
  virtual int SelStart() const = 0;
  virtual int SelLength() const = 0;
  virtual QString SelText() const = 0;
  virtual void Select(int start, int length) = 0;

  virtual void SetBorder(bool border) = 0;
  virtual void SetScrollBar(Qt::Orientation orientation, bool shown) = 0;
  // Greatest number of characters; 0: no limit.
  virtual void SetLimitText(int limit) = 0;
  virtual void SetPassword(bool password) = 0;
  virtual void SetAcceptTabs(bool acceptTabs) = 0;
  virtual void SetAlignment(Qt::Alignment alignment) = 0;

  // Lines laid on the em box of a Han face of this many pixels: the glyphs
  // start at the field's top left and a tall ascent adds no gap above them.
  // 0: the font's own line metrics. One line ignores it.
  virtual void SetEmBoxLines(int) {}

  // Without a focus ring the field looks the same with and without the focus.
  void SetFocusRing(bool shown) {
    focusRing_ = shown;
    AsWidget()->update();
  }

 protected:
  bool focusRing_ = true;
};

class SingleLineWidget : public QLineEdit, public FieldWidget {
 public:
  explicit SingleLineWidget(QWidget* parent);

  QWidget* AsWidget() override { return this; }
  QWidget* MouseSurface() override { return this; }
  bool MultiLine() const override { return false; }
  QString Text() const override;
  void SetText(const QString& text) override;
  int Length() const override { return int(text().size()); }
  bool ReadOnly() const override { return isReadOnly(); }
  void SetReadOnly(bool readOnly) override { setReadOnly(readOnly); }
  int SelStart() const override;
  int SelLength() const override { return selectionLength(); }
  QString SelText() const override { return selectedText(); }
  void Select(int start, int length) override { setSelection(start, length); }
  void SetBorder(bool border) override { setFrame(border); }
  void SetScrollBar(Qt::Orientation, bool) override {}  // one line shows no scroll bar
  void SetLimitText(int limit) override;
  void SetPassword(bool password) override;
  void SetAcceptTabs(bool) override {}  // Tab moves the focus out of one line
  void SetAlignment(Qt::Alignment alignment) override;

 protected:
  void initStyleOption(QStyleOptionFrame* option) const override;

 private:
  // One line shows its text on one line; what code set is kept so that it
  // reads back exactly, line ends included.
  QString setText_;
  QString shownText_;
};

class MultiLineWidget : public QTextEdit, public FieldWidget {
 public:
  explicit MultiLineWidget(QWidget* parent);

  QWidget* AsWidget() override { return this; }
  QWidget* MouseSurface() override { return viewport(); }
  bool MultiLine() const override { return true; }
  QString Text() const override { return toPlainText(); }
  void SetText(const QString& text) override;
  int Length() const override { return document()->characterCount() - 1; }
  bool ReadOnly() const override { return isReadOnly(); }
  void SetReadOnly(bool readOnly) override;
  int SelStart() const override { return textCursor().selectionStart(); }
  int SelLength() const override;
  QString SelText() const override { return textCursor().selectedText(); }
  void Select(int start, int length) override;
  void SetBorder(bool border) override;
  void SetScrollBar(Qt::Orientation orientation, bool shown) override;
  void SetLimitText(int) override {}  // only single-line fields are limited
  void SetPassword(bool) override {}  // only single-line fields are masked
  void SetAcceptTabs(bool acceptTabs) override { setTabChangesFocus(!acceptTabs); }
  void SetAlignment(Qt::Alignment alignment) override { setAlignment(alignment); }
  void SetEmBoxLines(int pixels) override;

 protected:
  void initStyleOption(QStyleOptionFrame* option) const override;

 private:
  void LayOutLines();
  // Left and top margins of the text; drift moves it down without making the
  // document taller.
  void SetTextMargins(qreal inset, qreal drift);
  // Where the first line's baseline lies in the document, once laid out.
  std::optional<qreal> FirstBaseline() const;
  int emBox_ = 0;
};

}  // namespace fw
