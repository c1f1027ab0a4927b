// "History": editing the reports of past months one publisher and one month at a time,
// and, in totals mode, the stored monthly totals of the report to the branch office.
// The form edits a private copy of the record (or of the whole totals table) and writes
// it back only when it differs.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/document.h"

namespace zarim {

enum class HistoryBox { kPlacements, kVideos, kHours, kReturnVisits, kStudies, kCredit };
inline constexpr int kHistoryBoxCount = 6;
enum class HistoryTick {
  kLessThanHour,
  kShared,
  kAux,
  kRegular,
  kSpecial,
  kLate,
  kNextMonth,
  kNextPublisher,
};
inline constexpr int kHistoryTickCount = 8;

// The largest values a month of a publisher can hold: any count fills its 16-bit cell,
// the Bible studies bits 0-9 of theirs. History takes nothing beyond them, and neither
// does any import of a whole month.
inline constexpr int kMaxHistoryCell = 65535;
inline constexpr int kMaxHistoryStudies = 1023;

// Rows of the totals mode's list; the pioneers' row stands for row 2 or row 3 of the
// totals by the regular/special choice.
enum class TotalsEntry { kPublishers, kAuxiliary, kPioneers, kActive };

// The hours box's text after it loses the focus: the digits after a point become ".25",
// ".5" or ".75" by the first of them (0-3, 4-6, 7-9; none gives ".25").
std::string RoundHoursText(std::string_view text);
// Whole hours and the quarter-hour code (1 = .25, 2 = .5, 3 = .75) of an hours text.
struct HoursValue {
  int hours = 0;
  int quarter = 0;
};
HoursValue ParseHoursText(std::string_view text);
// The text of stored hours and quarter-hour code ("3", "3.25", "3.5", "3.75").
std::string HoursText(int hours, int quarter);

// The months the month list offers for a year entry (0 two years back, 1 last year, 2 the
// working year) when w is the working month; w_initialized says whether w's collection
// state is set. In inactive mode the working year ends before the month in which the
// publisher became inactive as well.
std::vector<int> HistoryMonths(int year_entry, int w, bool w_initialized);

class HistoryForm {
 public:
  struct Options {
    int record = 0;         // only this publisher (from his record card); 0 = the list
    bool inactive = false;  // the inactive publishers, W = the month each became inactive
  };
  // Writes the late markers of the late-report list into the records first, so that each
  // month shows whether it is a late report of the working month.
  HistoryForm(CZarimDoc& doc, Options options);
  explicit HistoryForm(CZarimDoc& doc) : HistoryForm(doc, Options{}) {}
  // The records whose past months the dialog edits: active and inactive publishers, not
  // the circuit overseer, Bible students, moved or deleted records.
  static bool Offers(const PubRecord& r);

  // ---- Lists --------------------------------------------------------------------------
  std::vector<std::string> PublisherEntries() const;  // UTF-8; the four rows in totals mode
  int publisher() const { return totals_ ? static_cast<int>(totals_entry_) : publisher_; }
  void SetPublisher(int position);
  std::vector<std::string> YearEntries() const;
  int year() const { return year_; }
  void SetYear(int entry);
  const std::vector<int>& months() const { return months_; }
  std::vector<std::string> MonthEntries() const;
  int month_position() const { return month_pos_; }
  void SetMonthPosition(int position);
  // The chosen month index and its slot; -1 when the year entry offers no month.
  int month() const;
  int slot() const;
  bool new_form() const;
  int record() const;  // the chosen publisher's record number, 0 in totals mode

  // ---- Boxes and ticks ----------------------------------------------------------------
  const std::string& text(HistoryBox b) const { return texts_[static_cast<int>(b)]; }
  void SetText(HistoryBox b, std::string_view text);
  // The hours box lost the focus.
  void LeaveHours();
  bool ticked(HistoryTick t) const { return ticks_[static_cast<int>(t)]; }
  void SetTicked(HistoryTick t, bool on);
  bool Shown(HistoryBox b) const;
  bool Shown(HistoryTick t) const;
  const std::string& remark() const { return remark_; }  // UTF-8
  void SetRemark(std::string_view utf8);
  bool RemarkShown() const { return !totals_ && month() >= 0; }

  // ---- Totals mode --------------------------------------------------------------------
  bool totals() const { return totals_; }
  // Entering stores the month and the record; leaving writes the totals back when they
  // differ.
  void SetTotals(bool on);
  bool SpecialChoiceShown() const { return totals_ && totals_entry_ == TotalsEntry::kPioneers; }
  bool special_row() const { return special_row_; }
  void SetSpecialRow(bool special);
  bool NoteShown() const { return totals_; }

  // ---- Actions --------------------------------------------------------------------------
  // Enter: stores the month, then moves to the next month or the next publisher as the
  // "-> +" ticks say.
  void Enter();
  // Closing: stores the month, writes the record (or the totals) back when it changed,
  // rebuilds the late-report list (the edit brings the working totals up to date).
  void Close();
  // Why the boxes cannot be stored as typed, in the program's words: a value beyond what
  // its cell holds (it would be cut or wrap), or "Less than 1 hour" beside hours (the
  // load would drop it). Empty when they can.
  std::string Refusal() const;

  const PubRecord& copy() const { return copy_; }

 private:
  void FillPublishers();
  void RefillMonths();
  // The month an inactive publisher became inactive in inactive mode, else -1.
  int InactiveMonth() const;
  void Load();
  void Store();
  void WriteBack();
  void AskAboutFigures(int m, int s);
  void LoadTotals();
  void StoreTotals();
  int TotalsRow() const;
  int PioneerCodeFromTicks() const;

  CZarimDoc& doc_;
  Options options_;
  std::vector<int> records_;
  int publisher_ = 0;
  int year_ = 2;
  std::vector<int> months_;
  int month_pos_ = -1;
  PubRecord copy_{};
  int copy_rec_ = 0;
  // The figures of months already accepted after a warning, so that one is asked once.
  std::vector<std::array<int, 5>> accepted_;
  std::array<std::string, kHistoryBoxCount> texts_;
  std::array<bool, kHistoryTickCount> ticks_{};
  std::string remark_;
  std::string loaded_remark_;
  uint8_t loaded_late_ = 0;
  bool totals_ = false;
  TotalsEntry totals_entry_ = TotalsEntry::kPublishers;
  bool special_row_ = false;
  BranchTotalsHistory totals_copy_{};
};

}  // namespace zarim
