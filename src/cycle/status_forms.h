// The forms of the status dialogs: the inactive dialog (and its deleted mode), the
// move-outs dialog and the "Status" dialog of publisher editing.
#pragma once

#include <string>
#include <vector>

#include "core/document.h"
#include "cycle/status_lists.h"
#include "cycle/status_moves.h"

namespace zarim {

enum class ListSide { kNone, kLeft, kRight };

// "Add - Edit - Delete - Reactivate Inactive Publishers", or in its deleted mode
// "Edit - Permanently Delete - Restore". The left-hand list holds the inactive (deleted)
// publishers, the right-hand one the candidates for the inactive list.
class InactiveForm {
 public:
  enum class Mode { kInactive, kDeleted };
  InactiveForm(CZarimDoc& doc, Mode mode);

  std::string title() const;
  std::string left_heading() const;
  bool right_shown() const { return mode_ == Mode::kInactive; }
  std::string right_heading() const;
  const std::vector<StatusLine>& left() const { return left_; }
  const std::vector<StatusLine>& right() const { return right_; }

  // The period button of the inactive list; its caption is the current period.
  bool period_shown() const { return mode_ == Mode::kInactive; }
  std::string period_caption() const;
  InactivePeriod period() const { return period_; }
  void CyclePeriod();

  void Select(ListSide side, int row);
  ListSide side() const { return side_; }
  int row() const { return row_; }
  int selected_record() const;

  bool edit_shown() const { return side_ == ListSide::kLeft; }
  bool delete_shown() const { return side_ == ListSide::kLeft; }
  // "Transfer to Inactive", "Reactivate" or "Restore", by the selection.
  std::string move_caption() const;
  bool move_enabled() const { return selected_record() > 0; }
  MoveResult Move(const MonthAsker& ask);

  // Deleted mode's "&Delete": asks "Do you really want to delete %1?" and removes the
  // record for good. True when it was removed.
  bool DeleteSelected();

  // Fills the lists again (after a move, or after editing or deleting elsewhere); the
  // selection stays by position within its list.
  void Refresh();

 private:
  const std::vector<StatusLine>& ListOf(ListSide side) const {
    return side == ListSide::kLeft ? left_ : right_;
  }

  CZarimDoc& doc_;
  Mode mode_;
  InactivePeriod period_ = InactivePeriod::kLastSix;
  std::vector<StatusLine> left_;
  std::vector<StatusLine> right_;
  ListSide side_ = ListSide::kNone;
  int row_ = -1;
};

// "Move Outs": the moved publishers on the left, the active (or, with "Inactive" ticked,
// the inactive) publishers on the right.
class MoveOutsForm {
 public:
  explicit MoveOutsForm(CZarimDoc& doc);

  std::string title() const { return std::string(Str(Sid::kMoveOutsTitle)); }
  std::string left_heading() const { return std::string(Str(Sid::kMovedHeading)); }
  std::string right_heading() const;
  std::string inactive_caption() const { return std::string(Str(Sid::kInactiveTick)); }
  bool inactive() const { return inactive_; }
  void SetInactive(bool on);
  const std::vector<StatusLine>& left() const { return left_; }
  const std::vector<StatusLine>& right() const { return right_; }

  void Select(ListSide side, int row);
  ListSide side() const { return side_; }
  int row() const { return row_; }
  int selected_record() const;

  bool move_out_enabled() const { return side_ == ListSide::kRight && selected_record() > 0; }
  bool return_enabled() const { return side_ == ListSide::kLeft && selected_record() > 0; }
  MoveResult MoveOutSelected(const MonthAsker& ask);
  MoveResult ReturnSelected(const MonthAsker& ask);
  MoveResult UndoSelected(const MonthAsker& ask);
  void Refresh();

 private:
  CZarimDoc& doc_;
  bool inactive_ = false;
  std::vector<StatusLine> left_;
  std::vector<StatusLine> right_;
  ListSide side_ = ListSide::kNone;
  int row_ = -1;
};

// The "Status" dialog of publisher editing; it works on the record being edited.
class StatusForm {
 public:
  enum Choice : int {
    kNone = -1,
    kNew = 0,
    kRegularTransfer,
    kIrregularTransfer,
    kReactivated,
    kClear
  };
  static constexpr int kChoices = 5;

  // adding: the record is being added. Most people added are already serving in this
  // congregation (the secretary is entering its publishers), so the choice that records
  // no event is offered first; a record with a status keeps its own.
  StatusForm(const CZarimDoc& doc, const PubRecord& record, bool adding = false);

  std::string title() const { return std::string(Str(Sid::kStatusTitle)); }
  static std::string ChoiceCaption(int choice);
  int choice() const { return choice_; }
  void SetChoice(int choice);

  std::vector<std::string> months() const;
  int month_index() const { return month_index_; }
  void set_month_index(int m);

  // The year list (previous and working year) is offered for new and reactivated.
  bool years_shown() const { return choice_ == kNew || choice_ == kReactivated; }
  std::vector<std::string> years() const;
  int year_index() const { return year_index_; }
  void set_year_index(int i);

  bool note_shown() const {
    return choice_ == kNew || choice_ == kRegularTransfer || choice_ == kReactivated;
  }
  std::string note() const { return std::string(Str(Sid::kStatusNote)); }
  // One line on what the choices mean, always shown above them.
  std::string explanation() const { return std::string(Str(Sid::kStatusChoicesMeaning)); }

  // The month serial the choice stands for.
  int ChosenSerial() const;
  // OK: writes the status fields into the record. False (nothing written) without a choice.
  bool Apply(PubRecord& record) const;

 private:
  int working_month_;
  int working_year_;
  int working_serial_;
  int choice_ = kNone;
  int month_index_;
  int year_index_ = 1;
};

}  // namespace zarim
