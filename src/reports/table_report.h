// The table reports of the analyses and statistics: a report model together with where
// its columns stand and how each row is set, laid out on the page frame in rows of the
// table row height, with the title, date stamp, subtitle and column headings repeated on
// every page and the grid ruled when "ShowGrid" is on.
#pragma once

#include <vector>

#include "reports/canvas.h"
#include "reports/fonts.h"
#include "reports/page_frame.h"
#include "reports/report_model.h"

namespace zarim {

class CZarimDoc;

struct TableColumn {
  int x_tenths = 0;    // from the left margin: the start, or the right edge when right
  bool right = false;  // right-aligned
};
using TableGrid = std::vector<TableColumn>;

struct TableRowStyle {
  int grid = 0;  // index into TableLayout::grids
  FontRole font = FontRole::kText;
  bool new_page = false;  // the row begins a new page
  // The row begins a new page when fewer rows than this remain on the page.
  int rows_needed = 0;
  // The row begins a new page when no page has been broken yet and more rows than this
  // are used on the first page.
  int first_page_limit = 0;
  int indent_tenths = 0;  // the first cell moved right
  // The second cell is drawn right after the first one's text (the markers after a
  // name) instead of at its column.
  bool follow_first = false;
  // Cells stand at multiples of the average character width instead of the grid: the
  // first at the margin, the second three characters on, the third right-aligned at 32
  // and the fourth right-aligned at 39 (the percentages block).
  bool character_columns = false;
};

struct TableLayout {
  ReportModel model;
  std::vector<TableGrid> grids = {TableGrid{}};  // grid 0 also places the column headings
  std::vector<TableRowStyle> styles;             // one per row of the model
  FontRole heading_font = FontRole::kHeading;
  // A second heading line under the columns ("3mo/ 6mo"), cells on grid 0.
  std::vector<std::string> second_heading;
  bool title_every_page = true;

  // Adds a row with its style.
  void Add(RowKind kind, std::vector<std::string> cells, TableRowStyle style = {}) {
    model.Add(kind, std::move(cells));
    styles.push_back(style);
  }
};

// Height of a table row on a canvas: the greater of a sixth of an inch and the Text
// font's height with twice its external leading; a twentieth more (at least one unit)
// with the grid on.
int TableRowHeight(const PageFrame& frame, Canvas& canvas, bool grid);
// Rows per page: nine inches, or on A4 nine inches and seven tenths.
int TableRowsPerPage(int dpi_y, int row_height, bool a4);
// The same without a canvas, from the row height of a sixth of an inch at the screen's
// resolution: what a model counts its pages with.
int EstimatedRowsPerPage(const ReportContext& context, bool grid);

// Where a row stands: its page (from 0) and its row on that page, counted from the page
// top in table rows.
struct TablePlace {
  int page = 0;
  int row = 0;
};
// Rows above the data on every page: title, subtitle and the column headings.
int TableHeaderRows(const TableLayout& layout);
// The place of every row with rows_per_page rows of data a page. On paper a row may begin
// a new page early (a block kept together, a part of its own); on the screen, one tall
// sheet, only a full page moves a row on, so no part follows a stretch of white.
std::vector<TablePlace> PlaceTableRows(const TableLayout& layout, int rows_per_page, bool paper);
// The pages the rows fill (at least 1): the report never ends on an empty page.
int TablePageCount(const TableLayout& layout, int rows_per_page, bool paper);
// The pages of the layout as the report view shows them on the screen.
int ViewPageCount(const CZarimDoc& doc, const ReportContext& context, const TableLayout& layout);

// Draws the layout and sets the context's page count: the pages its rows fill on this
// canvas. A layout without rows draws nothing.
void DrawTableLayout(const CZarimDoc& doc, Canvas& canvas, ReportContext& context,
                     const TableLayout& layout);

}  // namespace zarim
