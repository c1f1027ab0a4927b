// The congregation meeting attendance record of a service year: for the midweek and the
// weekend meeting the months September to August with their number of meetings, total
// and average each week, closed by the average attendance each month. A sheet holds the
// chosen service year alone, or the year before it on the left and the chosen one on
// the right, as the branch's form has them side by side.
#pragma once

#include <string>
#include <vector>

#include "cycle/attendance.h"
#include "reports/canvas.h"
#include "reports/page_frame.h"
#include "reports/report_model.h"
#include "reports/report_registry.h"

namespace zarim {

class CZarimDoc;

// A report kind of its own for the record (no list or analysis uses it).
inline constexpr int kAttendanceRecordKind = 141;

struct AttendanceRecordMonth {
  bool held = false;  // the data still keep this month (or it was typed ahead)
  MonthFigures figures;
};

struct AttendanceRecordYear {
  int service_year = 0;
  AttendanceRecordMonth months[2][12];  // [meeting][September to August]
  // The months' weekly averages added up and divided by the months that had meetings,
  // rounded half up; 0 without any meeting.
  int monthly_average[2] = {0, 0};
};

// The record of a service year (named by the calendar year it ends in). A month counts
// when it lies within the 24 months up to the working month, or is the month after it
// with attendance typed ahead.
AttendanceRecordYear BuildAttendanceRecordYear(const CZarimDoc& doc, int service_year);

// The service years the kept attendance reaches into, the working one first.
std::vector<int> AttendanceRecordYears(const CZarimDoc& doc);

// The service years of a sheet, left to right: the selection's year (the working one
// when none is chosen), with the year before it first when two are asked for.
std::vector<int> AttendanceRecordSheetYears(const CZarimDoc& doc, const ReportSelection* selection);

ReportModel AttendanceRecordModel(const CZarimDoc& doc, const ReportContext& context, int group);
// Draws the record on one sheet; sets the page count.
void DrawAttendanceRecord(const CZarimDoc& doc, Canvas& canvas, ReportContext& context);

std::vector<ReportEntry> AttendanceRecordReports();

// "Congregation Meeting Attendance Record": the service year to print and whether the
// year before it stands beside it.
class AttendanceRecordForm {
 public:
  explicit AttendanceRecordForm(const CZarimDoc& doc);

  std::string Title() const;
  // The service years offered ("%d"), the working one first and preselected.
  std::vector<std::string> YearItems() const;
  int year_index = 0;
  bool two_years = false;

  ReportSelection Selection() const;

 private:
  std::vector<int> years_;
};

}  // namespace zarim
