// Page frame arithmetic, the list page header and the date stamp.
#include "reports/page_frame.h"

#include <algorithm>
#include <cstdlib>

#include "core/document.h"
#include "core/month.h"
#include "core/strings.h"
#include "core/text_codec.h"

namespace zarim {

int TopOffset(int top_margin_hundredths, int dpi_y) {
  int offset = top_margin_hundredths * dpi_y / 100;
  return offset > dpi_y ? dpi_y / 2 : offset;
}

int ListPageCount(int entries, int lines_per_page) {
  if (lines_per_page < 1) lines_per_page = 1;
  return std::max((std::max(entries, 0) + lines_per_page - 1) / lines_per_page, 1);
}

int PageBandHeight(int page_height_tenths, int dpi_y) { return (page_height_tenths / 10) * dpi_y; }

PageFrame::PageFrame(Canvas& canvas, const ReportContext& context, int top_margin)
    : canvas_(canvas), context_(context) {
  dpi_x_ = std::max(canvas.DpiX(), 1);
  dpi_y_ = std::max(canvas.DpiY(), 1);
  unit_ = context.printing ? dpi_x_ : dpi_x_ * 11 / 12;
  page_height_ = PageBandHeight(context.page_height_tenths, dpi_y_);
  top_offset_ = TopOffset(std::clamp(top_margin, 0, 99), dpi_y_);
  left_ = unit_ / 2;
  Select(FontRole::kText);
  TextMetrics m = canvas.Metrics();
  // A font without height would make every line fall on the same spot (and divide by
  // zero below); one device unit is the least a line can take.
  line_height_ = std::max(std::abs(m.height + m.external_leading), 1);
  lines_per_page_ = std::max(9 * dpi_y_ / line_height_, 1);
}

FontSpec PageFrame::Scaled(const FontSpec& screen_font) const {
  if (!context_.printing) return screen_font;
  return ScaleFont(screen_font, context_.screen_dpi_x, context_.screen_dpi_y, dpi_x_, dpi_y_);
}

FontSpec PageFrame::Font(FontRole role) const {
  static const ReportFonts kDefaults;
  const ReportFonts& fonts = context_.fonts ? *context_.fonts : kDefaults;
  return Scaled(fonts.Get(role));
}

int PageFrame::PageTop(int page) const { return page * page_height_ + dpi_y_ / 4 + top_offset_; }

int PageFrame::LineY(int page, int line) const { return PageTop(page) + line_height_ * (line + 2); }

std::string StampText(const Date& date, std::string_view language_code) {
  std::string text(Str(Sid::kPrinted));
  if (language_code == "greek") {
    text += Printf(" %d/%d/%d", date.day, date.month, date.year);
  } else {
    int month = std::clamp(date.month, 1, 12) - 1;
    text += Printf(" %d %s %d", date.day, MonthName(month).c_str(), date.year);
  }
  return text;
}

void DrawDateStamp(Canvas& canvas, const PageFrame& frame, const ReportContext& context,
                   const CZarimDoc& doc, int right_x, int y) {
  if (!context.printing || doc.options.datestamp == 0) return;
  canvas.SetFont(frame.Scaled(StampFont(doc.language_code)));
  int saved = canvas.TextAlign();
  canvas.SetTextAlign(align::kRight | align::kTop);
  canvas.DrawText(right_x, y, StampText(context.today, doc.language_code));
  canvas.SetTextAlign(saved);
}

std::string ListTitle(const CZarimDoc& doc, std::string_view report_name) {
  std::string title(report_name);
  std::string name(Trim(doc.options.congregation_name));
  if (!name.empty()) {
    title += Str(Sid::kTitleSeparator);
    title += ToUtf8(name, doc.language_code);
  }
  return title;
}

void DrawListHeader(Canvas& canvas, const PageFrame& frame, const ReportContext& context,
                    const CZarimDoc& doc, int page, const ListHeader& header) {
  int x0 = frame.left();
  int y0 = frame.PageTop(page);
  frame.Select(FontRole::kTitle);
  canvas.SetTextAlign(align::kBottom | align::kUpdateCurrentPosition);
  canvas.MoveTo(x0, y0);
  canvas.DrawText(x0, y0, header.title + "     ");
  frame.Select(FontRole::kText);
  canvas.DrawText(x0, y0, Str(Sid::kConfidential));
  canvas.SetTextAlign(align::kLeft | align::kTop);
  DrawDateStamp(canvas, frame, context, doc, frame.dpi_x() * header.stamp_x_tenths / 10,
                y0 - frame.dpi_y() / 5);
  if (!header.subtitle.empty()) {
    frame.Select(FontRole::kSubtitle);
    canvas.DrawText(x0, y0 + frame.line_height() / 2, header.subtitle);
  }
}

void DrawInsideFrame(Canvas& canvas, int left, int top, int right, int bottom, int pen) {
  pen = std::max(pen, 1);
  const int half = (pen + 1) / 2;
  canvas.SetPen(pen, PenStyle::kSolid);
  canvas.DrawRect(left + half, top + half, right - half, bottom - half);
}

void SelectPrintedPage(Canvas& canvas, int page_number, int band_height, int dpi_x) {
  int top = (page_number - 1) * band_height;
  canvas.SetOrigin(0, top);
  canvas.SetClip(0, top, 8 * dpi_x, page_number * band_height);
}

}  // namespace zarim
