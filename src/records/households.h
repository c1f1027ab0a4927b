// Households: a family head (flag) and the members that carry the head's identifier.
// "Edit Household" / "View Household", "Select Family Member" and the undo log that
// Cancel plays back.
#pragma once

#include <string>
#include <vector>

#include "core/document.h"

namespace zarim {

// Number of records (other than the head) linked to head_id.
int HouseholdMemberCount(const CZarimDoc& doc, uint16_t head_id);

// Links member to the head's household (the head must carry the family-head flag and the
// member may not be a head). The change is logged for undo when the log has room.
// False when refused.
bool LinkToHousehold(CZarimDoc& doc, int head_rec, int member_rec);
// The same for a head known by identifier only (a publisher still being added).
bool LinkToHeadId(CZarimDoc& doc, uint16_t head_id, int member_rec);
// Clears a member's link (logged).
bool UnlinkFromHousehold(CZarimDoc& doc, int member_rec);
// Plays the undo log back newest first, then empties it.
void UndoHouseholdChanges(CZarimDoc& doc);
void ForgetHouseholdChanges(CZarimDoc& doc);

// "Select Family Member" for the household of head_rec.
class FamilyMemberChooser {
 public:
  struct Candidate {
    int rec;
    std::string text;  // UTF-8: name, list mark, note
    bool selectable;
  };
  FamilyMemberChooser(const CZarimDoc& doc, int head_rec);
  // For a head known by identifier (head_rec 0 while the head is being added).
  FamilyMemberChooser(const CZarimDoc& doc, int head_rec, uint16_t head_id);
  const std::vector<Candidate>& candidates() const { return candidates_; }

 private:
  std::vector<Candidate> candidates_;
};

// "Edit Household" (opened for a head) or "View Household" (for a member).
class HouseholdForm {
 public:
  HouseholdForm(CZarimDoc& doc, int rec);
  // The household of a family head who is being added: not in the table yet, known by
  // his new identifier and the name typed so far (UTF-8).
  HouseholdForm(CZarimDoc& doc, uint16_t new_head_id, std::string new_head_name);
  std::string Title() const;
  bool editable() const { return editable_; }
  int head() const { return head_; }
  uint16_t head_id() const { return head_id_; }
  std::string HeadName() const;
  // The members (record numbers and names); "Single Person Household" when empty.
  struct Member {
    int rec;
    std::string name;
  };
  std::vector<Member> Members() const;
  std::string EmptyText() const;
  bool Add(int rec);
  bool Remove(int rec);
  void Ok() { ForgetHouseholdChanges(doc_); }
  void Cancel() { UndoHouseholdChanges(doc_); }

 private:
  CZarimDoc& doc_;
  int head_ = 0;
  uint16_t head_id_ = 0;
  std::string new_head_name_;
  bool editable_ = false;
};

}  // namespace zarim
