// Field service groups: headings used by lists and reports, the lines of "Edit Field
// Service Groups", the group detail form and "Assigned Publishers". Group numbers here
// are 1-based like the records' field. The label ("Group #" and the number, or the
// group's own name) is GroupLabel; the chooser is group_picker_form.h.
#pragma once

#include <string>
#include <vector>

#include "core/document.h"

namespace zarim {

inline constexpr int kMaxGroupName = 20;

// The label of group 1..20: the group's own name when it is to be used, else "Group #"
// and the number; the subtitle of a group list. Empty outside 1..20.
std::string GroupLabel(const CZarimDoc& doc, int group);

// Record number of the publisher whose first-name-first display name equals text
// exactly (letter case counts), or, for a text that fills a group's name field, whose name
// was cut to it when stored; 0 when none.
int FindByFirstLastName(const CZarimDoc& doc, const std::string& text);

// "Servant: %1", "Overseer: %1" or "Conductor: %1" by the overseer's privilege.
std::string GroupHeading(const CZarimDoc& doc, int group);
// The name of a day 0 (Monday) .. 6 (Sunday).
std::string DayName(int day);
// One line of "Edit Field Service Groups" for group 1..20 (empty fields beyond the
// groups in use; "*" before a name that matches no publisher).
std::string GroupListLine(const CZarimDoc& doc, int group);
// Caption of the "Edit %1" button for the selected group.
std::string EditGroupCaption(const CZarimDoc& doc, int group);

// The detail dialog of one group.
class GroupDetailForm {
 public:
  GroupDetailForm(CZarimDoc& doc, int group);  // 1..20
  bool valid() const { return group_ >= 1 && group_ <= kMaxGroups; }
  int group() const { return group_; }
  // UTF-8 texts as shown.
  std::string overseer, assistant, location, time, name;
  int day = 0;
  bool use_name = false;
  void SelectOverseer(int rec);
  void SelectAssistant(int rec);
  bool name_enabled() const { return use_name; }
  // Stores the fields; a group beyond those in use with an overseer becomes the last
  // group in use. False for a group number outside 1..20.
  bool Ok();

 private:
  CZarimDoc& doc_;
  int group_;
};

// "Assigned Publishers".
class GroupAssignmentForm {
 public:
  struct Line {
    int rec;
    std::string text;  // UTF-8
  };
  explicit GroupAssignmentForm(CZarimDoc& doc);
  void SetGroup(int group);        // the group being filled, 1..count
  void SetSourceGroup(int group);  // the second chooser, 0 = every other group
  void SetIncludeInactive(bool on);
  int group() const { return group_; }
  int source_group() const { return source_; }
  bool include_inactive() const { return include_inactive_; }

  std::string MembersCaption() const;  // "Publishers in Group %1"
  const std::vector<Line>& members() const { return members_; }
  const std::vector<Line>& candidates() const { return candidates_; }
  // "%d %s" with "Unassigned Publishers"; empty when there are none.
  std::string UnassignedText() const;
  // The name of the selected candidate and "to Group %1" (with " #%d").
  std::string MoveLabel(int candidate) const;
  std::string MoveTarget() const;
  // "<<< Assign <<<": the candidate joins the group; the lists are filled again.
  bool Assign(int candidate);

 private:
  void Refill();
  CZarimDoc& doc_;
  int group_ = 1;
  int source_ = 0;
  bool include_inactive_ = false;
  int unassigned_ = 0;
  std::vector<Line> members_, candidates_;
};

}  // namespace zarim
