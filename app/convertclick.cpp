// Convert: the entry tests, the normalised write-back, the expansion into the
// hidden boxes and the reduction into the visible ones. The engine does the
// arithmetic; this handler does the reads and writes of the controls, in order.
#include <QLineEdit>
#include <QMainWindow>

#include "app/frmfraction.h"
#include "app/msgbox.h"
#include "entry/lockedlineedit.h"
#include "entry/periodscrollbar.h"
#include "convert/expansion.h"
#include "convert/reduction.h"

namespace quotalis {

namespace {

std::string ToStd(const QString& text) { return text.toStdString(); }
QString FromStd(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

void frmFraction::cmdConvert_Click() {
  const std::string entry = ToStd(txtNdecimal->text());
  switch (ClassifyEntry(entry)) {
    case EntryKind::Empty:
    case EntryKind::Zero: return;
    case EntryKind::NotANumber:
      Response = MsgBox(form_.data(), QStringLiteral("数値を入力してください"), msgbox::kExclamation,
                        QStringLiteral("入力値"));
      return;
    case EntryKind::Number: break;
  }

  // The write-back runs txtNdecimal_Change, which may narrow the period
  // selector's range; the period is read only after it.
  SetEntryText(FromStd(NormaliseEntry(entry)));
  const std::int32_t k = -sclTerm->value();

  const std::string normalised = ToStd(txtNdecimal->text());
  Nlength = static_cast<std::int32_t>(normalised.size());
  const std::optional<Expansion> expansion = Expand(normalised, k);
  if (!expansion) return;  // beyond what the keypad can build
  if (expansion->decimal) Tdecimal = *expansion->decimal;
  Tnumerator = expansion->numerator;
  Tdenominator = expansion->denominator;
  txtNumerator->setText(FromStd(Tnumerator));
  txtDenominator->setText(FromStd(Tdenominator));

  ShowReducedFraction();
  txtNdecimal->setFocus();
}

void frmFraction::ShowReducedFraction() {
  const bool numeratorFits = Factorise(Tnumerator, Numerator, Nnterm, Nfactor, Nindex);
  if (!Factorise(Tdenominator, Denominator, Dnterm, Dfactor, Nindex)) return;

  // The running product lives in the result box itself.
  const auto readFrom = [](QLineEdit* box) { return [box] { return ToStd(box->text()); }; };
  const auto writeTo = [](QLineEdit* box) {
    return [box](const std::string& text) { box->setText(FromStd(text)); };
  };
  if (!numeratorFits) {
    // A whole number too wide for 32 bits has no factor list; over 1 it is
    // already in lowest terms.
    if (IsWideInteger(Tnumerator, Tdenominator)) {
      txtRnumerator->setText(FromStd(Tnumerator));
      Rebuild(Dfactor, Dnterm, Dentry, readFrom(txtRdenominator), writeTo(txtRdenominator));
    }
    return;
  }
  CancelPairs(Nfactor, Nnterm, Dfactor, Dnterm, Nentry, Dentry);
  Rebuild(Nfactor, Nnterm, Nentry, readFrom(txtRnumerator), writeTo(txtRnumerator));
  Rebuild(Dfactor, Dnterm, Dentry, readFrom(txtRdenominator), writeTo(txtRdenominator));
}

}  // namespace quotalis
