#include "entry/formlifecycle.h"

#include <QCloseEvent>
#include <algorithm>
#include <utility>

namespace quotalis {

FormLifecycle::FormLifecycle(std::function<void()> forgetControls, std::function<void()> unload)
    : forgetControls_(std::move(forgetControls)), unload_(std::move(unload)) {}

FormLifecycle::~FormLifecycle() {
  // The window object goes too: nothing calls back into it any more.
  forgetControls_ = nullptr;
  unload_ = nullptr;
  Discard();
  for (const QPointer<QWidget>& form : closed_) delete form.data();
}

void FormLifecycle::Adopt(QWidget* form) {
  Q_ASSERT(form != nullptr && form->parent() == nullptr && !IsLoaded());
  loaded_ = form;
  form->setAttribute(Qt::WA_DeleteOnClose);
  form->installEventFilter(this);
  // Whoever deletes the window, its controls go with it.
  destroyed_ = QObject::connect(form, &QObject::destroyed, this, [this] { Forget(); });
  // Closed windows already deleted need no watching any more.
  std::erase_if(closed_, [](const QPointer<QWidget>& closed) { return closed.isNull(); });
}

void FormLifecycle::Discard() {
  QWidget* form = loaded_.data();
  if (form == nullptr) return;
  Forget();
  delete form;
}

bool FormLifecycle::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Close) return false;
  // A window closed earlier and closed again has nothing left to unload.
  if (watched == loaded_.data()) Closing();
  // Taken here, so the window's own close handling cannot cancel it.
  event->accept();
  return true;
}

void FormLifecycle::Closing() {
  // From here on the window counts as unloaded, though Qt deletes it only
  // when the event loop next runs.
  closed_.emplace_back(loaded_.data());
  QObject::disconnect(destroyed_);
  loaded_.clear();
  if (unload_) unload_();
  // The unload handling may have loaded a new window; its controls stay.
  if (!IsLoaded() && forgetControls_) forgetControls_();
}

void FormLifecycle::Forget() {
  QObject::disconnect(destroyed_);
  loaded_.clear();
  if (forgetControls_) forgetControls_();
}

}  // namespace quotalis
