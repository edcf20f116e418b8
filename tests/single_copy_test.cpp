// One copy at a time, per user: real copies of the program, started as
// separate processes on the offscreen platform, each user standing for a
// runtime folder of its own.
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

class SingleCopyTest : public QObject {
  Q_OBJECT

  std::unique_ptr<QTemporaryDir> runtime;
  std::vector<std::unique_ptr<QProcess>> copies;

  QProcess* Start(const QString& folder) {
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder);
    process->setProcessEnvironment(env);
    process->start(QStringLiteral(QUOTALIS_PROGRAM), {});
    copies.push_back(std::move(process));
    return copies.back().get();
  }

  // Whether some process holds the lock in `folder`, asked the way the
  // program asks, without keeping it.
  static bool LockHeld(const QString& folder) {
    const QByteArray path = QFile::encodeName(folder + QStringLiteral("/quotalis.lock"));
    const int fd = ::open(path.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd);
    return held;
  }

  static bool Running(const QProcess* p) { return p->state() == QProcess::Running; }

 private slots:
  void init() {
    runtime = std::make_unique<QTemporaryDir>();
    QVERIFY(runtime->isValid());
  }
  void cleanup() {
    for (auto& p : copies) {
      if (Running(p.get())) {
        p->kill();
        p->waitForFinished();
      }
    }
    copies.clear();
    runtime.reset();
  }

  void secondCopyEndsAtOnceSilently() {
    QProcess* first = Start(runtime->path());
    QTRY_VERIFY_WITH_TIMEOUT(LockHeld(runtime->path()), 10000);
    QProcess* second = Start(runtime->path());
    QVERIFY(second->waitForFinished(10000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(second->readAllStandardOutput(), QByteArray());
    QCOMPARE(second->readAllStandardError(), QByteArray());
    QTest::qWait(200);
    QVERIFY(Running(first));
  }

  void killedCopyDoesNotKeepTheNextOut() {
    QProcess* first = Start(runtime->path());
    QTRY_VERIFY_WITH_TIMEOUT(LockHeld(runtime->path()), 10000);
    first->kill();  // SIGKILL: no chance to tidy up
    QVERIFY(first->waitForFinished(10000));
    QVERIFY(!LockHeld(runtime->path()));
    QProcess* next = Start(runtime->path());
    QTRY_VERIFY_WITH_TIMEOUT(LockHeld(runtime->path()), 10000);
    QVERIFY(Running(next));
  }

  void copiesStartedTogetherLeaveOne() {
    constexpr int kCopies = 6;
    for (int i = 0; i < kCopies; ++i) Start(runtime->path());
    QElapsedTimer clock;
    clock.start();
    const auto running = [this] {
      return std::count_if(copies.begin(), copies.end(),
                           [](auto& p) { return p->state() != QProcess::NotRunning; });
    };
    QTRY_COMPARE_WITH_TIMEOUT(running(), 1, 20000);
    QTest::qWait(300);
    QCOMPARE(running(), 1);
    for (auto& p : copies) {
      if (!Running(p.get())) QCOMPARE(p->exitCode(), 0);
    }
  }

  void anotherUsersCopyDoesNotCount() {
    QTemporaryDir otherUser;
    QProcess* theirs = Start(otherUser.path());
    QTRY_VERIFY_WITH_TIMEOUT(LockHeld(otherUser.path()), 10000);
    QProcess* ours = Start(runtime->path());
    QTRY_VERIFY_WITH_TIMEOUT(LockHeld(runtime->path()), 10000);
    QVERIFY(Running(theirs));
    QVERIFY(Running(ours));
  }
};

QTEST_GUILESS_MAIN(SingleCopyTest)
#include "single_copy_test.moc"
