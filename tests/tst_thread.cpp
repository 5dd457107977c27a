// Cooperative threads: tasks, yields, message boxes, exceptions, ownership.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <stdexcept>

#include "framework/message_box.h"
#include "framework/thread.h"
#include "framework/unhandled_exception.h"
#include "support/yield_slice.h"

namespace {

int destroyed_threads = 0;
int live_guards = 0;
std::exception_ptr hook_error;
QStringList messages;

// Counts the frames that still hold one: a destroyed frame destroys its guard.
struct Guard {
  Guard() { ++live_guards; }
  Guard(const Guard&) = delete;
  ~Guard() { --live_guards; }
};

class LambdaThread : public fw::Thread {
 public:
  explicit LambdaThread(std::function<fw::Task<void>()> body) : body_(std::move(body)) {}
  ~LambdaThread() override { ++destroyed_threads; }

 protected:
  fw::Task<void> Run() override { return body_(); }
  void UnhandledException(std::exception_ptr error) override { hook_error = error; }

 private:
  std::function<fw::Task<void>()> body_;
};

LambdaThread* StartThread(std::function<fw::Task<void>()> body) {
  auto* thread = new LambdaThread(std::move(body));
  thread->Start();
  return thread;
}

fw::Task<int> Twice(int value, int yields) {
  for (int i = 0; i < yields; ++i) co_await fw::Yield();
  co_return value * 2;
}

fw::Task<QString> Describe(int value, int yields) {
  const int doubled = co_await Twice(value, yields);
  const int quadrupled = co_await Twice(doubled, yields);
  co_return QStringLiteral("%1,%2").arg(doubled).arg(quadrupled);
}

fw::Task<int> Fail(int yields) {
  for (int i = 0; i < yields; ++i) co_await fw::Yield();
  throw std::out_of_range("index 7");
  co_return 0;
}

fw::Task<int> PassOn(int yields) { co_return co_await Fail(yields) + 1; }

fw::Task<int> Recover(int yields) {
  try {
    co_return co_await PassOn(yields);
  } catch (const std::out_of_range&) {
    co_return -1;
  }
}

fw::Task<void> YieldForever(int* steps) {
  Guard guard;
  for (;;) {
    ++*steps;
    co_await fw::Yield();
  }
}

QMessageBox* ModalBox() { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); }

}  // namespace

class ThreadTest : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();
  void eagerStart();
  void nestedResults_data();
  void nestedResults();
  void exceptionCaughtInNestedTask_data();
  void exceptionCaughtInNestedTask();
  void unhandledException_data();
  void unhandledException();
  void yieldGivesEventLoopTurns();
  void yieldKeepsGoingWithinSlice();
  void twoThreadsInterleave();
  void runningCounts();
  void deletedThreadNeverResumes();
  void destroyedTaskFreesNestedFrames();
  void msgBoxAsyncWithHandler();
  void msgBoxAsyncWaitsForClick();
  void deletedThreadClosesItsBox();
};

void ThreadTest::init() {
  destroyed_threads = 0;
  hook_error = nullptr;
  messages.clear();
  fw::SetMessageHandler([](const QString& text) { messages << text; });
}

void ThreadTest::cleanup() {
  fw::SetMessageHandler({});
  RestoreUsualYieldSlice();
  QTRY_COMPARE(fw::Thread::Running(), 0);
  QCOMPARE(live_guards, 0);
}

void ThreadTest::eagerStart() {
  fw::SetYieldSlice(std::chrono::microseconds(0));
  bool entered = false;
  auto body = [&entered]() -> fw::Task<int> {
    entered = true;
    co_await fw::Yield();
    co_return 42;
  };
  fw::Task<int> task = body();
  QVERIFY(entered);
  QVERIFY(!task.Done());
  QTRY_VERIFY(task.Done());
  QCOMPARE(task.Get(), 42);

  bool ran = false;
  StartThread([&ran]() -> fw::Task<void> {
    ran = true;
    co_await fw::Yield();
  });
  QVERIFY(ran);
  QCOMPARE(fw::Thread::Running(), 1);
  QTRY_COMPARE(destroyed_threads, 1);
}

void ThreadTest::nestedResults_data() {
  QTest::addColumn<int>("yields");
  QTest::newRow("finishing at once") << 0;
  QTest::newRow("suspending") << 3;
}

void ThreadTest::nestedResults() {
  QFETCH(int, yields);
  fw::SetYieldSlice(std::chrono::microseconds(0));
  QString result;
  StartThread([&result, yields]() -> fw::Task<void> { result = co_await Describe(5, yields); });
  QCOMPARE(result.isEmpty(), yields > 0);
  QTRY_COMPARE(destroyed_threads, 1);
  QCOMPARE(result, QStringLiteral("10,20"));
  QVERIFY(messages.isEmpty());
}

void ThreadTest::exceptionCaughtInNestedTask_data() { nestedResults_data(); }

void ThreadTest::exceptionCaughtInNestedTask() {
  QFETCH(int, yields);
  fw::SetYieldSlice(std::chrono::microseconds(0));
  int result = 0;
  StartThread([&result, yields]() -> fw::Task<void> { result = co_await Recover(yields); });
  QTRY_COMPARE(destroyed_threads, 1);
  QCOMPARE(result, -1);
  QVERIFY(!hook_error);
  QVERIFY(messages.isEmpty());
}

void ThreadTest::unhandledException_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<QString>("message");
  QTest::newRow("through nested tasks")
      << 0 << "An exception of class out_of_range was not handled. index 7";
  QTest::newRow("nil object") << 1
                              << "An exception of class NilObjectException was not handled. "
                                 "Window1 is Nil";
  QTest::newRow("no what()") << 2 << "An exception of class int was not handled.";
}

void ThreadTest::unhandledException() {
  QFETCH(int, kind);
  QFETCH(QString, message);
  fw::SetYieldSlice(std::chrono::microseconds(0));
  StartThread([kind]() -> fw::Task<void> {
    Guard guard;
    co_await fw::Yield();
    if (kind == 0) co_await PassOn(2);
    if (kind == 1) throw fw::NilObjectException("Window1 is Nil");
    throw 7;
  });
  QTRY_COMPARE(destroyed_threads, 1);
  QVERIFY(hook_error);
  QCOMPARE(messages, QStringList{message});
}

void ThreadTest::yieldGivesEventLoopTurns() {
  fw::SetYieldSlice(std::chrono::microseconds(0));
  int ticks = 0;
  QTimer timer;
  timer.setInterval(0);
  connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
  timer.start();
  QList<int> seen;
  StartThread([&seen, &ticks]() -> fw::Task<void> {
    for (int i = 0; i < 5; ++i) {
      seen << ticks;
      co_await fw::Yield();
    }
  });
  QTRY_COMPARE(destroyed_threads, 1);
  QCOMPARE(seen.size(), 5);
  QVERIFY2(seen.last() > seen.first(), "the timer never fired between yields");
}

void ThreadTest::yieldKeepsGoingWithinSlice() {
  fw::SetYieldSlice(std::chrono::hours(1));
  bool fired = false;
  QTimer::singleShot(0, [&fired] { fired = true; });
  int steps = 0;
  StartThread([&steps]() -> fw::Task<void> {
    for (int i = 0; i < 1000; ++i) {
      ++steps;
      co_await fw::Yield();
    }
  });
  // Everything ran inside Start(): the event loop had no turn.
  QCOMPARE(steps, 1000);
  QCOMPARE(destroyed_threads, 1);
  QVERIFY(!fired);
  QTRY_VERIFY(fired);
}

void ThreadTest::twoThreadsInterleave() {
  fw::SetYieldSlice(std::chrono::microseconds(0));
  QString trace;
  for (const QChar mark : {u'a', u'b'}) {
    StartThread([&trace, mark]() -> fw::Task<void> {
      for (int i = 0; i < 3; ++i) {
        trace += mark;
        co_await fw::Yield();
      }
    });
  }
  QTRY_COMPARE(destroyed_threads, 2);
  QCOMPARE(trace, QStringLiteral("ababab"));
}

void ThreadTest::runningCounts() {
  fw::SetYieldSlice(std::chrono::microseconds(0));
  QCOMPARE(fw::Thread::Running(), 0);
  for (int yields = 1; yields <= 3; ++yields) {
    StartThread([yields]() -> fw::Task<void> { co_await Twice(1, yields); });
    QCOMPARE(fw::Thread::Running(), yields);
  }
  StartThread([]() -> fw::Task<void> { co_return; });  // finished inside Start()
  QCOMPARE(fw::Thread::Running(), 3);
  QTRY_COMPARE(fw::Thread::Running(), 0);
  QCOMPARE(destroyed_threads, 4);
}

void ThreadTest::deletedThreadNeverResumes() {
  fw::SetYieldSlice(std::chrono::microseconds(0));
  int steps = 0;
  LambdaThread* thread = StartThread([&steps] { return YieldForever(&steps); });
  QTRY_VERIFY(steps >= 3);
  QCOMPARE(live_guards, 1);
  delete thread;
  QCOMPARE(fw::Thread::Running(), 0);
  QCOMPARE(live_guards, 0);
  const int stepsAtDelete = steps;
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  QCOMPARE(steps, stepsAtDelete);
}

void ThreadTest::destroyedTaskFreesNestedFrames() {
  fw::SetYieldSlice(std::chrono::microseconds(0));
  int steps = 0;
  {
    auto outer = [](int* steps) -> fw::Task<void> {
      Guard guard;
      co_await YieldForever(steps);
    };
    fw::Task<void> task = outer(&steps);
    QCOMPARE(live_guards, 2);
    QCoreApplication::processEvents();
    QVERIFY(!task.Done());
  }
  QCOMPARE(live_guards, 0);
  const int stepsAtDestroy = steps;
  QCoreApplication::processEvents();
  QCOMPARE(steps, stepsAtDestroy);
}

void ThreadTest::msgBoxAsyncWithHandler() {
  bool after = false;
  StartThread([&after]() -> fw::Task<void> {
    co_await fw::MsgBoxAsync(QStringLiteral("找不到資料。"));
    after = true;
  });
  QVERIFY(after);
  QCOMPARE(messages, QStringList{QStringLiteral("找不到資料。")});
}

void ThreadTest::msgBoxAsyncWaitsForClick() {
  fw::SetMessageHandler({});
  bool after = false;
  StartThread([&after]() -> fw::Task<void> {
    co_await fw::MsgBoxAsync(QStringLiteral("Database missing"));
    after = true;
  });
  QCOMPARE(fw::Thread::Running(), 1);

  bool timerFired = false;
  QTimer::singleShot(10, [&timerFired] { timerFired = true; });
  QTRY_VERIFY(timerFired);  // the event loop goes on under the box
  QVERIFY(!after);

  QString shown;
  QTimer::singleShot(0, [&shown] {
    if (QMessageBox* box = ModalBox()) {
      shown = box->text();
      box->button(QMessageBox::Ok)->click();
    }
  });
  QTRY_VERIFY(after);
  QCOMPARE(shown, QStringLiteral("Database missing"));
  QCOMPARE(fw::Thread::Running(), 0);
  QTRY_VERIFY(!ModalBox());
}

void ThreadTest::deletedThreadClosesItsBox() {
  fw::SetMessageHandler({});
  bool after = false;
  LambdaThread* thread = StartThread([&after]() -> fw::Task<void> {
    Guard guard;
    co_await fw::MsgBoxAsync(QStringLiteral("Waiting"));
    after = true;
  });
  QTRY_VERIFY(ModalBox());
  delete thread;
  QCOMPARE(live_guards, 0);
  QTRY_VERIFY(!ModalBox());
  QCoreApplication::processEvents();
  QVERIFY(!after);
}

QTEST_MAIN(ThreadTest)
#include "tst_thread.moc"
