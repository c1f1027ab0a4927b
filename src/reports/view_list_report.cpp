// The printed View lists and the Report Collection Form.
#include "reports/view_list_report.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/document.h"
#include "core/strings.h"
#include "records/groups.h"
#include "reports/report_registry.h"

namespace zarim {

namespace {

// Columns of the tab-separated parts of a line, in tenths of an inch from the margin.
constexpr int kColumnTenths[] = {0, 35, 50, 62};
// The Report Collection Form: the name and phone on the left, then boxes to fill in.
constexpr int kFormNameEndTenths = 40;
constexpr int kFormColumnTenths[] = {40, 50, 60, 70};
constexpr int kFormRightTenths = 78;

std::vector<std::string> SplitTabs(const std::string& text) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t tab = text.find('\t', start);
    parts.push_back(text.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) break;
    start = tab + 1;
  }
  return parts;
}

std::string ViewListTitle(const CZarimDoc& doc, const ViewListSelection& sel, int lines) {
  return ListTitle(doc, ViewTitle(doc, sel.type, sel.second, sel.third, lines));
}

std::string FormHeading(int column) {
  const Sid headings[] = {Sid::kBranchShared, Sid::kBranchHours, Sid::kBranchStudies,
                          Sid::kHistoryRemark};
  std::string heading(Str(headings[column]));
  heading.erase(std::remove(heading.begin(), heading.end(), '&'), heading.end());
  return heading;
}

}  // namespace

int EncodeViewListSelection(const ViewListSelection& s) {
  return static_cast<int>(s.type) * 10000 + std::clamp(s.second, 0, 99) * 100 +
         std::clamp(s.third, 0, 99);
}

ViewListSelection DecodeViewListSelection(int code) {
  ViewListSelection s;
  int type = std::clamp(code / 10000, 0, kViewTypeCount - 1);
  s.type = static_cast<ViewType>(type);
  s.second = (code / 100) % 100;
  s.third = code % 100;
  return s;
}

ReportModel ViewListModel(const CZarimDoc& doc, const ReportContext& context, int selection) {
  const ViewListSelection sel = DecodeViewListSelection(selection);
  const std::vector<StatusLine> lines = ViewListLines(doc, sel.type, sel.second, sel.third);
  ReportModel model;
  model.kind = kViewListReportKind;
  model.title = ViewListTitle(doc, sel, static_cast<int>(lines.size()));
  if (sel.type == ViewType::kCollectionForm) {
    if (sel.second > 0) model.subtitle = GroupLabel(doc, sel.second);
    model.columns = {"", FormHeading(0), FormHeading(1), FormHeading(2), FormHeading(3)};
  }
  for (const StatusLine& line : lines) model.Add(RowKind::kPublisher, SplitTabs(line.text));
  model.page_count = ScreenPageCount(DrawViewList, doc, context, selection);
  return model;
}

void DrawViewList(const CZarimDoc& doc, Canvas& canvas, ReportContext& context, int selection) {
  const ViewListSelection sel = DecodeViewListSelection(selection);
  const std::vector<StatusLine> lines = ViewListLines(doc, sel.type, sel.second, sel.third);
  const bool form = sel.type == ViewType::kCollectionForm;
  PageFrame frame(canvas, context, doc.options.top_margin);

  ListHeader header;
  header.title = ViewListTitle(doc, sel, static_cast<int>(lines.size()));
  if (form && sel.second > 0) header.subtitle = GroupLabel(doc, sel.second);
  const int per_page = std::max(frame.lines_per_page() - 1, 1);  // one line for headings
  context.page_count = ListPageCount(static_cast<int>(lines.size()), per_page);

  for (int page = 0; page < context.page_count; ++page) {
    DrawListHeader(canvas, frame, context, doc, page, header);
    canvas.SetTextAlign(align::kLeft | align::kTop);
    if (form) {
      frame.Select(FontRole::kHeading);
      for (int c = 0; c < 4; ++c)
        canvas.DrawText(frame.X(kFormColumnTenths[c]) + frame.unit() / 20, frame.LineY(page, 0),
                        FormHeading(c));
    }
    const size_t begin = static_cast<size_t>(page) * per_page;
    const size_t end = std::min(lines.size(), begin + per_page);
    frame.Select(FontRole::kText);
    for (size_t i = begin; i < end; ++i) {
      const int row = static_cast<int>(i - begin) + 1;
      const int y = frame.LineY(page, row);
      std::vector<std::string> parts = SplitTabs(lines[i].text);
      if (form) {
        // Name and phone share the left part; each blank column is a box of its own.
        std::string left = parts[0];
        for (size_t p = 1; p < parts.size(); ++p)
          if (!parts[p].empty()) left += "  " + parts[p];
        canvas.SetClip(frame.left(), y, frame.X(kFormNameEndTenths) - frame.unit() / 20,
                       y + frame.line_height());
        canvas.DrawText(frame.left(), y, left);
        canvas.ClearClip();
        const int bottom = y + frame.line_height();
        canvas.DrawLine(frame.left(), bottom, frame.X(kFormRightTenths), bottom);
        for (int c : kFormColumnTenths) canvas.DrawLine(frame.X(c), y, frame.X(c), bottom);
        canvas.DrawLine(frame.X(kFormRightTenths), y, frame.X(kFormRightTenths), bottom);
        continue;
      }
      for (size_t p = 0; p < parts.size() && p < std::size(kColumnTenths); ++p)
        canvas.DrawText(frame.X(kColumnTenths[p]), y, parts[p]);
      // Irregular publishers list up to twelve months: the rest follow the last column.
      for (size_t p = std::size(kColumnTenths); p < parts.size(); ++p)
        canvas.DrawText(frame.X(kColumnTenths[3] + 4 * static_cast<int>(p - 3)), y, parts[p]);
    }
  }
}

}  // namespace zarim
