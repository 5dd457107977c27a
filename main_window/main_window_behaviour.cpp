// The main window's control events apart from the lookup: backdrops, the
// variant tooltip, the character well as drop target and drag source, the
// font size of the variants, focus tracking and Select All.
#include "app/app.h"
#include "app/project_pictures.h"
#include "framework/number_text.h"
#include "framework/text_drag.h"
#include "framework/unhandled_exception.h"
#include "lookup/code_text.h"
#include "main_window/main_window.h"

namespace {

const QString kVariantFontSize = QStringLiteral("VariantFontSize");

// The canvas shows the picture through the mask picture.
void SetMaskedBackdrop(fw::Canvas& canvas, std::shared_ptr<fw::Picture> picture,
                       const std::shared_ptr<fw::Picture>& mask) {
  if (!picture || !mask) throw fw::NilObjectException("project picture missing");
  canvas.SetBackdrop(picture);
  canvas.Backdrop()->Mask().GetGraphics().DrawPicture(*mask, 0, 0);
}

}  // namespace

void MainWindow::Canvas2_Open(fw::Canvas& me) {
  SetMaskedBackdrop(me, roundedfield(), roundedfieldmask());
}

void MainWindow::Canvas3_Open(fw::Canvas& me) {
  SetMaskedBackdrop(me, imagewellipict(), imagewellmask());
}

bool MainWindow::HanziField_MouseDown(fw::EditField&, int, int) { return false; }
void MainWindow::HanziField_LostFocus(fw::EditField&) {}
void MainWindow::HanziField_Open(fw::EditField&) {}
void MainWindow::HanziField_GotFocus(fw::EditField& me) { CurrentField = me.Name; }
// Return goes on to the default button.
bool MainWindow::HanziField_KeyDown(fw::EditField&, const QString&) { return false; }

void MainWindow::CodeText_Open(fw::StaticText& me) { me.SetCaption(QString()); }
void MainWindow::CurrentText_Open(fw::StaticText& me) { me.SetCaption(QString()); }

void MainWindow::ZVariantField_MouseMove(fw::EditField& me, int x, int) {
  // Every character counts as TextSize pixels wide, from 2 pixels in.
  const int size = me.TextSize();
  QString tag;
  if (size > 0) {
    const std::optional<int> position = fw::ToInt32((double(x) - 2.0) / size + 1.0);
    const QString character = position ? MidCharacters(me.Text(), *position, 1) : QString();
    const QString code = GetUnicodeCode(character);
    if (!code.isEmpty() && code != QStringLiteral("0000"))
      tag = character + QChar('\n') + QStringLiteral("Unicode: ") + code;
  }
  me.SetHelpTag(tag);
}

void MainWindow::ZVariantField_GotFocus(fw::EditField& me) { CurrentField = me.Name; }
bool MainWindow::ZVariantField_MouseDown(fw::EditField&, int, int) { return false; }
void MainWindow::ZVariantField_MouseUp(fw::EditField&, int, int) {}

void MainWindow::Canvas1_Open(fw::Canvas& me) {
  me.GetGraphics().TextSize = CharSize;
  me.GetGraphics().TextFont = CharFont;
  me.AcceptTextDrop();
}

void MainWindow::Canvas1_DropObject(fw::Canvas&, const fw::DragItem& obj, int) {
  ControlByName<fw::EditField>("HanziField").SetText(MidCharacters(obj.Text, 1, 2));
  ControlByName<fw::PushButton>("QueryButton").Push();
}

// Taking the press makes the well a drag source.
bool MainWindow::Canvas1_MouseDown(fw::Canvas&, int, int) { return true; }

void MainWindow::Canvas1_MouseDrag(fw::Canvas& me, int x, int y) {
  fw::TextDrag drag;
  if (!drag.Create()) return;
  drag = MakeDragOut(x, y);
  drag.StartDrag(me.Widget());
}

fw::TextDrag MainWindow::MakeDragOut(int x, int y) {
  fw::TextDrag drag;
  const QString current = ControlByName<fw::StaticText>("CurrentText").Caption();
  // The glyph in black on a transparent ground: a black block seen through a
  // mask that holds the glyph.
  fw::Picture mask(100, 100);
  fw::Graphics& maskGraphics = mask.GetGraphics();
  maskGraphics.ForeColor = Qt::black;
  maskGraphics.TextSize = CharSize;
  maskGraphics.TextFont = CharFont;
  maskGraphics.DrawString(current, 1, 45, 0, false);
  fw::Picture image(100, 100);
  image.GetGraphics().ForeColor = Qt::black;
  image.GetGraphics().FillRect(0, 0, 52, 56);
  image.Mask().GetGraphics().DrawPicture(mask, 0, 0);
  drag.AddText(current);
  drag.SetDragImage(image.Composited(), QPoint(x, y));
  return drag;
}

void MainWindow::PopupMenu1_Open(fw::PopupMenu&) {}
void MainWindow::PopupMenu1_Change(fw::PopupMenu&) {}

void MainWindow::Slider1_Open(fw::Slider& me) {
  // A stored size that is no whole number of pixels above 0 counts as none:
  // a text size of 0 would make the variants unreadable and the tooltip
  // divide by zero.
  const std::optional<int> size =
      fw::ToInt32(fw::Val(App::Instance()->ReadPreferences(kVariantFontSize)));
  if (!size || *size <= 0) return;
  ControlByName<fw::EditField>("ZVariantField").SetTextSize(*size);
  me.SetValue(*size);
}

void MainWindow::Slider1_ValueChanged(fw::Slider& me) {
  ControlByName<fw::EditField>("ZVariantField").SetTextSize(me.Value());
}

void MainWindow::Slider1_Close(fw::Slider& me) {
  App::Instance()->WritePreferences(kVariantFontSize, QString::number(me.Value()));
}

bool MainWindow::EditSelectAll_Action() {
  // Each field selects its whole text, whatever its length in bytes or
  // characters.
  for (const char* name : {"HanziField", "ZVariantField"}) {
    if (CurrentField != QLatin1String(name)) continue;
    fw::EditField& field = ControlByName<fw::EditField>(QString::fromLatin1(name));
    field.SetSelStart(0);
    field.SetSelLength(field.Text().size());
  }
  return false;
}
