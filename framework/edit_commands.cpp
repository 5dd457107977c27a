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
  // del() takes the character after the cursor when nothing is selected.
  void DeleteSelection() override {
    if (edit_.hasSelectedText()) edit_.del();
  }

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

bool Allows(const EditCommand& command, const TextField& field) {
  return (!command.needsWritable || !field.ReadOnly()) &&
         (!command.needsSelection || field.HasSelection());
}

}  // namespace

bool CanPerformEditCommand(const QString& itemName) {
  const auto command = EditCommands().constFind(itemName);
  if (command == EditCommands().constEnd()) return false;
  const std::unique_ptr<TextField> field = FocusedField();
  return field && Allows(*command, *field);
}

bool PerformEditCommand(const QString& itemName) {
  const auto command = EditCommands().constFind(itemName);
  if (command == EditCommands().constEnd()) return false;
  const std::unique_ptr<TextField> field = FocusedField();
  if (!field || !Allows(*command, *field)) return false;
  ((*field).*(command->perform))();
  return true;
}

}  // namespace fw
