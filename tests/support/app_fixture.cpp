#include "support/app_fixture.h"

#include <QFile>
#include <QTest>

#include "app/start_up.h"
#include "framework/edit_field.h"
#include "framework/folders.h"
#include "framework/message_box.h"
#include "framework/push_button.h"
#include "framework/thread.h"
#include "framework/window.h"

AppFixture::AppFixture(const QString& dataFolder, const QByteArray& preferences)
    : dataFolder_(dataFolder.isEmpty() ? emptyData_.path() : dataFolder) {
  qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
  if (!preferences.isEmpty()) {
    QFile file(PreferencesFile());
    if (!file.open(QIODevice::WriteOnly) || file.write(preferences) != preferences.size())
      qFatal("cannot write the preset preferences file");
  }
  fw::SetApplicationFolder(dataFolder_);
  fw::SetMessageHandler([this](const QString& text) { messages << text; });
  InitFileTypes();
  NewAppInstance();
  ApplicationAddMenuHandlers();
  MakeDefaultView();
  App::Instance()->RaiseOpen();
}

AppFixture::~AppFixture() {
  WaitForLookups();
  for (fw::Window* window : fw::Window::OpenWindows()) delete window;
  DeleteAppInstance();
  fw::SetMessageHandler({});
  fw::SetApplicationFolder(QString());
}

QString AppFixture::PreferencesFile() const {
  return config_.filePath(QStringLiteral("Quillfern Preferences"));
}

bool AppFixture::WaitForLookups(int timeoutMs) {
  return QTest::qWaitFor([] { return fw::Thread::Running() == 0; }, timeoutMs);
}

void AppFixture::StartLookUp(const QString& text) {
  Control<fw::EditField>("HanziField").SetText(text);
  Control<fw::PushButton>("QueryButton").Push();
}

void AppFixture::LookUp(const QString& text) {
  StartLookUp(text);
  WaitForLookups();
}

QString RealDataFolder() { return QStringLiteral(QUILLFERN_APP_DIR); }
