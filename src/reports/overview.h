// The Quick Overview: the working month's key counts and averages, the status counts of
// this service year and of the last six months, the custom category and the special
// needs, and the last twelve months of reports received and meeting attendance for a
// small chart.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/corrections_file.h"
#include "cycle/collection_state.h"
#include "reports/canvas.h"

namespace zarim {

class CZarimDoc;

struct OverviewPeriod {
  int aux_pioneers = 0;  // publishers who pioneered as auxiliaries in the period
  int new_publishers = 0;
  int inactive = 0;
  int reactivated = 0;
  int moveouts = 0;
};

struct OverviewMonth {
  int month = 0;    // month index
  int reports = 0;  // reports received: the stored totals' report counts
  int midweek = 0;  // average attendance
  int weekend = 0;
};

struct QuickOverview {
  int active = 0, regular = 0, baptized = 0, regular_pioneers = 0, elders = 0, servants = 0,
      aux_pioneers = 0;
  // "%4.1f" texts; the publishers' average is blank after the report-form switch.
  std::string avg_pubs, avg_pios, avg_aux;
  OverviewPeriod service_year, six_months;
  bool custom_defined = false;
  std::string custom_name;  // UTF-8
  int custom_count = 0;
  int deaf = 0, blind = 0, incarcerated = 0;
  std::array<OverviewMonth, 12> months{};  // oldest first, the working month last
};

QuickOverview ComputeQuickOverview(const CZarimDoc& doc);

// The labelled figures as the dialog shows them, label and value, in order; section
// captions have an empty value.
std::vector<std::pair<std::string, std::string>> QuickOverviewLines(const QuickOverview& o);

// A bar chart of the reports received per month with the weekend attendance as a line,
// drawn into the rectangle (device units) of a canvas.
void DrawOverviewChart(Canvas& canvas, const QuickOverview& o, int left, int top, int right,
                       int bottom);

// The working month at a glance: how far the month's report collection has come. The
// received reports and the missing ones are counted as the analysis and the missing-
// reports list count them, the late reports are those of the late-report list.
struct MonthAtGlance {
  int month = 0;            // month index of the working month
  bool month_valid = true;  // false: the stored working month is not valid; nothing counted
  int active = 0;           // active publishers, as "Active Pubs:" of the Quick Overview
  int received = 0;         // active publishers whose report for the month is in
  int missing = 0;          // the missing-reports list's lines (a remark excuses a publisher)
  int late = 0;             // late reports received this month for earlier months
  MonthCollection collection = MonthCollection::kNotInitialized;
  // "2 corrections since the March report" when a month already reported to the branch
  // now differs from the report sent; empty otherwise.
  std::string corrections;
};

// `pending`: corrections-log entries not saved yet (the owner's).
MonthAtGlance ComputeMonthAtGlance(const CZarimDoc& doc,
                                   const std::vector<CorrectionEntry>& pending = {});

// Its lines as the action panel shows them: the heading, then one line per figure, then
// the corrections note when there is one.
std::vector<std::string> MonthAtGlanceLines(const MonthAtGlance& g);

}  // namespace zarim
