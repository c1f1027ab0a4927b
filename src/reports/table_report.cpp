// Laying a table report's model out on the page frame.
#include "reports/table_report.h"

#include <algorithm>
#include <cstdlib>

#include "core/document.h"
#include "reports/recording_canvas.h"

namespace zarim {

int TableRowHeight(const PageFrame& frame, Canvas& canvas, bool grid) {
  frame.Select(FontRole::kText);
  TextMetrics m = canvas.Metrics();
  int h = std::max(frame.dpi_y() / 6, std::abs(m.height) + 2 * std::abs(m.external_leading));
  if (grid) h += std::max(h / 20, 1);
  return std::max(h, 1);
}

int TableRowsPerPage(int dpi_y, int row_height, bool a4) {
  int space = a4 ? 9 * dpi_y + dpi_y / 2 + dpi_y / 5 : 9 * dpi_y;
  return std::max(space / std::max(row_height, 1), 1);
}

int EstimatedRowsPerPage(const ReportContext& context, bool grid) {
  int dpi = std::max(context.screen_dpi_y, 1);
  int h = std::max(dpi / 6, 1);
  if (grid) h += std::max(h / 20, 1);
  return TableRowsPerPage(dpi, h, context.page_height_tenths == kPageHeightA4Tenths);
}

namespace {

// A subtitle too long for one line carries its line breaks; each line takes a row.
std::vector<std::string> SubtitleLines(const ReportModel& m) {
  std::vector<std::string> lines;
  for (size_t start = 0; start < m.subtitle.size();) {
    const size_t end = std::min(m.subtitle.find('\n', start), m.subtitle.size());
    lines.push_back(m.subtitle.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// Title and subtitle rows above the column headings.
int RowsAboveHeadings(const ReportModel& m) {
  if (m.title.empty() && m.subtitle.empty()) return 0;
  return 2 + static_cast<int>(SubtitleLines(m).size());
}

struct Placer {
  const CZarimDoc& doc;
  Canvas& canvas;
  const ReportContext& context;
  const PageFrame& frame;
  const TableLayout& layout;
  int row_height;

  void Cells(const TableGrid& grid, const std::vector<std::string>& cells, int y,
             const TableRowStyle& style) const {
    int after_first = -1;
    for (size_t c = 0; c < cells.size() && c < grid.size(); ++c) {
      if (cells[c].empty()) continue;
      const TableColumn& col = grid[c];
      int x = frame.X(col.x_tenths);
      if (c == 0) x += frame.unit() * style.indent_tenths / 10;
      if (c == 1 && style.follow_first && after_first >= 0) {
        canvas.SetTextAlign(align::kLeft | align::kTop);
        canvas.DrawText(after_first, y, cells[c]);
        continue;
      }
      canvas.SetTextAlign((col.right ? align::kRight : align::kLeft) | align::kTop);
      canvas.DrawText(x, y, cells[c]);
      if (c == 0) after_first = x + canvas.TextWidth(cells[c] + " ");
    }
    canvas.SetTextAlign(align::kLeft | align::kTop);
  }

  void CharacterCells(const std::vector<std::string>& cells, int y) const {
    int w = std::max(canvas.Metrics().average_char_width, 1);
    const int x0 = frame.left();
    const int xs[4] = {x0, x0 + 3 * w, x0 + 32 * w, x0 + 39 * w};
    const int al[4] = {align::kLeft, align::kLeft, align::kRight, align::kRight};
    for (size_t c = 0; c < cells.size() && c < 4; ++c) {
      if (cells[c].empty()) continue;
      canvas.SetTextAlign(al[c] | align::kTop);
      canvas.DrawText(xs[c], y, cells[c]);
    }
    canvas.SetTextAlign(align::kLeft | align::kTop);
  }

  // Title, stamp, subtitle and headings of page `page`; returns the row the data start on.
  int Header(int page) const {
    const ReportModel& m = layout.model;
    int top = frame.PageTop(page);
    canvas.SetTextAlign(align::kLeft | align::kTop);
    if (!m.title.empty() && (page == 0 || layout.title_every_page)) {
      frame.Select(FontRole::kTitle);
      canvas.DrawText(frame.left(), top, m.title);
      DrawDateStamp(canvas, frame, context, doc, frame.dpi_x() * 725 / 100, top);
    }
    frame.Select(FontRole::kSubtitle);
    const std::vector<std::string> subtitle = SubtitleLines(m);
    for (size_t i = 0; i < subtitle.size(); ++i)
      canvas.DrawText(frame.left(), top + row_height * 3 / 2 + row_height * static_cast<int>(i),
                      subtitle[i]);
    const int row = RowsAboveHeadings(m);
    if (!m.columns.empty()) {
      frame.Select(layout.heading_font);
      Cells(layout.grids[0], m.columns, top + row * row_height, {});
      if (!layout.second_heading.empty()) {
        frame.Select(FontRole::kSmall);
        Cells(layout.grids[0], layout.second_heading, top + (row + 1) * row_height, {});
      }
    }
    return TableHeaderRows(layout);
  }

  void Grid(int page, int first_row, int rows, const TableGrid& grid) const {
    if (rows <= 0 || grid.empty()) return;
    const int top = frame.PageTop(page) + first_row * row_height - row_height / 20;
    const int left = frame.left() - frame.unit() / 20;
    int right = left;
    for (const TableColumn& c : grid)
      right = std::max(right, frame.X(c.x_tenths) + frame.unit() / 20);
    canvas.SetPen(2, PenStyle::kSolid);
    canvas.DrawRect(left, top, right, top + rows * row_height);
    for (int r = 1; r < rows; ++r)
      canvas.DrawLine(left, top + r * row_height, right, top + r * row_height);
    for (size_t c = 1; c < grid.size(); ++c) {
      if (!grid[c].right) continue;
      int x = frame.X(grid[c].x_tenths) + frame.unit() / 20;
      canvas.DrawLine(x, top, x, top + rows * row_height);
    }
  }
};

}  // namespace

int TableHeaderRows(const TableLayout& layout) {
  const ReportModel& m = layout.model;
  int row = RowsAboveHeadings(m);
  if (!m.columns.empty()) row += layout.second_heading.empty() ? 1 : 2;
  return row;
}

std::vector<TablePlace> PlaceTableRows(const TableLayout& layout, int rows_per_page, bool paper) {
  const ReportModel& m = layout.model;
  const int first = TableHeaderRows(layout);
  const int last = std::max(rows_per_page, 1) + 3;  // the first row past the page
  std::vector<TablePlace> places;
  places.reserve(m.rows.size());
  int page = 0, row = first;
  for (size_t i = 0; i < m.rows.size(); ++i) {
    const TableRowStyle style = i < layout.styles.size() ? layout.styles[i] : TableRowStyle{};
    const bool limit = style.first_page_limit > 0 && page == 0 && row > style.first_page_limit;
    const bool early = paper && (style.new_page || limit || last - row < style.rows_needed);
    if ((early && row > first) || row >= last) {
      ++page;
      row = first;
    }
    places.push_back({page, row++});
  }
  return places;
}

int TablePageCount(const TableLayout& layout, int rows_per_page, bool paper) {
  const std::vector<TablePlace> places = PlaceTableRows(layout, rows_per_page, paper);
  return places.empty() ? 1 : places.back().page + 1;
}

int ViewPageCount(const CZarimDoc& doc, const ReportContext& context, const TableLayout& layout) {
  // The rows a page takes as the report view measures them on the screen, so that a
  // model names as many pages as the view shows.
  RecordingCanvas measure(context.screen_dpi_x, context.screen_dpi_y);
  ReportContext screen = context;
  screen.printing = false;
  PageFrame frame(measure, screen, doc.options.top_margin);
  const int row_height = TableRowHeight(frame, measure, doc.options.show_grid != 0);
  const int per_page =
      TableRowsPerPage(frame.dpi_y(), row_height, screen.page_height_tenths == kPageHeightA4Tenths);
  return TablePageCount(layout, per_page, false);
}

void DrawTableLayout(const CZarimDoc& doc, Canvas& canvas, ReportContext& context,
                     const TableLayout& layout) {
  const ReportModel& m = layout.model;
  context.page_count = 1;
  if (m.rows.empty() && m.title.empty()) return;
  PageFrame frame(canvas, context, doc.options.top_margin);
  const bool grid = doc.options.show_grid != 0;
  const int row_height = TableRowHeight(frame, canvas, grid);
  const int per_page = TableRowsPerPage(frame.dpi_y(), row_height,
                                        context.page_height_tenths == kPageHeightA4Tenths);
  Placer placer{doc, canvas, context, frame, layout, row_height};
  const std::vector<TablePlace> places = PlaceTableRows(layout, per_page, context.printing);
  context.page_count = places.empty() ? 1 : places.back().page + 1;

  int page = 0;
  placer.Header(0);
  // Rows of the current run on one grid, for the ruling.
  int run_start = 0, run_end = 0, run_grid = -1;
  auto close_run = [&] {
    if (grid && run_grid >= 0)
      placer.Grid(page, run_start, run_end - run_start,
                  layout.grids[static_cast<size_t>(run_grid)]);
  };
  for (size_t i = 0; i < m.rows.size(); ++i) {
    const TableRowStyle style = i < layout.styles.size() ? layout.styles[i] : TableRowStyle{};
    const TablePlace at = places[i];
    if (at.page != page) {
      close_run();
      page = at.page;
      placer.Header(page);
      run_grid = -1;
    }
    if (style.grid != run_grid || style.character_columns) {
      close_run();
      run_start = at.row;
      run_grid = style.character_columns ? -1 : style.grid;
    }
    run_end = at.row + 1;
    frame.Select(style.font);
    const int y = frame.PageTop(page) + at.row * row_height;
    if (style.character_columns) {
      placer.CharacterCells(m.rows[i].cells, y);
    } else {
      size_t g = std::min<size_t>(static_cast<size_t>(style.grid), layout.grids.size() - 1);
      placer.Cells(layout.grids[g], m.rows[i].cells, y, style);
    }
  }
  close_run();
}

}  // namespace zarim
