// The monthly pioneer lists.
#include "records/pioneer_list_form.h"

#include <algorithm>

#include "core/month.h"
#include "core/strings.h"
#include "core/text_codec.h"

namespace zarim {

PioneerListForm::PioneerListForm(CZarimDoc& doc, Mode mode) : doc_(doc), mode_(mode) {
  month_ = doc.working_month;
  Refill();
}

int PioneerListForm::Year() const { return doc_.working_year - 2 + year_index_; }

int PioneerListForm::Code() const {
  if (mode_ == Mode::kAuxiliary) return kAuxiliary;
  return special_ ? kSpecial : kRegular;
}

std::string PioneerListForm::Title() const {
  std::string title(
      Str(mode_ == Mode::kAuxiliary ? Sid::kAuxPioneerListTitle : Sid::kRegPioneerListTitle));
  return Printf(Sid::kPioneerListTitleFormat, title.c_str(), MonthName(month_).c_str(), Year(),
                static_cast<int>(left_.size()));
}

std::vector<std::string> PioneerListForm::YearTexts() const {
  std::vector<std::string> out;
  for (int i = 0; i < 3; ++i)
    out.push_back(Printf(Sid::kYearTwoDigitFormat, doc_.working_year - 2 + i));
  return out;
}

std::vector<int> PioneerListForm::Months() const {
  std::vector<int> out;
  int first = 0, last = 11;
  if (year_index_ == 2) last = doc_.working_month;
  if (year_index_ == 0) first = doc_.working_month + 1;
  for (int m = first; m <= last; ++m) out.push_back(m);
  return out;
}

std::vector<std::string> PioneerListForm::MonthTexts() const {
  std::vector<std::string> out;
  for (int m : Months()) out.push_back(MonthName(m));
  return out;
}

void PioneerListForm::SelectYear(int index) {
  if (index < 0 || index > 2) return;
  year_index_ = index;
  auto months = Months();
  if (months.empty()) {
    // The earliest year offers nothing when the working month is December.
    year_index_ = 1;
    months = Months();
  }
  if (std::find(months.begin(), months.end(), month_) == months.end()) month_ = months.front();
  Refill();
}

bool PioneerListForm::SelectMonth(int month) {
  auto months = Months();
  if (std::find(months.begin(), months.end(), month) == months.end()) return false;
  month_ = month;
  Refill();
  return true;
}

void PioneerListForm::SetSpecial(bool on) {
  special_ = on && mode_ == Mode::kRegular;
  Refill();
}

void PioneerListForm::Refill() {
  left_.clear();
  right_.clear();
  const int slot = SlotOfYear(Year());
  const int n = std::min(doc_.status_count[kActive], kMaxStatusList);
  for (int i = 0; i < n; ++i) {
    int rec = doc_.lists[kActive][i].rec;
    if (rec < 1 || rec >= doc_.count) continue;
    const PubRecord& r = doc_.records[rec];
    int code = r.pioneer[month_][slot] & 3;
    Line line{rec, ToUtf8(doc_.DisplayName(r), doc_.language_code)};
    if (code == Code()) left_.push_back(line);
    if (code == kPublisher) right_.push_back(line);
  }
}

std::string PioneerListForm::MoveCaption(bool left_selected) {
  return std::string(Str(left_selected ? Sid::kRemoveArrows : Sid::kAddArrows));
}

bool PioneerListForm::Add(int right_index) {
  if (right_index < 0 || right_index >= static_cast<int>(right_.size())) return false;
  uint8_t& cell = doc_.records[right_[right_index].rec].pioneer[month_][SlotOfYear(Year())];
  cell = static_cast<uint8_t>((cell & ~3) | Code());
  Refill();
  return true;
}

bool PioneerListForm::Remove(int left_index) {
  if (left_index < 0 || left_index >= static_cast<int>(left_.size())) return false;
  uint8_t& cell = doc_.records[left_[left_index].rec].pioneer[month_][SlotOfYear(Year())];
  cell = static_cast<uint8_t>(cell & ~3);
  Refill();
  return true;
}

}  // namespace zarim
