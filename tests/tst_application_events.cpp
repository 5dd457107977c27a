// Receiving text from other applications: pasteboard decoding, the session-bus
// interface driven by the real gdbus client, and bringing the program to the front.
#include <unistd.h>

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVirtualObject>
#include <QDomDocument>
#include <QProcess>
#include <QSocketNotifier>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <QtTest>
#include <csignal>
#include <cstdio>
#include <memory>

#include "framework/activation_token.h"
#include "framework/application.h"
#include "framework/application_events.h"
#include "framework/frontmost.h"
#include "framework/pasteboard.h"
#include "framework/runtime.h"
#include "support/bus_caller.h"
#include "support/characters.h"
#include "support/dbus_call.h"
#include "support/flavours.h"
#include "support/focus.h"
#include "support/own_bus.h"
#include "support/program_run.h"

using fw::ApplicationEvents;
using fw::Pasteboard;

namespace {

// U+0000, the character, as one text.
QString Nul() { return QString(QChar(0)); }

// What the copy that owns the name does with a text the selection command
// sends: refuses it as it quits and then lets the name go, or holds on to
// the name; answers only once the command has ended; has removed its object
// already; ends without answering.
enum class Owner { LetsGo, HoldsOn, Silent, WithoutObject, Vanishes };

// Records each request and answers with a preset result.
class RecordingEvents : public ApplicationEvents {
 public:
  struct Request {
    bool text_available;
    QString text;
    QString message;
    QString user_data;
    bool on_gui_thread;
  };
  QList<Request> requests;
  bool result = true;

 protected:
  bool ServicePerform(const Pasteboard& pasteboard, const QString& message,
                      const QString& userData) override {
    requests.append({pasteboard.TextAvailable(), pasteboard.GetText(), message, userData,
                     QThread::currentThread() == QCoreApplication::instance()->thread()});
    return result;
  }
};

// The launcher's token as the window system would read it when the window is
// raised on coming to the front.
class TokenWatch : public QObject {
 public:
  explicit TokenWatch(QWidget& window) { window.installEventFilter(this); }
  QString seen;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::ZOrderChange) seen = qEnvironmentVariable("XDG_ACTIVATION_TOKEN");
    return false;
  }
};

// Prints the text and answers true when it equals the user data, then ends the
// process: what the bus starts from the service file.
class EchoingEvents : public ApplicationEvents {
 protected:
  bool ServicePerform(const Pasteboard& pasteboard, const QString&,
                      const QString& userData) override {
    std::puts(pasteboard.GetText().toUtf8().constData());
    std::fflush(stdout);
    QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
    return pasteboard.GetText() == userData;
  }
};

QStringList Lines(const QByteArray& output) {
  return QString::fromUtf8(output).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Runs this executable in one of its helper modes (see main).
void StartHelper(QProcess& process, const QString& mode) {
  process.start(QCoreApplication::applicationFilePath(), {mode});
}

// Stand-ins for xclip and wl-paste in dir: each notes how it was called in
// dir/used, prints selection and exits with status.
bool MakeFakeSelectionTools(const QTemporaryDir& dir, const QByteArray& selection, int status) {
  QFile selectionFile(dir.filePath(QStringLiteral("selection")));
  if (!selectionFile.open(QIODevice::WriteOnly) || selectionFile.write(selection) < 0) return false;
  selectionFile.close();
  for (const QString& tool : {QStringLiteral("xclip"), QStringLiteral("wl-paste")}) {
    QFile fake(dir.filePath(tool));
    if (!fake.open(QIODevice::WriteOnly)) return false;
    fake.write("#!/bin/sh\necho \"$0 $*\" >>\"" + dir.filePath("used").toUtf8() + "\"\ncat \"" +
               selectionFile.fileName().toUtf8() + "\"\n");
    if (status != 0)
      fake.write("echo 'Error: no selection' >&2\nexit " + QByteArray::number(status) + "\n");
    fake.close();
    fake.setPermissions(fake.permissions() | QFileDevice::ExeOwner);
  }
  return true;
}

// Starts the shipped script with the stand-ins of dir first on the PATH, or
// with dir alone on it (no clipboard tool at all) when not withSystemTools.
void RunSendSelectionScript(QProcess& script, const QTemporaryDir& dir, bool wayland,
                            bool withSystemTools = true) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("PATH"),
             withSystemTools ? dir.path() + QLatin1Char(':') + env.value("PATH") : dir.path());
  env.remove(QStringLiteral("WAYLAND_DISPLAY"));
  if (wayland) env.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("wayland-0"));
  script.setProcessEnvironment(env);
  script.start(QStringLiteral("/bin/sh"),
               {QStringLiteral(QUILLFERN_SOURCE_DIR "/resources/dbus/quillfern-send-selection")});
}

}  // namespace

Q_DECLARE_METATYPE(Owner)

class ApplicationEventsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY2(test::BusNameIsFree(), test::kBusOfItsOwn);
    QVERIFY2(qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS"),
             "run under dbus-run-session (see tests/application_events.cmake)");
  }

  // --- Pasteboard decoding, no bus --------------------------------------------------
  void decodesPasteboard_data() {
    QTest::addColumn<Flavours>("flavours");
    QTest::addColumn<bool>("available");
    QTest::addColumn<QString>("text");

    const QString han = QStringLiteral("漢字");
    QTest::newRow("utf-8") << Flavours{{kUtf8, han.toUtf8()}} << true << han;
    QTest::newRow("text/plain is utf-8") << Flavours{{kPlain, han.toUtf8()}} << true << han;
    QTest::newRow("utf-16 big-endian")
        << Flavours{{kUtf16, Bytes({0x6F, 0x22, 0x5B, 0x57})}} << true << han;
    QTest::newRow("utf-16 mark FE FF")
        << Flavours{{kUtf16, Bytes({0xFE, 0xFF, 0x6F, 0x22})}} << true << QStringLiteral("漢");
    QTest::newRow("utf-16 mark FF FE little-endian")
        << Flavours{{kUtf16, Bytes({0xFF, 0xFE, 0x22, 0x6F, 0x57, 0x5B})}} << true << han;
    QTest::newRow("utf-16 surrogate pair")
        << Flavours{{kUtf16, Bytes({0xD8, 0x40, 0xDC, 0x00})}} << true << kSupplementary;
    QTest::newRow("utf-16 odd last byte replaced")
        << Flavours{{kUtf16, Bytes({0x6F, 0x22, 0x5B})}} << true << QStringLiteral("漢\uFFFD");
    QTest::newRow("utf-16 single byte")
        << Flavours{{kUtf16, Bytes({0x41})}} << true << QStringLiteral("\uFFFD");
    QTest::newRow("utf-16 mark and an odd byte")
        << Flavours{{kUtf16, Bytes({0xFE, 0xFF, 0x41})}} << true << QStringLiteral("\uFFFD");
    QTest::newRow("utf-16 U+0000 alone") << Flavours{{kUtf16, Bytes({0, 0})}} << true << Nul();
    QTest::newRow("utf-16 U+0000 at the end")
        << Flavours{{kUtf16, Bytes({0x6F, 0x22, 0, 0})}} << true << QStringLiteral("漢") + Nul();
    QTest::newRow("utf-16 mark only")
        << Flavours{{kUtf16, Bytes({0xFF, 0xFE})}} << true << QString();
    QTest::newRow("utf-16 lone surrogates replaced")
        << Flavours{{kUtf16, Bytes({0xDC, 0x00, 0x00, 0x41, 0xD8, 0x40})}} << true
        << QStringLiteral("\uFFFDA\uFFFD");
    QTest::newRow("invalid utf-8 replaced")
        << Flavours{{kUtf8, Bytes({0x41, 0xFF, 0x42, 0xC0, 0xAF})}} << true
        << QStringLiteral("A\uFFFDB\uFFFD\uFFFD");
    QTest::newRow("utf-8 cut off mid-character")
        << Flavours{{kUtf8, Bytes({0x41, 0xE6, 0xBC})}} << true << QStringLiteral("A\uFFFD\uFFFD");
    QTest::newRow("utf-8 mark dropped")
        << Flavours{{kUtf8, Bytes({0xEF, 0xBB, 0xBF, 0x41})}} << true << QStringLiteral("A");
    QTest::newRow("NUL terminator dropped")
        << Flavours{{kUtf8, QByteArray("abc", 4)}} << true << QStringLiteral("abc");
    QTest::newRow("only the terminator dropped")
        << Flavours{{kUtf8, QByteArray("abc\0", 5)}} << true << QStringLiteral("abc") + Nul();
    QTest::newRow("U+0000 alone with its terminator")
        << Flavours{{kUtf8, QByteArray(2, '\0')}} << true << Nul();
    QTest::newRow("terminator alone")
        << Flavours{{kUtf8, QByteArray(1, '\0')}} << true << QString();
    QTest::newRow("inner NUL kept") << Flavours{{kUtf8, QByteArray("a\0b", 3)}} << true
                                    << QString(QStringLiteral("a")).append(QChar(0)).append(u'b');
    QTest::newRow("empty utf-8") << Flavours{{kUtf8, {}}} << true << QString();
    QTest::newRow("empty utf-16") << Flavours{{kUtf16, {}}} << true << QString();
    QTest::newRow("utf-16 preferred")
        << Flavours{{kPlain, "plain"}, {kUtf8, "eight"}, {kUtf16, Bytes({0, 0x41})}} << true
        << QStringLiteral("A");
    QTest::newRow("utf-8 before text/plain")
        << Flavours{{kPlain, "plain"}, {kUtf8, "eight"}} << true << QStringLiteral("eight");
    QTest::newRow("flavour names in other case and spacing")
        << Flavours{{QStringLiteral("Text/Plain; Charset=UTF-8"), "x"}} << true
        << QStringLiteral("x");
    QTest::newRow("unknown flavours only")
        << Flavours{{QStringLiteral("text/html"), "<b>x</b>"},
                    {QStringLiteral("text/plain;charset=latin1"), "x"},
                    {QStringLiteral("image/png"), Bytes({0x89, 0x50})}}
        << false << QString();
    QTest::newRow("empty pasteboard") << Flavours{} << false << QString();
  }

  void decodesPasteboard() {
    QFETCH(Flavours, flavours);
    QFETCH(bool, available);
    QFETCH(QString, text);
    const Pasteboard pasteboard(flavours);
    QCOMPARE(pasteboard.TextAvailable(), available);
    QCOMPARE(pasteboard.GetText(), text);
  }

  void decodesMegabyteOfText() {
    const QString text = HanText(1 << 20);
    QCOMPARE(Pasteboard({{kUtf8, text.toUtf8()}}).GetText(), text);
    QStringEncoder little_endian(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    QCOMPARE(Pasteboard({{kUtf16, little_endian(text)}}).GetText(), text);
  }

  // --- Over the session bus -----------------------------------------------------------
  // The program's own interface and the one launchers call, with their
  // signatures as a caller sees them.
  void publishesTheInterfaces_data() {
    QTest::addColumn<QString>("interfaceName");
    QTest::addColumn<QStringList>("methods");  // name(in types)->out types
    QTest::newRow("services") << QString::fromLatin1(ApplicationEvents::kInterfaceName)
                              << QStringList{QStringLiteral("ServicePerform(a{say},s,s)->b")};
    QTest::newRow("launchers") << QString::fromLatin1(ApplicationEvents::kApplicationInterfaceName)
                               << QStringList{QStringLiteral("Activate(a{sv})->"),
                                              QStringLiteral("Open(as,a{sv})->"),
                                              QStringLiteral("ActivateAction(s,av,a{sv})->")};
  }
  void publishesTheInterfaces() {
    QFETCH(QString, interfaceName);
    QFETCH(QStringList, methods);
    RecordingEvents events;
    QVERIFY(events.Listen());
    test::GdbusCall introspect;
    introspect.Start({QStringLiteral("introspect"), QStringLiteral("--session"),
                      QStringLiteral("--dest"), QLatin1String(ApplicationEvents::kServiceName),
                      QStringLiteral("--object-path"),
                      QLatin1String(ApplicationEvents::kObjectPath), QStringLiteral("--xml")});
    QTRY_VERIFY_WITH_TIMEOUT(introspect.Finished(), 20000);
    QVERIFY2(introspect.Succeeded(), qPrintable(introspect.Errors()));

    QDomDocument xml;
    QVERIFY(xml.setContent(introspect.Output()));
    QDomElement interface;
    for (QDomElement e = xml.documentElement().firstChildElement(QStringLiteral("interface"));
         !e.isNull(); e = e.nextSiblingElement(QStringLiteral("interface")))
      if (e.attribute(QStringLiteral("name")) == interfaceName) interface = e;
    QVERIFY(!interface.isNull());
    QStringList found;
    const QDomNodeList methodNodes = interface.elementsByTagName(QStringLiteral("method"));
    for (int m = 0; m < methodNodes.size(); ++m) {
      QStringList in;
      QStringList out;
      const QDomElement method = methodNodes.at(m).toElement();
      const QDomNodeList args = method.elementsByTagName(QStringLiteral("arg"));
      for (int i = 0; i < args.size(); ++i) {
        const QDomElement arg = args.at(i).toElement();
        (arg.attribute(QStringLiteral("direction")) == QLatin1String("out") ? out : in)
            << arg.attribute(QStringLiteral("type"));
      }
      found << QStringLiteral("%1(%2)->%3")
                   .arg(method.attribute(QStringLiteral("name")), in.join(u','), out.join(u','));
    }
    QCOMPARE(found, methods);
    QVERIFY(interface.elementsByTagName(QStringLiteral("signal")).isEmpty());
    QVERIFY(interface.elementsByTagName(QStringLiteral("property")).isEmpty());
  }

  // What a launcher's call does to a program that runs already: Activate and
  // Open bring it to the front, with the launcher's token in the environment
  // while they do, and only then; there are no actions; a program on its way
  // out refuses, so the caller runs in its place.
  void launcherCalls_data() {
    QTest::addColumn<QStringList>("call");  // method and arguments, as gdbus takes them
    QTest::addColumn<bool>("quitting");
    QTest::addColumn<bool>("succeeds");
    QTest::addColumn<QString>("tokenSeen");  // while the window comes forward
    const QString noData = QStringLiteral("@a{sv} {}");
    const auto token = [](const QString& value) {
      return QStringLiteral("{'activation-token': <'%1'>}").arg(value);
    };
    const QString longest(fw::kMaxActivationTokenBytes, u'x');
    QTest::newRow("Activate") << QStringList{QStringLiteral("Activate"), noData} << false << true
                              << QString();
    QTest::newRow("Activate with a token")
        << QStringList{QStringLiteral("Activate"), token(QStringLiteral("t1"))} << false << true
        << QStringLiteral("t1");
    QTest::newRow("Activate with the longest token")
        << QStringList{QStringLiteral("Activate"), token(longest)} << false << true << longest;
    QTest::newRow("Activate with a token too long to be one")
        << QStringList{QStringLiteral("Activate"), token(longest + u'x')} << false << true
        << QString();
    QTest::newRow("Activate with a token of other characters")
        << QStringList{QStringLiteral("Activate"), token(QStringLiteral("t 1é"))} << false << true
        << QString();
    QTest::newRow("Open") << QStringList{QStringLiteral("Open"), QStringLiteral("['file:///x']"),
                                         token(QStringLiteral("t2"))}
                          << false << true << QStringLiteral("t2");
    QTest::newRow("ActivateAction")
        << QStringList{QStringLiteral("ActivateAction"), QStringLiteral("quit"),
                       QStringLiteral("@av []"), noData}
        << false << false << QString();
    QTest::newRow("Activate while quitting")
        << QStringList{QStringLiteral("Activate"), token(QStringLiteral("t3"))} << true << false
        << QString();
  }
  void launcherCalls() {
    QFETCH(QStringList, call);
    QFETCH(bool, quitting);
    QFETCH(bool, succeeds);
    QFETCH(QString, tokenSeen);
    ApplicationEvents events;
    QVERIFY(events.Listen());
    QWidget window;
    TokenWatch watch(window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QWindow other;
    QVERIFY(PutAnotherApplicationInFront(other));
    if (quitting) {
      // A run whose loop was asked to end; the call arrives after that.
      QTimer::singleShot(0, [] { fw::Quit(0); });
      QCoreApplication::exec();
    }
    if (succeeds) ExpectComingToFront();

    test::GdbusCall gdbus;
    gdbus.Start(
        QStringList{
            QStringLiteral("call"), QStringLiteral("--session"), QStringLiteral("--dest"),
            QLatin1String(ApplicationEvents::kServiceName), QStringLiteral("--object-path"),
            QLatin1String(ApplicationEvents::kObjectPath), QStringLiteral("--method"),
            QLatin1String(ApplicationEvents::kApplicationInterfaceName) + u'.' + call.first()} +
        call.mid(1));
    QTRY_VERIFY_WITH_TIMEOUT(gdbus.Finished(), 20000);
    fw::RuntimeRegisterAppObject(nullptr);  // forgets the quit asked for above
    QCOMPARE(gdbus.Succeeded(), succeeds);
    QCOMPARE(watch.seen, tokenSeen);
    QVERIFY(!qEnvironmentVariableIsSet("XDG_ACTIVATION_TOKEN"));
    if (succeeds) {
      QCOMPARE(gdbus.Output(), QStringLiteral("()"));
      QTRY_COMPARE(QApplication::activeWindow(), &window);
    } else {
      QVERIFY(!gdbus.Errors().isEmpty());
      QCOMPARE(QGuiApplication::focusWindow(), &other);
    }
  }

  void receivesRequests_data() {
    QTest::addColumn<QString>("pasteboard");  // GVariant text, as a caller types it
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("userData");
    QTest::addColumn<bool>("result");
    QTest::addColumn<bool>("available");
    QTest::addColumn<QString>("text");

    const auto& one = test::OneFlavour;
    const QString han = QStringLiteral("漢字");
    const QString sohzge = QStringLiteral("SOHZge");
    QTest::newRow("utf-8, handled")
        << one(kUtf8, han.toUtf8()) << sohzge << QString() << true << true << han;
    QTest::newRow("utf-8, declined") << one(kUtf8, han.toUtf8()) << QStringLiteral("Other")
                                     << QStringLiteral("some data") << false << true << han;
    QTest::newRow("text/plain") << one(kPlain, "ab") << sohzge << QString() << true << true
                                << QStringLiteral("ab");
    QTest::newRow("utf-16 big-endian") << one(kUtf16, Bytes({0x6F, 0x22, 0x5B, 0x57})) << sohzge
                                       << QString() << true << true << han;
    QTest::newRow("utf-16 mark FE FF") << one(kUtf16, Bytes({0xFE, 0xFF, 0x6F, 0x22})) << sohzge
                                       << QString() << true << true << QStringLiteral("漢");
    QTest::newRow("utf-16 mark FF FE") << one(kUtf16, Bytes({0xFF, 0xFE, 0x22, 0x6F})) << sohzge
                                       << QString() << true << true << QStringLiteral("漢");
    QTest::newRow("utf-16 odd byte count")
        << one(kUtf16, Bytes({0x6F, 0x22, 0x5B})) << sohzge << QString() << true << true
        << QStringLiteral("漢\uFFFD");
    QTest::newRow("invalid utf-8") << one(kUtf8, Bytes({0xFF, 0x41})) << sohzge << QString() << true
                                   << true << QStringLiteral("\uFFFDA");
    QTest::newRow("empty text") << one(kUtf8, {}) << sohzge << QString() << true << true
                                << QString();
    QTest::newRow("bytestring with terminator")
        << QStringLiteral("{'%1': b'abc'}").arg(kUtf8) << sohzge << QString() << true << true
        << QStringLiteral("abc");
    QTest::newRow("unknown flavours only")
        << QStringLiteral("{'text/html': [byte 0x41], 'image/png': @ay []}") << sohzge << QString()
        << false << false << QString();
    QTest::newRow("empty pasteboard")
        << QStringLiteral("@a{say} {}") << sohzge << QString() << false << false << QString();
  }

  void receivesRequests() {
    QFETCH(QString, pasteboard);
    QFETCH(QString, message);
    QFETCH(QString, userData);
    QFETCH(bool, result);
    QFETCH(bool, available);
    QFETCH(QString, text);

    RecordingEvents events;
    events.result = result;
    QVERIFY(events.Listen());
    test::GdbusCall call;
    call.ServicePerform(pasteboard, message, userData);
    QTRY_VERIFY_WITH_TIMEOUT(call.Finished(), 20000);
    QVERIFY2(call.Succeeded(), qPrintable(call.Errors()));
    QCOMPARE(call.Output(), result ? QStringLiteral("(true,)") : QStringLiteral("(false,)"));

    QCOMPARE(events.requests.size(), 1);
    const RecordingEvents::Request& request = events.requests.first();
    QCOMPARE(request.text_available, available);
    QCOMPARE(request.text, text);
    QCOMPARE(request.message, message);
    QCOMPARE(request.user_data, userData);
    QVERIFY(request.on_gui_thread);
  }

  void defaultHandlerDeclines() {
    ApplicationEvents events;
    QVERIFY(events.Listen());
    test::GdbusCall call;
    call.ServicePerform(QStringLiteral("{'text/plain': [byte 0x41]}"), QStringLiteral("SOHZge"),
                        QString());
    QTRY_VERIFY_WITH_TIMEOUT(call.Finished(), 20000);
    QCOMPARE(call.Output(), QStringLiteral("(false,)"));
  }

  // Too long for a command line, so it comes from a second connection of our own.
  void receivesMegabyteOfText() {
    RecordingEvents events;
    QVERIFY(events.Listen());
    const QString text = HanText(1 << 20);

    test::BusCaller caller;
    QVERIFY(caller.IsConnected());
    QDBusPendingReply<bool> reply =
        caller.ServicePerform({{kUtf8, text.toUtf8()}}, QStringLiteral("SOHZge"));
    QTRY_VERIFY_WITH_TIMEOUT(reply.isFinished(), 60000);
    QVERIFY2(reply.isValid(), qPrintable(reply.error().message()));
    QVERIFY(reply.value());
    QCOMPARE(events.requests.size(), 1);
    QCOMPARE(events.requests.first().text, text);
  }

  // Calls of the wrong shape get an error from the bus layer; the handler never runs.
  void rejectsMalformedCalls_data() {
    QTest::addColumn<QString>("method");
    QTest::addColumn<QVariantList>("arguments");
    QTest::newRow("wrong argument types")
        << QStringLiteral("ServicePerform")
        << QVariantList{QStringLiteral("text"), QStringLiteral("SOHZge"), QString()};
    QTest::newRow("missing arguments")
        << QStringLiteral("ServicePerform") << QVariantList{QVariant::fromValue(Flavours{})};
    QTest::newRow("unknown method") << QStringLiteral("Perform") << QVariantList{};
  }

  void rejectsMalformedCalls() {
    QFETCH(QString, method);
    QFETCH(QVariantList, arguments);
    RecordingEvents events;
    QVERIFY(events.Listen());
    test::BusCaller caller;
    QDBusPendingCall reply = caller.Call(method, arguments);
    QTRY_VERIFY_WITH_TIMEOUT(reply.isFinished(), 20000);
    QVERIFY(reply.isError());
    QVERIFY(events.requests.isEmpty());
  }

  void releasesTheNameWhenDestroyed() {
    QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    {
      ApplicationEvents events;
      QVERIFY(events.Listen());
      QVERIFY(events.Listen());  // a second call changes nothing
      QVERIFY(bus->isServiceRegistered(QLatin1String(ApplicationEvents::kServiceName)));
    }
    QVERIFY(!bus->isServiceRegistered(QLatin1String(ApplicationEvents::kServiceName)));
    ApplicationEvents again;
    QVERIFY(again.Listen());
  }

  // Another process holds the name and answers no Activate: one that is
  // quitting. A program that listens then waits in line, says nothing, and
  // owns the name as soon as the other lets it go.
  void aHeldNameIsTakenOverOnceLetGo() {
    QProcess holder;
    holder.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    StartHelper(holder, QStringLiteral("--hold-name"));
    QCOMPARE(test::NextLine(holder), QByteArray("ready\n"));

    QProcess second;
    StartHelper(second, QStringLiteral("--listen-once"));
    QTRY_VERIFY_WITH_TIMEOUT(second.state() == QProcess::NotRunning, 20000);
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(second.readAllStandardError(), QByteArray());

    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString name = QLatin1String(ApplicationEvents::kServiceName);
    ApplicationEvents events;
    QTest::failOnWarning(QRegularExpression(QStringLiteral("^Not accepting")));
    QVERIFY(events.Listen());
    QVERIFY(events.IsListening());
    QCOMPARE(bus.interface()->servicePid(name).value(), uint(holder.processId()));

    holder.closeWriteChannel();
    QTRY_VERIFY_WITH_TIMEOUT(holder.state() == QProcess::NotRunning, 20000);
    QTRY_COMPARE_WITH_TIMEOUT(bus.interface()->serviceOwner(name).value(), bus.baseService(),
                              20000);
  }

  // The bus answers the claim only after the copy stopped waiting for it (its
  // daemon stopped for longer). With no owner, the copy keeps its object, owns
  // the name once the bus grants it, never asks itself to come forward, and
  // answers. With one, the bus names it only after Qt's usual 25 s for an
  // answer: the copy still asks it to come forward, and steps back.
  void aClaimAnsweredLate_data() {
    QTest::addColumn<bool>("owned");
    QTest::addColumn<int>("longerMs");  // the daemon stays stopped after the claim's 5 s
    QTest::newRow("the name is granted") << false << 0;
    QTest::newRow("the owner is named past 25 s") << true << 27000;
  }
  void aClaimAnsweredLate() {
    QFETCH(bool, owned);
    QFETCH(int, longerMs);
    QProcess daemon;  // a bus of its own: the one stopped is nobody else's
    daemon.start(QStringLiteral("dbus-daemon"),
                 {QStringLiteral("--session"), QStringLiteral("--nofork"),
                  QStringLiteral("--print-address=1")});
    QTRY_VERIFY_WITH_TIMEOUT(daemon.canReadLine(), 20000);
    const QString address = QString::fromUtf8(daemon.readLine().trimmed());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
    QProcess owner;
    if (owned) {
      owner.setProcessEnvironment(env);
      StartHelper(owner, QStringLiteral("--serve-once"));
      QCOMPARE(test::NextLine(owner), QByteArray("listening\n"));
    }
    QProcess copy;
    copy.setProcessEnvironment(env);
    StartHelper(copy, QStringLiteral("--serve-when-told"));
    QCOMPARE(test::NextLine(copy), QByteArray("connected\n"));

    QCOMPARE(::kill(pid_t(daemon.processId()), SIGSTOP), 0);
    copy.write("claim\n");
    const QByteArray claimed = test::NextLine(copy);
    QTest::qWait(longerMs);
    QCOMPARE(::kill(pid_t(daemon.processId()), SIGCONT), 0);
    QCOMPARE(claimed, QByteArray("listening\n"));

    test::BusCaller caller(address);
    const QString name = QLatin1String(ApplicationEvents::kServiceName);
    QProcess& server = owned ? owner : copy;
    if (owned) {
      QTRY_VERIFY_WITH_TIMEOUT(copy.state() == QProcess::NotRunning, 20000);
      QCOMPARE(copy.exitStatus(), QProcess::NormalExit);
      QCOMPARE(copy.exitCode(), 0);
      QCOMPARE(copy.readAll(), QByteArray());
    } else {
      QTRY_VERIFY_WITH_TIMEOUT(
          copy.state() != QProcess::Running ||
              caller.Connection().interface()->servicePid(name).value() == copy.processId(),
          20000);
    }
    QCOMPARE(server.state(), QProcess::Running);
    const QString text = QStringLiteral("晚");
    QDBusPendingReply<bool> reply =
        caller.ServicePerform({{kUtf8, text.toUtf8()}}, QStringLiteral("SOHZge"), text);
    QTRY_VERIFY_WITH_TIMEOUT(reply.isFinished(), 20000);
    QVERIFY2(reply.isValid(), qPrintable(reply.error().message()));
    QVERIFY(reply.value());
    QTRY_VERIFY_WITH_TIMEOUT(server.state() == QProcess::NotRunning, 20000);
    QCOMPARE(server.readAllStandardOutput(), (text + u'\n').toUtf8());
    QCOMPARE(server.readAllStandardError(), QByteArray());
    QCOMPARE(copy.readAllStandardError(), QByteArray());
    daemon.terminate();
    daemon.waitForFinished();
  }

  void noSessionBus_data() {
    QTest::addColumn<bool>("deadSocket");
    QTest::newRow("address of a dead socket") << true;
    QTest::newRow("no address at all") << false;
  }

  void noSessionBus() {
    QFETCH(bool, deadSocket);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
    if (deadSocket)
      env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                 QStringLiteral("unix:path=") + dir.filePath(QStringLiteral("bus")));
    QProcess process;
    process.setProcessEnvironment(env);
    StartHelper(process, QStringLiteral("--listen-once"));
    QTRY_VERIFY_WITH_TIMEOUT(process.state() == QProcess::NotRunning, 20000);
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 1);
    const QStringList lines = Lines(process.readAllStandardError());
    QVERIFY2(lines.size() == 1, qPrintable(lines.join(QLatin1Char('\n'))));
    QVERIFY(lines.first().startsWith(QLatin1String("Not accepting")));
  }

  // The shipped helper script, with stand-ins for the clipboard tools.
  void sendSelectionScript_data() {
    QTest::addColumn<bool>("wayland");
    QTest::addColumn<QByteArray>("selection");
    QTest::addColumn<QString>("text");
    const QByteArray awkward("a'b\\c\"d\n$(e) \\101");
    QTest::newRow("x11") << false << QStringLiteral("漢字").toUtf8() << QStringLiteral("漢字");
    QTest::newRow("x11 quotes and escapes") << false << awkward << QString::fromUtf8(awkward);
    QTest::newRow("wayland") << true << QStringLiteral("𠀀").toUtf8() << QStringLiteral("𠀀");
    // Every byte arrives, NUL too: the program reads it as U+0000.
    QTest::newRow("NUL inside") << false << QByteArray("\xe5\x9c\x8b\0\xe8\xaa\x9e", 7)
                                << QStringLiteral("國") + Nul() + QStringLiteral("語");
    QTest::newRow("NUL first") << false << QByteArray("\0\xe5\x9c\x8b", 4)
                               << Nul() + QStringLiteral("國");
    // Longer than 30,000 bytes: cut short, never inside a character.
    const QByteArray yu = QStringLiteral("語").toUtf8();
    QTest::newRow("large selection cut short")
        << false << QByteArray(200000, 'x') << QString(30000, QLatin1Char('x'));
    QTest::newRow("cut before a character that does not fit")
        << false << QByteArray(29999, 'x') + yu << QString(29999, QLatin1Char('x'));
    QTest::newRow("cut after the last character that fits")
        << false << yu.repeated(10001) << QStringLiteral("語").repeated(10000);
    QTest::newRow("cut before a character of four bytes")
        << false << QByteArray(29998, 'x') + QStringLiteral("𠀀").toUtf8()
        << QString(29998, QLatin1Char('x'));
    QTest::newRow("not longer than the limit: byte for byte")
        << false << QByteArray(29999, 'x') + yu.left(1)
        << QString(29999, QLatin1Char('x')) + QChar(0xFFFD);
  }

  void sendSelectionScript() {
    QFETCH(bool, wayland);
    QFETCH(QByteArray, selection);
    QFETCH(QString, text);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(MakeFakeSelectionTools(dir, selection, 0));
    RecordingEvents events;
    QVERIFY(events.Listen());
    QProcess script;
    RunSendSelectionScript(script, dir, wayland);
    QTRY_VERIFY_WITH_TIMEOUT(script.state() == QProcess::NotRunning, 20000);
    QVERIFY2(script.exitCode() == 0, script.readAllStandardError().constData());
    QCOMPARE(script.readAllStandardOutput(), QByteArray("(true,)\n"));

    QCOMPARE(events.requests.size(), 1);
    QCOMPARE(events.requests.first().text, text);
    QCOMPARE(events.requests.first().message, QStringLiteral("SOHZge"));
    QFile used(dir.filePath(QStringLiteral("used")));
    QVERIFY(used.open(QIODevice::ReadOnly));
    QVERIFY(
        used.readAll().contains(wayland ? "wl-paste --primary" : "xclip -o -selection primary"));
  }

  // Nothing selected, a selection the tool cannot read, or no tool to read it
  // sends no request: the script says so and fails, and Quillfern is left as it is.
  void sendSelectionScriptWithoutSelection_data() {
    QTest::addColumn<bool>("wayland");
    QTest::addColumn<int>("toolStatus");  // -1: neither tool is installed; -2: no gdbus
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("error");
    const QByteArray nothing("no text is selected; nothing was sent.");
    QTest::newRow("x11, empty selection") << false << 0 << 1 << nothing;
    QTest::newRow("x11, no selection") << false << 1 << 1 << nothing;
    QTest::newRow("wayland, empty selection") << true << 0 << 1 << nothing;
    QTest::newRow("wayland, no selection") << true << 1 << 1 << nothing;
    QTest::newRow("no tool") << false << -1 << 2
                             << QByteArray("cannot read the selection: install xclip");
    QTest::newRow("no gdbus") << false << -2 << 2
                              << QByteArray("cannot send the selection: install gdbus");
  }
  void sendSelectionScriptWithoutSelection() {
    QFETCH(bool, wayland);
    QFETCH(int, toolStatus);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, error);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    if (toolStatus != -1) QVERIFY(MakeFakeSelectionTools(dir, QByteArray(), qMax(toolStatus, 0)));
    RecordingEvents events;
    QVERIFY(events.Listen());
    QProcess script;
    RunSendSelectionScript(script, dir, wayland, toolStatus >= 0);
    QTRY_VERIFY_WITH_TIMEOUT(script.state() == QProcess::NotRunning, 20000);
    QCOMPARE(script.exitStatus(), QProcess::NormalExit);
    QCOMPARE(script.exitCode(), exitCode);
    const QByteArray errors = script.readAllStandardError();
    QVERIFY2(errors.contains(error), errors.constData());
    QCOMPARE(script.readAllStandardOutput(), QByteArray());
    // gdbus waits for the answer, which needs this loop: a request sent would be here.
    QVERIFY(events.requests.isEmpty());
    QCOMPARE(QFile::exists(dir.filePath(QStringLiteral("used"))), toolStatus >= 0);
  }

  // The copy that has the name is on its way out and does not take the text
  // (it refuses it as it quits, has removed its object already, or ends with
  // the call unanswered): the script waits for the name to pass to the next
  // copy, then sends once more; when the copy holds on for 10 s, the script
  // says so and fails. A copy that does not answer (stopped) is not quitting:
  // the text is sent once, and the script says it is looked up once the copy
  // answers.
  void sendSelectionScriptToACopyThatDoesNotTakeIt_data() {
    QTest::addColumn<Owner>("owner");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("error");
    QTest::newRow("the name passes to the next copy in line") << Owner::LetsGo << 0 << QByteArray();
    QTest::newRow("the quitting copy holds on")
        << Owner::HoldsOn << 3 << QByteArray("did not take the text");
    QTest::newRow("the copy does not answer")
        << Owner::Silent << 4
        << QByteArray("does not answer; it will look the text up once it does");
    QTest::newRow("the copy has no object, the next in line has the name")
        << Owner::WithoutObject << 0 << QByteArray();
    QTest::newRow("the copy ends unanswering, the next in line has the name")
        << Owner::Vanishes << 0 << QByteArray();
  }
  void sendSelectionScriptToACopyThatDoesNotTakeIt() {
    QFETCH(Owner, owner);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, error);
    QTemporaryDir dir;
    QVERIFY(MakeFakeSelectionTools(dir, QStringLiteral("漢").toUtf8(), 0));
    // The copy that owns the name: this process, or a helper in its last moments.
    auto events = std::make_unique<RecordingEvents>();
    QProcess last;
    if (owner == Owner::WithoutObject || owner == Owner::Vanishes) {
      StartHelper(last, owner == Owner::Vanishes ? QStringLiteral("--hold-name-and-vanish")
                                                 : QStringLiteral("--hold-name"));
      QCOMPARE(test::NextLine(last), QByteArray("ready\n"));
    } else {
      QVERIFY(events->Listen());
    }
    QProcess script;
    QByteArray errors;
    if (owner == Owner::Silent) {
      // This process serves no request until the script has ended.
      RunSendSelectionScript(script, dir, false);
      QVERIFY(script.waitForFinished(30000));
      errors = script.readAllStandardError();
      QTRY_COMPARE(events->requests.size(), 1);
      QTest::qWait(100);
      QCOMPARE(events->requests.size(), 1);
    } else {
      if (events->IsListening()) {
        QTimer::singleShot(0, [] { fw::Quit(0); });
        QCoreApplication::exec();
      }
      QProcess next;
      const bool nextInLine = owner != Owner::HoldsOn;
      if (nextInLine) {  // a copy started meanwhile, refused too
        StartHelper(next, QStringLiteral("--serve-once"));
        QCOMPARE(test::NextLine(next), QByteArray("listening\n"));
      }
      RunSendSelectionScript(script, dir, false);
      // The script has been refused once it says it waits.
      QTRY_VERIFY_WITH_TIMEOUT((errors += script.readAllStandardError()).contains("waiting") ||
                                   script.state() == QProcess::NotRunning,
                               20000);
      QVERIFY2(errors.contains("waiting"), errors.constData());
      if (owner == Owner::LetsGo) events.reset();  // the quit is over
      last.closeWriteChannel();
      QTRY_VERIFY_WITH_TIMEOUT(script.state() == QProcess::NotRunning, 30000);
      errors += script.readAllStandardError();
      fw::RuntimeRegisterAppObject(nullptr);  // forgets the quit asked for above
      if (nextInLine) {
        QCOMPARE(script.readAllStandardOutput(), QByteArray("(false,)\n"));
        QTRY_VERIFY_WITH_TIMEOUT(next.state() == QProcess::NotRunning, 20000);
        QCOMPARE(next.readAllStandardOutput(), QStringLiteral("漢\n").toUtf8());
      } else {
        QVERIFY(events->requests.isEmpty());
      }
    }
    QCOMPARE(script.exitCode(), exitCode);
    QVERIFY2(errors.contains(error), errors.constData());
    QCOMPARE(errors.contains("quitting"), owner != Owner::Silent);
  }

  // With the configured service file on the bus's search path, a call starts the
  // program (here this executable in its serving mode) and gets its answer.
  void callStartsTheProgram() {
    QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    if (!bus->activatableServiceNames().value().contains(
            QLatin1String(ApplicationEvents::kServiceName)))
      QSKIP("the bus has no service file for us (see tests/application_events.cmake)");
    QVERIFY(!bus->isServiceRegistered(QLatin1String(ApplicationEvents::kServiceName)));

    const QString text = QStringLiteral("启动");
    test::GdbusCall call;
    call.ServicePerform(test::OneFlavour(kUtf8, text.toUtf8()), QStringLiteral("SOHZge"), text);
    QTRY_VERIFY_WITH_TIMEOUT(call.Finished(), 30000);
    QVERIFY2(call.Succeeded(), qPrintable(call.Errors()));
    QCOMPARE(call.Output(), QStringLiteral("(true,)"));
    // The started program quits after answering and gives the name back.
    QTRY_VERIFY_WITH_TIMEOUT(
        !bus->isServiceRegistered(QLatin1String(ApplicationEvents::kServiceName)), 20000);
  }

  // --- Bringing the program to the front ---------------------------------------------
  void bringsLastActiveWindowToFront_data() {
    QTest::addColumn<QString>("activations");  // windows activated in turn: A, B
    QTest::addColumn<QString>("change");       // done afterwards: "", "hide", "minimize"
    QTest::addColumn<QString>("expected");

    QTest::newRow("B last") << "AB"
                            << ""
                            << "B";
    QTest::newRow("A last") << "BA"
                            << ""
                            << "A";
    QTest::newRow("last one minimized is restored") << "BA"
                                                    << "minimize"
                                                    << "A";
    QTest::newRow("last one hidden, first visible instead") << "BA"
                                                            << "hide"
                                                            << "B";
  }

  void bringsLastActiveWindowToFront() {
    QFETCH(QString, activations);
    QFETCH(QString, change);
    QFETCH(QString, expected);

    QWidget a;
    QWidget b;
    a.setObjectName(QStringLiteral("A"));
    b.setObjectName(QStringLiteral("B"));
    a.show();
    b.show();
    QVERIFY(QTest::qWaitForWindowExposed(&a));
    QVERIFY(QTest::qWaitForWindowExposed(&b));
    for (const QChar name : activations) {
      QWidget* widget = name == u'A' ? &a : &b;
      widget->activateWindow();
      QTRY_COMPARE(QApplication::activeWindow(), widget);
    }
    QWidget* last = QApplication::activeWindow();
    if (change == QLatin1String("minimize")) {
      last->showMinimized();
      QTRY_VERIFY(last->isMinimized());
    } else if (change == QLatin1String("hide")) {
      last->hide();
    }

    // Another application takes the front: Qt then reports no active widget.
    QWindow other;
    QVERIFY(PutAnotherApplicationInFront(other));

    ExpectComingToFront();
    fw::BringApplicationToFront();
    QWidget* target = expected == QLatin1String("A") ? &a : &b;
    QTRY_COMPARE(QApplication::activeWindow(), target);
    QVERIFY(target->isActiveWindow());
    QVERIFY(!target->isMinimized());
  }

  void bringToFrontWithoutWindowsDoesNothing() {
    fw::BringApplicationToFront();
    QCOMPARE(QApplication::activeWindow(), nullptr);
  }
};

// Helper modes, run as separate processes by the tests above.
namespace {

// A copy in its last moment: it ends, unanswering, on the text it is sent,
// and refuses to come forward.
class VanishingObject : public QDBusVirtualObject {
 public:
  QString introspect(const QString&) const override { return QString(); }
  bool handleMessage(const QDBusMessage& message, const QDBusConnection&) override {
    if (message.member() == QLatin1String("ServicePerform")) ::_exit(0);
    return false;
  }
};

// Holds the service name until standard input closes. Meanwhile calls get an
// error, as it has no object; or, vanishing, the object above answers them.
int HoldName(int argc, char** argv, bool vanishing) {
  QCoreApplication app(argc, argv);
  VanishingObject object;
  if (vanishing && !QDBusConnection::sessionBus().registerVirtualObject(
                       QLatin1String(ApplicationEvents::kObjectPath), &object))
    return 2;
  if (!QDBusConnection::sessionBus().registerService(
          QLatin1String(ApplicationEvents::kServiceName)))
    return 2;
  std::puts("ready");
  std::fflush(stdout);
  QSocketNotifier input(0, QSocketNotifier::Read);
  QObject::connect(&input, &QSocketNotifier::activated, &app, [] {
    char byte;
    if (read(0, &byte, 1) <= 0) QCoreApplication::quit();
  });
  return app.exec();
}

// Listens twice as the program would; exit status 0 when listening.
int ListenOnce(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ApplicationEvents events;
  const bool first = events.Listen();
  const bool second = events.Listen();
  return first && second ? 0 : 1;
}

// What the bus starts from the service file: answers one request and ends.
// Told: connects to the bus first, and listens once a line comes on standard input.
int ServeOnce(int argc, char** argv, bool told) {
  QCoreApplication app(argc, argv);
  if (told) {
    if (!QDBusConnection::sessionBus().isConnected()) return 1;
    std::puts("connected");
    std::fflush(stdout);
    char line[16];
    if (!std::fgets(line, sizeof line, stdin)) return 1;
  }
  EchoingEvents events;
  if (!events.Listen()) return 1;
  std::puts("listening");
  std::fflush(stdout);
  // Ends on its own past the longest wait of the suite, should the test fail.
  QTimer::singleShot(60000, &app, [] { QCoreApplication::exit(3); });
  return app.exec();
}

}  // namespace

int main(int argc, char** argv) {
  const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
  if (mode == "--hold-name") return HoldName(argc, argv, false);
  if (mode == "--hold-name-and-vanish") return HoldName(argc, argv, true);
  if (mode == "--listen-once") return ListenOnce(argc, argv);
  if (mode == "--serve-once") return ServeOnce(argc, argv, false);
  if (mode == "--serve-when-told") return ServeOnce(argc, argv, true);
  QApplication app(argc, argv);
  ApplicationEventsTest suite;
  QTEST_SET_MAIN_SOURCE_PATH
  return QTest::qExec(&suite, argc, argv);
}

#include "tst_application_events.moc"
