// The window life cycle on plain windows made here: loaded when adopted,
// unloaded on close however the close comes (and only once), controls
// forgotten at once, the closed window deleted later without touching a
// window loaded meanwhile, and no unload when a window is deleted unclosed.
#include <QCloseEvent>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QWindow>
#include <memory>

#include "entry/formlifecycle.h"

using quotalis::FormLifecycle;

namespace {

void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// A window that would refuse every close on its own.
class Stubborn : public QWidget {
 protected:
  void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

enum class Way { Close, WindowSystem, DialogClose };

}  // namespace

Q_DECLARE_METATYPE(Way)

class FormLifecycleTest : public QObject {
  Q_OBJECT

  // What the window object would do: one control pointer, and a log of the
  // unload handling and the forgetting, with whether the control was still
  // known at the unload.
  QWidget* control = nullptr;
  QStringList log;
  std::unique_ptr<FormLifecycle> lifecycle;

  QWidget* Load(QWidget* form = nullptr) {
    if (form == nullptr) form = new QWidget;
    lifecycle->Adopt(form);
    control = new QWidget(form);
    return form;
  }

 private slots:
  void init() {
    control = nullptr;
    log.clear();
    lifecycle = std::make_unique<FormLifecycle>(
        [this] {
          log << QStringLiteral("forget");
          control = nullptr;
        },
        [this] {
          log << (control ? QStringLiteral("unload with controls") : QStringLiteral("unload"));
        });
  }
  void cleanup() {
    lifecycle.reset();
    FlushDeletes();
  }

  void notLoadedAtFirst() {
    QVERIFY(!lifecycle->IsLoaded());
    QVERIFY(lifecycle->Form() == nullptr);
    lifecycle->Discard();  // nothing to discard
    QVERIFY(log.isEmpty());
  }

  void adoptLoads() {
    QWidget* form = Load();
    QVERIFY(lifecycle->IsLoaded());
    QCOMPARE(lifecycle->Form(), form);
    QVERIFY(form->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(log.isEmpty());
  }

  void closeUnloads_data() {
    QTest::addColumn<Way>("way");
    QTest::newRow("close()") << Way::Close;
    QTest::newRow("window system") << Way::WindowSystem;
    QTest::newRow("dialog's close()") << Way::DialogClose;
  }
  void closeUnloads() {
    QFETCH(Way, way);
    QPointer<QWidget> form = Load(way == Way::DialogClose ? new QDialog : new QWidget);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    switch (way) {
      case Way::Close:
      case Way::DialogClose: form->close(); break;
      case Way::WindowSystem: form->windowHandle()->close(); break;
    }
    QCOMPARE(log, QStringList({"unload with controls", "forget"}));
    QVERIFY(!lifecycle->IsLoaded());
    QVERIFY(lifecycle->Form() == nullptr);
    QVERIFY(control == nullptr);
    QVERIFY(!form.isNull());  // deleted only when the event loop runs
    QVERIFY(!form->isVisible());
    QTRY_VERIFY(form.isNull());
    QCOMPARE(log.size(), 2);  // the deletion forgets nothing more
  }

  // The window's own refusal does not keep it open.
  void closeAlwaysGoesOn() {
    QPointer<QWidget> form = Load(new Stubborn);
    form->show();
    QVERIFY(form->close());
    QVERIFY(!lifecycle->IsLoaded());
    FlushDeletes();
    QVERIFY(form.isNull());
  }

  void secondCloseUnloadsNothing() {
    QWidget* form = Load();
    form->show();
    form->close();
    form->close();
    QCOMPARE(log, QStringList({"unload with controls", "forget"}));
  }

  // A window loaded before the closed one is deleted is the loaded one, and
  // the old window's deletion leaves its controls alone.
  void closeThenLoadAtOnce() {
    QPointer<QWidget> old = Load();
    old->show();
    old->close();
    QWidget* fresh = Load();
    QWidget* freshControl = control;
    FlushDeletes();
    QVERIFY(old.isNull());
    QVERIFY(lifecycle->IsLoaded());
    QCOMPARE(lifecycle->Form(), fresh);
    QCOMPARE(control, freshControl);
    QCOMPARE(log, QStringList({"unload with controls", "forget"}));
  }

  void discardDeletesAtOnceWithoutUnload() {
    QPointer<QWidget> form = Load();
    lifecycle->Discard();
    QVERIFY(form.isNull());
    QVERIFY(!lifecycle->IsLoaded());
    QCOMPARE(log, QStringList({"forget"}));
    QVERIFY(control == nullptr);
  }

  // Deleted by something else: the controls go with it.
  void deletedElsewhere() {
    QWidget* form = Load();
    delete form;
    QVERIFY(!lifecycle->IsLoaded());
    QCOMPARE(log, QStringList({"forget"}));
  }

  void endDeletesWithoutUnload() {
    QPointer<QWidget> form = Load();
    form->show();
    lifecycle.reset();
    QVERIFY(form.isNull());
    QVERIFY(log.isEmpty());
  }

  // A closed window still waiting for its deletion goes with the lifecycle.
  void endDeletesClosedWindows() {
    QPointer<QWidget> closed = Load();
    closed->show();
    closed->close();
    QPointer<QWidget> loaded = Load();
    lifecycle.reset();
    QVERIFY(closed.isNull());
    QVERIFY(loaded.isNull());
    FlushDeletes();  // the deletion posted at the close finds nothing
  }

  // The unload handling may load the window again: the new one is loaded,
  // its controls stay, and the closing one still goes.
  void unloadThatReloads() {
    QPointer<QWidget> fresh;
    lifecycle = std::make_unique<FormLifecycle>([this] { control = nullptr; },
                                                [this, &fresh] {
                                                  QVERIFY(!lifecycle->IsLoaded());
                                                  fresh = Load();
                                                });
    QPointer<QWidget> old = Load();
    old->show();
    old->close();
    QVERIFY(!fresh.isNull());
    QVERIFY(lifecycle->IsLoaded());
    QCOMPARE(lifecycle->Form(), fresh.data());
    QVERIFY(control != nullptr);
    QCOMPARE(control->parentWidget(), fresh.data());
    FlushDeletes();
    QVERIFY(old.isNull());
    QCOMPARE(lifecycle->Form(), fresh.data());
    QVERIFY(control != nullptr);
  }
};

QTEST_MAIN(FormLifecycleTest)
#include "formlifecycle_test.moc"
