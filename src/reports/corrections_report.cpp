// The printed corrections log.
#include "reports/corrections_report.h"

#include <algorithm>
#include <iterator>

#include "core/document.h"
#include "core/strings.h"
#include "cycle/corrections.h"
#include "cycle/corrections_form.h"
#include "reports/report_registry.h"

namespace zarim {
namespace {

// Columns in tenths of an inch from the margin: when, command, publisher, month, field,
// old and new value; each is clipped at the next.
constexpr int kColumnTenths[] = {0, 13, 27, 45, 54, 63, 69, 75};

std::vector<CorrectionEntry> Selected(const CZarimDoc& doc, int selection) {
  // 0 (a report chosen without a selection) is every entry.
  return selection == 0 ? RecentCorrections(doc)
                        : SelectCorrections(RecentCorrections(doc), selection);
}

}  // namespace

ReportModel CorrectionsModel(const CZarimDoc& doc, const ReportContext& context, int selection) {
  ReportModel model;
  model.kind = kCorrectionsReportKind;
  model.title = ListTitle(doc, Str(Sid::kCorrectionsTitle));
  model.columns = CorrectionsHeadings();
  for (const CorrectionEntry& e : Selected(doc, selection))
    model.Add(RowKind::kText, CorrectionCells(e));
  model.page_count = ScreenPageCount(DrawCorrections, doc, context, selection);
  return model;
}

void DrawCorrections(const CZarimDoc& doc, Canvas& canvas, ReportContext& context, int selection) {
  const std::vector<CorrectionEntry> entries = Selected(doc, selection);
  PageFrame frame(canvas, context, doc.options.top_margin);
  ListHeader header;
  header.title = ListTitle(doc, Str(Sid::kCorrectionsTitle));
  const int per_page = std::max(frame.lines_per_page() - 1, 1);  // one line for headings
  context.page_count = ListPageCount(static_cast<int>(entries.size()), per_page);
  const std::vector<std::string> headings = CorrectionsHeadings();
  auto draw_row = [&](int y, const std::vector<std::string>& cells) {
    for (size_t c = 0; c < cells.size() && c + 1 < std::size(kColumnTenths); ++c) {
      canvas.SetClip(frame.X(kColumnTenths[c]), y,
                     frame.X(kColumnTenths[c + 1]) - frame.unit() / 20, y + frame.line_height());
      canvas.DrawText(frame.X(kColumnTenths[c]), y, cells[c]);
      canvas.ClearClip();
    }
  };
  for (int page = 0; page < context.page_count; ++page) {
    DrawListHeader(canvas, frame, context, doc, page, header);
    canvas.SetTextAlign(align::kLeft | align::kTop);
    frame.Select(FontRole::kHeading);
    draw_row(frame.LineY(page, 0), headings);
    frame.Select(FontRole::kText);
    const size_t begin = static_cast<size_t>(page) * static_cast<size_t>(per_page);
    const size_t end = std::min(entries.size(), begin + static_cast<size_t>(per_page));
    for (size_t i = begin; i < end; ++i)
      draw_row(frame.LineY(page, static_cast<int>(i - begin) + 1), CorrectionCells(entries[i]));
  }
}

}  // namespace zarim
