// What the corrections log records: a field-by-field comparison of the reports of the
// months already sent to the branch.
#include "cycle/corrections.h"

#include <fmt/format.h>

#include <algorithm>

#include "core/month.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "cycle/branch_check.h"
#include "cycle/late_reports.h"
#include "cycle/slip_queries.h"

namespace zarim {
namespace {

bool Empty(const MonthReportCells& c) { return c == MonthReportCells{}; }

std::string YesNo(bool v) { return v ? "yes" : "no"; }

std::string HoursText(const MonthReportCells& c) {
  static constexpr const char* kQuarter[] = {"", ".25", ".5", ".75"};
  return std::to_string(c.activity[kHours]) +
         kQuarter[(c.activity[kBibleStudies] >> kQuarterShift) & 3];
}

std::string PioneerText(int code) {
  static constexpr const char* kNames[] = {"publisher", "auxiliary", "regular", "special"};
  return kNames[code & 3];
}

// The fields of a month's report with their values as the log writes them. Old-form
// months keep "less than one hour" in the bit that later months use for "shared".
std::vector<std::pair<const char*, std::string>> Fields(const MonthReportCells& c, int serial) {
  const bool new_form = serial > kReportFormSwitchSerial;
  const uint16_t studies = c.activity[kBibleStudies];
  return {
      {new_form ? "shared" : "less-than-hour", YesNo(studies & kSharedBit)},
      {"hours", HoursText(c)},
      {"studies", std::to_string(studies & kStudiesMask)},
      {"placements", std::to_string(c.activity[kPlacements])},
      {"videos", std::to_string(c.activity[kVideos])},
      {"return-visits", std::to_string(c.activity[kReturnVisits])},
      {"pioneer", PioneerText(c.pioneer)},
      {"credit", std::to_string(c.credit)},
      {"late", YesNo(c.late)},
      {"remark", c.remark},
  };
}

}  // namespace

SentReports CaptureSentReports(const CZarimDoc& doc) {
  SentReports s;
  for (const MonthCursor& c : SentMonths(doc)) s.serials.push_back(c.serial());
  for (int rec = 1; rec < doc.count && rec < static_cast<int>(doc.records.size()); ++rec) {
    const PubRecord& r = doc.records[static_cast<size_t>(rec)];
    // A publisher deleted (or made a special servant) leaves the recount of the sent
    // months as if his reports were emptied; bringing him back fills them again.
    if (!CountsForBranch(r)) continue;
    bool named = false;
    for (int serial : s.serials) {
      const int m = MonthOfSerial(serial), slot = SlotOfSerial(serial);
      MonthReportCells c;
      for (int f = 0; f < 5; ++f) c.activity[f] = r.activity[f][m][slot];
      c.pioneer = static_cast<uint8_t>(PioneerCodeOf(r, m, slot));
      // A late report posted in this run is in the late list; the record's marker follows
      // it when the list is written back.
      c.late = r.late[m][slot] != 0 || IsInLateList(doc, r.id, m);
      c.credit = r.credit[m][slot];
      if (std::string remark = RemarkText(doc, r, m, slot); !remark.empty())
        c.remark = ToUtf8(remark, doc.language_code);
      if (Empty(c)) continue;
      s.cells[{r.id, serial}] = std::move(c);
      if (!named) s.names[r.id] = ToUtf8(doc.DisplayName(r), doc.language_code);
      named = true;
    }
  }
  return s;
}

std::vector<CorrectionEntry> CorrectionsBetween(const SentReports& before, const SentReports& now,
                                                const std::string& command,
                                                const std::string& when) {
  std::vector<CorrectionEntry> out;
  std::vector<int> serials;
  for (int serial : now.serials)
    if (std::find(before.serials.begin(), before.serials.end(), serial) != before.serials.end())
      serials.push_back(serial);
  // Every (publisher, month) that is non-empty on either side.
  std::map<std::pair<int, int>, std::pair<MonthReportCells, MonthReportCells>> pairs;
  for (const auto& [key, cells] : before.cells) pairs[key].first = cells;
  for (const auto& [key, cells] : now.cells) pairs[key].second = cells;
  for (const auto& [key, cells] : pairs) {
    const auto [id, serial] = key;
    if (cells.first == cells.second ||
        std::find(serials.begin(), serials.end(), serial) == serials.end())
      continue;
    std::string name;
    if (auto n = now.names.find(id); n != now.names.end())
      name = n->second;
    else if (auto b = before.names.find(id); b != before.names.end())
      name = b->second;
    const auto old_fields = Fields(cells.first, serial);
    const auto new_fields = Fields(cells.second, serial);
    for (size_t f = 0; f < old_fields.size(); ++f) {
      if (old_fields[f].second == new_fields[f].second) continue;
      CorrectionEntry e;
      e.when = when;
      e.command = command;
      e.publisher_id = id;
      e.publisher = name;
      e.month = MonthOfSerial(serial) + 1;
      e.year = 2000 + YearOfSerial(serial);
      e.field = old_fields[f].first;
      e.old_value = old_fields[f].second;
      e.new_value = new_fields[f].second;
      out.push_back(std::move(e));
    }
  }
  return out;
}

std::string CorrectionMonthName(const CorrectionEntry& e) {
  return MonthYearName(e.month - 1, e.year - 2000);
}

std::string CorrectionText(const CorrectionEntry& e) {
  return Printf(Sid::kCorrectionLine, e.when, e.command, e.publisher, e.publisher_id,
                CorrectionMonthName(e), e.field, e.old_value, e.new_value);
}

std::vector<CorrectionEntry> CorrectionsOfMonth(const std::vector<CorrectionEntry>& entries,
                                                int month, int year) {
  std::vector<CorrectionEntry> out;
  for (const CorrectionEntry& e : entries)
    if (e.month == month + 1 && e.year == 2000 + year) out.push_back(e);
  return out;
}

std::vector<CorrectionEntry> RecentCorrections(const CZarimDoc& doc,
                                               const std::vector<CorrectionEntry>& pending) {
  const int year = 2000 + ServiceYear(doc.working_year, doc.working_month);
  std::vector<CorrectionEntry> out =
      ReadCorrectionsWithYears(doc.data_folder, {year - 1, year}).entries;
  out.insert(out.end(), pending.begin(), pending.end());
  return out;
}

std::string CorrectionsNotice(const CZarimDoc& doc, const std::vector<CorrectionEntry>& pending) {
  if (doc.history_view || doc.count < 2) return {};
  std::vector<BranchCheckMonth> months = CheckBranchReports(doc);
  std::erase_if(months, [](const BranchCheckMonth& m) { return m.differences.empty(); });
  if (months.empty()) return {};
  const std::vector<CorrectionEntry> log = RecentCorrections(doc, pending);
  size_t count = 0;
  for (const BranchCheckMonth& m : months) count += CorrectionsOfMonth(log, m.month, m.year).size();
  // A difference that no entry explains (a change made before the log was kept) still
  // counts as one correction.
  count = std::max(count, months.size());
  // Newest first: the earliest differing month is the last.
  const std::string month = MonthName(months.back().month);
  return count == 1 ? Fill(Sid::kCorrectionSinceReport, month)
                    : Fill(Sid::kCorrectionsSinceReport, std::to_string(count), month);
}

std::string CorrectionTime(const LocalTime& t) {
  return fmt::format("{:04}-{:02}-{:02} {:02}:{:02}", t.year, t.month, t.day, t.hour, t.minute);
}

}  // namespace zarim
