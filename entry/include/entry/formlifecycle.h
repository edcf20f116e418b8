// The life of a window whose object outlives it: the object stays for the
// whole run and keeps its variables, while the window itself, with its
// controls, is loaded when it is shown and unloaded when it is closed.
//
// Every way of closing the loaded window (a close() call, the close box, the
// system menu, the window manager) arrives as a close event, which the
// lifecycle takes before the window sees it: from then on the window counts
// as unloaded, the unload handling runs (the controls still stand), the
// controls are forgotten, and the close goes on, always. Qt deletes the
// closed window only when the event loop next runs; a window loaded before
// then (even by the unload handling) is the loaded one, and the old window's
// deletion leaves it and its controls alone. Deleting the loaded window
// without closing it (Discard, or the lifecycle's own end) sends no close
// event, so the unload handling does not run then.
#pragma once

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

namespace quotalis {

class FormLifecycle : private QObject {
 public:
  // `forgetControls` clears the window object's pointers to the controls;
  // `unload` is the unload handling, run as the loaded window is being
  // closed (it may be empty).
  // Precondition: neither destroys the lifecycle.
  explicit FormLifecycle(std::function<void()> forgetControls,
                         std::function<void()> unload = nullptr);
  // Deletes the loaded window, and any closed one still waiting to be
  // deleted, without a close event.
  ~FormLifecycle() override;
  FormLifecycle(const FormLifecycle&) = delete;
  FormLifecycle& operator=(const FormLifecycle&) = delete;

  // Makes `form`, a new top-level window, the loaded window; from now on it
  // is deleted once closed.
  // Precondition: nothing is loaded; `form` is not null and has no parent.
  void Adopt(QWidget* form);

  // Deletes the loaded window at once, with no close event and no unload
  // handling, and has the controls forgotten. Nothing loaded: does nothing.
  void Discard();

  bool IsLoaded() const { return !loaded_.isNull(); }

  // The loaded window, or null.
  QWidget* Form() const { return loaded_.data(); }

 private:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void Closing();
  void Forget();

  std::function<void()> forgetControls_;
  std::function<void()> unload_;
  QPointer<QWidget> loaded_;
  QMetaObject::Connection destroyed_;      // the loaded window deleted by someone else
  std::vector<QPointer<QWidget>> closed_;  // closed, waiting for their deletion
};

}  // namespace quotalis
