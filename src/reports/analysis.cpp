// The congregation and group analysis, the summary and the meeting report.
#include "reports/analysis.h"

#include <algorithm>
#include <array>

#include "core/bytes.h"
#include "core/document.h"
#include "core/month.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "cycle/attendance.h"
#include "cycle/branch_totals.h"
#include "cycle/congregation_view.h"
#include "cycle/slip_queries.h"
#include "cycle/status_rules.h"
#include "records/groups.h"
#include "reports/branch_report.h"
#include "reports/measures.h"
#include "reports/report_kind.h"

namespace zarim {

namespace {

std::string S(Sid id) { return std::string(Str(id)); }
std::string U(const CZarimDoc& doc, const std::string& bytes) {
  return ToUtf8(bytes, doc.language_code);
}
std::string Num4(int v) { return v ? Printf("%4d", v) : std::string(); }
std::string WithCongregation(const CZarimDoc& doc, std::string title) {
  std::string name(Trim(doc.options.congregation_name));
  if (!name.empty()) title += S(Sid::kTitleSeparator) + U(doc, name);
  return title;
}

// Grids: the publisher table, the summary table, the meeting table, the six-month
// table, the inactive names in three columns, the count before a caption.
enum Grid { kMain = 0, kSummaryGrid, kMeetingGrid, kSixMonthGrid, kThreeColumns, kCountGrid };

std::vector<TableGrid> AnalysisGrids() {
  return {
      {{0, false}, {0, false}, {31, true}, {38, true}, {45, true}, {52, true}, {53, false}},
      {{0, false}, {0, false}, {31, true}, {38, true}, {45, true}, {60, true}},
      {{0, false}, {0, false}, {31, true}, {38, true}, {45, true}, {70, true}},
      {{0, false},
       {28, true},
       {34, true},
       {40, true},
       {46, true},
       {52, true},
       {58, true},
       {65, true}},
      {{0, false}, {25, false}, {50, false}},
      {{0, false}, {5, false}},
  };
}

struct Counters {
  std::array<int, 4> listed{}, no_report{}, irregular{}, studies{}, hours{};
  // Publishers of status 0 without the special servants and missionaries, and those of
  // them who reported.
  int pubs_counted = 0, pubs_reported = 0;
  int aux = 0, unbaptized = 0, special_servants = 0, missionaries = 0;
  int total() const { return listed[0] + listed[1] + listed[2] + listed[3]; }
};

bool Unbaptized(const PubRecord& r) { return Trim(FieldText(r.baptism_date)).size() < 6; }

class Builder {
 public:
  Builder(const CZarimDoc& doc, int kind, int group)
      : doc_(doc),
        kind_(kind),
        group_(group),
        summary_(kind == report_kind::kCongregationSummary),
        now_(CongregationView(doc).WorkingMonth()),
        wm_(now_ ? now_->month : 0),
        ws_(now_ ? now_->slot : 0) {
    out_.grids = AnalysisGrids();
    out_.model.kind = kind;
  }

  TableLayout Build(const ReportContext& context) {
    const std::vector<int> active = ActiveRecords(doc_);
    if (active.empty()) return std::move(out_);
    // Every figure here is of the working month or the months before it.
    if (!now_) {
      out_.Add(RowKind::kText, {S(Sid::kWorkingMonthNotValid)});
      out_.model.page_count = ViewPageCount(doc_, context, out_);
      return std::move(out_);
    }
    if (kind_ != report_kind::kMeetingReport) {
      Header();
      Publishers(active);
      Totals();
      Percentages();
      if (kind_ == report_kind::kGroupAnalysis) {
        InactiveTail();
      } else {
        BranchTail();
      }
    }
    MeetingBlock();
    if (kind_ == report_kind::kMeetingReport) SixMonthTable();
    out_.model.page_count = ViewPageCount(doc_, context, out_);
    return std::move(out_);
  }

 private:
  void Header() {
    ReportModel& m = out_.model;
    const std::string month = MonthName(wm_);
    if (kind_ == report_kind::kGroupAnalysis) {
      const int g = group_ - 1;
      const bool named = g >= 0 && g < kMaxGroups && doc_.groups.use_name[g] &&
                         Trim(FieldText(doc_.groups.name[g])).size() > 1;
      m.title = named ? Fill(Sid::kGroupReportNamedTitle, month, GroupLabel(doc_, group_))
                      : Fill(Sid::kGroupReportTitle, month, std::to_string(group_));
      if (g >= 0 && g < kMaxGroups) {
        m.subtitle = U(doc_, std::string(Trim(FieldText(doc_.groups.overseer[g]))));
        std::string assistant(Trim(FieldText(doc_.groups.assistant[g])));
        if (!assistant.empty()) {
          if (!m.subtitle.empty()) m.subtitle += "    ";
          m.subtitle += S(Sid::kAssistant) + S(Sid::kAssistantSeparator) + U(doc_, assistant);
        }
      }
    } else if (summary_) {
      m.title = WithCongregation(doc_, Fill(Sid::kSummaryTitle, month));
    } else {
      m.title = WithCongregation(doc_, S(Sid::kAnalysisTitle) + " " + month);
    }
    if (summary_) {
      m.columns = {
          "", "", S(Sid::kColShared), S(Sid::kColStudies), S(Sid::kColHours), S(Sid::kColAvgHrs)};
      out_.second_heading = {"", "", "", "", "", S(Sid::kColThreeSix)};
      out_.grids[0] = out_.grids[kSummaryGrid];
    } else {
      m.columns = {S(Sid::kColName), "", S(Sid::kColShared), S(Sid::kColStudies), S(Sid::kColAuxP),
                   S(Sid::kColHours)};
    }
  }

  int Code(const PubRecord& r) const { return PioneerCodeOf(r, wm_, ws_); }

  void Heading(const std::string& text) {
    if (!summary_) out_.Add(RowKind::kHeading, {text}, {kMain, FontRole::kHeading});
  }

  void Publishers(const std::vector<int>& active) {
    auto each = [&](auto wanted) {
      for (int rec : active) {
        const PubRecord& r = doc_.records[static_cast<size_t>(rec)];
        if (wanted(r)) Publisher(rec);
      }
    };
    if (kind_ == report_kind::kCongregationAnalysis) {
      Heading(S(Sid::kPioneersHeading));
      each([&](const PubRecord& r) { return Code(r) >= kRegular; });
      const int groups = std::clamp<int>(doc_.groups.count, 0, kMaxGroups);
      for (int g = 1; g <= groups; ++g) {
        Heading(Printf(Sid::kGroupHeadingFormat, S(Sid::kGroupHeadingWord), g));
        each([&](const PubRecord& r) { return r.group == g && Code(r) <= kAuxiliary; });
      }
      // A group number outside the group table is as good as none: such publishers are
      // listed with the unassigned ones rather than left out.
      auto unassigned = [&](const PubRecord& r) {
        return (r.group < 1 || r.group > groups) && Code(r) <= kAuxiliary;
      };
      bool any_unassigned = false;
      for (int rec : active) any_unassigned |= unassigned(doc_.records[static_cast<size_t>(rec)]);
      if (any_unassigned) {
        Heading(S(Sid::kUnassignedHeading));
        each(unassigned);
      }
    } else if (kind_ == report_kind::kGroupAnalysis) {
      each([&](const PubRecord& r) { return r.group == group_; });
    } else {
      each([](const PubRecord&) { return true; });
    }
  }

  // The four value cells of a month: shared tick, studies, auxiliary tick, hours.
  std::array<std::string, 4> MonthCells(const PubRecord& r, int month, int slot) const {
    const int code = PioneerCodeOf(r, month, slot);
    std::array<std::string, 4> cells;
    if (ReportedInMonth(r, month, slot)) cells[0] = S(Sid::kTickMark);
    cells[1] = Num4(StudiesInMonth(r, month, slot));
    if (code == kAuxiliary) cells[2] = S(Sid::kTickMark);
    if (code >= kAuxiliary) cells[3] = Num4(FieldValue(r, month, kHours, slot));
    return cells;
  }

  void Publisher(int rec) {
    const PubRecord& r = doc_.records[static_cast<size_t>(rec)];
    const int code = Code(r);
    const bool reported = ReportedInMonth(r, wm_, ws_);
    const bool missionary = (r.service_flags & kFieldMissionary) != 0;
    const bool special = (r.service_flags & kSpecialServant) != 0;
    const bool unbaptized = Unbaptized(r);
    const bool irregular = IsIrregular(doc_, r);

    std::string marker;
    if (unbaptized) marker += S(Sid::kMarkUnbaptized);
    std::string kind_mark;
    if (code == kRegular) kind_mark = S(Sid::kMarkRegular);
    if (code == kSpecial) kind_mark = S(Sid::kMarkSpecial);
    if (missionary) kind_mark = S(Sid::kMarkMissionary);
    marker += kind_mark;
    if (!marker.empty()) marker += " ";
    if (special) marker += S(Sid::kMarkSpecialServant);
    if (!reported) marker += S(Sid::kMarkNoReport);
    if (irregular) marker += S(Sid::kMarkIrregular);

    Counters& c = counters_;
    ++c.listed[code];
    if (!reported) ++c.no_report[code];
    if (irregular) ++c.irregular[code];
    if (code == kAuxiliary) ++c.aux;
    if (unbaptized) ++c.unbaptized;
    if (special) ++c.special_servants;
    if (missionary) ++c.missionaries;
    if (!missionary && !special) {
      c.studies[code] += StudiesInMonth(r, wm_, ws_);
      if (code >= kAuxiliary) c.hours[code] += FieldValue(r, wm_, kHours, ws_);
      if (code == kPublisher) {
        ++c.pubs_counted;
        if (reported) ++c.pubs_reported;
      }
    }
    if (summary_) return;

    auto cells = MonthCells(r, wm_, ws_);
    out_.Add(RowKind::kPublisher,
             {U(doc_, doc_.DisplayName(r)), marker, cells[0], cells[1], cells[2], cells[3]},
             {.grid = kMain, .follow_first = true});
    std::string remark = TrimRight(RemarkText(doc_, r, wm_, ws_));
    if (!Trim(remark).empty()) {
      out_.Add(RowKind::kRemark, {U(doc_, remark)}, {.grid = kMain, .indent_tenths = 5});
    }
    const CongregationView view(doc_);
    for (const LateReportEntry& e : view.LateReportsOf(rec)) {
      auto late = MonthCells(r, e.month, *view.SlotOf(e.month));
      out_.Add(RowKind::kLate,
               {S(Sid::kLateMark) + MonthName(e.month) + S(Sid::kLateOpen), "", late[0], late[1],
                late[2], late[3], S(Sid::kLateClose)},
               {.grid = kMain});
    }
  }

  void Totals() {
    const Counters& c = counters_;
    const Sid labels[4] = {Sid::kTotalsPubs, Sid::kTotalsAuxP, Sid::kTotalsPios,
                           Sid::kTotalsSpPios};
    bool first = true;
    for (int code = 0; code < 4; ++code) {
      // Special servants and missionaries report to the branch directly: they are not
      // among the publishers who reported, whether they reported or not.
      const int reported =
          code == kPublisher ? c.pubs_reported : c.listed[code] - c.no_report[code];
      if (reported == 0) continue;
      std::vector<std::string> cells = {S(labels[code]), "", Printf("%4d", reported),
                                        Printf("%6.1f", double(c.studies[code]) / reported)};
      std::string hours =
          code >= kAuxiliary ? Printf("%6.1f", double(c.hours[code]) / reported) : "";
      if (summary_) {
        cells.push_back(hours);
        double three = CongregationAverage(doc_, code, 3, kHours, group_);
        double six = CongregationAverage(doc_, code, 6, kHours, group_);
        cells.push_back(Printf("%7.1f/%4.1f", three, six));
      } else {
        cells.push_back("");
        cells.push_back(hours);
      }
      TableRowStyle style{.grid = summary_ ? kSummaryGrid : kMain};
      if (first) style.rows_needed = 15;
      first = false;
      out_.Add(RowKind::kTotal, std::move(cells), style);
    }
    if (c.special_servants > 0)
      out_.Add(RowKind::kTotal,
               {S(Sid::kSpecialServantsLine) + S(Sid::kSpecialServantsMark), "",
                Printf("%4d", c.special_servants)},
               {.grid = summary_ ? kSummaryGrid : kMain});
    if (c.missionaries > 0)
      out_.Add(RowKind::kTotal, {S(Sid::kMissionariesLine), "", Printf("%4d", c.missionaries)},
               {.grid = summary_ ? kSummaryGrid : kMain});
  }

  void Percentages() {
    const Counters& c = counters_;
    const int total = c.total();
    auto sum = [](const std::array<int, 4>& a) { return a[0] + a[1] + a[2] + a[3]; };
    auto pct = [&](int count) {
      double p = total > 0 ? count * 100.0 / total : 0;
      return p < 0 ? std::string() : Printf(Sid::kPercentFormat, p, '%');
    };
    TableRowStyle style{.character_columns = true};
    out_.Add(RowKind::kBlank, {}, {.grid = kMain});
    out_.Add(RowKind::kPercentage, {"", S(Sid::kTotalPublishers), Printf("%d", total), ""}, style);
    const std::pair<Sid, Sid> rows[4] = {{Sid::kMarkAux, Sid::kAuxPioneersLine},
                                         {Sid::kMarkIrregular, Sid::kTotalIrregular},
                                         {Sid::kMarkNoReport, Sid::kNoReportThisMonth},
                                         {Sid::kMarkUnbaptized, Sid::kUnbaptizedLine}};
    const int counts[4] = {c.aux, sum(c.irregular), sum(c.no_report), c.unbaptized};
    for (int i = 0; i < 4; ++i)
      out_.Add(RowKind::kPercentage,
               {S(rows[i].first), S(rows[i].second), Printf("%d", counts[i]), pct(counts[i])},
               style);
  }

  void InactiveTail() {
    std::vector<std::string> names;
    const int n = std::clamp(doc_.status_count[kInactive], 0, kMaxStatusList);
    for (int i = 0; i < n && i < static_cast<int>(doc_.lists[kInactive].size()); ++i) {
      int rec = doc_.lists[kInactive][static_cast<size_t>(i)].rec;
      if (rec <= 0 || rec >= doc_.count) continue;
      const PubRecord& r = doc_.records[static_cast<size_t>(rec)];
      if (r.status == kInactive && r.group == group_) names.push_back(U(doc_, doc_.DisplayName(r)));
    }
    if (names.empty()) return;
    out_.Add(RowKind::kBlank, {}, {.grid = kMain});
    out_.Add(RowKind::kText,
             {Printf("%d", static_cast<int>(names.size())), S(Sid::kInactivePublishersTail)},
             {.grid = kCountGrid, .font = FontRole::kHeading});
    for (size_t i = 0; i < names.size(); i += 3) {
      std::vector<std::string> row;
      for (size_t j = i; j < i + 3 && j < names.size(); ++j) row.push_back(names[j]);
      out_.Add(RowKind::kText, std::move(row), {.grid = kThreeColumns});
    }
  }

  // The report to the branch office under the analysis: its figures stand in the
  // analysis' own columns ("Shared", "Bi.St.", "Hours"), so that the headings repeated at
  // the top of a page name them rightly.
  void BranchTail() {
    const bool lists = kind_ != report_kind::kCongregationSummary;
    const size_t hours_column = summary_ ? 4 : 5;
    auto row = [&](std::string label, std::string shared, std::string hours, std::string studies) {
      std::vector<std::string> cells(hours_column + 1);
      cells[0] = std::move(label);
      cells[2] = std::move(shared);
      cells[3] = std::move(studies);
      cells[hours_column] = std::move(hours);
      return cells;
    };
    TableRowStyle first{.grid = kMain, .font = FontRole::kSubtitle};
    if (lists) first.first_page_limit = 18;
    out_.Add(RowKind::kBlank, {}, {.grid = kMain});
    out_.Add(RowKind::kText, {BranchReportTitle(doc_)}, first);
    out_.Add(RowKind::kHeading,
             row("", S(Sid::kBranchShared), S(Sid::kBranchHours), S(Sid::kBranchStudies)),
             {.grid = kMain, .font = FontRole::kHeading});
    for (const BranchReportLine& l : BranchReportLines(ComputeWorkingTotals(doc_)))
      out_.Add(RowKind::kTotal, row(l.label, l.shared, l.hours, l.studies), {.grid = kMain});
  }

  std::string MeetingName(int meeting) const {
    return U(doc_,
             std::string(Trim(FieldText(doc_.attendance[static_cast<size_t>(meeting)].name))));
  }

  void MeetingBlock() {
    const int active = std::clamp(doc_.status_count[kActive], 0, kMaxStatusList);
    if (kind_ != report_kind::kMeetingReport) out_.Add(RowKind::kBlank, {}, {.grid = kMain});
    out_.Add(RowKind::kHeading, {WithCongregation(doc_, S(Sid::kMeetingReportHeading))},
             {.grid = kMeetingGrid, .font = FontRole::kSubtitle});
    out_.Add(RowKind::kText, {MonthName(wm_)}, {.grid = kMeetingGrid});
    out_.Add(RowKind::kHeading,
             {"", "", S(Sid::kMeetingNum), S(Sid::kMeetingTot), S(Sid::kMeetingAvg),
              S(Sid::kMeetingPercentages)},
             {.grid = kMeetingGrid, .font = FontRole::kHeading});
    for (int meeting : {kMidweekMeeting, kWeekendMeeting}) {
      MonthFigures f = StoredFigures(doc_, meeting, wm_, ws_);
      out_.Add(RowKind::kText,
               {MeetingName(meeting), "", Printf("%d", f.number), Printf("%d", f.total),
                Printf("%d", f.average),
                Printf(Sid::kMeetingPercentFormat, PercentOfActive(f.average, active), '%',
                       S(Sid::kMeetingPercentOf), active)},
               {.grid = kMeetingGrid});
    }
  }

  void SixMonthTable() {
    out_.Add(RowKind::kBlank, {}, {.grid = kSixMonthGrid});
    out_.Add(RowKind::kHeading, {S(Sid::kSixMonthsEnding) + " " + MonthName(wm_)},
             {.grid = kSixMonthGrid, .font = FontRole::kSubtitle});
    std::array<MonthCursor, 6> months;
    MonthCursor c = *now_;
    for (int i = 5; i >= 0; --i, c.Back()) months[static_cast<size_t>(i)] = c;
    std::vector<std::string> heading = {""};
    for (const MonthCursor& m : months) heading.push_back(ShortMonthName(m.month));
    heading.push_back(S(Sid::kSixMonthColumn));
    out_.Add(RowKind::kHeading, std::move(heading),
             {.grid = kSixMonthGrid, .font = FontRole::kHeading});
    for (int meeting : {kMidweekMeeting, kWeekendMeeting}) {
      std::vector<std::string> row = {MeetingName(meeting)};
      for (const MonthCursor& m : months)
        row.push_back(Printf("%d", StoredFigures(doc_, meeting, m.month, m.slot).average));
      int six = AverageOverMonths(doc_, meeting, 6);
      row.push_back(six ? Printf("%d", six) : "");
      out_.Add(RowKind::kText, std::move(row), {.grid = kSixMonthGrid});
    }
  }

  const CZarimDoc& doc_;
  const int kind_, group_;
  const bool summary_;
  const std::optional<MonthCursor> now_;  // the working month, when valid
  const int wm_, ws_;
  Counters counters_;
  TableLayout out_;
};

}  // namespace

TableLayout AnalysisLayout(const CZarimDoc& doc, const ReportContext& context, int kind,
                           int group) {
  return Builder(doc, kind, group).Build(context);
}

namespace {

template <int kKind>
void DrawKind(const CZarimDoc& doc, Canvas& canvas, ReportContext& context, int group) {
  DrawTableLayout(doc, canvas, context, AnalysisLayout(doc, context, kKind, group));
}
template <int kKind>
ReportModel ModelOfKind(const CZarimDoc& doc, const ReportContext& context, int group) {
  return AnalysisLayout(doc, context, kKind, group).model;
}
template <int kKind>
ReportEntry Spec(const char* name, bool per_group = false) {
  return {kKind, name, per_group, DrawKind<kKind>, ModelOfKind<kKind>};
}

}  // namespace

std::vector<ReportEntry> AnalysisReports() {
  using namespace report_kind;
  return {
      Spec<kCongregationAnalysis>("analysis"),
      Spec<kCongregationAnalysisAlpha>("analysis-az"),
      Spec<kGroupAnalysis>("group-analysis", true),
      Spec<kCongregationSummary>("summary"),
      Spec<kMeetingReport>("meeting"),
  };
}

}  // namespace zarim
