// What the program asks of an X11 window manager for its main window, read
// back from a real X server (Xvfb, started here): no taskbar entry, a fixed
// size, no minimise or maximise, and its title.
#include <xcb/xcb.h>
#include <QDeadlineTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

template <class T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  Reply<xcb_intern_atom_reply_t> reply(
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(strlen(name)), name),
                            nullptr),
      &std::free);
  return reply ? reply->atom : 0;
}

std::vector<uint32_t> Property(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property) {
  Reply<xcb_get_property_reply_t> reply(
      xcb_get_property_reply(
          c, xcb_get_property(c, 0, w, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 256), nullptr),
      &std::free);
  if (!reply || reply->format != 32) return {};
  const auto* data = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
  return {data, data + xcb_get_property_value_length(reply.get()) / 4};
}

std::string Text(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property) {
  Reply<xcb_get_property_reply_t> reply(
      xcb_get_property_reply(
          c, xcb_get_property(c, 0, w, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 256), nullptr),
      &std::free);
  if (!reply || reply->format != 8) return {};
  return {static_cast<const char*>(xcb_get_property_value(reply.get())),
          static_cast<std::size_t>(xcb_get_property_value_length(reply.get()))};
}

std::optional<xcb_window_t> FindByTitle(xcb_connection_t* c, const std::string& title) {
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
  Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr),
                                     &std::free);
  if (!tree) return std::nullopt;
  const xcb_window_t* children = xcb_query_tree_children(tree.get());
  const xcb_atom_t name = Atom(c, "_NET_WM_NAME");
  for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
    Reply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, children[i]), nullptr),
        &std::free);
    if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE &&
        Text(c, children[i], name) == title) {
      return children[i];
    }
  }
  return std::nullopt;
}

}  // namespace

class X11FrameTest : public QObject {
  Q_OBJECT

  QProcess server;
  QProcess program;
  QTemporaryDir runtime;
  xcb_connection_t* c = nullptr;
  xcb_window_t window = 0;

 private slots:
  void initTestCase() {
    // Xvfb picks a free display itself and writes its number once it listens.
    server.start(QStringLiteral("Xvfb"),
                 {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                  QStringLiteral("0"), QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                  QStringLiteral("tcp")});
    if (!server.waitForStarted()) QSKIP("Xvfb is not installed");
    QByteArray number;
    QDeadlineTimer deadline(10000);
    while (!number.contains('\n') && !deadline.hasExpired() &&
           server.state() == QProcess::Running) {
      if (server.waitForReadyRead(100)) number += server.readAllStandardOutput();
    }
    bool isNumber = false;
    number.trimmed().toInt(&isNumber);
    QVERIFY2(isNumber, "Xvfb reported no display");
    const QString display = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
    for (int attempt = 0; attempt < 100 && c == nullptr; ++attempt) {
      xcb_connection_t* tried = xcb_connect(qPrintable(display), nullptr);
      if (xcb_connection_has_error(tried) == 0) {
        c = tried;
      } else {
        xcb_disconnect(tried);
        QTest::qWait(100);
      }
    }
    QVERIFY(c != nullptr);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(QUOTALIS_PROGRAM), {});
    QVERIFY(program.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(FindByTitle(c, "Quotalis").has_value(), 20000);
    window = *FindByTitle(c, "Quotalis");
  }

  void cleanupTestCase() {
    program.kill();
    program.waitForFinished();
    if (c != nullptr) xcb_disconnect(c);
    server.terminate();
    server.waitForFinished();
  }

  void keepsOffTheTaskbar() {
    const std::vector<uint32_t> states = Property(c, window, Atom(c, "_NET_WM_STATE"));
    QVERIFY(std::find(states.begin(), states.end(), Atom(c, "_NET_WM_STATE_SKIP_TASKBAR")) !=
            states.end());
  }

  // WM_NORMAL_HINTS: flags, x, y, w, h, min w, min h, max w, max h, ...
  void cannotBeResized() {
    const std::vector<uint32_t> hints = Property(c, window, XCB_ATOM_WM_NORMAL_HINTS);
    QVERIFY(hints.size() >= 9);
    constexpr uint32_t kMinSize = 16;
    constexpr uint32_t kMaxSize = 32;
    QVERIFY(hints[0] & kMinSize);
    QVERIFY(hints[0] & kMaxSize);
    QCOMPARE(hints[5], hints[7]);
    QCOMPARE(hints[6], hints[8]);
    QCOMPARE(hints[5], 311u);
  }

  // _MOTIF_WM_HINTS: flags, functions, decorations. Close and move only;
  // title bar and window menu, no minimise or maximise box.
  void hasNoMinimiseOrMaximise() {
    const std::vector<uint32_t> motif = Property(c, window, Atom(c, "_MOTIF_WM_HINTS"));
    QVERIFY(motif.size() >= 3);
    constexpr uint32_t kFunctionMinimize = 8, kFunctionMaximize = 16, kFunctionClose = 32;
    constexpr uint32_t kDecorMenu = 16, kDecorMinimize = 32, kDecorMaximize = 64, kDecorTitle = 8;
    QVERIFY(motif[1] & kFunctionClose);
    QVERIFY(!(motif[1] & (kFunctionMinimize | kFunctionMaximize)));
    QVERIFY(motif[2] & kDecorTitle);
    QVERIFY(motif[2] & kDecorMenu);
    QVERIFY(!(motif[2] & (kDecorMinimize | kDecorMaximize)));
  }
};

QTEST_GUILESS_MAIN(X11FrameTest)
#include "x11_frame_test.moc"
