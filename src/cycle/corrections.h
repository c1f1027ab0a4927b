// The corrections log's view of the document: the reports of the months already sent to
// the branch, as a state that can be kept and compared, and the entries that turn one
// such state into another.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/corrections_file.h"
#include "core/document.h"
#include "core/local_time.h"

namespace zarim {

// What one publisher's report of one month holds, as the log compares it.
struct MonthReportCells {
  uint16_t activity[5] = {};  // the cells as stored (studies word whole)
  uint8_t pioneer = 0;        // pioneer code
  uint8_t late = 0;           // 1 when marked as a late report
  uint16_t credit = 0;
  std::string remark;  // UTF-8
  friend bool operator==(const MonthReportCells&, const MonthReportCells&) = default;
};

// The reports of the months already sent to the branch. Only non-empty reports are
// kept; a publisher missing from `cells` for a sent month had an empty report.
struct SentReports {
  std::vector<int> serials;                               // the sent months
  std::map<std::pair<int, int>, MonthReportCells> cells;  // (id, serial)
  std::map<int, std::string> names;                       // id -> display name, UTF-8
};

SentReports CaptureSentReports(const CZarimDoc& doc);

// One entry per field that differs between `before` and `now`, for every month that is
// a sent month in both, in publisher and month order.
std::vector<CorrectionEntry> CorrectionsBetween(const SentReports& before, const SentReports& now,
                                                const std::string& command,
                                                const std::string& when);

// An entry as one line of text for the user ("kCorrectionLine").
std::string CorrectionText(const CorrectionEntry& e);
// The month an entry is about, named with its year ("March 2026").
std::string CorrectionMonthName(const CorrectionEntry& e);
// The entries about month `month` (0 = January) of two-digit year `year`.
std::vector<CorrectionEntry> CorrectionsOfMonth(const std::vector<CorrectionEntry>& entries,
                                                int month, int year);

// The log entries that can be about the last twelve months: the running log and the
// yearly files of the working and the previous service year, then `pending` (entries not
// saved yet).
std::vector<CorrectionEntry> RecentCorrections(const CZarimDoc& doc,
                                               const std::vector<CorrectionEntry>& pending = {});

// The month at a glance's note when a month already reported to the branch now differs
// from the report sent: "2 corrections since the March report", with the number of logged
// corrections of the differing months and the earliest of them; empty when none differs.
std::string CorrectionsNotice(const CZarimDoc& doc,
                              const std::vector<CorrectionEntry>& pending = {});

// "YYYY-MM-DD HH:MM" of a moment.
std::string CorrectionTime(const LocalTime& t);

}  // namespace zarim
