// The congregation's publisher record card: a header with the publisher's dates and
// check boxes and one or two service-year tables, in the new form (service years ending
// in 2024 or later) or the old one. Cards are drawn on whole sheets: a card with two
// service years fills a sheet, with one service year two cards share a sheet.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "reports/canvas.h"
#include "reports/page_frame.h"
#include "reports/report_model.h"
#include "reports/report_registry.h"
#include "reports/year_to_date.h"

namespace zarim {

class CZarimDoc;

// The service year (named by the calendar year it ends in) of the working month.
int WorkingServiceYear(const CZarimDoc& doc);
// Whether a service year is printed in the new form: from the one ending in 2024 on,
// unless old reports are shown from a month before the form changed.
bool CardUsesNewForm(const CZarimDoc& doc, int service_year);

// The hide flags of the cards' old-form rows: the "Average" row of the first (current)
// and second (previous) table, then the "Total" row of each.
inline constexpr int kCardHideAverageCurrent = 1;
inline constexpr int kCardHideAveragePrevious = 2;
inline constexpr int kCardHideTotalCurrent = 4;
inline constexpr int kCardHideTotalPrevious = 8;
inline constexpr int kCardHideAll = 15;

// The flags of single records, kept in the settings as "ID:FLAGS" pairs separated by
// blanks; malformed pairs are skipped, an empty flag set is not written.
std::map<int, int> ParseRecordHideFlags(std::string_view text);
std::string FormatRecordHideFlags(const std::map<int, int>& flags);
// The flags a record's card follows: those for all records and the record's own.
int CardHideFlags(const CZarimDoc& doc, int record);

// The card's width in device units: 7.5 inches, 7.25 on sheets taller than 11.4 inches.
int CardWidth(int dpi_x, bool tall_sheet);

// Parses a layout string of blank-separated numbers; nothing when a number is missing.
std::vector<int> LayoutNumbers(std::string_view text, size_t count);

// One month of a service-year table: the cells, blank when zero.
struct CardMonth {
  bool held = false;  // the month lies within the months the data keep
  bool reported = false;
  bool auxiliary = false;
  int values[5] = {0, 0, 0, 0, 0};  // by ActivityField; hours in whole hours
  std::string remark;               // UTF-8
};

struct CardYear {
  int service_year = 0;
  bool new_form = true;
  CardMonth months[12];  // September to August
  int totals[5] = {0, 0, 0, 0, 0};
  // The months the old form's averages divide by: the months of the service year up to
  // the working month that the record still keeps.
  int average_months = 0;
};

// The table of a publisher's service year.
CardYear BuildCardYear(const CZarimDoc& doc, int record, int service_year);

// The old form's average of a column: the total over the months the publisher's record
// covers in that service year (from September, or the first month it keeps, to the
// working month), whether he reported in them or not.
double CardAverage(const CardYear& year, int field);

// The congregation's totals card: the months of a period (oldest first) from the active
// file or the stored branch totals, for one category, in the old form's columns with the
// count of reports in the last.
struct TotalsCard {
  std::string title;     // the period's name
  std::string category;  // the category's name
  std::string source;    // "Summary of Active File" or "Reported to Branch"
  int service_year = 0;  // of the working month
  std::vector<YtdSummaryForm::Month> months;
  int totals[5] = {0, 0, 0, 0, 0};
  int reports = 0;
  int average_months = 0;  // the months of the period, which the averages divide by
};
TotalsCard BuildTotalsCard(const CZarimDoc& doc, int category, int period, bool from_branch);
// A column's average on the totals card: the column total over the period's months; the
// count of reports with field -1.
double TotalsCardAverage(const TotalsCard& card, int field);

// The service years a card shows: the working one and the one before (one further back
// each with previous_year), only the first with one service year per page.
std::vector<int> CardServiceYears(const CZarimDoc& doc, bool previous_year, bool one_per_page);

// Sheets needed for n cards.
int CardSheetCount(int cards, bool one_per_page);

// The records of a file's cards in the order chosen: the stored order, or alphabetic by
// formatted name.
std::vector<int> CardRecords(const CZarimDoc& doc, int status, bool alphabetic);

// The card of one publisher as a report model (header rows and each table).
ReportModel CardModel(const CZarimDoc& doc, int record, bool previous_year);

// Draws the cards of the context's selection; sets the page count (sheets).
void DrawRecordCards(const CZarimDoc& doc, Canvas& canvas, ReportContext& context);

std::vector<ReportEntry> CardReports();

}  // namespace zarim
