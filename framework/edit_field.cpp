#include "framework/edit_field.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "framework/field_widget.h"
#include "framework/fonts.h"
#include "framework/property_table.h"
#include "framework/stored_values.h"
#include "framework/window.h"

namespace fw {
namespace {
FieldWidget* MakeFieldWidget(Window& window, bool multiLine) {
  if (multiLine) return new MultiLineWidget(window.Content());
  return new SingleLineWidget(window.Content());
}
}  // namespace

EditField::EditField(Window& window, bool multiLine)
    : EditField(window, MakeFieldWidget(window, multiLine)) {}

EditField::EditField(Window& window, FieldWidget* field)
    : Control(window, field->AsWidget()), field_(field) {
  if (field_->MouseSurface() != Widget()) field_->MouseSurface()->installEventFilter(this);
  Widget()->setMouseTracking(true);
  ApplyFont();
}

QString EditField::Text() const { return field_->Text(); }
void EditField::SetText(const QString& text) { field_->SetText(text); }
bool EditField::MultiLine() const { return field_->MultiLine(); }
bool EditField::ReadOnly() const { return field_->ReadOnly(); }

void EditField::ApplyFont() {
  font_.ApplyTo(*Widget());
  field_->SetEmBoxLines(IsHanFace(font_.TextFont) ? font_.TextSize : 0);
}

void EditField::SetTextSize(int size) {
  font_.TextSize = size;
  ApplyFont();
}

int EditField::SelStart() const { return field_->SelStart(); }
int EditField::SelLength() const { return field_->SelLength(); }
QString EditField::SelText() const { return field_->SelText(); }
void EditField::SetSelStart(int start) { Select(start, 0); }
void EditField::SetSelLength(int length) { Select(SelStart(), length); }

void EditField::Select(int start, int length) {
  const int size = field_->Length();
  start = std::clamp(start, 0, size);
  field_->Select(start, std::clamp(length, 0, size - start));
}

void EditField::SetColor(QPalette::ColorRole role, const QJsonValue& value) {
  QPalette palette = Widget()->palette();
  palette.setColor(role, ColorFrom(value));
  Widget()->setPalette(palette);
}

void EditField::SetProperty(const QString& name, const QJsonValue& value) {
  using Table = PropertyTable<EditField>;
  static const Table kProperties{
      {"Text", [](EditField& f, const QJsonValue& v) { f.SetText(v.toString()); }},
      {"ReadOnly", [](EditField& f, const QJsonValue& v) { f.field_->SetReadOnly(v.toBool()); }},
      {"Border", [](EditField& f, const QJsonValue& v) { f.field_->SetBorder(v.toBool()); }},
      {"ScrollBarVertical",
       [](EditField& f, const QJsonValue& v) { f.field_->SetScrollBar(Qt::Vertical, v.toBool()); }},
      {"ScrollBarHorizontal",
       [](EditField& f, const QJsonValue& v) {
         f.field_->SetScrollBar(Qt::Horizontal, v.toBool());
       }},
      {"TextColor", [](EditField& f, const QJsonValue& v) { f.SetColor(QPalette::Text, v); }},
      {"BackColor", [](EditField& f, const QJsonValue& v) { f.SetColor(QPalette::Base, v); }},
      {"LimitText", [](EditField& f, const QJsonValue& v) { f.field_->SetLimitText(v.toInt()); }},
      {"Password", [](EditField& f, const QJsonValue& v) { f.field_->SetPassword(v.toBool()); }},
      {"AcceptTabs",
       [](EditField& f, const QJsonValue& v) { f.field_->SetAcceptTabs(v.toBool()); }},
      {"Alignment",
       [](EditField& f, const QJsonValue& v) {
         const int a = v.toInt();
         f.field_->SetAlignment(a == 2   ? Qt::AlignHCenter
                                : a == 3 ? Qt::AlignRight
                                         : Qt::AlignLeft);
       }},
      {"UseFocusRing",
       [](EditField& f, const QJsonValue& v) { f.field_->SetFocusRing(v.toBool()); }},
      // The kind of widget is fixed at creation (MultiLine); every field holds
      // plain text of one style; formats, masks and data bindings take no part
      // in this program's fields.
      {"MultiLine", Table::Ignored},
      {"Styled", Table::Ignored},
      {"Format", Table::Ignored},
      {"Mask", Table::Ignored},
      {"DataSource", Table::Ignored},
      {"DataField", Table::Ignored},
  };
  if (font_.Set(name, value))
    ApplyFont();
  else if (!kProperties.Apply(*this, name, value))
    Control::SetProperty(name, value);
}

bool EditField::eventFilter(QObject* watched, QEvent* event) {
  // Mouse positions are relative to the field's top left, also when the
  // event arrives at a multi-line field's inner viewport.
  auto fieldPos = [&](const QPointF& local) {
    auto* widget = static_cast<QWidget*>(watched);
    return widget == Widget() ? local.toPoint() : widget->mapTo(Widget(), local.toPoint());
  };
  switch (event->type()) {
    case QEvent::FocusIn:
      if (watched == Widget()) Raise(QStringLiteral("GotFocus"));
      break;
    case QEvent::FocusOut:
      if (watched == Widget()) Raise(QStringLiteral("LostFocus"));
      break;
    case QEvent::KeyPress: {
      if (watched != Widget()) break;
      auto* key = static_cast<QKeyEvent*>(event);
      if (RaiseKey(QStringLiteral("KeyDown"), key->text())) return true;
      break;
    }
    case QEvent::MouseButtonPress: {
      const QPoint p = fieldPos(static_cast<QMouseEvent*>(event)->position());
      if (RaiseBool(QStringLiteral("MouseDown"), p.x(), p.y())) return true;
      break;
    }
    case QEvent::MouseButtonRelease: {
      const QPoint p = fieldPos(static_cast<QMouseEvent*>(event)->position());
      RaiseXY(QStringLiteral("MouseUp"), p.x(), p.y());
      break;
    }
    case QEvent::MouseMove: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->buttons() != Qt::NoButton) break;
      const QPoint p = fieldPos(mouse->position());
      RaiseXY(QStringLiteral("MouseMove"), p.x(), p.y());
      break;
    }
    default:
      break;
  }
  return false;
}

}  // namespace fw
