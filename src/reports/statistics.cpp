// Averages, hours for twelve months, service-year totals, pioneer hours and statistics.
#include "reports/statistics.h"

#include <algorithm>
#include <array>

#include "core/bytes.h"
#include "core/document.h"
#include "core/month.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "cycle/attendance.h"
#include "cycle/congregation_view.h"
#include "cycle/slip_queries.h"
#include "cycle/status_lists.h"
#include "cycle/status_rules.h"
#include "records/groups.h"
#include "reports/measures.h"
#include "reports/report_kind.h"

namespace zarim {

namespace {

using namespace report_kind;

std::string S(Sid id) { return std::string(Str(id)); }
std::string U(const CZarimDoc& doc, const std::string& bytes) {
  return ToUtf8(bytes, doc.language_code);
}
std::string NumOrBlank(int v) { return v ? Printf("%d", v) : std::string(); }
std::string Name(const CZarimDoc& doc, int rec) {
  return U(doc, doc.DisplayName(doc.records[static_cast<size_t>(rec)]));
}
std::string CongregationSuffix(const CZarimDoc& doc) {
  std::string name(Trim(doc.options.congregation_name));
  return name.empty() ? std::string() : S(Sid::kTitleSeparator) + U(doc, name);
}
int Privilege(const PubRecord& r) { return r.flags & kPrivilegeMask; }
bool AfterSwitch(const CZarimDoc& doc) { return doc.working_serial > doc.switch_serial; }

bool Passes(const CZarimDoc& doc, const PubRecord& r, int kind, int group) {
  const int code = CongregationView(doc).PioneerCodeNow(r);
  switch (kind) {
    case kAveragesGroup:
    case kHoursGroup:
      return r.group == group;
    case kAveragesRegular:
    case kHoursRegular:
    case kServiceYearRegular:
    case kPioneerHours:
      return code == kRegular;
    case kAveragesElders:
      return Privilege(r) == kElder;
    case kAveragesServants:
      return Privilege(r) == kServant;
    case kAveragesBrothers:
    case kHoursBrothers:
      return Privilege(r) == kBaptizedBrother;
    case kHoursEldersServants:
    case kServiceYearEldersServants:
      return Privilege(r) == kServant || Privilege(r) == kElder;
    case kAveragesCustom:
    case kHoursCustom:
      return (r.flags & kCustomCategory) != 0;
    case kHoursAuxiliary:
      return AuxMonthsInLast(doc, r, 12) > 0;
    default:
      return true;
  }
}

bool IsGroupKind(int kind) { return kind == kAveragesGroup || kind == kHoursGroup; }

// "Congregation" or the group's name, the filter's name, and the congregation's name for
// a congregation-wide list.
std::string Subtitle(const CZarimDoc& doc, int kind, int group, Sid filter_name) {
  std::string s = IsGroupKind(kind) ? GroupLabel(doc, group) : S(Sid::kSubCongregation);
  std::string filter;
  if (kind == kAveragesCustom || kind == kHoursCustom) {
    filter = U(doc, doc.options.custom_category_name);
  } else if (filter_name != Sid{}) {
    filter = S(filter_name);
  }
  if (!filter.empty()) s += S(Sid::kTitleSeparator) + filter;
  if (!IsGroupKind(kind)) s += CongregationSuffix(doc);
  return s;
}

// ---- Three/six-month averages -------------------------------------------------------

Sid AveragesFilter(int kind) {
  switch (kind) {
    case kAveragesRegular:
      return Sid::kFilterRegular;
    case kAveragesElders:
      return Sid::kFilterElder;
    case kAveragesServants:
      return Sid::kFilterServant;
    case kAveragesBrothers:
      return Sid::kFilterBrother;
    default:
      return Sid{};
  }
}

void Averages(const CZarimDoc& doc, const MonthCursor& now, int kind, int group, TableLayout& out) {
  ReportModel& m = out.model;
  m.title = S(Sid::kAveragesTitle) + " " + MonthName(now.month);
  m.subtitle = Subtitle(doc, kind, group, AveragesFilter(kind));
  m.columns = {S(Sid::kColName), S(Sid::kColShared), S(Sid::kColStudies), S(Sid::kColAuxP),
               S(Sid::kColHours)};
  out.grids[0] = {{0, false}, {31, true}, {41, true}, {50, true}, {61, true}};
  const std::vector<int> listed = ListedRecords(doc, kind, group);
  for (int rec : listed) {
    const PubRecord& r = doc.records[static_cast<size_t>(rec)];
    AveragePair studies = PublisherAverages(doc, r, kBibleStudies);
    AveragePair hours = PioneerHoursAverages(doc, r);
    const int aux6 = AuxMonthsInLast(doc, r, 6);
    out.Add(RowKind::kPublisher,
            {Name(doc, rec), Printf("%d / %d", ReportsInLast(doc, r, 3), ReportsInLast(doc, r, 6)),
             Printf("%6.1f/%4.1f", studies.three, studies.six),
             aux6 ? Printf("%d / %d", AuxMonthsInLast(doc, r, 3), aux6) : std::string(),
             hours.three < 0.01 ? std::string() : Printf("%6.1f/%4.1f", hours.three, hours.six)},
            {.font = FontRole::kSmall});
  }
}

// ---- Hours for twelve months --------------------------------------------------------

Sid HoursFilter(int kind) {
  switch (kind) {
    case kHoursRegular:
      return Sid::kSubRegularPioneers;
    case kHoursAuxiliary:
      return Sid::kSubAuxiliaryPioneers;
    case kHoursEldersServants:
      return Sid::kSubEldersServants;
    case kHoursBrothers:
      return Sid::kSubBaptizedBrothers;
    default:
      return Sid{};
  }
}

void Hours(const CZarimDoc& doc, const MonthCursor& now, int kind, int group, TableLayout& out) {
  ReportModel& m = out.model;
  const int wm = now.month;
  m.title = S(Sid::kHoursTitle) + " " + MonthName(wm);
  m.subtitle = Subtitle(doc, kind, group, HoursFilter(kind));
  // The twelve months, oldest first.
  std::array<MonthCursor, 12> months;
  MonthCursor c = CursorAt(doc.working_serial);
  for (int i = 11; i >= 0; --i, c.Back()) months[static_cast<size_t>(i)] = c;
  m.columns = {S(Sid::kColName)};
  TableGrid grid = {{0, false}};
  for (int i = 0; i < 12; ++i) {
    m.columns.push_back(ShortMonthName(months[static_cast<size_t>(i)].month));
    grid.push_back({22 + 4 * i, false});
  }
  m.columns.push_back(S(Sid::kColAvgs));
  grid.push_back({75, true});
  out.grids[0] = grid;
  const Sid fractions[4] = {Sid{}, Sid::kQuarter1, Sid::kQuarter2, Sid::kQuarter3};
  const std::vector<int> listed = ListedRecords(doc, kind, group);
  for (int rec : listed) {
    const PubRecord& r = doc.records[static_cast<size_t>(rec)];
    std::vector<std::string> cells = {Name(doc, rec)};
    int sum = 0, quarters = 0, aux_sum = 0, aux_months = 0;
    for (const MonthCursor& mc : months) {
      const int hours = FieldValue(r, mc.month, kHours, mc.slot);
      const int q = QuartersIn(r, mc.month, mc.slot);
      const int code = PioneerCodeOf(r, mc.month, mc.slot);
      sum += hours;
      quarters += q;
      if (code == kAuxiliary && HasTimeInMonth(r, mc.month, mc.slot)) {
        aux_sum += hours;
        ++aux_months;
      }
      std::string cell;
      if (code == kPublisher && mc.serial() > doc.switch_serial) {
        if (ReportedInMonth(r, mc.month, mc.slot)) cell = S(Sid::kTickMark);
      } else {
        if (hours) cell = Printf("%d", hours);
        if (q >= 1 && q <= 3) cell += S(fractions[q]);
      }
      cells.push_back(cell);
    }
    const double avg = kind == kHoursAuxiliary
                           ? (aux_months ? static_cast<double>(aux_sum) / aux_months : 0)
                           : HoursWithQuarters(sum, quarters) / 12.0;
    cells.push_back(Printf("%3.1f", avg));
    out.Add(RowKind::kPublisher, std::move(cells), {.font = FontRole::kSmall});
  }
}

// ---- Service-year totals ------------------------------------------------------------

void ServiceYear(const CZarimDoc& doc, const MonthCursor& now, int kind, TableLayout& out) {
  ReportModel& m = out.model;
  m.title = S(Sid::kServiceYearTitle) + " " + MonthName(now.month);
  m.subtitle = kind == kServiceYearRegular          ? S(Sid::kSubRegularPioneers)
               : kind == kServiceYearEldersServants ? S(Sid::kSubEldersServants)
                                                    : S(Sid::kSubCongregation);
  m.columns = {S(Sid::kColName), S(Sid::kColShared), S(Sid::kColStudies), S(Sid::kColAuxP),
               S(Sid::kColHours)};
  out.grids[0] = {{0, false}, {31, true}, {38, true}, {45, true}, {52, true}};
  unsigned studies = 0, aux = 0, hours = 0;
  const std::vector<int> listed = ListedRecords(doc, kind, 0);
  for (int rec : listed) {
    const PubRecord& r = doc.records[static_cast<size_t>(rec)];
    const int s = ServiceYearTotal(doc, r, kBibleStudies);
    const int a = ServiceYearAuxMonths(doc, r);
    const int h = ServiceYearTotal(doc, r, kHours);
    studies += static_cast<unsigned>(s);
    aux += static_cast<unsigned>(a);
    hours += static_cast<unsigned>(h);
    out.Add(RowKind::kPublisher, {Name(doc, rec), NumOrBlank(ServiceYearReports(doc, r)),
                                  NumOrBlank(s), NumOrBlank(a), NumOrBlank(h)});
  }
  out.Add(RowKind::kTotal,
          {S(Sid::kTotalsRow), "", Printf("%u", studies), Printf("%u", aux), Printf("%u", hours)});
}

// ---- Pioneer hours ------------------------------------------------------------------

void PioneerHours(const CZarimDoc& doc, const MonthCursor& now, TableLayout& out) {
  ReportModel& m = out.model;
  const int wm = now.month;
  m.title = S(Sid::kServiceYearTitle) + " " + MonthName(wm);
  m.subtitle = S(Sid::kSubRegularPioneers) + S(Sid::kTitleSeparator) + S(Sid::kSubHours);
  m.columns = {S(Sid::kColName),
               S(Sid::kColHours),
               S(Sid::kColCredits),
               S(Sid::kColTotals),
               S(Sid::kColAvg),
               S(Sid::kColRemaining),
               ""};
  out.second_heading = {"", "", "", "", "", S(Sid::kColSvcYr), S(Sid::kColPerMonth)};
  out.grids[0] = {{0, false}, {33, true}, {40, true}, {47, true},
                  {54, true}, {62, true}, {70, true}};
  bool late = false;
  const std::vector<int> listed = ListedRecords(doc, kPioneerHours, 0);
  for (int rec : listed) {
    const PubRecord& r = doc.records[static_cast<size_t>(rec)];
    PioneerYear p = ComputePioneerYear(doc, r);
    std::string name = Name(doc, rec);
    if (p.late_start()) {
      name += S(Sid::kLateStartMark);
      late = true;
    }
    out.Add(RowKind::kPublisher,
            {name, Printf("%d", p.hours), Printf("%d", p.credits),
             Printf("%d", p.hours + p.credits), Printf("%4.1f", p.average),
             Printf("%d", p.remaining), wm == 7 ? std::string() : Printf("%4.1f", p.per_month)});
  }
  if (late) {
    out.Add(RowKind::kBlank, {});
    out.Add(RowKind::kText, {S(Sid::kFootnoteMark) + S(Sid::kLateStartNote)});
  }
}

// ---- Statistics ---------------------------------------------------------------------

std::string PercentOf(int count, int active) {
  return Printf(Sid::kPercentFormat, active > 0 ? count * 100.0 / active : 0.0, '%');
}

// Publishers of a status list whose event month is the working month `wm`.
int InWorkingMonth(const CZarimDoc& doc, int wm, const std::vector<StatusLine>& lines) {
  int n = 0;
  for (const StatusLine& l : lines) n += StatusEventMonth(doc.records[l.rec]) == wm + 1;
  return n;
}

void Statistics(const CZarimDoc& doc, const MonthCursor& now, TableLayout& out) {
  ReportModel& m = out.model;
  const int wm = now.month, ws = now.slot;
  const std::string who = doc.language_code == Str(Sid::kCroatianLanguage)
                              ? S(Sid::kStatisticsCroatian)
                              : S(Sid::kSubCongregation);
  m.title = Fill(Sid::kStatisticsTitle, who) + MonthName(wm) + CongregationSuffix(doc);
  // Grids: counts with a percentage; three figures; four figures; five figures; the
  // brackets.
  out.grids = {
      {{0, false}, {30, true}, {37, true}},
      {{0, false}, {30, true}, {37, true}, {44, true}},
      {{0, false}, {30, true}, {37, true}, {44, true}, {51, true}},
      {{0, false}, {30, true}, {37, true}, {44, true}, {51, true}, {58, true}},
      {{0, false}, {22, true}, {28, true}, {34, false}, {56, true}, {62, true}},
  };
  const std::vector<int> active = ActiveRecords(doc);
  const int n = static_cast<int>(active.size());
  int regular = 0, baptized = 0, pioneers = 0, elders = 0, servants = 0, special = 0, aux = 0;
  for (int rec : active) {
    const PubRecord& r = doc.records[static_cast<size_t>(rec)];
    regular += !IsIrregular(doc, r);
    baptized += Trim(FieldText(r.baptism_date)).size() >= 6;
    const int code = PioneerCodeOf(r, wm, ws);
    pioneers += code == kRegular;
    special += code == kSpecial;
    aux += code == kAuxiliary;
    elders += Privilege(r) == kElder;
    servants += Privilege(r) == kServant;
  }
  auto count_row = [&](Sid label, int count, bool percent) {
    out.Add(RowKind::kText, {S(label), Printf("%d", count), percent ? PercentOf(count, n) : ""},
            {.grid = 0});
  };
  count_row(Sid::kStatActive, n, false);
  count_row(Sid::kStatRegular, regular, true);
  count_row(Sid::kStatBaptized, baptized, true);
  count_row(Sid::kStatRegularPioneers, pioneers, false);
  count_row(Sid::kStatElders, elders, false);
  count_row(Sid::kStatServants, servants, false);
  if (special > 0) count_row(Sid::kStatSpecialPioneers, special, false);

  // Month, six months and service year.
  out.Add(RowKind::kBlank, {}, {.grid = 1});
  out.Add(RowKind::kHeading, {"", ShortMonthName(wm), S(Sid::kColSixMo), S(Sid::kColSvcYr)},
          {.grid = 1, .font = FontRole::kHeading});
  const int sy = ServiceYearMonthCount(doc);
  int aux6 = 0, aux_sy = 0;
  for (int rec : active) {
    const PubRecord& r = doc.records[static_cast<size_t>(rec)];
    aux6 += AuxMonthsInLast(doc, r, 6) > 0;
    aux_sy += AuxMonthsInLast(doc, r, sy) > 0;
  }
  auto period_row = [&](Sid label, int month, int six, int year) {
    out.Add(RowKind::kText, {S(label), Printf("%d", month), Printf("%d", six), Printf("%d", year)},
            {.grid = 1});
  };
  period_row(Sid::kStatAux, aux, aux6, aux_sy);
  auto status_row = [&](Sid label, auto list) {
    std::vector<StatusLine> six = list(kViewPeriodLastSix);
    period_row(label, InWorkingMonth(doc, wm, six), static_cast<int>(six.size()),
               static_cast<int>(list(kViewPeriodServiceYear).size()));
  };
  status_row(Sid::kStatNew, [&](int p) { return NewPublishersList(doc, p); });
  status_row(Sid::kStatInactive, [&](int p) { return InactiveViewList(doc, p); });
  status_row(Sid::kStatReactivated, [&](int p) { return ReactivatedList(doc, p); });
  status_row(Sid::kStatMoveouts, [&](int p) { return MoveoutsList(doc, p); });

  // Average hours by category.
  const std::pair<int, Sid> categories[3] = {
      {kPublisher, Sid::kTotalsPubs}, {kRegular, Sid::kTotalsPios}, {kAuxiliary, Sid::kTotalsAuxP}};
  for (const auto& [code, label] : categories) {
    if (code == kPublisher && AfterSwitch(doc)) continue;
    out.Add(RowKind::kText,
            {S(Sid::kStatAvgHrs) + S(Sid::kStatAvgOpen) + S(label) + S(Sid::kStatAvgClose),
             Printf("%3.1f", CongregationAverage(doc, code, 1, kHours, 0)),
             Printf("%3.1f", CongregationAverage(doc, code, 6, kHours, 0)),
             Printf("%3.1f", CongregationAverage(doc, code, sy, kHours, 0))},
            {.grid = 1});
  }

  if (doc.format.birth_baptism_stats) {
    std::array<int, 7> bapt{}, age{};
    for (int rec : active) {
      const PubRecord& r = doc.records[static_cast<size_t>(rec)];
      auto bracket = [](int years, std::initializer_list<int> limits) {
        int i = 0;
        for (int limit : limits) {
          if (years < limit) return i;
          ++i;
        }
        return i;
      };
      if (Trim(FieldText(r.baptism_date)).size() < 6) {
        ++bapt[0];
      } else if (auto years = YearsSince(doc, r.baptism_date); years && *years >= 0) {
        ++bapt[static_cast<size_t>(1 + bracket(*years, {1, 5, 10, 20, 30}))];
      }
      if (auto years = YearsSince(doc, r.birth_date)) {
        // A birth date after today is taken for a child's.
        ++age[static_cast<size_t>(*years < 0 ? 0 : bracket(*years, {20, 30, 40, 50, 60, 70}))];
      }
    }
    const Sid bapt_labels[7] = {Sid::kBaptUnbaptized, Sid::kBaptLessThanYear, Sid::kBapt1to4,
                                Sid::kBapt5to9,       Sid::kBapt10to19,       Sid::kBapt20to29,
                                Sid::kBaptOver30};
    const Sid age_labels[7] = {Sid::kAgeUnder20, Sid::kAge20s, Sid::kAge30s,   Sid::kAge40s,
                               Sid::kAge50s,     Sid::kAge60s, Sid::kAgeOver70};
    out.Add(RowKind::kBlank, {}, {.grid = 4});
    out.Add(RowKind::kHeading, {S(Sid::kYearsBaptized), "", "", S(Sid::kYearsOfAge)},
            {.grid = 4, .font = FontRole::kHeading});
    for (size_t i = 0; i < 7; ++i)
      out.Add(RowKind::kText,
              {S(bapt_labels[i]), Printf("%d", bapt[i]), PercentOf(bapt[i], n), S(age_labels[i]),
               Printf("%d", age[i]), PercentOf(age[i], n)},
              {.grid = 4});
  }

  // Meeting attendance.
  out.Add(RowKind::kBlank, {}, {.grid = 2});
  out.Add(RowKind::kHeading,
          {S(Sid::kStatMeetingAttendance), ShortMonthName(wm), S(Sid::kColThreeMon),
           S(Sid::kSixMonthColumn), S(Sid::kColSvcYr)},
          {.grid = 2, .font = FontRole::kHeading});
  for (int meeting : {kMidweekMeeting, kWeekendMeeting}) {
    out.Add(RowKind::kText,
            {S(meeting == kMidweekMeeting ? Sid::kMidweekMeeting : Sid::kWeekendMeeting),
             Printf("%d", StoredFigures(doc, meeting, wm, ws).average),
             Printf("%d", AverageOverMonths(doc, meeting, 3)),
             Printf("%d", AverageOverMonths(doc, meeting, 6)),
             Printf("%d", AverageOverMonths(doc, meeting, ServiceYearMonths(doc)))},
            {.grid = 2});
  }

  // Six-month averages of each cell by pioneer code.
  const bool after = AfterSwitch(doc);
  out.Add(RowKind::kBlank, {}, {.grid = 3});
  out.Add(RowKind::kHeading, {S(Sid::kSixMonthsEnding) + " " + MonthName(wm)},
          {.grid = 3, .font = FontRole::kSubtitle});
  const Sid columns[5] = {Sid::kColPlacements, Sid::kColVideos, Sid::kColHours,
                          Sid::kColReturnVisits, Sid::kColStudies};
  const int fields[5] = {kPlacements, kVideos, kHours, kReturnVisits, kBibleStudies};
  std::vector<std::string> heading = {""};
  for (int f = 0; f < 5; ++f) heading.push_back(after && f != 2 && f != 4 ? "" : S(columns[f]));
  out.Add(RowKind::kHeading, std::move(heading), {.grid = 3, .font = FontRole::kHeading});
  const std::pair<int, Sid> rows[3] = {{kPublisher, Sid::kRowPublishers},
                                       {kAuxiliary, Sid::kRowAuxiliary},
                                       {kRegular, Sid::kRowRegular}};
  for (const auto& [code, label] : rows) {
    std::vector<std::string> cells = {S(label)};
    for (int f = 0; f < 5; ++f) {
      const bool left_out = after && (fields[f] != kHours && fields[f] != kBibleStudies);
      const bool pub_hours = after && code == kPublisher && fields[f] == kHours;
      cells.push_back(left_out || pub_hours
                          ? std::string()
                          : Printf("%3.1f", CongregationAverage(doc, code, 6, fields[f], 0)));
    }
    out.Add(RowKind::kText, std::move(cells), {.grid = 3});
  }
}

template <int kKind>
void DrawKind(const CZarimDoc& doc, Canvas& canvas, ReportContext& context, int group) {
  DrawTableLayout(doc, canvas, context, StatisticsLayout(doc, context, kKind, group));
}
template <int kKind>
ReportModel ModelOfKind(const CZarimDoc& doc, const ReportContext& context, int group) {
  return StatisticsLayout(doc, context, kKind, group).model;
}
template <int kKind>
ReportEntry Spec(const char* name, bool per_group = false) {
  return {kKind, name, per_group, DrawKind<kKind>, ModelOfKind<kKind>};
}

}  // namespace

std::vector<int> ListedRecords(const CZarimDoc& doc, int kind, int group) {
  std::vector<int> out;
  for (int rec : ActiveRecords(doc))
    if (Passes(doc, doc.records[static_cast<size_t>(rec)], kind, group)) out.push_back(rec);
  return out;
}

TableLayout StatisticsLayout(const CZarimDoc& doc, const ReportContext& context, int kind,
                             int group) {
  TableLayout out;
  out.model.kind = kind;
  // Every list here counts months back from the working month: without a valid one there
  // is nothing to count, and the page says so.
  const std::optional<MonthCursor> now = CongregationView(doc).WorkingMonth();
  if (!now) {
    out.Add(RowKind::kText, {S(Sid::kWorkingMonthNotValid)});
  } else if (kind >= kAveragesCongregation && kind <= kAveragesCustom) {
    Averages(doc, *now, kind, group, out);
  } else if ((kind >= kHoursCustom && kind <= kHoursEldersServants) || kind == kHoursBrothers) {
    Hours(doc, *now, kind, group, out);
  } else if (kind >= kServiceYearCongregation && kind <= kServiceYearEldersServants) {
    ServiceYear(doc, *now, kind, out);
  } else if (kind == kPioneerHours) {
    PioneerHours(doc, *now, out);
  } else if (kind == kStatistics) {
    Statistics(doc, *now, out);
  }
  out.model.page_count =
      TablePageCount(out, EstimatedRowsPerPage(context, doc.options.show_grid != 0), true);
  return out;
}

std::vector<ReportEntry> StatisticsReports() {
  return {
      Spec<kAveragesCongregation>("averages"),
      Spec<kAveragesGroup>("averages-group", true),
      Spec<kAveragesRegular>("averages-pioneers"),
      Spec<kAveragesElders>("averages-elders"),
      Spec<kAveragesServants>("averages-servants"),
      Spec<kAveragesBrothers>("averages-brothers"),
      Spec<kAveragesCustom>("averages-custom"),
      Spec<kHoursCongregation>("hours"),
      Spec<kHoursGroup>("hours-group", true),
      Spec<kHoursRegular>("hours-pioneers"),
      Spec<kHoursAuxiliary>("hours-auxiliary"),
      Spec<kHoursEldersServants>("hours-elders-servants"),
      Spec<kHoursBrothers>("hours-brothers"),
      Spec<kHoursCustom>("hours-custom"),
      Spec<kServiceYearCongregation>("service-year"),
      Spec<kServiceYearRegular>("service-year-pioneers"),
      Spec<kServiceYearEldersServants>("service-year-elders-servants"),
      Spec<kPioneerHours>("pioneer-hours"),
      Spec<kStatistics>("statistics"),
  };
}

}  // namespace zarim
