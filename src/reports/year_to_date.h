// The two year-to-date views: a regular pioneer's hours and credits through the service
// year ("Pioneer Y-T-D Hours") and the activity summary of a category by month
// ("Year-to-Date Activity Summary"), from the publisher records or from the totals
// reported to the branch. Both are forms: the dialogs and zarim-cli show them.
#pragma once

#include <string>
#include <vector>

#include "core/document.h"
#include "reports/report_model.h"
#include "reports/report_registry.h"

namespace zarim {

class PioneerYtdForm {
 public:
  explicit PioneerYtdForm(const CZarimDoc& doc);

  std::string Title() const;
  // The regular pioneers of the working month, by name (UTF-8), and their records; none
  // when the working month is not valid.
  const std::vector<std::string>& Names() const { return names_; }
  const std::vector<int>& Records() const { return records_; }
  // Selects by position in Names(); false when out of range.
  bool Select(int index);
  // Selects by publisher identifier; false when he is not a regular pioneer.
  bool SelectId(int id);
  int selection() const { return selection_; }
  void SetPrevious(bool previous) { previous_ = previous; }
  bool previous() const { return previous_; }

  struct Line {
    std::string month, hours, credits, totals;
  };
  // September through the last month counted, then the totals line.
  std::vector<Line> Lines() const;
  std::string SinceText() const;      // "Pioneer since %1": the start month and its year
  std::string RemainingText() const;  // empty in August
  std::string PerMonthText() const;   // empty in August
  // Everything as text lines, for printing and the command line.
  std::vector<std::string> TextLines() const;

  // The printed form: title, the pioneer as subtitle, the months and the remaining lines.
  ReportModel Model() const;
  // The number a print job carries for the choice: the pioneer's record number twice, one
  // more for the previous service year; -1 without a pioneer.
  int PrintCode() const;
  // Takes the choice from such a number; false when it names no regular pioneer.
  bool SetPrintCode(int code);

 private:
  const CZarimDoc& doc_;
  std::vector<std::string> names_;
  std::vector<int> records_;
  int selection_ = -1;
  bool previous_ = false;
};

class YtdSummaryForm {
 public:
  enum Category { kPublishers = 0, kAuxiliary = 1, kRegular = 2 };
  enum Period { kLastSix = 0, kServiceYear = 1, kLastTwelve = 2 };

  explicit YtdSummaryForm(const CZarimDoc& doc) : doc_(doc) {}

  std::string Title() const;
  std::vector<std::string> CategoryNames() const;
  std::vector<std::string> PeriodNames() const;
  void SetCategory(int c) { category_ = c < 0 || c > 2 ? 0 : c; }
  void SetPeriod(int p) { period_ = p < 0 || p > 2 ? 1 : p; }
  void SetFromBranch(bool branch) { branch_ = branch; }
  int category() const { return category_; }
  int period() const { return period_; }
  bool from_branch() const { return branch_; }

  // The congregation's figures of one month of the period: the reports counted and the
  // five activity cells summed (hours with their quarter hours).
  struct Month {
    int month = 0;  // 0 = January
    int year = 0;   // four digits
    int reports = 0;
    int values[5] = {0, 0, 0, 0, 0};  // by ActivityField
  };
  // The months of the period, oldest first.
  std::vector<Month> Months() const;
  // The months the averages divide by: 6, those of this service year, or 12; 0 (and no
  // months) when the working month is not valid.
  int MonthCount() const;

  std::vector<std::string> Columns() const;  // "", "Shared in Ministry", "Bible Studies", "Hours"
  // One row per month of the period (oldest first), then "Totals" and "Avgs"; no rows
  // without a valid working month.
  std::vector<std::vector<std::string>> Rows() const;
  // "Tots/Avgs for %1", or the message that the working month is not valid.
  std::string FooterText() const;
  std::vector<std::string> TextLines() const;

  // The printed form: title, category and source, the table and the footer line.
  ReportModel Model() const;
  // The number a print job carries for the choice: category + 3 x period, 9 more when
  // the figures are those reported to the branch.
  int PrintCode() const { return category_ + 3 * period_ + (branch_ ? 9 : 0); }
  void SetPrintCode(int code);

 private:
  const CZarimDoc& doc_;
  int category_ = kPublishers;
  int period_ = kServiceYear;
  bool branch_ = false;
};

// Draws the year-to-date summary as a record form: the title at the left margin and the
// category five inches in, one inch from the top; the table six inches wide and three
// tall half an inch below; the footer line under it.
void DrawYtdSummary(const CZarimDoc& doc, Canvas& canvas, ReportContext& context, int code);

// The two forms as report kinds (printing, PDF, the command line's "report").
std::vector<ReportEntry> YearToDateReports();

}  // namespace zarim
