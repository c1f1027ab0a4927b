// Field service groups: labels, headings, the group list and the group forms.
#include "records/groups.h"

#include <algorithm>

#include "core/strings.h"
#include "core/text_codec.h"

namespace zarim {

namespace {

std::string U(const CZarimDoc& doc, const std::string& bytes) {
  return ToUtf8(bytes, doc.language_code);
}
std::string B(const CZarimDoc& doc, const std::string& utf8) {
  return FromUtf8(utf8, doc.language_code);
}
bool InRange(int group) { return group >= 1 && group <= kMaxGroups; }

}  // namespace

std::string GroupLabel(const CZarimDoc& doc, int group) {
  if (group < 1 || group > kMaxGroups) return {};
  int g = group - 1;
  std::string name = FieldText(doc.groups.name[g]);
  if (doc.groups.use_name[g] && Trim(name).size() > 1) return ToUtf8(name, doc.language_code);
  return Printf("%s %d", std::string(Str(Sid::kGroupHash)).c_str(), group);
}

int FindByFirstLastName(const CZarimDoc& doc, const std::string& text) {
  if (text.empty()) return 0;
  // A group's name field holds 23 bytes: a longer display name was stored cut, and the
  // cut text still names that publisher.
  constexpr size_t kStored = sizeof doc.groups.overseer[0] - 1;
  const bool full_field = text.size() == kStored;
  for (int r = 1; r < doc.count; ++r) {
    std::string name = doc.DisplayName(doc.records[r], false);
    if (name == text) return r;
    if (full_field && name.size() > kStored && name.compare(0, kStored, text) == 0) return r;
  }
  return 0;
}

std::string GroupHeading(const CZarimDoc& doc, int group) {
  if (!InRange(group)) return {};
  std::string overseer = FieldText(doc.groups.overseer[group - 1]);
  int rec = FindByFirstLastName(doc, overseer);
  Sid sid = Sid::kOverseerHeading;
  if (rec != 0) {
    switch (doc.records[rec].flags & kPrivilegeMask) {
      case kServant:
        sid = Sid::kServantHeading;
        break;
      case kElder:
        sid = Sid::kOverseerHeading;
        break;
      default:
        sid = Sid::kConductorHeading;
        break;
    }
  }
  return Fill(sid, U(doc, overseer));
}

std::string DayName(int day) {
  if (day < 0 || day > 6) return {};
  return std::string(Str(static_cast<Sid>(static_cast<int>(Sid::kMonday) + day)));
}

std::string GroupListLine(const CZarimDoc& doc, int group) {
  if (!InRange(group)) return {};
  std::string hash(Str(Sid::kHash));
  if (group > doc.groups.count)
    return Printf(Sid::kGroupLineFormat, hash.c_str(), group, "", "", "", "", "", "", "");
  int g = group - 1;
  std::string overseer = FieldText(doc.groups.overseer[g]);
  std::string assistant = FieldText(doc.groups.assistant[g]);
  std::string star(Str(Sid::kStar));
  auto mark = [&](const std::string& name) {
    return name.empty() || FindByFirstLastName(doc, name) != 0 ? std::string() : star;
  };
  return Printf(Sid::kGroupLineFormat, hash.c_str(), group, mark(overseer).c_str(),
                U(doc, overseer).c_str(), mark(assistant).c_str(), U(doc, assistant).c_str(),
                U(doc, FieldText(doc.groups.location[g])).c_str(),
                DayName(doc.groups.day[g]).c_str(), U(doc, FieldText(doc.groups.time[g])).c_str());
}

std::string EditGroupCaption(const CZarimDoc& doc, int group) {
  if (!InRange(group)) return {};
  std::string label;
  if (doc.groups.use_name[group - 1] && FieldText(doc.groups.name[group - 1]).size() > 1) {
    label = U(doc, FieldText(doc.groups.name[group - 1]));
  } else {
    label = Printf(Sid::kGroupNumberFormat, std::string(Str(Sid::kGroupWord)).c_str(), group);
  }
  return Fill(Sid::kEditGroupButton, label);
}

// ---- Group detail --------------------------------------------------------------------

GroupDetailForm::GroupDetailForm(CZarimDoc& doc, int group) : doc_(doc), group_(group) {
  if (!valid()) return;
  int g = group - 1;
  overseer = U(doc, FieldText(doc.groups.overseer[g]));
  assistant = U(doc, FieldText(doc.groups.assistant[g]));
  location = U(doc, FieldText(doc.groups.location[g]));
  time = U(doc, FieldText(doc.groups.time[g]));
  name = U(doc, FieldText(doc.groups.name[g]));
  day = doc.groups.day[g] <= 6 ? doc.groups.day[g] : 0;
  use_name = doc.groups.use_name[g] != 0;
}

void GroupDetailForm::SelectOverseer(int rec) {
  if (rec >= 1 && rec < doc_.count) overseer = U(doc_, doc_.DisplayName(doc_.records[rec], false));
}

void GroupDetailForm::SelectAssistant(int rec) {
  if (rec >= 1 && rec < doc_.count) assistant = U(doc_, doc_.DisplayName(doc_.records[rec], false));
}

bool GroupDetailForm::Ok() {
  if (!valid()) return false;
  for (const std::string* text : {&overseer, &assistant, &location, &time, &name}) {
    const std::string fault = CodePageFault(*text, doc_.language_code);
    if (fault.empty()) continue;
    doc_.prompter->Tell(fault);
    return false;
  }
  int g = group_ - 1;
  GroupTable& t = doc_.groups;
  SetField(t.overseer[g], B(doc_, overseer));
  SetField(t.assistant[g], B(doc_, assistant));
  SetField(t.location[g], B(doc_, location));
  SetField(t.time[g], B(doc_, time));
  std::string n(Trim(B(doc_, name)));
  if (n.size() > kMaxGroupName) n.resize(kMaxGroupName);
  SetField(t.name[g], n);
  t.use_name[g] = use_name && !n.empty() ? 1 : 0;
  t.day[g] = static_cast<uint8_t>(std::clamp(day, 0, 6));
  if (group_ > t.count && !Trim(B(doc_, overseer)).empty()) t.count = static_cast<uint8_t>(group_);
  return true;
}

// ---- Assigned Publishers -------------------------------------------------------------

GroupAssignmentForm::GroupAssignmentForm(CZarimDoc& doc) : doc_(doc) { Refill(); }

void GroupAssignmentForm::SetGroup(int group) {
  group_ = group;
  Refill();
}
void GroupAssignmentForm::SetSourceGroup(int group) {
  source_ = group;
  Refill();
}
void GroupAssignmentForm::SetIncludeInactive(bool on) {
  include_inactive_ = on;
  Refill();
}

void GroupAssignmentForm::Refill() {
  members_.clear();
  candidates_.clear();
  unassigned_ = 0;
  for (int i = 0; i < doc_.index_count; ++i) {
    const PubIndexEntry& e = doc_.index[i];
    bool inactive = e.status == kInactive;
    if (e.status != kActive && !(inactive && include_inactive_)) continue;
    const PubRecord& r = doc_.records[e.rec];
    std::string name = U(doc_, doc_.DisplayName(r));
    if (inactive) name += Str(Sid::kInactiveSuffix);
    if (r.group == group_ && InRange(group_)) {
      members_.push_back({e.rec, name});
      continue;
    }
    if (r.group <= 0) ++unassigned_;
    bool offered = r.group <= 0 || source_ == 0 || r.group == source_;
    if (!offered) continue;
    if (r.group > 0) name = Printf(Sid::kNameWithGroup, name.c_str(), static_cast<int>(r.group));
    candidates_.push_back({e.rec, name});
  }
}

std::string GroupAssignmentForm::MembersCaption() const {
  return Fill(Sid::kPublishersInGroup, InRange(group_) ? std::to_string(group_) : std::string());
}

std::string GroupAssignmentForm::UnassignedText() const {
  if (unassigned_ == 0) return {};
  return Printf(Sid::kCountWithText, unassigned_,
                std::string(Str(Sid::kUnassignedPublishers)).c_str());
}

std::string GroupAssignmentForm::MoveTarget() const {
  return Fill(Sid::kToGroup, Printf(Sid::kGroupNumberSuffix, group_));
}

std::string GroupAssignmentForm::MoveLabel(int candidate) const {
  if (candidate < 0 || candidate >= static_cast<int>(candidates_.size())) return {};
  return U(doc_, doc_.DisplayName(doc_.records[candidates_[candidate].rec]));
}

bool GroupAssignmentForm::Assign(int candidate) {
  if (!InRange(group_) || candidate < 0 || candidate >= static_cast<int>(candidates_.size()))
    return false;
  doc_.records[candidates_[candidate].rec].group = static_cast<int8_t>(group_);
  Refill();
  return true;
}

}  // namespace zarim
