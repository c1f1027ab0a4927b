// The congregation meeting attendance record: its figures, model and drawer, and the
// form that chooses its service year.
#include "reports/attendance_record.h"

#include <algorithm>

#include "core/document.h"
#include "core/month.h"
#include "core/strings.h"
#include "reports/fonts.h"
#include "reports/record_card.h"

namespace zarim {
namespace {

constexpr int kSeptember = 8;
constexpr int kHeldMonths = 24;
constexpr Sid kMeetingNames[2] = {Sid::kMidweekMeeting, Sid::kWeekendMeeting};

std::string Number(int v) { return v == 0 ? std::string() : Printf("%d", v); }

// The serial of row i (September first) of a service year.
int RowSerial(int service_year, int i) {
  const int calendar = i < 4 ? service_year - 1 : service_year;
  return (calendar - 2000) * 12 + (kSeptember + i) % 12;
}

std::vector<std::string> Headings(int service_year) {
  return {std::string(Str(Sid::kCardServiceYear)) + " " + std::to_string(service_year),
          std::string(Str(Sid::kAttRecordMeetings)), std::string(Str(Sid::kAttRecordTotal)),
          std::string(Str(Sid::kAttRecordWeekly))};
}

// The cells of row i of a meeting's table: month, number, total, average.
std::vector<std::string> MonthCells(const AttendanceRecordYear& y, int meeting, int i) {
  const AttendanceRecordMonth& m = y.months[meeting][i];
  return {MonthName((kSeptember + i) % 12), Number(m.figures.number), Number(m.figures.total),
          Number(m.figures.average)};
}

// One meeting's table: a block of four columns per service year, the heading rows, the
// twelve months and the closing average.
void DrawTable(const CZarimDoc& doc, Canvas& canvas, const std::vector<AttendanceRecordYear>& years,
               int meeting, int left, int top, int width, int height) {
  const int lx = canvas.DpiX(), ly = canvas.DpiY();
  const int head = ly * 3 / 5;
  const int row = (height - head) / 13;
  const int bottom = top + head + row * 13;
  const FontSpec heading_font = FormFont(doc.language_code, 90, 700, ly);
  const FontSpec cell_font = FormFont(doc.language_code, 100, 700, ly);
  const int block = width / static_cast<int>(years.size());
  // Column edges of a block in hundredths of its width: month, number, total, average.
  constexpr int kEdges[5] = {0, 31, 54, 74, 100};
  const int pad = lx / 20;
  for (size_t b = 0; b < years.size(); ++b) {
    const AttendanceRecordYear& y = years[b];
    const int bx = left + block * static_cast<int>(b);
    int xs[5];
    for (int c = 0; c < 5; ++c) xs[c] = bx + block * kEdges[c] / 100;
    std::vector<std::string> heads = Headings(y.service_year);
    canvas.SetFont(heading_font);
    canvas.SetTextAlign(align::kCenter | align::kTop);
    const int step = canvas.Metrics().height;
    for (int c = 0; c < 4; ++c) {
      // The year stands on a line of its own under "Service Year".
      std::vector<std::string> lines =
          WrapWords(canvas, c == 0 ? std::string(Str(Sid::kCardServiceYear)) : heads[c],
                    xs[c + 1] - xs[c] - pad);
      if (c == 0) lines.push_back(std::to_string(y.service_year));
      const int n = static_cast<int>(std::min<size_t>(lines.size(), 3));
      const int first = top + (head - step * n) / 2;
      for (int l = 0; l < n; ++l)
        canvas.DrawText((xs[c] + xs[c + 1]) / 2, first + l * step, lines[l]);
    }
    canvas.SetFont(cell_font);
    const int text_dy = (row - canvas.Metrics().height) / 2;
    for (int i = 0; i < 12; ++i) {
      std::vector<std::string> cells = MonthCells(y, meeting, i);
      const int ry = top + head + row * i + text_dy;
      canvas.SetTextAlign(align::kLeft | align::kTop);
      canvas.DrawText(xs[0] + pad, ry, cells[0]);
      canvas.SetTextAlign(align::kCenter | align::kTop);
      for (int c = 1; c < 4; ++c)
        if (!cells[c].empty()) canvas.DrawText((xs[c] + xs[c + 1]) / 2, ry, cells[c]);
    }
    // The closing row: its caption across the first three columns.
    const int last = top + head + row * 12;
    std::vector<std::string> caption =
        WrapWords(canvas, std::string(Str(Sid::kAttRecordMonthly)), xs[3] - xs[0] - pad * 2);
    canvas.SetTextAlign(align::kLeft | align::kTop);
    const int line = canvas.Metrics().height;
    const int caption_top = last + (row - line * static_cast<int>(caption.size())) / 2;
    for (size_t l = 0; l < caption.size(); ++l)
      canvas.DrawText(xs[0] + pad, caption_top + line * static_cast<int>(l), caption[l]);
    if (y.monthly_average[meeting] != 0) {
      canvas.SetTextAlign(align::kCenter | align::kTop);
      canvas.DrawText((xs[3] + xs[4]) / 2, last + text_dy, Number(y.monthly_average[meeting]));
    }
    // Lines: column separators, and a line under the headings and every row.
    canvas.SetPen(std::max(lx / 300 * 3, 1), PenStyle::kSolid);
    for (int c = 1; c < 4; ++c) canvas.DrawLine(xs[c], top, xs[c], c < 3 ? last : bottom);
    canvas.SetPen(std::max(lx / 300, 1), PenStyle::kSolid);
    for (int i = 0; i <= 12; ++i) {
      const int ly_line = top + head + row * i;
      canvas.DrawLine(xs[0], ly_line, xs[4], ly_line);
    }
  }
  // The frame and the border between two service years in the frame's pen.
  canvas.SetPen(std::max(lx / 300 * 4, 1), PenStyle::kSolid);
  canvas.DrawRect(left, top, left + width, bottom);
  for (size_t b = 1; b < years.size(); ++b) {
    const int bx = left + block * static_cast<int>(b);
    canvas.DrawLine(bx, top, bx, bottom);
  }
}

}  // namespace

AttendanceRecordYear BuildAttendanceRecordYear(const CZarimDoc& doc, int service_year) {
  AttendanceRecordYear y;
  y.service_year = service_year;
  const int newest = doc.working_serial;
  for (int meeting = 0; meeting < 2; ++meeting) {
    int sum = 0, months = 0;
    for (int i = 0; i < 12; ++i) {
      const int serial = RowSerial(service_year, i);
      const int month = serial % 12;
      AttendanceRecordMonth& m = y.months[meeting][i];
      if (serial < 0) continue;
      if (serial <= newest && serial > newest - kHeldMonths) {
        m.held = true;
        m.figures = StoredFigures(doc, meeting, month, SlotOfSerial(serial));
      } else if (serial == newest + 1) {
        // The month after the working month: only what was typed ahead for it.
        m.figures = StoredFigures(doc, meeting, month, kAheadSlot);
        m.held = m.figures.number > 0;
      }
      if (m.held && m.figures.number > 0) {
        sum += m.figures.average;
        ++months;
      }
    }
    y.monthly_average[meeting] = HalfUpAverage(sum, months);
  }
  return y;
}

std::vector<int> AttendanceRecordYears(const CZarimDoc& doc) {
  const int working = WorkingServiceYear(doc);
  std::vector<int> years;
  // The oldest kept month decides how far back the list reaches.
  const int oldest = doc.working_serial - (kHeldMonths - 1);
  for (int year = working; year >= 2000; --year) {
    if (RowSerial(year, 11) < oldest) break;
    years.push_back(year);
  }
  return years;
}

std::vector<int> AttendanceRecordSheetYears(const CZarimDoc& doc,
                                            const ReportSelection* selection) {
  int year =
      selection && selection->service_year > 0 ? selection->service_year : WorkingServiceYear(doc);
  if (selection && selection->two_years) return {year - 1, year};
  return {year};
}

ReportModel AttendanceRecordModel(const CZarimDoc& doc, const ReportContext& context, int) {
  ReportModel model;
  model.kind = kAttendanceRecordKind;
  model.title = Str(Sid::kAttRecordTitle);
  std::vector<AttendanceRecordYear> years;
  for (int year : AttendanceRecordSheetYears(doc, context.selection))
    years.push_back(BuildAttendanceRecordYear(doc, year));
  model.columns = {std::string(Str(Sid::kCardServiceYear)),
                   std::string(Str(Sid::kAttRecordMeetings)),
                   std::string(Str(Sid::kAttRecordTotal)), std::string(Str(Sid::kAttRecordWeekly))};
  for (int meeting = 0; meeting < 2; ++meeting) {
    for (const AttendanceRecordYear& y : years) {
      model.Add(RowKind::kHeading,
                {std::string(Str(kMeetingNames[meeting])), Headings(y.service_year)[0]});
      for (int i = 0; i < 12; ++i) {
        std::vector<std::string> cells = MonthCells(y, meeting, i);
        while (cells.size() > 1 && cells.back().empty()) cells.pop_back();
        model.Add(RowKind::kPublisher, cells);
      }
      std::vector<std::string> closing{std::string(Str(Sid::kAttRecordMonthly))};
      if (y.monthly_average[meeting] != 0)
        closing.insert(closing.end(), {"", "", Number(y.monthly_average[meeting])});
      model.Add(RowKind::kTotal, closing);
    }
  }
  return model;
}

void DrawAttendanceRecord(const CZarimDoc& doc, Canvas& canvas, ReportContext& context) {
  context.page_count = 1;
  const int lx = std::max(canvas.DpiX(), 1), ly = std::max(canvas.DpiY(), 1);
  std::vector<AttendanceRecordYear> years;
  for (int year : AttendanceRecordSheetYears(doc, context.selection))
    years.push_back(BuildAttendanceRecordYear(doc, year));
  const int top = ly;
  // The title is centered at 4.25 inches, the tables start 0.85 inch from the left and
  // are 7 inches wide and 3.5 inches tall; the weekend's stands 4.5 inches lower.
  canvas.SetFont(FormFont(doc.language_code, 150, 700, ly));
  canvas.SetTextAlign(align::kCenter | align::kTop);
  canvas.DrawText(lx * 17 / 4, top, Str(Sid::kAttRecordTitle));
  const int left = lx * 85 / 100;
  for (int meeting = 0; meeting < 2; ++meeting) {
    const int label_y = top + ly / 2 + meeting * ly * 9 / 2;
    canvas.SetFont(FormFont(doc.language_code, 125, 700, ly));
    canvas.SetTextAlign(align::kLeft | align::kTop);
    canvas.DrawText(left, label_y, Str(kMeetingNames[meeting]));
    DrawTable(doc, canvas, years, meeting, left, label_y + ly / 2, lx * 7, ly * 7 / 2);
  }
}

std::vector<ReportEntry> AttendanceRecordReports() {
  return {{kAttendanceRecordKind, "attendance-record", false,
           [](const CZarimDoc& doc, Canvas& canvas, ReportContext& context, int) {
             DrawAttendanceRecord(doc, canvas, context);
           },
           AttendanceRecordModel}};
}

AttendanceRecordForm::AttendanceRecordForm(const CZarimDoc& doc)
    : years_(AttendanceRecordYears(doc)) {}

std::string AttendanceRecordForm::Title() const { return std::string(Str(Sid::kAttRecordName)); }

std::vector<std::string> AttendanceRecordForm::YearItems() const {
  std::vector<std::string> items;
  for (int year : years_) items.push_back(Printf("%d", year));
  return items;
}

ReportSelection AttendanceRecordForm::Selection() const {
  ReportSelection s;
  if (!years_.empty())
    s.service_year = years_[std::clamp(year_index, 0, static_cast<int>(years_.size()) - 1)];
  s.two_years = two_years;
  return s;
}

}  // namespace zarim
