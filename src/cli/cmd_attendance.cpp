// zarim-cli attendance: the weekly meeting attendance of a month (set) and the figures
// of the last 24 months with the averages (show).
#include <ostream>

#include "cli/cli.h"
#include "cli/json.h"
#include "core/month.h"
#include "cycle/attendance.h"

namespace zarim::cli {
namespace {

Outcome Set(Context& ctx) {
  auto& args = ctx.args;
  auto meeting_text = TakeOption(args, "--meeting");
  auto month_text = TakeOption(args, "--month");
  auto year_text = TakeOption(args, "--year");
  bool ahead = TakeFlag(args, "--ahead");
  if (!meeting_text || !month_text || !year_text ||
      args.size() != static_cast<size_t>(kWeeksPerMonth)) {
    ctx.err << "zarim-cli: usage: attendance set --meeting (midweek|weekend) --month M --year Y W1 "
               "W2 W3 W4 W5 "
               "[--ahead]\n";
    return Outcome::kUsage;
  }
  int meeting;
  if (*meeting_text == "midweek") {
    meeting = kMidweekMeeting;
  } else if (*meeting_text == "weekend") {
    meeting = kWeekendMeeting;
  } else {
    ctx.err << "zarim-cli: --meeting is midweek or weekend\n";
    return Outcome::kUsage;
  }
  auto month = ParseMonth(*month_text, ctx.err);
  auto year = ParseInt(*year_text, 2000, 2127, ctx.err, "year");
  if (!month || !year) return Outcome::kUsage;
  WeekValues weeks{};
  for (int w = 0; w < kWeeksPerMonth; ++w) {
    auto v = ParseInt(args[w], 0, kMaxWeekAttendance, ctx.err, "attendance");
    if (!v) return Outcome::kUsage;
    weeks[w] = *v;
  }
  const CZarimDoc& doc = ctx.doc;
  int serial = Serial(*year - 2000, *month - 1);
  int slot;
  if (ahead) {
    if (serial != doc.working_serial + 1) {
      ctx.err << "zarim-cli: only the month after the working month ("
              << MonthName((doc.working_month + 1) % 12) << ") can be entered ahead\n";
      return Outcome::kRefused;
    }
    slot = kAheadSlot;
  } else {
    if (serial > doc.working_serial || serial <= doc.working_serial - 24) {
      ctx.err
          << "zarim-cli: attendance is kept for the 24 months that end with the working month\n";
      return Outcome::kRefused;
    }
    slot = SlotOfSerial(serial);
  }
  StoreWeeks(ctx.doc, meeting, *month - 1, slot, weeks);
  MonthFigures f = StoredFigures(ctx.doc, meeting, *month - 1, slot);
  ctx.out << "number " << f.number << ", total " << f.total << ", average " << f.average << "\n";
  return Outcome::kDone;
}

Outcome Show(Context& ctx) {
  bool json = TakeFlag(ctx.args, "--json");
  if (!ctx.args.empty()) {
    ctx.err << "zarim-cli: usage: attendance show [--json]\n";
    return Outcome::kUsage;
  }
  const CZarimDoc& doc = ctx.doc;
  const char* names[] = {"midweek", "weekend"};
  struct Row {
    int serial;
    int slot;
  };
  std::vector<Row> rows;
  for (int k = 23; k >= 0; --k)
    rows.push_back({doc.working_serial - k, SlotOfSerial(doc.working_serial - k)});
  rows.push_back({doc.working_serial + 1, kAheadSlot});
  int service_months = ServiceYearMonths(doc);
  if (json) {
    Json j(ctx.out);
    j.BeginObject();
    for (int meeting = 0; meeting < 2; ++meeting) {
      j.Key(names[meeting]).BeginObject();
      j.Key("months").BeginArray();
      for (const Row& row : rows) {
        int m = MonthOfSerial(row.serial);
        MonthFigures f = StoredFigures(doc, meeting, m, row.slot);
        j.BeginObject().Field("month", m + 1).Field("year", 2000 + YearOfSerial(row.serial));
        j.Field("ahead", row.slot == kAheadSlot);
        j.Key("weeks").BeginArray();
        for (int v : StoredWeeks(doc, meeting, m, row.slot)) j.Value(v);
        j.EndArray();
        j.Field("number", f.number).Field("total", f.total).Field("average", f.average).EndObject();
      }
      j.EndArray();
      j.Field("average_3", AverageOverMonths(doc, meeting, 3));
      j.Field("average_6", AverageOverMonths(doc, meeting, 6));
      j.Field("average_service_year", AverageOverMonths(doc, meeting, service_months));
      j.EndObject();
    }
    j.EndObject();
    return Outcome::kDone;
  }
  for (int meeting = 0; meeting < 2; ++meeting) {
    ctx.out << names[meeting] << ":\n";
    for (const Row& row : rows) {
      int m = MonthOfSerial(row.serial);
      MonthFigures f = StoredFigures(doc, meeting, m, row.slot);
      if (row.slot == kAheadSlot && f.number == 0) continue;
      ctx.out << "  " << 2000 + YearOfSerial(row.serial) << "-" << (m < 9 ? "0" : "") << m + 1
              << (row.slot == kAheadSlot ? " ahead" : "") << ":";
      for (int v : StoredWeeks(doc, meeting, m, row.slot)) ctx.out << " " << v;
      ctx.out << "  number " << f.number << " total " << f.total << " average " << f.average
              << "\n";
    }
    ctx.out << "  averages: 3 months " << AverageOverMonths(doc, meeting, 3) << ", 6 months "
            << AverageOverMonths(doc, meeting, 6) << ", service year "
            << AverageOverMonths(doc, meeting, service_months) << "\n";
  }
  return Outcome::kDone;
}

Outcome Attendance(Context& ctx) {
  if (ctx.args.empty()) {
    ctx.err << "zarim-cli: usage: attendance (set|show) ...\n";
    return Outcome::kUsage;
  }
  std::string sub = ctx.args.front();
  ctx.args.erase(ctx.args.begin());
  if (sub == "set") return Set(ctx);
  if (sub == "show") return Show(ctx);
  ctx.err << "zarim-cli: unknown attendance command '" << sub << "'\n";
  return Outcome::kUsage;
}

ZARIM_CLI_COMMAND(
    "attendance", Access::kWrites,
    "attendance set --meeting (midweek|weekend) --month M --year Y W1 W2 W3 W4 W5 [--ahead] | "
    "attendance show [--json]",
    Attendance, {"", "show"});

}  // namespace
}  // namespace zarim::cli
