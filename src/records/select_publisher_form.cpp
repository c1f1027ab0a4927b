// The publisher and Bible-student selection lists and the "Add Publisher" chooser.
#include "records/select_publisher_form.h"

#include <unicode/unistr.h>

#include <algorithm>
#include <map>

#include "core/store.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "records/delete_form.h"

namespace zarim {

SelectPublisherForm::SelectPublisherForm(CZarimDoc& doc, uint8_t status)
    : doc_(doc), status_(status) {
  Refill();
}

std::string SelectPublisherForm::Title() const {
  return std::string(
      Str(status_ == kNonPublisher ? Sid::kSelectBibleStudentTitle : Sid::kSelectPublisherTitle));
}

std::string SelectPublisherForm::AddCaption() const {
  if (status_ == kNonPublisher) return StudentAddCaption(doc_.language_code);
  return std::string(Str(Sid::kAddPublisherButton));
}

void SelectPublisherForm::Refill() {
  int keep = SelectedRecord();
  uint16_t keep_id = keep > 0 ? static_cast<uint16_t>(doc_.records[keep].id) : 0;
  RefreshDerivedState(doc_);  // a dialog opened from here may have changed the lists
  names_.clear();
  records_.clear();
  if (status_ > kDeleted) return;
  int n = std::min(doc_.status_count[status_], kMaxStatusList);
  for (int i = 0; i < n; ++i) {
    int rec = doc_.lists[status_][i].rec;
    if (rec < 1 || rec >= doc_.count) continue;
    records_.push_back(rec);
    names_.push_back(ToUtf8(doc_.DisplayName(doc_.records[rec]), doc_.language_code));
  }
  // Two people of the same name (a father and his son) are told apart by their group.
  std::map<std::string, int> same;
  for (const std::string& n : names_) ++same[n];
  for (size_t i = 0; i < names_.size(); ++i) {
    const int group = doc_.records[records_[i]].group;
    if (same[names_[i]] > 1 && group > 0)
      names_[i] = Printf(Sid::kNameWithGroup, names_[i].c_str(), group);
  }
  selection_ = records_.empty() ? -1 : 0;
  if (keep_id) SelectById(keep_id);
  if (selection_ >= static_cast<int>(records_.size()))
    selection_ = static_cast<int>(records_.size()) - 1;
}

std::vector<int> SelectPublisherForm::Matching(std::string_view text) const {
  icu::UnicodeString needle = icu::UnicodeString::fromUTF8(
      icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
  needle.trim().foldCase();
  std::vector<int> out;
  for (size_t i = 0; i < names_.size(); ++i) {
    if (needle.isEmpty() || icu::UnicodeString::fromUTF8(names_[i]).foldCase().indexOf(needle) >= 0)
      out.push_back(static_cast<int>(i));
  }
  return out;
}

void SelectPublisherForm::Select(int index) {
  if (index >= 0 && index < static_cast<int>(records_.size())) selection_ = index;
}

bool SelectPublisherForm::SelectById(uint16_t id) {
  for (size_t i = 0; i < records_.size(); ++i)
    if (doc_.records[records_[i]].id == id) {
      selection_ = static_cast<int>(i);
      return true;
    }
  return false;
}

void SelectPublisherForm::Move(int delta) {
  int n = static_cast<int>(records_.size());
  if (n == 0) return;
  selection_ = (((selection_ + delta) % n) + n) % n;
}

int SelectPublisherForm::SelectedRecord() const {
  return selection_ >= 0 && selection_ < static_cast<int>(records_.size()) ? records_[selection_]
                                                                           : 0;
}

std::string StudentAddCaption(const std::string& language_code) {
  std::string text(Str(Sid::kAddArrows));
  std::string out;
  for (char c : text) {
    if (c == '<') continue;
    if (c == ' ' && language_code != "swedish") continue;
    out += c;
  }
  return out;
}

std::vector<AddChoice> AddChoices(const CZarimDoc& doc) {
  std::vector<AddChoice> out{AddChoice::kNew};
  int students = 0, inactive = 0;
  for (int r = 1; r < doc.count; ++r) {
    if (doc.records[r].status == kNonPublisher) ++students;
    if (doc.records[r].status == kInactive) ++inactive;
  }
  if (students > 0) out.push_back(AddChoice::kFromStudents);
  if (inactive > 0) out.push_back(AddChoice::kFromInactive);
  return out;
}

std::string AddChoiceCaption(AddChoice c) {
  switch (c) {
    case AddChoice::kNew:
      return std::string(Str(Sid::kAddChoiceNew));
    case AddChoice::kFromStudents:
      return std::string(Str(Sid::kAddChoiceFromStudents));
    case AddChoice::kFromInactive:
      return std::string(Str(Sid::kAddChoiceFromInactive));
  }
  return {};
}

bool DeleteBibleStudent(CZarimDoc& doc, int rec) {
  if (rec < 1 || rec >= doc.count || doc.records[rec].status != kNonPublisher) return false;
  std::string q =
      Fill(Sid::kReallyDelete, ToUtf8(doc.DisplayName(doc.records[rec]), doc.language_code));
  if (doc.prompter->Ask(q, Buttons::kYesNo, Answer::kNo) != Answer::kYes) return false;
  return DeletePermanently(doc, rec);
}

}  // namespace zarim
