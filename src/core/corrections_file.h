// The corrections log file: one line of UTF-8 text per change made to a month already
// reported to the branch, appended by the save and never changed afterwards. Reading is
// bounded in size and takes any bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/file_io.h"

namespace zarim {

struct CorrectionEntry {
  std::string when;     // local time, "YYYY-MM-DD HH:MM"
  std::string command;  // the command that made the change ("history", "History")
  int publisher_id = 0;
  std::string publisher;  // the display name, UTF-8
  int month = 0;          // 1..12, the month the change is about
  int year = 0;           // four digits
  std::string field;      // "hours", "studies", "pioneer", ... (see docs/data-format.md)
  std::string old_value;
  std::string new_value;
  friend bool operator==(const CorrectionEntry&, const CorrectionEntry&) = default;
};

// More is never read of a log file; a log is rolled aside long before it grows so large.
inline constexpr size_t kMaxCorrectionsBytes = 8u << 20;
// A line longer than this is not an entry.
inline constexpr size_t kMaxCorrectionLine = 4096;
// The running log is rolled into a yearly file when it passes this size.
inline constexpr size_t kRollCorrectionsBytes = 2u << 20;

// One entry as its line, ending in "\n".
std::string FormatCorrectionLine(const CorrectionEntry& e);

struct CorrectionsRead {
  std::vector<CorrectionEntry> entries;
  int unreadable = 0;      // lines that are not entries
  bool truncated = false;  // the input was longer than kMaxCorrectionsBytes
};
// The entries of a log's bytes, in order; what is not an entry is counted and skipped.
CorrectionsRead ParseCorrections(std::string_view bytes);
// The running log of a data folder (nothing when it is missing).
CorrectionsRead ReadCorrections(const std::string& folder);

// The running log and the yearly files of the given service years, in that order (older
// entries first): every file bounded as ParseCorrections bounds it.
CorrectionsRead ReadCorrectionsWithYears(const std::string& folder, const std::vector<int>& years);

// The service year (named by the year it ends in) of an entry's time; 0 when the time
// is not one.
int ServiceYearOfWhen(std::string_view when);

// The name the running log is rolled to for a service year: "corrections-2026.log", or
// "corrections-2026-2.log" and so on when that name is taken in folder.
std::string CorrectionsYearFileName(const std::string& folder, int service_year);

// Appends lines to the running log as part of a save: the bytes of the log as the save
// must write it. A log of an earlier service year than `service_year`, or one past the
// roll size, is first renamed to its yearly name (the rename keeps every old entry, so a
// save that dies after it leaves the old data with all old entries). False (reason in
// *error) when the log cannot be read or rolled.
bool AppendCorrections(const std::string& folder, std::string_view lines, int service_year,
                       Bytes* log, std::string* error);

}  // namespace zarim
