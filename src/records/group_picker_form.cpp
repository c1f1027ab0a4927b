// The group picker form.
#include "records/group_picker_form.h"

#include <algorithm>

#include "core/document.h"
#include "core/strings.h"
#include "records/groups.h"

namespace zarim {

GroupPickerForm::GroupPickerForm(const CZarimDoc& doc, Purpose purpose, int proposed_group)
    : doc_(doc), purpose_(purpose) {
  int n = std::min<int>(doc.groups.count, kMaxGroups);
  for (int g = 1; g <= n; ++g) items_.push_back(GroupLabel(doc, g));
  if (n > 0) selection_ = std::clamp(proposed_group, 1, n) - 1;
}

std::string GroupPickerForm::Title() const { return std::string(Str(Sid::kPickGroupTitle)); }
std::string GroupPickerForm::ListCaption() const { return std::string(Str(Sid::kPickGroupLabel)); }

void GroupPickerForm::Select(int index) {
  if (index >= 0 && index < static_cast<int>(items_.size())) selection_ = index;
}

bool GroupPickerForm::GroupHasMembers(const CZarimDoc& doc, int group) {
  if (group < 1) return false;
  for (int r = 1; r < doc.count; ++r)
    if (doc.records[r].group == group) return true;
  return false;
}

std::string GroupPickerForm::NoGroupsNote() const {
  return items_.empty() ? std::string(Str(Sid::kNoGroupsYet)) : std::string();
}

std::string GroupPickerForm::GroupRefusal(const CZarimDoc& doc, int group) {
  if (group < 1 || group > std::min<int>(doc.groups.count, kMaxGroups))
    return Printf(Sid::kNoSuchGroup, group);
  if (!GroupHasMembers(doc, group)) return Printf(Sid::kGroupWithoutMembers, group);
  return {};
}

bool GroupPickerForm::IsOkEnabled() const {
  if (selection_ < 0) return false;
  return purpose_ == Purpose::kChoose || GroupHasMembers(doc_, group());
}

bool GroupPickerForm::ArePrintButtonsShown() const {
  return purpose_ == Purpose::kAnalysis && items_.size() >= 2;
}

std::string GroupPickerForm::PrintAllCaption() const {
  return std::string(Str(Sid::kPickPrint)) + " " + std::string(Str(Sid::kPickHash)) +
         Printf(Sid::kPickAllRange, static_cast<int>(items_.size()));
}

std::string GroupPickerForm::PrintSelectedCaption() const {
  return std::string(Str(Sid::kPickPrint)) +
         Printf(" %s %d", std::string(Str(Sid::kPickHash)).c_str(), std::max(group(), 0));
}

bool GroupPickerForm::Ok() {
  if (!IsOkShown() || !IsOkEnabled()) return false;
  result_ = Result::kOk;
  return true;
}

bool GroupPickerForm::PrintAll() {
  if (!ArePrintButtonsShown()) return false;
  result_ = Result::kPrintAll;
  return true;
}

bool GroupPickerForm::PrintSelected() {
  if (!ArePrintButtonsShown() || !GroupHasMembers(doc_, group())) return false;
  result_ = Result::kPrintSelected;
  return true;
}

}  // namespace zarim
