// Plausible figures: a check of a monthly report against the publisher's own past and
// the slip's rules, so that a typing slip ("10 hours typed as 100") is noticed before
// the month is sent. A warning never refuses anything; the user may accept it.
#pragma once

#include <string>
#include <vector>

#include "core/document.h"

namespace zarim {

enum class FigureWarningKind {
  kHoursFarAboveUsual,       // far above the publisher's own usual hours
  kStudiesWithoutSharing,    // Bible studies on a report that says he did not share
  kCreditAboveLimit,         // pioneer credit above what the slip's rule allows
  kPioneerFarBelowRequired,  // a regular pioneer far below the monthly requirement
};

struct FigureWarning {
  FigureWarningKind kind;
  int id = 0;        // the publisher's identifier
  int month = 0;     // 0 = January
  int year = 0;      // two-digit year of the month
  int value = 0;     // the figure that was flagged (hours, studies or credit)
  int usual = 0;     // what it is compared with (the median, the allowed credit, the need)
  std::string text;  // the warning in the program's words, with the publisher's name
};

// The rules, so that the user guide and the tests name the same numbers.
inline constexpr int kUsualMonthsNeeded = 3;  // months with time before a median counts
inline constexpr int kUsualFactor = 3;        // more than three times the median ...
inline constexpr int kUsualMargin = 30;       // ... and at least 30 hours above it
// A regular pioneer whose hours and credit stay under this share of the month's need.
inline constexpr int kPioneerShortPercent = 50;

// Median of the whole hours of the months with time among the twelve before (month,
// two-digit year), quarter hours rounded down; nullopt-like -1 when fewer than
// kUsualMonthsNeeded months had time.
int UsualHours(const PubRecord& r, int month, int year);

// The warnings for one report: `r` holds the report as it would be stored (a slip's
// private copy, an imported record) for month `month` of two-digit year `year`.
std::vector<FigureWarning> CheckReport(const CZarimDoc& doc, const PubRecord& r, int month,
                                       int year);

// The warnings' texts, one a line, for a question or a list.
std::string WarningLines(const std::vector<FigureWarning>& warnings);

// Every warning of the reports that the working month's report to the branch holds:
// the active publishers' reports of the working month and the late reports posted in
// it, in publisher order. "Check Figures" lists these before the month is closed. None
// when the working month is not valid.
std::vector<FigureWarning> CheckWorkingMonth(const CZarimDoc& doc);

}  // namespace zarim
