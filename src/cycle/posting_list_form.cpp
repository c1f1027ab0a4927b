// The posting list: filling it by group and missing reports, and its captions.
#include "cycle/posting_list_form.h"

#include <algorithm>

#include "core/month.h"
#include "core/store.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "cycle/branch_totals.h"
#include "cycle/collection.h"
#include "cycle/plausible_figures.h"
#include "cycle/slip_queries.h"

namespace zarim {

PostingListForm::PostingListForm(CZarimDoc& doc) : doc_(doc) {
  ResetMonthAfterNext(doc_);
  RefreshDerivedState(doc_);  // a month just initialized or moved to
  Refill();
  for (int rec : rows_)
    if (Posted(rec)) missing_only_ = true;
  if (missing_only_) Refill();
  const PubRecord* last = doc_.resume_id ? doc_.FindById(doc_.resume_id) : nullptr;
  if (last) {
    auto it = std::find(rows_.begin(), rows_.end(), static_cast<int>(last - doc_.records.data()));
    if (it != rows_.end()) selection_ = static_cast<int>(it - rows_.begin());
  }
}

std::string PostingListForm::Title() const {
  return Fill(Sid::kPostReportCollection, MonthYearName(doc_.working_month, doc_.working_year)) +
         Printf(Sid::kPostActiveCountFormat,
                std::clamp(doc_.status_count[kActive], 0, kMaxStatusList)) +
         std::string(Str(Sid::kPostActivePublishers));
}

std::string PostingListForm::LastPersonPosted() const {
  const PubRecord* r = doc_.resume_id ? doc_.FindById(doc_.resume_id) : nullptr;
  return r ? ToUtf8(doc_.DisplayName(*r), doc_.language_code) : std::string();
}

std::string PostingListForm::ImportCaption() const {
  return Fill(Sid::kPostAddReportsFrom, MonthYearName(doc_.working_month, doc_.working_year));
}

std::string PostingListForm::CloseCaption() const {
  return Fill(Sid::kPostCloseCollection, MonthYearName(doc_.working_month, doc_.working_year));
}

std::vector<std::string> PostingListForm::GroupChoices() const {
  std::vector<std::string> out{std::string(Str(Sid::kPostCongregation))};
  const int groups = std::min<int>(doc_.groups.count, kMaxGroups);
  for (int g = 0; g < groups; ++g) {
    std::string label = doc_.groups.use_name[g] && !Trim(FieldText(doc_.groups.name[g])).empty()
                            ? ToUtf8(FieldText(doc_.groups.name[g]), doc_.language_code)
                            : Printf(Sid::kPostGroupFormat, Str(Sid::kPostGroupWord).data(), g + 1);
    std::string overseer =
        ToUtf8(std::string(Trim(FieldText(doc_.groups.overseer[g]))), doc_.language_code);
    if (!overseer.empty())
      label = Printf(Sid::kPostGroupOverseerFormat, label.c_str(), overseer.c_str());
    out.push_back(label);
  }
  return out;
}

void PostingListForm::SetGroup(int position) {
  group_ = std::clamp(position, 0, std::min<int>(doc_.groups.count, kMaxGroups));
  Refill();
}

void PostingListForm::SetMissingOnly(bool on) {
  missing_only_ = on;
  Refill();
}

bool PostingListForm::Posted(int rec) const {
  const PubRecord& r = doc_.records[static_cast<size_t>(rec)];
  const int month = doc_.working_month;
  const int slot = SlotOfYear(doc_.working_year);
  return ReportedInMonth(r, month, slot) || HasRemark(doc_, r, month, slot);
}

void PostingListForm::Refill() {
  rows_.clear();
  const int active = std::clamp(doc_.status_count[kActive], 0, kMaxStatusList);
  for (int i = 0; i < active; ++i) {
    int rec = doc_.lists[kActive][static_cast<size_t>(i)].rec;
    if (rec <= 0 || rec >= doc_.count) continue;
    const PubRecord& r = doc_.records[static_cast<size_t>(rec)];
    if (group_ > 0 && r.group != group_) continue;
    if (missing_only_ && Posted(rec)) continue;
    rows_.push_back(rec);
  }
  // The selection keeps its position; beyond the end it goes to the first name.
  if (selection_ >= static_cast<int>(rows_.size()) || selection_ < 0) selection_ = 0;
}

std::vector<std::string> PostingListForm::Names() const {
  std::vector<std::string> names;
  names.reserve(rows_.size());
  for (int rec : rows_)
    names.push_back(
        ToUtf8(doc_.DisplayName(doc_.records[static_cast<size_t>(rec)]), doc_.language_code));
  return names;
}

std::vector<std::string> PostingListForm::RowCaptions() const {
  std::vector<std::string> captions = Names();
  for (size_t i = 0; i < rows_.size(); ++i)
    if (Posted(rows_[i])) captions[i] = Fill(Sid::kPostReportedMark, captions[i]);
  return captions;
}

void PostingListForm::Select(int row) {
  if (row >= 0 && row < static_cast<int>(rows_.size())) selection_ = row;
}

int PostingListForm::SelectedRecord() const {
  return selection_ >= 0 && selection_ < static_cast<int>(rows_.size())
             ? rows_[static_cast<size_t>(selection_)]
             : 0;
}

void PostingListForm::AfterSlip() {
  RefreshDerivedState(doc_);  // the open month's totals and lists with the new slip
  if (missing_only_) Refill();
}

bool PostingListForm::CloseCollection() {
  const std::string month = MonthYearName(doc_.working_month, doc_.working_year);
  std::string question = Fill(Sid::kPostConfirmClose, month);
  // Check Figures: what was kept after a warning is shown once more before the month
  // is sent.
  const std::string list = WarningLines(CheckWorkingMonth(doc_));
  if (!list.empty()) question = Fill(Sid::kFigAccepted, month, list) + "\n\n" + question;
  if (doc_.prompter->Ask(question, Buttons::kYesNo, Answer::kNo) != Answer::kYes) return false;
  zarim::CloseCollection(doc_);
  return true;
}

}  // namespace zarim
