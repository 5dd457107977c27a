// Text sent from another application, end to end: the real program listens on
// a private session bus, the real gdbus client (or a second bus connection)
// sends, and the main window shows the lookup.
#include <QApplication>
#include <QDBusPendingCall>
#include <QDBusPendingReply>
#include <QLineEdit>
#include <QMainWindow>
#include <QStringEncoder>
#include <QWindow>
#include <QtTest>
#include <chrono>

#include "app/app.h"
#include "framework/application.h"
#include "framework/chasing_arrows.h"
#include "framework/edit_field.h"
#include "framework/pasteboard.h"
#include "framework/static_text.h"
#include "framework/thread.h"
#include "framework/window.h"
#include "help_about/about_window.h"
#include "lookup/code_text.h"
#include "lookup/query.h"
#include "main_window/main_window.h"
#include "services/my_events.h"
#include "support/app_fixture.h"
#include "support/bus_caller.h"
#include "support/characters.h"
#include "support/dbus_call.h"
#include "support/flavours.h"
#include "support/focus.h"
#include "support/own_bus.h"
#include "support/yield_slice.h"

using test::OneFlavour;

namespace {

constexpr int kBusTimeoutMs = 20000;
const QString kSohzge = QStringLiteral("SOHZge");
// What the window shows before each request: an earlier lookup of 字.
const QString kBefore = QStringLiteral("字");
const QString kBeforeCode = QStringLiteral("Unicode: 5B57");

QByteArray Utf16BE(const QString& text) {
  return QStringEncoder(QStringEncoder::Utf16BE).encode(text);
}

QString Text(AppFixture& app, const char* name) { return app.Control<fw::StaticText>(name).Text(); }

QString Field(AppFixture& app, const char* name) { return app.Control<fw::EditField>(name).Text(); }

// Everything a lookup writes into the main window.
QStringList Results(AppFixture& app) {
  QStringList results;
  for (const char* field :
       {"HanziField", "ZVariantField", "MandarinField", "CantoneseField", "JapaneseKunField",
        "JapaneseOnField", "KoreanField", "VietnameseField", "DefinitionField"})
    results << QString::fromLatin1(field) + u'=' + Field(app, field);
  for (const char* text : {"CodeText", "CurrentText"})
    results << QString::fromLatin1(text) + u'=' + Text(app, text);
  results << QStringLiteral("spinner=%1")
                 .arg(app.Control<fw::ChasingArrows>("ChasingArrows1").Visible());
  return results;
}

// Calls ServicePerform with the real gdbus client while the event loop serves the
// request; returns what gdbus printed, or why it failed.
QString CallWithGdbus(const QString& pasteboard, const QString& message,
                      const QString& userData = QString()) {
  test::GdbusCall call;
  call.ServicePerform(pasteboard, message, userData);
  if (!QTest::qWaitFor([&] { return call.Finished(); }, kBusTimeoutMs))
    return QStringLiteral("gdbus timed out");
  if (!call.Succeeded()) return QStringLiteral("gdbus failed: ") + call.Errors();
  return call.Output();
}

// Where every request of this suite arrives: the program started with the real
// data, showing a finished lookup of 字.
struct Scene {
  Scene() {
    app.LookUp(kBefore);
    app.messages.clear();
    results = Results(app);
  }
  // What a declined request leaves alone: no lookup started, the window as it
  // was, and the other application in front.
  void VerifyUntouched() {
    QCOMPARE(fw::Thread::Running(), 0);
    QCOMPARE(Results(app), results);
    QCOMPARE(QGuiApplication::focusWindow(), &other);
    QCOMPARE(app.messages, QStringList());
  }

  AppFixture app{RealDataFolder()};
  QStringList results;  // what the window shows before the request
  QWindow other;        // another application's, for the tests that put it in front
};

// Waits for the lookup a handled request started and checks the search text
// it looked up, the code and the character it shows.
void VerifyLookedUp(AppFixture& app, const QString& text, const QString& code,
                    const QString& current) {
  QVERIFY(AppFixture::WaitForLookups());
  QCOMPARE(Field(app, "HanziField"), text);
  QCOMPARE(Text(app, "CodeText"), code);
  QCOMPARE(Text(app, "CurrentText"), current);
}

// The top-level widget of a window, as QApplication::activeWindow() reports it.
QWidget* Active(const fw::Window* window) { return window->Widget(); }

struct Probe : MyEvents {
  using MyEvents::ServicePerform;
};

}  // namespace

class ServicesTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY2(test::BusNameIsFree(), test::kBusOfItsOwn);
    QVERIFY2(qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS"),
             "run under dbus-run-session, as ctest does");
    AppFixture app(RealDataFolder());
    QVERIFY2(App::Instance()->MyEvents1->IsListening(), "the program does not listen on the bus");
  }

  // --- The decisions, called directly ---------------------------------------------------
  void decides_data() {
    QTest::addColumn<Flavours>("pasteboard");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("userData");
    QTest::addColumn<bool>("handled");

    const Flavours han{{kUtf8, QStringLiteral("國一").toUtf8()}};
    QTest::newRow("utf-8 text, SOHZge") << han << kSohzge << QString() << true;
    QTest::newRow("utf-16 text, SOHZge")
        << Flavours{{kUtf16, Utf16BE(QStringLiteral("國一"))}} << kSohzge << QString() << true;
    QTest::newRow("user data is ignored") << han << kSohzge << QStringLiteral("SOHZge") << true;
    QTest::newRow("lower case") << han << QStringLiteral("sohzge") << QString() << false;
    QTest::newRow("longer name") << han << QStringLiteral("SOHZgeX") << QString() << false;
    QTest::newRow("shorter name") << han << QStringLiteral("SOHZg") << QString() << false;
    QTest::newRow("empty name") << han << QString() << QString() << false;
    QTest::newRow("leading blank") << han << QStringLiteral(" SOHZge") << QString() << false;
    QTest::newRow("trailing line end") << han << QStringLiteral("SOHZge\n") << QString() << false;
    QTest::newRow("trailing NUL") << han << QString(kSohzge).append(QChar(0)) << QString() << false;
    QTest::newRow("full-width letters")
        << han << QStringLiteral("ＳＯＨＺｇｅ") << QString() << false;
    QTest::newRow("name in the user data") << han << QString() << kSohzge << false;
    QTest::newRow("unknown flavour only")
        << Flavours{{QStringLiteral("text/html"), "<b>x</b>"}} << kSohzge << QString() << false;
    QTest::newRow("empty pasteboard") << Flavours{} << kSohzge << QString() << false;
    QTest::newRow("no text and another name")
        << Flavours{} << QStringLiteral("x") << QString() << false;
  }

  void decides() {
    QFETCH(Flavours, pasteboard);
    QFETCH(QString, message);
    QFETCH(QString, userData);
    QFETCH(bool, handled);

    Scene scene;
    QVERIFY(PutAnotherApplicationInFront(scene.other));

    if (handled) ExpectComingToFront();
    Probe events;
    QCOMPARE(events.ServicePerform(fw::Pasteboard(pasteboard), message, userData), false);
    if (!handled) {
      scene.VerifyUntouched();
      return;
    }
    // The text is in the search field before the lookup has run.
    QCOMPARE(Field(scene.app, "HanziField"), QStringLiteral("國一"));
    VerifyLookedUp(scene.app, QStringLiteral("國一"), QStringLiteral("Unicode: 570B"),
                   QStringLiteral("國"));
    if (QTest::currentTestFailed()) return;
    QTRY_COMPARE(QApplication::activeWindow(), Active(scene.app.Window()));
  }

  // --- Requests over the bus ------------------------------------------------------------
  void requestsOverTheBus_data() {
    QTest::addColumn<QString>("pasteboard");  // GVariant text
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("handled");
    QTest::addColumn<QString>("field");  // HanziField afterwards
    QTest::addColumn<QString>("code");   // CodeText afterwards
    QTest::addColumn<QStringList>("messages");

    const auto handled = [](const char* name, const QString& pasteboard, const QString& field,
                            const QString& code, const QStringList& messages = {}) {
      QTest::newRow(name) << pasteboard << kSohzge << true << field << code << messages;
    };
    const auto declined = [](const char* name, const QString& pasteboard, const QString& message) {
      QTest::newRow(name) << pasteboard << message << false << kBefore << kBeforeCode
                          << QStringList();
    };
    const QString guo = QStringLiteral("國");
    const QString guoCode = QStringLiteral("Unicode: 570B");
    const QStringList notFound{QString::fromUtf8(Query::kNotFound)};

    handled("several characters", OneFlavour(kUtf8, QStringLiteral("國一").toUtf8()),
            QStringLiteral("國一"), guoCode);
    handled("text/plain", OneFlavour(kPlain, QStringLiteral("一").toUtf8()), QStringLiteral("一"),
            QStringLiteral("Unicode: 4E00"));
    handled("utf-16 big-endian", OneFlavour(kUtf16, Utf16BE(QStringLiteral("國一"))),
            QStringLiteral("國一"), guoCode);
    handled(
        "utf-16 little-endian with mark",
        OneFlavour(kUtf16, QStringEncoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom)
                               .encode(QStringLiteral("國一"))),
        QStringLiteral("國一"), guoCode);
    handled("supplementary character", OneFlavour(kUtf16, Bytes({0xD8, 0x40, 0xDC, 0x00})),
            QStringLiteral("𠀀"), QStringLiteral("Unicode: 20000"));
    handled("gdbus bytestring with its NUL",
            QStringLiteral("{'%1': b'\\345\\234\\213\\344\\270\\200'}").arg(kUtf8),
            QStringLiteral("國一"), guoCode);
    handled("untrimmed", OneFlavour(kUtf8, " 國\n\t"), QStringLiteral(" 國\n\t"),
            QStringLiteral("Unicode: 0020"));
    handled("odd number of utf-16 bytes", OneFlavour(kUtf16, Bytes({0x57, 0x0B, 0x4E})),
            guo + QStringLiteral("\uFFFD"), guoCode);
    // U+0000 is a character like any other: code 0000, in no database.
    const QString nul(QChar(0));
    handled("U+0000 alone in utf-16", OneFlavour(kUtf16, Bytes({0, 0})), nul,
            QStringLiteral("Unicode: 0000"));
    handled("U+0000 alone in utf-8 with a terminator", OneFlavour(kUtf8, QByteArray(2, '\0')), nul,
            QStringLiteral("Unicode: 0000"));
    handled("U+0000 before a character", OneFlavour(kUtf16, Bytes({0, 0, 0x57, 0x0B})), nul + guo,
            QStringLiteral("Unicode: 0000"));
    handled("lone utf-16 surrogate first", OneFlavour(kUtf16, Bytes({0xDC, 0x00, 0x57, 0x0B})),
            QStringLiteral("\uFFFD國"), QStringLiteral("Unicode: FFFD"), notFound);
    handled("invalid utf-8 after the first character",
            OneFlavour(kUtf8, guo.toUtf8() + Bytes({0xFF, 0xC0})), QStringLiteral("國\uFFFD\uFFFD"),
            guoCode);
    handled("invalid utf-8 first", OneFlavour(kUtf8, Bytes({0xFF}) + guo.toUtf8()),
            QStringLiteral("\uFFFD國"), QStringLiteral("Unicode: FFFD"), notFound);
    handled("empty text", OneFlavour(kUtf8, {}), QString(), QStringLiteral("Unicode: "));
    handled("empty bytestring", QStringLiteral("{'%1': b''}").arg(kUtf8), QString(),
            QStringLiteral("Unicode: "));
    handled("text beside unknown flavours",
            QStringLiteral("{'text/html': [byte 0x41], 'image/png': [byte 0x89, 0x50], '%1': %2}")
                .arg(kPlain, test::GVariantBytes(guo.toUtf8())),
            guo, guoCode);

    const QString han = OneFlavour(kUtf8, QStringLiteral("國一").toUtf8());
    declined("lower-case name", han, QStringLiteral("sohzge"));
    declined("longer name", han, QStringLiteral("SOHZgeX"));
    declined("empty name", han, QString());
    declined("unknown flavours only",
             QStringLiteral("{'text/html': [byte 0x41], 'text/plain;charset=latin1': [byte 0x41]}"),
             kSohzge);
    declined("empty pasteboard", QStringLiteral("@a{say} {}"), kSohzge);
  }

  void requestsOverTheBus() {
    QFETCH(QString, pasteboard);
    QFETCH(QString, message);
    QFETCH(bool, handled);
    QFETCH(QString, field);
    QFETCH(QString, code);
    QFETCH(QStringList, messages);

    Scene scene;
    QVERIFY(PutAnotherApplicationInFront(scene.other));

    if (handled) ExpectComingToFront();
    QCOMPARE(CallWithGdbus(pasteboard, message), QStringLiteral("(false,)"));
    if (!handled) {
      scene.VerifyUntouched();
      return;
    }
    AppFixture& app = scene.app;
    VerifyLookedUp(app, field, code, FirstCharacter(field));
    if (QTest::currentTestFailed()) return;
    QCOMPARE(app.messages, messages);
    QTRY_COMPARE(QApplication::activeWindow(), Active(app.Window()));
    // The same as typing the text and pushing the button.
    const QStringList received = Results(app);
    app.LookUp(field);
    QCOMPARE(Results(app), received);
  }

  void megabyteOfText_data() {
    QTest::addColumn<QString>("flavour");
    QTest::newRow("utf-8") << kUtf8;
    QTest::newRow("utf-16") << kUtf16;
  }

  void megabyteOfText() {
    QFETCH(QString, flavour);
    QString text = QStringLiteral("國");
    for (int i = 0; text.size() < 1 << 20; ++i)
      text.append(i % 61 == 60 ? QChar(u'\n') : QChar(0x4E00 + i % 20000));
    const QByteArray bytes = flavour == kUtf8 ? text.toUtf8() : Utf16BE(text);

    Scene scene;
    AppFixture& app = scene.app;
    ExpectComingToFront();
    test::BusCaller caller;
    QDBusPendingReply<bool> reply = caller.ServicePerform({{flavour, bytes}}, kSohzge);
    QTRY_VERIFY_WITH_TIMEOUT(reply.isFinished(), 60000);
    QVERIFY2(!reply.isError(), qPrintable(reply.error().message()));
    QCOMPARE(reply.value(), false);
    QVERIFY(AppFixture::WaitForLookups());
    QVERIFY(Field(app, "HanziField") == text);  // QCOMPARE would print a megabyte
    QCOMPARE(Text(app, "CodeText"), QStringLiteral("Unicode: 570B"));
    QCOMPARE(Text(app, "CurrentText"), QStringLiteral("國"));
    QVERIFY(app.messages.isEmpty());

    // Still serving: the next request is looked up as usual.
    ExpectComingToFront();
    QCOMPARE(CallWithGdbus(OneFlavour(kUtf8, QStringLiteral("一").toUtf8()), kSohzge),
             QStringLiteral("(false,)"));
    VerifyLookedUp(app, QStringLiteral("一"), QStringLiteral("Unicode: 4E00"),
                   QStringLiteral("一"));
  }

  // The search field shows all of a long text, and keeps all of it when the
  // user then edits it.
  void longTextStaysWholeThroughAnEdit() {
    const QString text = HanText(40001);
    Scene scene;
    AppFixture& app = scene.app;
    ExpectComingToFront();
    test::BusCaller caller;
    QDBusPendingReply<bool> reply = caller.ServicePerform({{kUtf8, text.toUtf8()}}, kSohzge);
    QTRY_VERIFY_WITH_TIMEOUT(reply.isFinished(), kBusTimeoutMs);
    QVERIFY2(!reply.isError(), qPrintable(reply.error().message()));
    QVERIFY(AppFixture::WaitForLookups());

    auto* shown = qobject_cast<QLineEdit*>(app.Control<fw::EditField>("HanziField").Widget());
    QCOMPARE(shown->text().size(), text.size());
    QVERIFY(shown->text() == text);
    shown->setFocus();
    QTest::keyClick(shown, Qt::Key_End);
    QTest::keyClicks(shown, QStringLiteral("x"));
    QCOMPARE(shown->text().size(), text.size() + 1);
    QVERIFY(Field(app, "HanziField") == text + u'x');
  }

  // Two requests back to back: the later one's text and only its results remain,
  // even when it arrives while the earlier lookup is still running.
  void laterOfTwoQuickRequestsWins_data() {
    QTest::addColumn<bool>("oneConnection");
    QTest::newRow("two gdbus clients") << false;
    QTest::newRow("one connection, in order") << true;
  }

  void laterOfTwoQuickRequestsWins() {
    QFETCH(bool, oneConnection);
    const QString first = QStringLiteral("國");
    const QString second = QStringLiteral("一");
    QStringList expected[2];
    for (int i = 0; i < 2; ++i) {
      AppFixture reference(RealDataFolder());
      reference.LookUp(i == 0 ? first : second);
      expected[i] = Results(reference);
    }

    // Each text the search field gets, with the lookups running at that moment.
    struct Arrival {
      QString text;
      int lookupsRunning;
    };
    QList<Arrival> arrivals;
    Scene scene;
    AppFixture& app = scene.app;
    // Every Yield returns to the event loop, so the earlier lookup is still
    // running when the later request comes in.
    YieldingAtEveryCall yielding;
    auto* line = qobject_cast<QLineEdit*>(app.Control<fw::EditField>("HanziField").Widget());
    QVERIFY(line);
    connect(line, &QLineEdit::textChanged, line, [&](const QString& text) {
      arrivals.append({text, fw::Thread::Running()});
    });
    ExpectComingToFront(2);

    if (oneConnection) {
      test::BusCaller caller;
      QDBusPendingReply<bool> a = caller.ServicePerform({{kUtf8, first.toUtf8()}}, kSohzge);
      QDBusPendingReply<bool> b = caller.ServicePerform({{kUtf8, second.toUtf8()}}, kSohzge);
      QTRY_VERIFY_WITH_TIMEOUT(a.isFinished() && b.isFinished(), kBusTimeoutMs);
      QVERIFY(!a.isError() && !b.isError());
      QCOMPARE(a.value(), false);
      QCOMPARE(b.value(), false);
    } else {
      test::GdbusCall a;
      test::GdbusCall b;
      a.ServicePerform(OneFlavour(kUtf8, first.toUtf8()), kSohzge, QString());
      b.ServicePerform(OneFlavour(kUtf8, second.toUtf8()), kSohzge, QString());
      QTRY_VERIFY_WITH_TIMEOUT(a.Finished() && b.Finished(), kBusTimeoutMs);
      QVERIFY2(a.Succeeded() && b.Succeeded(), qPrintable(a.Errors() + b.Errors()));
      QCOMPARE(a.Output(), QStringLiteral("(false,)"));
      QCOMPARE(b.Output(), QStringLiteral("(false,)"));
    }
    QCOMPARE(arrivals.size(), 2);
    // Separate clients may reach the bus in either order: the later arrival wins.
    // Requests on one connection arrive in the order they were sent.
    const QString last = arrivals.last().text;
    if (oneConnection) {
      QCOMPARE(last, second);
      QVERIFY2(arrivals.last().lookupsRunning == 1, "the earlier lookup had already finished");
    }
    // QtTest's waiting runs one event-loop pass per step: back to the usual slice
    // so the lookups finish quickly.
    yielding.End();
    QVERIFY(AppFixture::WaitForLookups());
    QCOMPARE(Results(app), expected[last == first ? 0 : 1]);
    QVERIFY(app.messages.isEmpty());
  }

  // The request brings the program, not the main window, to the front: the About
  // window stays open and in front while the main window shows the lookup.
  void requestWhileAboutWindowIsInFront_data() {
    QTest::addColumn<bool>("anotherApplicationInFront");
    QTest::newRow("About window active") << false;
    QTest::newRow("another application in front") << true;
  }

  void requestWhileAboutWindowIsInFront() {
    QFETCH(bool, anotherApplicationInFront);
    Scene scene;
    App::Instance()->AppleAboutthisapplication_Action();
    AboutWindow* about = AboutWindow::Instance();
    QTRY_COMPARE(QApplication::activeWindow(), Active(about));
    const std::vector<fw::Window*> windows = fw::Window::OpenWindows();
    QCOMPARE(windows.size(), size_t(2));
    if (anotherApplicationInFront) QVERIFY(PutAnotherApplicationInFront(scene.other));

    ExpectComingToFront(2);  // both windows are raised
    QCOMPARE(CallWithGdbus(OneFlavour(kUtf8, QStringLiteral("國一").toUtf8()), kSohzge),
             QStringLiteral("(false,)"));
    VerifyLookedUp(scene.app, QStringLiteral("國一"), QStringLiteral("Unicode: 570B"),
                   QStringLiteral("國"));
    if (QTest::currentTestFailed()) return;

    QTRY_COMPARE(QApplication::activeWindow(), Active(about));
    QVERIFY(about->IsOpen());
    QVERIFY(about->Widget()->isVisible());
    QCOMPARE(fw::Window::OpenWindows(), windows);
    QCOMPARE(fw::Window::Front(), about);
  }

  // The user has quit, and the windows are closed while a box about storing
  // the size may still wait: a request is refused, so the sender can try the
  // copy that has the name next, and no window opens only to vanish.
  void aQuittingProgramRefusesRequests() {
    Scene scene;
    QTimer::singleShot(0, [] { fw::QuitMenuAction(); });
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(fw::Window::OpenWindows().empty());
    const QString answer = CallWithGdbus(OneFlavour(kUtf8, QStringLiteral("國").toUtf8()), kSohzge);
    QVERIFY2(answer.startsWith(QLatin1String("gdbus failed")) && answer.contains(u"quitting"),
             qPrintable(answer));
    QVERIFY(fw::Window::OpenWindows().empty());
    QCOMPARE(fw::Thread::Running(), 0);
  }
};

QTEST_MAIN(ServicesTest)
#include "tst_services.moc"
