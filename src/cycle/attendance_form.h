// The "&Meeting Attendance" form: five week boxes per meeting with their total and
// average, the year and month lists over 24 months, and the month typed ahead.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/document.h"
#include "core/month.h"
#include "cycle/attendance.h"

namespace zarim {

class AttendanceForm {
 public:
  // Week boxes are numbered 0..9: midweek weeks 1-5, then weekend weeks 1-5.
  static constexpr int kBoxes = 2 * kWeeksPerMonth;

  // Without a valid working month the form offers no year, month or typed-ahead month,
  // shows empty boxes and writes nothing back; its title says why.
  explicit AttendanceForm(CZarimDoc& doc);

  // "Meeting Attendance  - <month> - <year>" of the month on screen.
  std::string title() const;
  std::string meeting_caption(int meeting) const;

  // Years: the working year - 2, - 1 and the working year (two digits).
  std::vector<std::string> years() const;
  int year_index() const { return year_index_; }
  // Writes the figures back, then shows the year; the month stays when the year offers
  // it, else the year's first month. False (nothing changes) when the index is out of
  // range or the year offers no month.
  bool SelectYear(int index);

  // Months of the chosen year: all twelve for last year, up to the working month for
  // this year, the months after the working month two years back.
  std::vector<std::string> months() const;
  int month_position() const;
  bool SelectMonthPosition(int position);

  int month() const;  // month index on screen
  int year() const;   // two-digit year on screen
  int slot() const;   // 0 or 1, or 2 while the ahead button is down

  // The month after the working month, while it is today's calendar month.
  bool ahead_shown() const { return ahead_shown_; }
  std::string ahead_caption() const;
  bool ahead() const { return ahead_; }
  void SetAhead(bool on);
  bool lists_shown() const { return !ahead_; }

  int week(int meeting, int w) const { return weeks_[meeting][w]; }
  // A typed value, bounded to 0 .. kMaxWeekAttendance.
  void SetWeek(int meeting, int w, int value);
  MonthFigures figures(int meeting) const { return ComputeFigures(weeks_[meeting]); }

  // "&Done": the figures on screen are written back.
  void Done() { WriteBack(); }

  // Keyboard movement between the week boxes.
  static int BoxAfterEnter(int box) { return (box + 1) % kBoxes; }
  static int BoxAfterDown(int box) {
    return box / kWeeksPerMonth * kWeeksPerMonth + (box + 1) % kWeeksPerMonth;
  }
  static int BoxAfterUp(int box) {
    return box / kWeeksPerMonth * kWeeksPerMonth + (box + kWeeksPerMonth - 1) % kWeeksPerMonth;
  }

 private:
  std::vector<int> MonthsOfYear(int year_index) const;
  void Load();
  void WriteBack();

  CZarimDoc& doc_;
  std::optional<MonthCursor> now_;  // the working month, when valid
  int working_month_;
  int working_year_;
  int year_index_ = 2;
  int month_;
  bool ahead_shown_ = false;
  bool ahead_ = false;
  int ahead_month_ = 0;
  int ahead_year_ = 0;
  WeekValues weeks_[2]{};
};

}  // namespace zarim
