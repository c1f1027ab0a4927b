// "Pick Field Service Group": a list of the group labels with a proposed group; OK gives
// the chosen group number. For the group analysis it can offer to print all groups or
// the selected one; for lists it refuses a group that has no members.
#pragma once

#include <string>
#include <vector>

namespace zarim {

class CZarimDoc;

class GroupPickerForm {
 public:
  enum class Purpose {
    kChoose,         // any group may be picked
    kMembersNeeded,  // a group list: a group without members is refused
    kAnalysis,       // the group analysis: print buttons when there are 2 groups or more
  };
  enum class Result { kNone, kOk, kPrintAll, kPrintSelected, kCancel };

  GroupPickerForm(const CZarimDoc& doc, Purpose purpose, int proposed_group = 1);

  std::string Title() const;
  std::string ListCaption() const;
  // The labels of groups 1 to the number in use.
  const std::vector<std::string>& Items() const { return items_; }
  // The selected item (0-based), -1 with no groups.
  int selection() const { return selection_; }
  void Select(int index);
  // The chosen group number (1-based), 0 with no groups.
  int group() const { return selection_ + 1; }

  bool IsOkShown() const { return !items_.empty(); }
  // Without any group: how to make one, shown instead of the empty list (else empty).
  std::string NoGroupsNote() const;
  // OK takes the selection only when some publisher record carries the group number.
  bool IsOkEnabled() const;
  bool ArePrintButtonsShown() const;
  std::string PrintAllCaption() const;       // "Print # 1 - n"
  std::string PrintSelectedCaption() const;  // "Print # k", renewed with the selection

  // The buttons; true when the dialog closes.
  bool Ok();
  bool PrintAll();
  bool PrintSelected();
  void Cancel() { result_ = Result::kCancel; }
  Result result() const { return result_; }

  // True when at least one publisher record carries the group number.
  static bool GroupHasMembers(const CZarimDoc& doc, int group);
  // Why a report cannot be drawn for a group: a number past the groups in use, or a group
  // that no publisher record carries; empty when it can.
  static std::string GroupRefusal(const CZarimDoc& doc, int group);

 private:
  const CZarimDoc& doc_;
  Purpose purpose_;
  std::vector<std::string> items_;
  int selection_ = -1;
  Result result_ = Result::kNone;
};

}  // namespace zarim
