#include "answer/answer.h"

#include <optional>
#include <utility>

#include "answer/memory.h"
#include "answer/quote.h"
#include "kinds.h"

namespace quotalis::answer {

namespace {

using words::N_;

// The memory the request allows, found once, when first asked.
class Budget {
 public:
  explicit Budget(const Request& request) : request_(request) {}

  // Whether `need` bytes are more than the request allows.
  bool Over(std::uint64_t need) {
    if (request_.findMemoryLimit) {
      // Small work is never refused: finding the limit would cost more.
      if (need <= kLongWork) return false;
      if (!found_) {
        limit_ = request_.findMemoryLimit();
        found_ = true;
      }
    } else {
      limit_ = request_.memoryLimit;
    }
    return limit_.has_value() && need > *limit_;
  }

  Answer Refusal(std::uint64_t need) const {
    return Refuse(request_, Status::Failed, OverBudget(need, *limit_));
  }

 private:
  const Request& request_;
  std::optional<std::uint64_t> limit_;
  bool found_ = false;
};

}  // namespace

Answer Begun(const Request& request, Kind kind, exact::Notation reading) {
  Answer a;
  a.input = request.entry;
  a.form = request.form;
  a.asked = request.working;
  a.notation = request.notation;
  a.mixed = request.mixed;
  a.kind = kind;
  a.reading = reading;
  return a;
}

Answer Refused(Status status, const exact::Problem& problem, std::string sentence,
               std::optional<std::string_view> input) {
  Answer a;
  a.status = status;
  a.input = input;
  a.refusal = {problem.kind, problem.position, std::move(sentence)};
  return a;
}

std::string RefusalSentence(const exact::Problem& problem, std::optional<std::string_view> quoted,
                            const words::Words& words) {
  std::string sentence = ProblemText(problem, words);
  if (!quoted) return sentence;
  return Say(words, N_("'{1}': {2}"), {Shown(*quoted), sentence});
}

Answer Refuse(const Request& request, Status status, const exact::Problem& problem) {
  return Refused(status, problem, RefusalSentence(problem, request.entry, *request.words),
                 request.entry);
}

Number Hold(mpz_class& n) { return std::make_shared<const mpz_class>(std::move(n)); }

Answer AnswerEntry(const Request& request) {
  Budget budget(request);
  const std::string_view text = request.entry;
  if (const std::uint64_t need = ReadingNeed(text.size()); budget.Over(need)) {
    return budget.Refusal(need);
  }
  if (request.rounded) return RoundedToFraction(request);
  if (AsksForBase(request)) return BaseAnswer(request);
  exact::Result<Entry> read = ReadEntry(text, request.period);
  if (auto* problem = std::get_if<exact::Problem>(&read)) {
    return Refuse(request, Status::BadInput, *problem);
  }
  auto& entry = std::get<Entry>(read);
  const bool decimal = entry.kind == Entry::Kind::Decimal;
  const std::uint64_t need =
      decimal
          ? DecimalNeed(entry.decimal, request)
          : FractionNeed(entry.fraction, ExpansionDigitsBound(entry.fraction, request), request);
  if (budget.Over(need)) return budget.Refusal(need);
  if (need > kLongWork && request.beforeLongWork) request.beforeLongWork();
  return decimal ? DecimalToFraction(request, std::move(entry))
                 : FractionToDecimal(request, std::move(entry));
}

Answer AnswerOutOfMemory(std::optional<std::string_view> entry, const Request& request) {
  const exact::Problem problem = exact::MakeProblem(
      exact::ProblemKind::TooLarge, N_("there was not enough memory to answer it"), {});
  return Refused(Status::Failed, problem, RefusalSentence(problem, entry, *request.words), entry);
}

}  // namespace quotalis::answer
