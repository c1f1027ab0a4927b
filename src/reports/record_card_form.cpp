// The record card forms.
#include "reports/record_card_form.h"

#include <algorithm>

#include "core/document.h"
#include "core/records.h"
#include "core/settings.h"
#include "core/text_codec.h"
#include "reports/record_card.h"
#include "reports/year_to_date.h"

namespace zarim {

RecordCardForm::RecordCardForm(const CZarimDoc& doc) : doc_(doc) { Reload(); }

void RecordCardForm::Reload() {
  const int shown = SelectedRecord();
  const int shown_id = shown > 0 ? static_cast<int>(doc_.records[shown].id) : 0;
  records_ = CardRecords(doc_, inactive_ ? kInactive : kActive, false);
  names_.clear();
  for (int rec : records_)
    names_.push_back(ToUtf8(doc_.DisplayName(doc_.records[rec]), doc_.language_code));
  selection_ = records_.empty() ? -1 : 0;
  for (size_t i = 0; i < records_.size(); ++i)
    if (shown_id > 0 && doc_.records[records_[i]].id == shown_id) selection_ = static_cast<int>(i);
}

void RecordCardForm::SetInactive(bool inactive) {
  if (inactive == inactive_) return;
  inactive_ = inactive;
  selection_ = -1;
  Reload();
}

bool RecordCardForm::Select(int index) {
  if (index < 0 || index >= static_cast<int>(records_.size())) {
    selection_ = -1;
    return false;
  }
  selection_ = index;
  return true;
}

int RecordCardForm::SelectedRecord() const {
  if (selection_ < 0 || selection_ >= static_cast<int>(records_.size())) return 0;
  return records_[selection_];
}

ReportSelection RecordCardForm::ShownCard() const {
  ReportSelection sel;
  sel.chosen = true;
  sel.previous_year = previous_;
  if (totals_) {
    sel.totals_category = totals_category_;
    sel.totals_period = totals_period_;
    sel.totals_from_branch = totals_from_branch_;
    return sel;
  }
  if (const int rec = SelectedRecord()) sel.records = {rec};
  return sel;
}

ReportSelection RecordCardForm::FileCards(bool inactive) const {
  ReportSelection sel;
  sel.chosen = true;
  sel.previous_year = previous_;
  sel.records = CardRecords(doc_, inactive ? kInactive : kActive, false);
  return sel;
}

void RecordCardForm::SetTotalsCategory(int category) {
  YtdSummaryForm summary(doc_);
  summary.SetCategory(category);
  totals_category_ = summary.category();
}

void RecordCardForm::SetTotalsPeriod(int period) {
  YtdSummaryForm summary(doc_);
  summary.SetPeriod(period);
  totals_period_ = summary.period();
}

std::vector<std::string> RecordCardForm::TotalsCategoryNames() const {
  return YtdSummaryForm(doc_).CategoryNames();
}

std::vector<std::string> RecordCardForm::TotalsPeriodNames() const {
  return YtdSummaryForm(doc_).PeriodNames();
}

SelectRecordsForm::SelectRecordsForm(const CZarimDoc& doc, bool inactive)
    : doc_(doc), inactive_(inactive) {
  records_ = CardRecords(doc_, inactive ? kInactive : kActive, false);
  for (int rec : records_)
    names_.push_back(ToUtf8(doc_.DisplayName(doc_.records[rec]), doc_.language_code));
  checked_.assign(records_.size(), false);
}

void SelectRecordsForm::SetChecked(int index, bool on) {
  if (index >= 0 && index < static_cast<int>(checked_.size())) checked_[index] = on;
}

bool SelectRecordsForm::IsChecked(int index) const {
  return index >= 0 && index < static_cast<int>(checked_.size()) && checked_[index];
}

ReportSelection SelectRecordsForm::Selection(bool previous_year) const {
  ReportSelection sel;
  sel.chosen = true;
  sel.previous_year = previous_year;
  std::vector<int> ticked;
  for (size_t i = 0; i < records_.size(); ++i)
    if (checked_[i]) ticked.push_back(records_[i]);
  for (int rec : CardRecords(doc_, inactive_ ? kInactive : kActive, alphabetic_))
    if (std::find(ticked.begin(), ticked.end(), rec) != ticked.end()) sel.records.push_back(rec);
  return sel;
}

CardPreferencesForm::CardPreferencesForm(const CZarimDoc& doc, int record) {
  const DocOptions& o = doc.options;
  if (record > 0 && record < doc.count) record_id_ = static_cast<int>(doc.records[record].id);
  all_flags_ = o.hide_averages & kCardHideAll;
  if (record_id_ > 0) {
    std::map<int, int> own = ParseRecordHideFlags(o.hide_records);
    auto it = own.find(record_id_);
    record_flags_ = it == own.end() ? 0 : it->second;
  }
  show_groups = o.print_group != 0;
  one_per_page = o.one_per_page != 0;
  hide_birth = o.hide_birth != 0;
}

void CardPreferencesForm::SetHide(int flag, bool on) {
  int& flags = this_record_ ? record_flags_ : all_flags_;
  flags = on ? (flags | flag) : (flags & ~flag);
  flags &= kCardHideAll;
}

bool CardPreferencesForm::Accept(CZarimDoc& doc) const {
  DocOptions before = doc.options;
  DocOptions& o = doc.options;
  // Bits above the four flags belong to nobody here and stay as they were.
  o.hide_averages = (o.hide_averages & ~kCardHideAll) | all_flags_;
  if (record_id_ > 0) {
    std::map<int, int> own = ParseRecordHideFlags(o.hide_records);
    own[record_id_] = record_flags_;
    std::string text = FormatRecordHideFlags(own);
    // The list lives on one settings line: a record that no longer fits keeps the flags
    // for all records only.
    if (text.size() <= kMaxHideRecordsText) o.hide_records = text;
  }
  o.print_group = show_groups ? 1 : 0;
  o.one_per_page = one_per_page ? 1 : 0;
  o.hide_birth = hide_birth ? 1 : 0;
  const bool changed = o.hide_averages != before.hide_averages ||
                       o.hide_records != before.hide_records ||
                       o.print_group != before.print_group ||
                       o.one_per_page != before.one_per_page || o.hide_birth != before.hide_birth;
  return changed;
}

}  // namespace zarim
