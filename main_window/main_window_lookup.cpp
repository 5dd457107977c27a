// Starting a lookup: the character shows at once, the worker does the rest.
#include "app/app.h"
#include "framework/chasing_arrows.h"
#include "framework/unhandled_exception.h"
#include "lookup/code_text.h"
#include "lookup/moravel_variants.h"
#include "lookup/query.h"
#include "main_window/main_window.h"

void MainWindow::QueryButton_Action(fw::PushButton&) {
  MainWindow* window = Instance();
  fw::EditField& hanzi = window->ControlByName<fw::EditField>("HanziField");
  window->ControlByName<fw::StaticText>("CurrentText").SetCaption(FirstCharacter(hanzi.Text()));
  window->ControlByName<fw::ChasingArrows>("ChasingArrows1").SetVisible(true);
  (new Query)->Start();

  fw::Canvas& well = Instance()->ControlByName<fw::Canvas>("Canvas1");
  fw::Graphics& g = well.GetGraphics();
  g.ForeColor = QColor(242, 242, 242);
  g.FillRect(0, 0, well.Width(), 52);
  g.ForeColor = QColor(0, 0, 0);
  g.TextSize = 50;
  g.TextFont = QStringLiteral("ヒラギノ明朝 Pro W3");
  g.DrawString(FirstCharacter(Instance()->ControlByName<fw::EditField>("HanziField").Text()), 0, 45,
               0, false);
}

QString MainWindow::GetUnicodeCode(const QString& character) { return ::GetUnicodeCode(character); }

fw::Task<QString> MainWindow::GetMoravelVariant(const QString& code) {
  App* app = App::Instance();
  if (!app) throw fw::NilObjectException("no application object");
  return ::GetMoravelVariant(app->MoravelFile, code);
}
