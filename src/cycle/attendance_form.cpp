// The meeting attendance form: what the dialog shows and what it writes back.
#include "cycle/attendance_form.h"

#include <algorithm>

#include "core/month.h"
#include "core/strings.h"
#include "cycle/congregation_view.h"

namespace zarim {

AttendanceForm::AttendanceForm(CZarimDoc& doc)
    : doc_(doc),
      now_(CongregationView(doc).WorkingMonth()),
      working_month_(now_ ? now_->month : 0),
      working_year_(now_ ? now_->year : 0),
      month_(working_month_) {
  int next = Serial(working_year_, working_month_) + 1;
  ahead_month_ = MonthOfSerial(next);
  ahead_year_ = YearOfSerial(next);
  ahead_shown_ =
      now_ && ahead_month_ + 1 == doc.today_month && 2000 + ahead_year_ == doc.today_year;
  Load();
}

std::string AttendanceForm::title() const {
  if (!now_) return std::string(Str(Sid::kWorkingMonthNotValid));
  return Fill(Sid::kAttendanceTitle, MonthName(month()), std::to_string(2000 + year()));
}

std::string AttendanceForm::meeting_caption(int meeting) const {
  return std::string(Str(meeting == kMidweekMeeting ? Sid::kMidweek : Sid::kWeekend));
}

std::vector<std::string> AttendanceForm::years() const {
  std::vector<std::string> out;
  for (int i = 0; i < 3 && now_; ++i)
    out.push_back(Printf(Sid::kAttendanceYearFormat, working_year_ - 2 + i));
  return out;
}

std::vector<int> AttendanceForm::MonthsOfYear(int year_index) const {
  std::vector<int> out;
  if (!now_) return out;
  int first = year_index == 0 ? working_month_ + 1 : 0;
  int last = year_index == 2 ? working_month_ : 11;
  for (int m = first; m <= last; ++m) out.push_back(m);
  return out;
}

bool AttendanceForm::SelectYear(int index) {
  if (index < 0 || index > 2 || ahead_) return false;
  std::vector<int> offered = MonthsOfYear(index);
  if (offered.empty()) return false;
  WriteBack();
  year_index_ = index;
  if (std::find(offered.begin(), offered.end(), month_) == offered.end()) month_ = offered.front();
  Load();
  return true;
}

std::vector<std::string> AttendanceForm::months() const {
  std::vector<std::string> out;
  for (int m : MonthsOfYear(year_index_)) out.push_back(MonthName(m));
  return out;
}

int AttendanceForm::month_position() const {
  std::vector<int> offered = MonthsOfYear(year_index_);
  auto it = std::find(offered.begin(), offered.end(), month_);
  return it == offered.end() ? -1 : static_cast<int>(it - offered.begin());
}

bool AttendanceForm::SelectMonthPosition(int position) {
  std::vector<int> offered = MonthsOfYear(year_index_);
  if (ahead_ || position < 0 || position >= static_cast<int>(offered.size())) return false;
  WriteBack();
  month_ = offered[position];
  Load();
  return true;
}

int AttendanceForm::month() const { return ahead_ ? ahead_month_ : month_; }
int AttendanceForm::year() const { return ahead_ ? ahead_year_ : working_year_ - 2 + year_index_; }
int AttendanceForm::slot() const { return ahead_ ? kAheadSlot : SlotOfYear(year()); }

std::string AttendanceForm::ahead_caption() const {
  return Printf(Sid::kAheadFormat, MonthName(ahead_month_).c_str(), 2000 + ahead_year_);
}

void AttendanceForm::SetAhead(bool on) {
  on = on && ahead_shown_;
  if (on == ahead_) return;
  WriteBack();
  ahead_ = on;
  Load();
}

void AttendanceForm::SetWeek(int meeting, int w, int value) {
  if (meeting < 0 || meeting > 1 || w < 0 || w >= kWeeksPerMonth) return;
  weeks_[meeting][w] = std::clamp(value, 0, kMaxWeekAttendance);
}

void AttendanceForm::Load() {
  if (!now_) return;  // the boxes stay empty
  for (int meeting = 0; meeting < 2; ++meeting)
    weeks_[meeting] = StoredWeeks(doc_, meeting, month(), slot());
}

void AttendanceForm::WriteBack() {
  if (!now_) return;  // no month to write to
  for (int meeting = 0; meeting < 2; ++meeting)
    StoreWeeks(doc_, meeting, month(), slot(), weeks_[meeting]);
}

}  // namespace zarim
