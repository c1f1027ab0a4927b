// The continuous page space every report is drawn in, the page frame of the lists, the
// list page header and the "Printed" date stamp.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/ports.h"
#include "reports/canvas.h"
#include "reports/fonts.h"

namespace zarim {

class CZarimDoc;

inline constexpr int kPageHeightLetterTenths = 110;  // 11 inches
inline constexpr int kPageHeightA4Tenths = 120;      // 12 inches on A4 paper
inline constexpr int kPageWidthTenths = 80;          // 8 inches

// The people a report of chosen publishers prints (labels, record cards), in printing
// order, and the first label position on the first sheet.
struct ReportSelection {
  bool chosen = false;         // false: the report takes its own default people
  std::vector<int> records;    // record numbers; chosen and empty prints nothing
  int start_label = 1;         // 1 to 20
  bool previous_year = false;  // record cards: one service year further back
  int service_year = 0;        // attendance record: the year shown (0: the working one)
  bool two_years = false;      // attendance record: the year before it beside it
  // Record cards: the congregation's totals card of a category (publishers, auxiliary,
  // regular pioneers) instead of publishers' cards; -1 for publishers' cards.
  int totals_category = -1;
  int totals_period = 1;            // last six months, service year, last twelve months
  bool totals_from_branch = false;  // the stored branch totals, not the active file
};

// What the report view hands a drawer besides the document and the canvas.
struct ReportContext {
  int screen_dpi_x = 96;
  int screen_dpi_y = 96;
  int page_height_tenths = kPageHeightLetterTenths;
  bool printing = false;  // drawing for paper or a PDF, not for the screen
  Date today;             // the date of the "Printed" stamp
  const ReportFonts* fonts = nullptr;
  int page_count = 1;  // set by the drawer, at least 1
  const ReportSelection* selection = nullptr;
  // The page being printed (from 1): a drawer that can may skip the work of every other
  // page, since only this one's band is shown. 0 wants every page; kPageCountOnly wants
  // no drawing at all, only the page count.
  int wanted_page = 0;
};

inline constexpr int kPageCountOnly = -1;

// The top offset of a page: the top margin in hundredths of an inch, but half an inch
// when the margin is more than one inch.
int TopOffset(int top_margin_hundredths, int dpi_y);
// Page count of a one-line-per-entry list: the pages its entries fill, at least 1 (a
// list without entries still shows its header).
int ListPageCount(int entries, int lines_per_page);
// Height of one page band in device units.
int PageBandHeight(int page_height_tenths, int dpi_y);

// The geometry of a report on one canvas. Fonts are selected through it, so that on
// paper they keep the physical size they have on the screen.
class PageFrame {
 public:
  PageFrame(Canvas& canvas, const ReportContext& context, int top_margin_hundredths);

  int dpi_x() const { return dpi_x_; }
  int dpi_y() const { return dpi_y_; }
  // The horizontal inch: 11/12 of the screen's resolution on the screen.
  int unit() const { return unit_; }
  int page_height() const { return page_height_; }
  int top_offset() const { return top_offset_; }
  int left() const { return left_; }
  int line_height() const { return line_height_; }
  int lines_per_page() const { return lines_per_page_; }

  // The font of a role as it is used on this canvas.
  FontSpec Font(FontRole role) const;
  FontSpec Scaled(const FontSpec& screen_font) const;
  void Select(FontRole role) const { canvas_.SetFont(Font(role)); }

  // Top of page k (from 0) and printed line j (from 1) of page k.
  int PageTop(int page) const;
  int LineY(int page, int line) const;
  // x of a position given in tenths of an inch from the left margin.
  int X(int tenths) const { return left_ + unit_ * tenths / 10; }

 private:
  Canvas& canvas_;
  const ReportContext& context_;
  int dpi_x_, dpi_y_, unit_, page_height_, top_offset_, left_, line_height_, lines_per_page_;
};

// "Printed" and the date: " %d %s %d" with the month's full name, or " %d/%d/%d" for
// "greek".
std::string StampText(const Date& date, std::string_view language_code);
// Draws the stamp right-aligned at x, top at y, only when printing with "Datestamp" on.
void DrawDateStamp(Canvas& canvas, const PageFrame& frame, const ReportContext& context,
                   const CZarimDoc& doc, int right_x, int y);

// A list title: the report name, and " - " with the congregation name when one is set.
std::string ListTitle(const CZarimDoc& doc, std::string_view report_name);

struct ListHeader {
  std::string title;        // UTF-8, from ListTitle
  std::string subtitle;     // UTF-8, may be empty
  int stamp_x_tenths = 75;  // 70 for the Address List
};
// The header of a list page: title, confidentiality note, stamp and subtitle.
void DrawListHeader(Canvas& canvas, const PageFrame& frame, const ReportContext& context,
                    const CZarimDoc& doc, int page, const ListHeader& header);

// A frame whose line, pen wide, lies wholly inside the rectangle: a form as wide as the
// printed band keeps its right edge on paper.
void DrawInsideFrame(Canvas& canvas, int left, int top, int right, int bottom, int pen);

// Prepares a canvas for printing page n (from 1): clipped to that page's band and the
// band moved to the top of the paper.
void SelectPrintedPage(Canvas& canvas, int page_number, int band_height, int dpi_x);

}  // namespace zarim
