#include "framework/edit_commands.h"

#include <QApplication>
#include <QHash>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <memory>

namespace fw {
namespace {

// One face for the three kinds of Qt text widget.
class TextField {
 public:
  virtual ~TextField() = default;
  virtual bool ReadOnly() const = 0;
  virtual bool HasSelection() const = 0;
  virtual void Undo() = 0;
  virtual void Cut() = 0;
  virtual void Copy() = 0;
  virtual void Paste() = 0;
  virtual void SelectAll() = 0;
  virtual void DeleteSelection() = 0;
};

class LineField : public TextField {
 public:
  explicit LineField(QLineEdit& edit) : edit_(edit) {}
  bool ReadOnly() const override { return edit_.isReadOnly(); }
  bool HasSelection() const override { return edit_.hasSelectedText(); }
  void Undo() override { edit_.undo(); }
  void Cut() override { edit_.cut(); }
  void Copy() override { edit_.copy(); }
  void Paste() override { edit_.paste(); }
  void SelectAll() override { edit_.selectAll(); }
  // With nothing selected del() would take the character after the cursor;
  // Clear is only allowed with a selection (the table below).
  void DeleteSelection() override { edit_.del(); }

 private:
  QLineEdit& edit_;
};

template <class Edit>
class DocumentField : public TextField {
 public:
  explicit DocumentField(Edit& edit) : edit_(edit) {}
  bool ReadOnly() const override { return edit_.isReadOnly(); }
  bool HasSelection() const override { return edit_.textCursor().hasSelection(); }
  void Undo() override { edit_.undo(); }
  void Cut() override { edit_.cut(); }
  void Copy() override { edit_.copy(); }
  void Paste() override { edit_.paste(); }
  void SelectAll() override { edit_.selectAll(); }
  void DeleteSelection() override { edit_.textCursor().removeSelectedText(); }

 private:
  Edit& edit_;
};

std::unique_ptr<TextField> FocusedField() {
  QWidget* focus = QApplication::focusWidget();
  if (auto* line = qobject_cast<QLineEdit*>(focus)) return std::make_unique<LineField>(*line);
  if (auto* text = qobject_cast<QTextEdit*>(focus))
    return std::make_unique<DocumentField<QTextEdit>>(*text);
  if (auto* plain = qobject_cast<QPlainTextEdit*>(focus))
    return std::make_unique<DocumentField<QPlainTextEdit>>(*plain);
  return nullptr;
}

struct EditCommand {
  bool needsWritable;
  bool needsSelection;
  void (TextField::*perform)();
};

const QHash<QString, EditCommand>& EditCommands() {
  static const QHash<QString, EditCommand> commands{
      {QStringLiteral("EditUndo"), {true, false, &TextField::Undo}},
      {QStringLiteral("EditCut"), {true, false, &TextField::Cut}},
      {QStringLiteral("EditCopy"), {false, false, &TextField::Copy}},
      {QStringLiteral("EditPaste"), {true, false, &TextField::Paste}},
      {QStringLiteral("EditClear"), {true, true, &TextField::DeleteSelection}},
      {QStringLiteral("EditSelectAll"), {false, false, &TextField::SelectAll}},
  };
  return commands;
}

// The item's command when the field gives it what it needs; else nullptr.
const EditCommand* Allowed(const QString& itemName, const TextField* field) {
  const auto command = EditCommands().constFind(itemName);
  if (!field || command == EditCommands().constEnd()) return nullptr;
  if (command->needsWritable && field->ReadOnly()) return nullptr;
  if (command->needsSelection && !field->HasSelection()) return nullptr;
  return &*command;
}

}  // namespace

bool CanPerformEditCommand(const QString& itemName) {
  return Allowed(itemName, FocusedField().get()) != nullptr;
}

bool PerformEditCommand(const QString& itemName) {
  const std::unique_ptr<TextField> field = FocusedField();
  const EditCommand* command = Allowed(itemName, field.get());
  if (!command) return false;
  ((*field).*(command->perform))();
  return true;
}

}  // namespace fw
