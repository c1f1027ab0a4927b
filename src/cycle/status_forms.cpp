// The forms of the inactive, move-outs and status dialogs.
#include "cycle/status_forms.h"

#include <algorithm>

#include "core/month.h"
#include "core/store.h"
#include "core/text_codec.h"
#include "cycle/status_rules.h"
#include "records/delete_form.h"

namespace zarim {

namespace {

// Keeps a selection by position; a list that became shorter selects its last entry.
void KeepSelection(const std::vector<StatusLine>& list, ListSide& side, int& row) {
  if (side == ListSide::kNone) return;
  if (list.empty()) {
    side = ListSide::kNone;
    row = -1;
  } else {
    row = std::clamp(row, 0, static_cast<int>(list.size()) - 1);
  }
}

int RecordAt(const std::vector<StatusLine>& list, int row) {
  return row >= 0 && row < static_cast<int>(list.size()) ? list[row].rec : 0;
}

}  // namespace

// ---- InactiveForm -----------------------------------------------------------------------

InactiveForm::InactiveForm(CZarimDoc& doc, Mode mode) : doc_(doc), mode_(mode) {
  Refresh();
  // The list opens on the first period that shows anyone, so inactive publishers never
  // hide behind an empty "Last Six Months"; with nobody inactive it stays on the first.
  if (mode_ != Mode::kInactive) return;
  for (int i = 0; left_.empty() && i < 4; ++i) CyclePeriod();
  if (left_.empty()) {
    period_ = InactivePeriod::kLastSix;
    Refresh();
  }
}

std::string InactiveForm::title() const {
  return std::string(Str(mode_ == Mode::kInactive ? Sid::kInactiveTitle : Sid::kDeletedTitle));
}

std::string InactiveForm::left_heading() const {
  return std::string(Str(mode_ == Mode::kInactive ? Sid::kInactiveHeading : Sid::kDeletedHeading));
}

std::string InactiveForm::right_heading() const {
  return std::string(Str(Sid::kNoReportSixMonths));
}

std::string InactiveForm::period_caption() const {
  return std::string(Str(PeriodCaption(period_)));
}

void InactiveForm::CyclePeriod() {
  period_ = NextPeriod(period_);
  Refresh();
}

void InactiveForm::Select(ListSide side, int row) {
  if (side == ListSide::kNone || row < 0 || row >= static_cast<int>(ListOf(side).size())) {
    side_ = ListSide::kNone;
    row_ = -1;
    return;
  }
  side_ = side;
  row_ = row;
}

int InactiveForm::selected_record() const {
  return side_ == ListSide::kNone ? 0 : RecordAt(ListOf(side_), row_);
}

std::string InactiveForm::move_caption() const {
  if (mode_ == Mode::kDeleted) return std::string(Str(Sid::kRestoreDeleted));
  return std::string(
      Str(side_ == ListSide::kLeft ? Sid::kReactivateButton : Sid::kTransferToInactive));
}

MoveResult InactiveForm::Move(const MonthAsker& ask) {
  int rec = selected_record();
  if (rec == 0) return MoveResult::kRefused;
  MoveResult result;
  if (mode_ == Mode::kDeleted)
    result = RestoreDeleted(doc_, rec, ask);
  else if (side_ == ListSide::kLeft)
    result = Reactivate(doc_, rec, ask);
  else
    result = TransferToInactive(doc_, rec, ask);
  if (result == MoveResult::kDone) Refresh();
  return result;
}

bool InactiveForm::DeleteSelected() {
  int rec = selected_record();
  if (mode_ != Mode::kDeleted || side_ != ListSide::kLeft || rec == 0) return false;
  std::string name = ToUtf8(doc_.DisplayName(doc_.records[rec]), doc_.language_code);
  if (doc_.prompter->Ask(Fill(Sid::kReallyDeleteStatus, name), Buttons::kOkCancel,
                         Answer::kCancel) != Answer::kOk)
    return false;
  DeletePermanently(doc_, rec);
  Refresh();
  return true;
}

void InactiveForm::Refresh() {
  RefreshDerivedState(doc_);  // the lists as the last move left them
  if (mode_ == Mode::kInactive) {
    left_ = InactiveDialogList(doc_, period_);
    right_ = CandidateList(doc_);
  } else {
    left_ = DeletedList(doc_);
    right_.clear();
  }
  KeepSelection(ListOf(side_), side_, row_);
}

// ---- MoveOutsForm -----------------------------------------------------------------------

MoveOutsForm::MoveOutsForm(CZarimDoc& doc) : doc_(doc) { Refresh(); }

std::string MoveOutsForm::right_heading() const {
  return Fill(Sid::kNoReportFor, MonthYearName(doc_.working_month, doc_.working_year));
}

void MoveOutsForm::SetInactive(bool on) {
  if (on == inactive_) return;
  inactive_ = on;
  if (side_ == ListSide::kRight) {
    side_ = ListSide::kNone;
    row_ = -1;
  }
  Refresh();
}

void MoveOutsForm::Select(ListSide side, int row) {
  const auto& list = side == ListSide::kLeft ? left_ : right_;
  if (side == ListSide::kNone || row < 0 || row >= static_cast<int>(list.size())) {
    side_ = ListSide::kNone;
    row_ = -1;
    return;
  }
  side_ = side;
  row_ = row;
}

int MoveOutsForm::selected_record() const {
  if (side_ == ListSide::kNone) return 0;
  return RecordAt(side_ == ListSide::kLeft ? left_ : right_, row_);
}

MoveResult MoveOutsForm::MoveOutSelected(const MonthAsker& ask) {
  if (!move_out_enabled()) return MoveResult::kRefused;
  MoveResult r = MoveOut(doc_, selected_record(), ask);
  if (r == MoveResult::kDone) Refresh();
  return r;
}

MoveResult MoveOutsForm::ReturnSelected(const MonthAsker& ask) {
  if (!return_enabled()) return MoveResult::kRefused;
  MoveResult r = ReturnMoved(doc_, selected_record(), ask);
  if (r == MoveResult::kDone) Refresh();
  return r;
}

MoveResult MoveOutsForm::UndoSelected(const MonthAsker& ask) {
  if (!return_enabled()) return MoveResult::kRefused;
  MoveResult r = UndoMoveOut(doc_, selected_record(), ask);
  if (r == MoveResult::kDone) Refresh();
  return r;
}

void MoveOutsForm::Refresh() {
  RefreshDerivedState(doc_);
  left_ = NamesOfStatus(doc_, kMoved);
  right_ = NamesOfStatus(doc_, inactive_ ? kInactive : kActive);
  KeepSelection(side_ == ListSide::kLeft ? left_ : right_, side_, row_);
}

// ---- StatusForm -------------------------------------------------------------------------

StatusForm::StatusForm(const CZarimDoc& doc, const PubRecord& record, bool adding)
    : working_month_(doc.working_month % 12),
      working_year_(doc.working_year),
      working_serial_(Serial(doc.working_year, doc.working_month % 12)),
      month_index_(doc.working_month % 12) {
  int flags = StatusFlags(record);
  if (flags & kStatusNew)
    choice_ = kNew;
  else if (flags & kStatusRegularTransfer)
    choice_ = kRegularTransfer;
  else if (flags & kStatusReactivated)
    choice_ = kReactivated;
  else if (adding)
    choice_ = kClear;
  int age = working_serial_ - record.status_stamp;
  int offered = record.status_stamp != 0 && age >= 0 && age < 24
                    ? static_cast<int>(record.status_stamp)
                    : working_serial_;
  int month = StatusEventMonth(record);
  month_index_ = month >= 1 && month <= 12 ? month - 1 : MonthOfSerial(offered);
  int second_entry_year = YearInWorkingYear(month_index_, working_month_, working_year_);
  year_index_ = YearOfSerial(offered) < second_entry_year ? 0 : 1;
}

std::string StatusForm::ChoiceCaption(int choice) {
  static constexpr Sid kCaptions[kChoices] = {Sid::kStatusNew, Sid::kStatusRegularTransfer,
                                              Sid::kStatusIrregularTransfer,
                                              Sid::kStatusReactivated, Sid::kStatusClear};
  return choice >= 0 && choice < kChoices ? std::string(Str(kCaptions[choice])) : std::string();
}

void StatusForm::SetChoice(int choice) {
  if (choice >= kNone && choice < kChoices) choice_ = choice;
}

std::vector<std::string> StatusForm::months() const {
  std::vector<std::string> out;
  for (int m = 0; m < 12; ++m) out.push_back(MonthName(m));
  return out;
}

void StatusForm::set_month_index(int m) {
  if (m >= 0 && m < 12) month_index_ = m;
}

std::vector<std::string> StatusForm::years() const {
  return {std::to_string(2000 + working_year_ - 1), std::to_string(2000 + working_year_)};
}

void StatusForm::set_year_index(int i) {
  if (i == 0 || i == 1) year_index_ = i;
}

int StatusForm::ChosenSerial() const {
  int year = YearInWorkingYear(month_index_, working_month_, working_year_);
  if (years_shown() && year_index_ == 0) --year;
  return Serial(year, month_index_);
}

bool StatusForm::Apply(PubRecord& r) const {
  if (choice_ == kNone) return false;
  if (choice_ == kClear) {
    r.status_month = 0;
    r.status_stamp = 0;
  } else {
    static constexpr uint8_t kFlagOf[] = {kStatusNew, kStatusRegularTransfer, 0,
                                          kStatusReactivated};
    r.status_month = static_cast<uint8_t>(((month_index_ + 1) << 4) | kFlagOf[choice_]);
    if (choice_ == kNew || choice_ == kReactivated)
      r.status_stamp = static_cast<uint16_t>(ChosenSerial());
  }
  // An event more than eleven months old no longer counts by its month; the flags stay.
  if (r.status_stamp != 0 && working_serial_ - r.status_stamp > 11)
    r.status_month &= kStatusFlagMask;
  r.status_year = r.status_month;
  return true;
}

}  // namespace zarim
