// Start-up: the application object, its connections and files, the pictures.
#include <QDir>
#include <QTest>

#include "app/app.h"
#include "app/menu_bar1.h"
#include "app/project_pictures.h"
#include "framework/application.h"
#include "framework/file_type.h"
#include "framework/resource_pictures.h"
#include "framework/window.h"
#include "help_about/about_window.h"
#include "support/app_fixture.h"
#include "support/own_bus.h"

class StartUpTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QVERIFY2(test::BusNameIsFree(), test::kBusOfItsOwn); }

  void withoutDataFilesStartUpIsSilentAndCreatesNothing() {
    AppFixture app;
    App* object = App::Instance();
    QVERIFY(object);
    QVERIFY(object->hanzidata && object->hanzidata2 && object->hanzidata3 && object->hanzidata4 &&
            object->hanzidata5);
    QCOMPARE(object->MoravelFile, app.DataFolder() + "/UniVariants");
    QCOMPARE(object->hanzidata5->DatabaseFile, app.DataFolder() + "/hanzidata5.rsd");
    QVERIFY(app.messages.isEmpty());
    QVERIFY(QDir(app.DataFolder()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    QVERIFY(object->MyEvents1);
    QCOMPARE(fw::Window::OpenWindows().size(), size_t(1));
  }

  void theApplicationObjectIsOneObject() {
    AppFixture app;
    App* registered = App::Instance();
    QVERIFY(registered);
    QCOMPARE(fw::Application::Instance(), static_cast<fw::Application*>(registered));
    // The same object for the whole run: windows and lookups come and go.
    AboutWindow::Instance()->CloseWindow();
    app.LookUp(QStringLiteral("一"));
    QCOMPARE(App::Instance(), registered);
    QCOMPARE(App::Instance()->GetMenuBar(), MenuBar1::Instance());
    QCOMPARE(app.Window()->GetMenuBar(), MenuBar1::Instance());
  }

  void theTextFileTypeIsRegistered() {
    AppFixture app;
    const auto& types = fw::RegisteredFileTypes();
    QVERIFY(!types.empty());
    QCOMPARE(types.back().Name, QStringLiteral("text"));
    QCOMPARE(types.back().MacType, QStringLiteral("TEXT"));
    QCOMPARE(types.back().MacCreator, QStringLiteral("R*ch"));
    QVERIFY(types.back().Extensions.isEmpty());
  }

  void picturesAreReadOnceAndKept() {
    const int before = fw::ResourcePictureReads();
    const auto first = icon64();
    const int afterFirst = fw::ResourcePictureReads();
    const auto second = icon64();
    QVERIFY(first);
    QCOMPARE(first.get(), second.get());
    QCOMPARE(fw::ResourcePictureReads(), afterFirst);
    QVERIFY(afterFirst - before <= 1);
    QCOMPARE(first->Width(), 64);
    QCOMPARE(icon64mask()->Height(), 64);
    QCOMPARE(roundedfield()->Width(), 179);
    QCOMPARE(imagewellipict()->Width(), 72);
  }

  void aMissingPictureIsAskedForEachTime() {
    const int before = fw::ResourcePictureReads();
    QVERIFY(!fw::GetResourcePicture(172));
    QVERIFY(!fw::GetResourcePicture(172));
    QCOMPARE(fw::ResourcePictureReads(), before + 2);
  }
};

QTEST_MAIN(StartUpTest)
#include "tst_start_up.moc"
