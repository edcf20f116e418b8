#include "help/frmabout.h"

#include <QWidget>

namespace quotalis {

frmAbout::frmAbout(std::function<void()> formUnload) : formUnload_(std::move(formUnload)) {}

frmAbout::~frmAbout() { delete form_; }

void frmAbout::Show() {}

bool frmAbout::IsLoaded() const { return !form_.isNull(); }

QWidget* frmAbout::window() const { return form_; }

}  // namespace quotalis
