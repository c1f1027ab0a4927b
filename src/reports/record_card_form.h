// The forms of the publisher record cards: "Congregation's Publisher Record" (the file
// browsed, the publisher shown and what a print takes), "Select Records to Print" (the
// chosen cards in the chosen order) and "Publisher Record Preferences" (the card options
// for all records or for one).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "reports/page_frame.h"
#include "reports/year_to_date.h"

namespace zarim {

class CZarimDoc;

class RecordCardForm {
 public:
  explicit RecordCardForm(const CZarimDoc& doc);

  // The publishers of the browsed file (active, or inactive), in the stored order.
  const std::vector<std::string>& Names() const { return names_; }
  const std::vector<int>& Records() const { return records_; }

  // Switching files reloads the list and selects its first publisher.
  void SetInactive(bool inactive);
  bool inactive() const { return inactive_; }
  void SetPrevious(bool previous) { previous_ = previous; }
  bool previous() const { return previous_; }
  // The congregation's totals instead of a publisher, from the active file or as
  // reported to the branch.
  void SetTotals(bool totals) { totals_ = totals; }
  bool totals() const { return totals_; }
  void SetTotalsFromBranch(bool branch) { totals_from_branch_ = branch; }
  bool totals_from_branch() const { return totals_from_branch_; }
  // The totals card's category and period, as YtdSummaryForm numbers them.
  void SetTotalsCategory(int category);
  int totals_category() const { return totals_category_; }
  void SetTotalsPeriod(int period);
  int totals_period() const { return totals_period_; }
  std::vector<std::string> TotalsCategoryNames() const;
  std::vector<std::string> TotalsPeriodNames() const;

  // Selects by position in Names(); false (nothing selected) when out of range.
  bool Select(int index);
  int selection() const { return selection_; }
  // The record shown, 0 when none.
  int SelectedRecord() const;
  // Reads the list again (after an edit), keeping the shown publisher when he is still
  // in the file.
  void Reload();

  // The card on the screen and "&Print this Record": the totals card with "Totals", else
  // the shown publisher alone; an empty choice when nobody is shown.
  ReportSelection ShownCard() const;
  // "&Active File (PDF)" / "&Inactive (PDF)": every card of that file in the stored order.
  ReportSelection FileCards(bool inactive) const;

 private:
  const CZarimDoc& doc_;
  std::vector<std::string> names_;
  std::vector<int> records_;
  int selection_ = -1;
  bool inactive_ = false;
  bool previous_ = false;
  bool totals_ = false;
  bool totals_from_branch_ = false;
  int totals_category_ = YtdSummaryForm::kPublishers;
  int totals_period_ = YtdSummaryForm::kServiceYear;
};

// "Select Records to Print": the file's publishers to tick and the order they print in.
class SelectRecordsForm {
 public:
  SelectRecordsForm(const CZarimDoc& doc, bool inactive);

  const std::vector<std::string>& Names() const { return names_; }
  void SetChecked(int index, bool on);
  bool IsChecked(int index) const;
  // false: "Sort matches Active File" (the stored order); true: "Alphabetic order".
  void SetAlphabetic(bool alphabetic) { alphabetic_ = alphabetic; }
  bool alphabetic() const { return alphabetic_; }
  // The ticked records in the chosen order; chosen and empty when none is ticked.
  ReportSelection Selection(bool previous_year) const;

 private:
  const CZarimDoc& doc_;
  bool inactive_;
  std::vector<std::string> names_;
  std::vector<int> records_;
  std::vector<bool> checked_;
  bool alphabetic_ = false;
};

// "Publisher Record Preferences". The hide choices apply to all records or, with "This
// record", to the record the dialog was opened on; the others to every card.
class CardPreferencesForm {
 public:
  // record: the shown publisher's record, 0 when none (then only "all records").
  CardPreferencesForm(const CZarimDoc& doc, int record);

  bool can_choose_record() const { return record_id_ > 0; }
  void SetThisRecord(bool on) { this_record_ = on && can_choose_record(); }
  bool this_record() const { return this_record_; }
  // The kCardHide* flags of the scope chosen.
  int hide_flags() const { return this_record_ ? record_flags_ : all_flags_; }
  void SetHide(int flag, bool on);
  bool IsHidden(int flag) const { return (hide_flags() & flag) != 0; }

  bool show_groups = false;
  bool one_per_page = false;
  bool hide_birth = false;

  // Writes the choices into the document's options (the settings file keeps them with
  // the next save). Returns whether anything changed.
  bool Accept(CZarimDoc& doc) const;

 private:
  int record_id_ = 0;
  bool this_record_ = false;
  int all_flags_ = 0;
  int record_flags_ = 0;
};

}  // namespace zarim
