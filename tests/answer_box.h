// Shared by the window tests: answering a modal message box from the event
// loop that the box itself runs.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <functional>

namespace quotalis::testing {

// What the box showed when it was answered.
struct SeenBox {
  bool answered = false;
  bool stuck = false;  // the answer did not close it; the test closed it by force
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  qsizetype buttons = 0;
  QStringList buttonTexts;
  bool modal = false;
};

// As soon as a modal message box is up, records it in `seen` and hands it to
// `answer`. A box that the answer leaves open is closed after two seconds and
// marked stuck, so that a broken way of dismissing fails the test instead of
// hanging it.
inline void AnswerNextBox(std::function<void(QMessageBox*)> answer, SeenBox* seen,
                          int triesLeft = 200) {
  QTimer::singleShot(10, [answer = std::move(answer), seen, triesLeft]() mutable {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) {
      if (triesLeft > 0) AnswerNextBox(std::move(answer), seen, triesLeft - 1);
      return;
    }
    seen->answered = true;
    seen->title = box->windowTitle();
    seen->text = box->text();
    seen->icon = box->icon();
    seen->buttons = box->buttons().size();
    for (const QAbstractButton* button : box->buttons()) seen->buttonTexts << button->text();
    seen->modal = box->isModal();
    QPointer<QMessageBox> guard(box);
    answer(box);
    QTimer::singleShot(2000, [guard, seen] {
      QMessageBox* left = guard.data();
      if (left == nullptr || !left->isVisible()) return;
      seen->stuck = true;
      left->done(0);
    });
  });
}

}  // namespace quotalis::testing
