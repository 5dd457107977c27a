#include "app/menu_bar1.h"

#include <functional>

#include "app/app.h"

namespace {

enum class Kind { Item, Quit, About };

struct Row {
  const char* appendTo;  // nullptr: the bar itself
  const char* name;
  Kind kind;
  std::function<QString()> text;
  const char* shortcut;  // nullptr: not set (the separator)
};

QString Fixed(const char* text) { return QString::fromUtf8(text); }

const std::vector<Row>& Rows() {
  static const std::vector<Row> rows{
      {nullptr, "FileMenu", Kind::Item, &App::kFile, ""},
      {"FileMenu", "FileQuit", Kind::Quit, [] { return Fixed("Quit"); }, "Cmd+Q"},
      {"FileMenu", "FileClose", Kind::Item, &App::kFileClose, "Cmd+W"},
      {nullptr, "EditMenu", Kind::Item, &App::kEdit, ""},
      {"EditMenu", "EditUndo", Kind::Item, &App::kEditUndo, "Cmd+Z"},
      {"EditMenu", "UntitledMenu0", Kind::Item, [] { return Fixed("-"); }, nullptr},
      {"EditMenu", "EditCut", Kind::Item, &App::kEditCut, "Cmd+X"},
      {"EditMenu", "EditCopy", Kind::Item, &App::kEditCopy, "Cmd+C"},
      {"EditMenu", "EditPaste", Kind::Item, &App::kEditPaste, "Cmd+V"},
      {"EditMenu", "EditClear", Kind::Item, &App::kEditClear, ""},
      {"EditMenu", "EditSelectAll", Kind::Item, &App::kEditSelectAll, "Cmd+A"},
      {nullptr, "HelpMenu", Kind::Item, [] { return Fixed("Help"); }, ""},
      {"HelpMenu", "HelpQuillfern", Kind::Item, &App::kQuillfernHelp, "Cmd+?"},
      {"HelpMenu", "HelpQuillfernHomepage", Kind::Item, &App::kQuillfernHomepage, ""},
      {"HelpMenu", "AppleAboutthisapplication", Kind::About, &App::kAboutQuillfern, ""},
  };
  return rows;
}

std::unique_ptr<fw::MenuItem> Make(Kind kind) {
  switch (kind) {
    case Kind::Quit:
      return std::make_unique<fw::QuitMenuItem>();
    case Kind::About:
      return std::make_unique<fw::AppleMenuItem>();
    default:
      return std::make_unique<fw::MenuItem>();
  }
}

}  // namespace

MenuBar1::MenuBar1() {
  for (const Row& row : Rows()) {
    std::unique_ptr<fw::MenuItem> item = Make(row.kind);
    item->Name = QString::fromLatin1(row.name);
    item->AutoEnable = true;
    item->Text = row.text();
    if (row.shortcut) item->KeyboardShortcut = QString::fromLatin1(row.shortcut);
    if (!row.appendTo)
      Append(std::move(item));
    else
      Child(QString::fromLatin1(row.appendTo))->Append(std::move(item));
  }
}

MenuBar1* MenuBar1::Instance() {
  static MenuBar1* bar = new MenuBar1();  // lives for the run
  return bar;
}
