// The "Report Slip Posting" decision dialog's rules.
#include "cycle/posting_decision_form.h"

#include <cctype>
#include <cstring>

#include "core/month.h"
#include "core/strings.h"
#include "cycle/collection.h"
#include "cycle/month_init.h"
#include "cycle/roll.h"

namespace zarim {

namespace {
uint8_t Raw(MonthCollection c) { return static_cast<uint8_t>(c); }
constexpr uint8_t kNotInit = 0, kOpen = 1, kClosed = 2;
}  // namespace

PostingDecisionForm::PostingDecisionForm(const CZarimDoc& doc)
    : language_(doc.language_code),
      w_(doc.working_serial),
      today_day_(doc.today_day),
      early_held_(doc.early_year != 0) {
  for (int m = 0; m < 12; ++m) state_[m] = Raw(CollectionStateOf(doc, m));
  std::memcpy(new_state_, state_, sizeof state_);
  const int w = MonthOfSerial(w_);
  const int before = MonthOfSerial(w_ - 1);
  reopen_serial_ =
      (state_[w] == kNotInit && state_[before] == kOpen && today_day_ < 8) ? w_ - 1 : w_;
  result_serial_ = w_;
}

std::string PostingDecisionForm::Title() const {
  return std::string(Str(Sid::kPostingDecisionTitle));
}

bool PostingDecisionForm::SuggestionShown() const { return today_day_ > 20; }
std::string PostingDecisionForm::SuggestionCaption() const {
  return std::string(Str(Sid::kSuggestionButton));
}
std::string PostingDecisionForm::SuggestionText() const {
  return std::string(Str(Sid::kSuggestionText));
}

bool PostingDecisionForm::ReopenShown() const {
  return state_[MonthOfSerial(w_)] == kClosed || reopen_serial_ != w_;
}
std::string PostingDecisionForm::ReopenCaption() const {
  return Fill(Sid::kReopenCollectionFor, MonthYearOfSerial(reopen_serial_));
}

std::string PostingDecisionForm::InitializeCaption() const {
  Sid id = state_[MonthOfSerial(w_)] == kClosed ? Sid::kReinitializeCollectionFor
                                                : Sid::kInitializeCollectionFor;
  return Fill(id, MonthYearOfSerial(w_));
}

bool PostingDecisionForm::InitializeNextShown() const { return today_day_ > 24 && !early_held_; }
std::string PostingDecisionForm::InitializeNextCaption() const {
  return Fill(Sid::kInitializeCollectionFor, MonthYearOfSerial(w_ + 1));
}
std::string PostingDecisionForm::CancelCaption() const {
  return std::string(Str(Sid::kDecisionCancel));
}

std::string PostingDecisionForm::ConfirmQuestion(int month) const {
  std::string name = MonthName(month);
  if (language_ == Str(Sid::kFrenchLanguageCode)) {
    char first =
        name.empty() ? '\0' : static_cast<char>(std::tolower(static_cast<unsigned char>(name[0])));
    name = std::string(Str(first == 'a' || first == 'o' ? Sid::kFrenchArticleElided
                                                        : Sid::kFrenchArticle)) +
           name;
  }
  return Printf(Sid::kConfirmInitialize, name.c_str(), name.c_str());
}

bool PostingDecisionForm::Reopen() {
  if (!ReopenShown()) return false;
  new_state_[MonthOfSerial(reopen_serial_)] = kOpen;
  result_serial_ = reopen_serial_;
  initialize_ = false;
  decided_ = true;
  return true;
}

bool PostingDecisionForm::NeedsConfirmation(int serial, bool next) const {
  return today_day_ > 5 && (next || state_[MonthOfSerial(serial)] != kNotInit);
}

bool PostingDecisionForm::StartInitialize(int serial, bool next, Prompter& prompter) {
  if (NeedsConfirmation(serial, next) &&
      prompter.Ask(ConfirmQuestion(MonthOfSerial(serial)), Buttons::kOkCancel, Answer::kCancel) !=
          Answer::kOk)
    return false;
  if (next) {
    // The month after the new working month stands in for today's month until the
    // calendar catches up (start-up from the 25th on reads it back).
    set_early_ = true;
    early_year_ = static_cast<uint32_t>(YearOfSerial(serial + 1));
    early_month_ = static_cast<uint32_t>(MonthOfSerial(serial + 1) + 1);
  }
  new_state_[MonthOfSerial(serial)] = kNotInit;
  new_state_[MonthOfSerial(serial + 1)] = kNotInit;
  new_state_[MonthOfSerial(serial)] = kOpen;
  result_serial_ = serial;
  initialize_ = true;
  decided_ = true;
  return true;
}

bool PostingDecisionForm::Initialize(Prompter& prompter) {
  return StartInitialize(w_, false, prompter);
}

bool PostingDecisionForm::InitializeNext(Prompter& prompter) {
  if (!InitializeNextShown()) return false;
  return StartInitialize(w_ + 1, true, prompter);
}

std::string PostingDecisionForm::Apply(CZarimDoc& doc, const MonthInitOptions& init) const {
  if (decided_) {
    for (int m = 0; m < 12; ++m)
      SetCollectionStateOf(doc, m, static_cast<MonthCollection>(new_state_[m]));
    if (set_early_) {
      doc.early_year = early_year_;
      doc.early_month = early_month_;
    }
    MoveWorkingMonth(doc, result_serial_);
    if (initialize_) InitializeMonth(doc, doc.working_month, SlotOfYear(doc.working_year), init);
    // The month moved: which past months have a snapshot is counted from the new one.
    doc.history_month_mask = ComputeHistoryMonthMask(doc);
  }
  return WorkingMonthStatusText(doc);
}

}  // namespace zarim
