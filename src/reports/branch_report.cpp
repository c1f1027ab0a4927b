// The report to the branch office, drawn and as text.
#include "reports/branch_report.h"

#include <algorithm>

#include "core/bytes.h"
#include "core/document.h"
#include "core/month.h"
#include "core/strings.h"
#include "cycle/branch_totals.h"
#include "cycle/congregation_view.h"

namespace zarim {

namespace {

// Column right edges in tenths of an inch from the left margin.
constexpr int kSharedRightTenths = 22;
constexpr int kHoursRightTenths = 32;
constexpr int kStudiesRightTenths = 42;

std::string Count(int v) { return Printf(Sid::kBranchCountFormat, v); }
std::string Value(int v) { return Printf(Sid::kBranchValueFormat, v); }

}  // namespace

std::string BranchReportTitle(const CZarimDoc& doc) {
  const std::optional<MonthCursor> now = CongregationView(doc).WorkingMonth();
  if (!now) return std::string(Str(Sid::kWorkingMonthNotValid));
  return Fill(Sid::kBranchTitle, MonthName(now->month)) +
         Printf(Sid::kPostActiveCountFormat,
                std::clamp(doc.status_count[kActive], 0, kMaxStatusList)) +
         std::string(Str(Sid::kPostActivePublishers));
}

std::array<BranchReportLine, 4> BranchReportLines(const WorkingTotals& t) {
  const Sid labels[3] = {Sid::kBranchPubs, Sid::kBranchAuxP, Sid::kBranchPios};
  std::array<BranchReportLine, 4> lines;
  for (int row = 0; row < 3; ++row) {
    BranchReportLine& l = lines[static_cast<size_t>(row)];
    const auto& r = t.row[static_cast<size_t>(row)];
    l.label = std::string(Str(labels[row]));
    l.shared = Count(r[kTotalsReportsField]);
    // Publishers report no hours.
    if (row > 0) l.hours = Value(r[kHours]);
    l.studies = Value(r[kBibleStudies]);
  }
  BranchReportLine& total = lines[3];
  total.label = std::string(Str(Sid::kBranchTotals));
  total.shared = Count(RowSum(t, kTotalsReportsField));
  total.hours = Value(RowSum(t, kHours));
  total.studies = Value(RowSum(t, kBibleStudies));
  return lines;
}

int DrawBranchTable(const CZarimDoc& doc, Canvas& canvas, const PageFrame& frame, int y) {
  const auto lines = BranchReportLines(ComputeWorkingTotals(doc));
  const int columns[3] = {frame.X(kSharedRightTenths), frame.X(kHoursRightTenths),
                          frame.X(kStudiesRightTenths)};
  const int step = frame.line_height();
  frame.Select(FontRole::kHeading);
  canvas.SetTextAlign(align::kRight | align::kTop);
  const Sid headings[3] = {Sid::kBranchShared, Sid::kBranchHours, Sid::kBranchStudies};
  for (int c = 0; c < 3; ++c) canvas.DrawText(columns[c], y, Str(headings[c]));
  y += step;
  frame.Select(FontRole::kText);
  for (const BranchReportLine& l : lines) {
    canvas.SetTextAlign(align::kLeft | align::kTop);
    canvas.DrawText(frame.left(), y, l.label);
    canvas.SetTextAlign(align::kRight | align::kTop);
    const std::string* cells[3] = {&l.shared, &l.hours, &l.studies};
    for (int c = 0; c < 3; ++c)
      if (!cells[c]->empty()) canvas.DrawText(columns[c], y, *cells[c]);
    y += step;
  }
  canvas.SetTextAlign(align::kLeft | align::kTop);
  return y;
}

void DrawBranchReport(const CZarimDoc& doc, Canvas& canvas, ReportContext& context) {
  PageFrame frame(canvas, context, doc.options.top_margin);
  context.page_count = 1;
  int y = frame.top_offset();
  frame.Select(FontRole::kTitle);
  canvas.SetTextAlign(align::kLeft | align::kTop);
  canvas.DrawText(frame.left(), y, BranchReportTitle(doc));
  DrawDateStamp(canvas, frame, context, doc, frame.X(75), y);
  y += 2 * frame.line_height();
  DrawBranchTable(doc, canvas, frame, y);
}

ReportModel BranchReportModel(const CZarimDoc& doc) {
  // The counts are padded for their columns on the page; the model keeps the figures.
  auto figure = [](const std::string& s) { return std::string(Trim(s)); };
  ReportModel model;
  model.kind = kBranchReportKind;
  model.title = BranchReportTitle(doc);
  model.columns = {"", std::string(Str(Sid::kBranchShared)), std::string(Str(Sid::kBranchHours)),
                   std::string(Str(Sid::kBranchStudies))};
  const auto lines = BranchReportLines(ComputeWorkingTotals(doc));
  for (size_t i = 0; i < lines.size(); ++i)
    model.Add(i + 1 < lines.size() ? RowKind::kText : RowKind::kTotal,
              {lines[i].label, figure(lines[i].shared), figure(lines[i].hours),
               figure(lines[i].studies)});
  return model;
}

std::string BranchReportText(const CZarimDoc& doc) {
  const auto lines = BranchReportLines(ComputeWorkingTotals(doc));
  auto pad = [](std::string s, size_t width) {
    if (s.size() < width) s.insert(0, width - s.size(), ' ');
    return s;
  };
  auto row = [&](const std::string& label, const std::string& a, const std::string& b,
                 const std::string& c) {
    std::string out = label;
    out.resize(std::max<size_t>(out.size(), 8), ' ');
    return out + pad(a, 8) + pad(b, 8) + pad(c, 8) + "\n";
  };
  std::string out = BranchReportTitle(doc) + "\n\n";
  out += row("", std::string(Str(Sid::kBranchShared)), std::string(Str(Sid::kBranchHours)),
             std::string(Str(Sid::kBranchStudies)));
  for (const BranchReportLine& l : lines) out += row(l.label, l.shared, l.hours, l.studies);
  return out;
}

}  // namespace zarim
