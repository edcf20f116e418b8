#include "exact/expansion.h"
#include "exact/factor.h"
#include "exact/fraction.h"
#include "exact/keypad.h"
#include "exact/working.h"

namespace quotalis::exact {
namespace {
Problem Todo() { return Problem{"not built yet", 0}; }
}  // namespace
Result<Rational> FromText(const FractionText&) { return Todo(); }
Result<Schoolbook> ToFraction(const Decimal&) { return Todo(); }
Rational Reduced(Rational r) { return r; }
Result<Decimal> FromKeypad(std::string_view, std::int64_t) { return Todo(); }
Result<Expansion> ToDecimal(const Rational&, std::optional<std::int64_t>) { return Todo(); }
std::optional<mpz_class> PeriodLength(const mpz_class&) { return std::nullopt; }
std::optional<std::vector<PrimePower>> Factorise(const mpz_class&) { return std::nullopt; }
std::uint64_t PowMod(std::uint64_t, std::uint64_t, std::uint64_t) { return 0; }
Result<DecimalWorking> ExplainDecimal(const Decimal&) { return Todo(); }
Result<FractionWorking> ExplainFraction(const Rational&) { return Todo(); }
}  // namespace quotalis::exact
