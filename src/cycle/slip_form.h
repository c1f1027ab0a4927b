// The report slip of one publisher for the working month (or, as a late report, for an
// earlier month): what the slip dialog shows, how its boxes behave and what saving does.
// The form edits a private copy of the publisher's record; only Save writes it back.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/document.h"

namespace zarim {

enum class SlipMode { kEntry, kChoosingMonth, kRemark };
enum class NumberBox { kHours, kStudies };
// Keys as the number boxes see them.
enum class SlipKey { kDigit, kBackspace, kPeriod, kSpace, kDelete, kRight, kLeft, kEnter, kOther };
// What the dialog does with a key.
enum class KeyAction {
  kAccept,           // the box takes the key
  kReject,           // the key is swallowed
  kReplaceWithZero,  // the whole text becomes "0", selected
  kFocusNext,
  kFocusPrevious,
  kFocusShared,    // to the "Shared in ministry" tick
  kSave,           // save the slip (as OK)
  kReturnToEntry,  // leave the OK button for the number boxes without closing
};
// Where the focus is when Enter is pressed.
enum class SlipFocus { kHours, kStudies, kOkButton, kOther };

// Pioneer credit of a regular pioneer from the slip's hours, the current credit and the
// remark (record bytes). The remark may be filled in ("5 +Hours") when it is empty.
struct CreditResult {
  int credit = 0;
  std::string remark;
};
CreditResult ComputePioneerCredit(int hours, int credit, std::string_view remark);

class SlipForm {
 public:
  enum class SaveResult { kSaved, kUnchanged, kRefused };

  // Opens the slip of the record with this record number for the working month.
  SlipForm(CZarimDoc& doc, int record);

  // ---- Captions (UTF-8) -------------------------------------------------------------
  const std::string& name() const { return name_; }  // title and name field
  std::string MonthText() const;
  std::string PrivilegeText() const;
  std::string GroupText() const;
  // The pioneer line: a label instead of the "Auxiliary Pioneer" box for regular and
  // special pioneers and field missionaries.
  bool AuxBoxShown() const;
  std::string PioneerLabel() const;
  std::string CreditText() const;
  // Where a regular pioneer's credit comes from, shown beside the hours.
  std::string CreditHint() const;
  const std::string& warning() const { return warning_; }

  // ---- Controls -----------------------------------------------------------------------
  bool aux() const { return aux_; }
  void SetAux(bool ticked);
  bool shared() const { return shared_; }
  void SetShared(bool ticked);
  const std::string& hours_text() const { return hours_text_; }
  void SetHoursText(std::string_view text);
  const std::string& studies_text() const { return studies_text_; }
  void SetStudiesText(std::string_view text);
  bool StudiesShown() const { return shared_; }
  bool HoursShown() const;
  bool CreditShown() const { return code_ == kRegular; }
  // Remarks, OK, Cancel, the month button and the group label hide while a month is
  // being chosen.
  bool EntryButtonsShown() const { return mode_ != SlipMode::kChoosingMonth; }

  // ---- Keys -------------------------------------------------------------------------
  static KeyAction NumberKey(NumberBox box, SlipKey key);
  KeyAction EnterKey(SlipFocus focus);

  // ---- Late report: choosing the posting month -----------------------------------------
  SlipMode mode() const { return mode_; }
  void BeginChangeMonth();
  std::vector<std::string> MonthChoices() const;
  int month_choice() const { return month_choice_; }
  // Makes month m (0..11) the posting month: the working year's for months up to the
  // working month, the previous year's after it.
  void ChooseMonth(int month);
  void EndChangeMonth();

  // ---- Remark -----------------------------------------------------------------------
  void BeginRemark();
  const std::string& remark() const { return remark_; }  // UTF-8
  void SetRemark(std::string_view utf8) { remark_ = std::string(utf8); }
  // Leaves the remark box: stores the text when it changed and recomputes the credit.
  void EndRemark();

  // ---- State --------------------------------------------------------------------------
  int posting_month() const { return month_; }
  int posting_slot() const { return slot_; }
  bool late() const { return month_ != doc_.working_month; }
  bool excluded() const { return excluded_; }
  int credit() const { return credit_; }
  int pioneer_code() const { return code_; }
  const PubRecord& copy() const { return copy_; }

  // Reads the boxes into the copy and writes it back when anything differs. kRefused
  // (after the message) when the hours are not a whole number or the Bible studies are
  // not 0 to 63; the slip stays open and refused_box() names the box to correct.
  SaveResult Save();
  NumberBox refused_box() const { return refused_box_; }

 private:
  void Load(int month, int slot);
  void BuildWarning(bool choosing);
  void RecomputeCredit();
  void RecheckShared();
  int HoursValue() const;
  std::string RemarkBytes() const;

  CZarimDoc& doc_;
  int record_;
  PubRecord copy_;
  std::string name_;
  SlipMode mode_ = SlipMode::kEntry;
  int month_ = 0;
  int slot_ = 0;
  int month_choice_ = 0;
  int code_ = 0;
  bool loaded_reported_ = false;  // the month held a report when it was loaded
  bool aux_ = false;
  bool shared_ = false;
  std::string hours_text_;
  std::string studies_text_;
  int credit_ = 0;
  NumberBox refused_box_ = NumberBox::kStudies;
  std::string remark_;         // as typed (UTF-8)
  std::string stored_remark_;  // record bytes of the remark table entry
  int remark_entry_ = 0;
  bool remark_changed_ = false;
  bool enter_returns_to_entry_ = false;
  bool excluded_ = false;
  std::string warning_;
};

}  // namespace zarim
