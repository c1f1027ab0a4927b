// Households and the household undo log.
#include "records/households.h"

#include <utility>

#include "core/strings.h"
#include "core/text_codec.h"

namespace zarim {

namespace {

bool Log(CZarimDoc& doc, const PubRecord& r) {
  if (doc.household_undo_count >= kMaxHouseholdUndo) return false;
  doc.household_undo[doc.household_undo_count++] = HouseholdUndoEntry{r.id, r.household_head};
  return true;
}

bool ValidRec(const CZarimDoc& doc, int rec) { return rec >= 1 && rec < doc.count; }

}  // namespace

int HouseholdMemberCount(const CZarimDoc& doc, uint16_t head_id) {
  if (head_id < kFirstValidId) return 0;
  int n = 0;
  for (int r = 1; r < doc.count; ++r)
    if (doc.records[r].household_head == head_id && doc.records[r].id != head_id) ++n;
  return n;
}

bool LinkToHousehold(CZarimDoc& doc, int head_rec, int member_rec) {
  if (!ValidRec(doc, head_rec) || !ValidRec(doc, member_rec) || head_rec == member_rec)
    return false;
  const PubRecord& head = doc.records[head_rec];
  if (!(head.flags & kFamilyHead)) return false;
  return LinkToHeadId(doc, head.id, member_rec);
}

bool LinkToHeadId(CZarimDoc& doc, uint16_t head_id, int member_rec) {
  if (head_id < kFirstValidId || !ValidRec(doc, member_rec)) return false;
  PubRecord& member = doc.records[member_rec];
  if ((member.flags & kFamilyHead) || member.id == head_id) return false;
  if (member.household_head == head_id) return true;
  // Without room in the log the change could not be taken back by Cancel.
  if (!Log(doc, member)) return false;
  member.household_head = head_id;
  return true;
}

bool UnlinkFromHousehold(CZarimDoc& doc, int member_rec) {
  if (!ValidRec(doc, member_rec)) return false;
  PubRecord& member = doc.records[member_rec];
  if (member.household_head == 0) return true;
  if (!Log(doc, member)) return false;
  member.household_head = 0;
  return true;
}

void UndoHouseholdChanges(CZarimDoc& doc) {
  for (int i = doc.household_undo_count - 1; i >= 0; --i) {
    const HouseholdUndoEntry& e = doc.household_undo[i];
    if (PubRecord* r = doc.FindById(e.id)) r->household_head = e.old_head;
  }
  ForgetHouseholdChanges(doc);
}

void ForgetHouseholdChanges(CZarimDoc& doc) {
  for (int i = 0; i < doc.household_undo_count; ++i) doc.household_undo[i] = HouseholdUndoEntry{};
  doc.household_undo_count = 0;
}

FamilyMemberChooser::FamilyMemberChooser(const CZarimDoc& doc, int head_rec)
    : FamilyMemberChooser(
          doc, head_rec,
          ValidRec(doc, head_rec) ? uint16_t{doc.records[head_rec].id} : uint16_t{0}) {}

FamilyMemberChooser::FamilyMemberChooser(const CZarimDoc& doc, int head_rec, uint16_t head_id) {
  if (head_id < kFirstValidId) return;
  for (int i = 0; i < doc.index_count; ++i) {
    const PubIndexEntry& e = doc.index[i];
    if (e.rec == head_rec || doc.records[e.rec].id == head_id) continue;
    const PubRecord& r = doc.records[e.rec];
    std::string mark;
    if (e.status == kInactive) {
      mark = Printf(Sid::kOtherListMark, std::string(Str(Sid::kInactiveMark)).c_str());
    } else if (e.status == kNonPublisher) {
      mark = Printf(Sid::kOtherListMark, std::string(Str(Sid::kStudentMark)).c_str());
    } else if (e.status != kActive) {
      continue;
    }
    if (r.household_head == head_id) continue;
    std::string text = ToUtf8(doc.DisplayName(r), doc.language_code) + mark;
    bool selectable = true;
    if (r.flags & kFamilyHead) {
      text += "  " + std::string(Str(Sid::kFamilyHeadMark));
      selectable = false;
    } else if (r.household_head != 0) {
      text += "  " + std::string(Str(Sid::kAssignedToAnotherFamily));
    }
    candidates_.push_back({e.rec, text, selectable});
  }
}

HouseholdForm::HouseholdForm(CZarimDoc& doc, int rec) : doc_(doc) {
  ForgetHouseholdChanges(doc);
  if (!ValidRec(doc, rec)) return;
  const PubRecord& r = doc.records[rec];
  if (r.flags & kFamilyHead) {
    head_ = rec;
    editable_ = true;
  } else {
    head_ = doc.RecordNumberById(r.household_head);
  }
  head_id_ = head_ ? uint16_t{doc.records[head_].id} : uint16_t{0};
}

HouseholdForm::HouseholdForm(CZarimDoc& doc, uint16_t new_head_id, std::string new_head_name)
    : doc_(doc), head_id_(new_head_id), new_head_name_(std::move(new_head_name)) {
  ForgetHouseholdChanges(doc);
  editable_ = new_head_id >= kFirstValidId;
}

std::string HouseholdForm::Title() const {
  return std::string(Str(editable_ ? Sid::kEditHousehold : Sid::kViewHousehold));
}

std::string HouseholdForm::HeadName() const {
  if (!head_) return new_head_name_;
  return ToUtf8(doc_.DisplayName(doc_.records[head_]), doc_.language_code);
}

std::vector<HouseholdForm::Member> HouseholdForm::Members() const {
  std::vector<Member> out;
  if (head_id_ == 0) return out;
  for (int i = 0; i < doc_.index_count; ++i) {
    const PubRecord& r = doc_.records[doc_.index[i].rec];
    if (r.household_head == head_id_ && r.id != head_id_)
      out.push_back({doc_.index[i].rec, ToUtf8(doc_.DisplayName(r), doc_.language_code)});
  }
  return out;
}

std::string HouseholdForm::EmptyText() const {
  return Members().empty() ? std::string(Str(Sid::kSinglePersonHousehold)) : std::string();
}

bool HouseholdForm::Add(int rec) {
  if (!editable_) return false;
  return head_ ? LinkToHousehold(doc_, head_, rec) : LinkToHeadId(doc_, head_id_, rec);
}

bool HouseholdForm::Remove(int rec) {
  if (!editable_ || !ValidRec(doc_, rec) || doc_.records[rec].household_head != head_id_)
    return false;
  return UnlinkFromHousehold(doc_, rec);
}

}  // namespace zarim
