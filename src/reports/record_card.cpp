// The publisher record card: its tables, model and drawer.
#include "reports/record_card.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "core/bytes.h"
#include "core/document.h"
#include "core/month.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "cycle/congregation_view.h"
#include "records/groups.h"
#include "records/record_dates.h"
#include "reports/measures.h"
#include "reports/recording_canvas.h"
#include "reports/report_kind.h"

namespace zarim {
namespace {

constexpr int kSeptember = 8;
constexpr int kFirstNewFormYear = 2024;

// Column order of the old form's five number columns.
constexpr int kOldColumns[5] = {kPlacements, kVideos, kHours, kReturnVisits, kBibleStudies};

std::string Plain(const CZarimDoc& doc, std::string_view bytes) {
  return ToUtf8(std::string(Trim(bytes)), doc.language_code);
}

std::string Number(int v) { return v == 0 ? std::string() : Printf("%d", v); }

// The month label of row i (September first): the year before the abbreviation where a
// calendar year begins on the card (the first row and January).
std::string MonthLabel(int month, int year, bool first) {
  std::string abbreviation = ShortMonthName(month);
  if (first || month == 0) return Printf(Sid::kCardYearMonth, year, abbreviation.c_str());
  return abbreviation;
}

std::string MonthLabel(int service_year, int i) {
  const int month = (kSeptember + i) % 12;
  return MonthLabel(month, i < 4 ? service_year - 1 : service_year, i == 0);
}

std::string DateText(const CZarimDoc& doc, const char (&field)[9], bool year_only) {
  DateParts d = ParseRecordDate(FieldText(field, sizeof field));
  if (d.year == 0) return {};
  if (year_only || d.month == 0) return Printf("%d", d.year);
  if (doc.format.alternate_date) {
    std::string month = ShortMonthName(d.month - 1);
    return d.day ? Printf("%02d %s %d", d.day, month.c_str(), d.year)
                 : Printf("%s %d", month.c_str(), d.year);
  }
  return d.day ? Printf("%02d/%02d/%d", d.month, d.day, d.year)
               : Printf("%02d/%d", d.month, d.year);
}

// The header's check boxes: label and whether it is ticked, in the order of the layout
// string's positions (Male, Female, Elder, Ministerial servant, Regular pioneer, Special
// pioneer, Field missionary), with Other Sheep and Anointed under Male and Female.
struct Box {
  Sid label;
  bool checked;
};
struct Header {
  std::string name, group, birth, baptism;
  Box boxes[7];
  Box hope[2];
};

Header BuildHeader(const CZarimDoc& doc, int record) {
  const PubRecord& r = doc.records[record];
  Header h;
  h.name = ToUtf8(doc.DisplayName(r), doc.language_code);
  if (doc.options.print_group && r.group > 0) h.group = GroupLabel(doc, r.group);
  h.birth = DateText(doc, r.birth_date, doc.options.hide_birth != 0);
  h.baptism = DateText(doc, r.baptism_date, false);
  const int privilege = r.flags & kPrivilegeMask;
  const int pioneer = CongregationView(doc).PioneerCodeNow(r);
  // Only the flag that is set ticks its box; neither flag leaves both empty.
  h.boxes[0] = {Sid::kCardMale, (r.flags & kMale) != 0 && (r.flags & kFemale) == 0};
  h.boxes[1] = {Sid::kCardFemale, (r.flags & kFemale) != 0 && (r.flags & kMale) == 0};
  h.boxes[2] = {Sid::kCardElder, privilege == kElder};
  h.boxes[3] = {Sid::kCardServant, privilege == kServant};
  h.boxes[4] = {Sid::kCardRegularPioneer, pioneer == kRegular};
  h.boxes[5] = {Sid::kCardSpecialPioneer, pioneer == kSpecial};
  h.boxes[6] = {Sid::kCardFieldMissionary, (r.service_flags & kFieldMissionary) != 0};
  h.hope[0] = {Sid::kCardOtherSheep, r.hope == 'O' || r.hope == 'o'};
  h.hope[1] = {Sid::kCardAnointed, r.hope == 'A' || r.hope == 'a'};
  return h;
}

std::vector<Sid> Headings(bool new_form) {
  if (new_form)
    return {Sid::kCardServiceYear, Sid::kCardShared,       Sid::kCardStudies,
            Sid::kCardAuxiliary,   Sid::kCardPioneerHours, Sid::kCardRemarks};
  return {Sid::kCardServiceYear,  Sid::kCardPlacements, Sid::kCardVideos, Sid::kCardHours,
          Sid::kCardReturnVisits, Sid::kCardStudies,    Sid::kCardRemarks};
}

bool HideAverage(int hide_flags, int table) { return (hide_flags >> table) & 1; }
bool HideTotal(int hide_flags, int table) { return (hide_flags >> (2 + table)) & 1; }

// The rows of one table as cell texts, the check boxes as "X" or "".
std::vector<std::vector<std::string>> TableRows(const CZarimDoc& doc, int record, const CardYear& y,
                                                int table, std::vector<RowKind>* kinds) {
  const int hide = CardHideFlags(doc, record);
  std::vector<std::vector<std::string>> rows;
  auto add = [&](RowKind k, std::vector<std::string> cells) {
    rows.push_back(std::move(cells));
    if (kinds) kinds->push_back(k);
  };
  for (int i = 0; i < 12; ++i) {
    const CardMonth& m = y.months[i];
    std::string label = MonthLabel(y.service_year, i);
    if (y.new_form) {
      add(RowKind::kPublisher, {label, m.reported ? "X" : "", Number(m.values[kBibleStudies]),
                                m.auxiliary ? "X" : "", Number(m.values[kHours]), m.remark});
    } else {
      std::vector<std::string> cells{label};
      for (int f : kOldColumns) cells.push_back(Number(m.values[f]));
      cells.push_back(m.remark);
      add(RowKind::kPublisher, cells);
    }
  }
  if (y.new_form) {
    add(RowKind::kTotal, {std::string(Str(Sid::kCardTotal)), "", Number(y.totals[kBibleStudies]),
                          "", Number(y.totals[kHours]), ""});
    return rows;
  }
  if (!HideTotal(hide, table)) {
    std::vector<std::string> cells{std::string(Str(Sid::kCardTotal))};
    for (int f : kOldColumns) cells.push_back(Number(y.totals[f]));
    add(RowKind::kTotal, cells);
  }
  if (!HideAverage(hide, table)) {
    std::vector<std::string> cells{std::string(Str(Sid::kCardAverage))};
    for (int f : kOldColumns)
      cells.push_back(y.totals[f] == 0 ? std::string() : Printf("%3.1f", CardAverage(y, f)));
    add(RowKind::kTotal, cells);
  }
  return rows;
}

// The totals card's table: the old form's headings with the count of reports last, a row
// per month of the period, then "Total" and "Average" unless hidden for all records.
std::vector<std::string> TotalsHeadings(const TotalsCard& card) {
  std::vector<std::string> heads;
  for (Sid id : Headings(false)) heads.emplace_back(Str(id));
  heads[0] += " " + std::to_string(card.service_year);
  heads.back() = Str(Sid::kCardShared);
  return heads;
}

std::vector<std::vector<std::string>> TotalsRows(const CZarimDoc& doc, const TotalsCard& card,
                                                 std::vector<RowKind>* kinds) {
  std::vector<std::vector<std::string>> rows;
  auto add = [&](RowKind k, std::vector<std::string> cells) {
    rows.push_back(std::move(cells));
    if (kinds) kinds->push_back(k);
  };
  for (size_t i = 0; i < card.months.size(); ++i) {
    const YtdSummaryForm::Month& m = card.months[i];
    std::vector<std::string> cells{MonthLabel(m.month, m.year, i == 0)};
    for (int f : kOldColumns) cells.push_back(Number(m.values[f]));
    cells.push_back(Number(m.reports));
    add(RowKind::kPublisher, cells);
  }
  const int hide = CardHideFlags(doc, 0);
  if (!HideTotal(hide, 0)) {
    std::vector<std::string> cells{std::string(Str(Sid::kCardTotal))};
    for (int f : kOldColumns) cells.push_back(Number(card.totals[f]));
    cells.push_back(Number(card.reports));
    add(RowKind::kTotal, cells);
  }
  if (!HideAverage(hide, 0)) {
    std::vector<std::string> cells{std::string(Str(Sid::kCardAverage))};
    for (int f : kOldColumns) cells.push_back(Printf("%4.1f", TotalsCardAverage(card, f)));
    cells.push_back(Printf("%4.1f", TotalsCardAverage(card, -1)));
    add(RowKind::kTotal, cells);
  }
  return rows;
}

void DrawBox(Canvas& canvas, int x, int y, int side, int pen, bool checked) {
  canvas.SetPen(pen, PenStyle::kSolid);
  canvas.DrawRect(x, y, x + side, y + side);
  if (checked) {
    canvas.DrawLine(x, y, x + side, y + side);
    canvas.DrawLine(x, y + side, x + side, y);
  }
}

// Draws a service-year table with its top at y; returns its bottom. The new form draws
// its "X" cells as ticked boxes; the remarks (a publisher's last column) stand left, every
// other cell but the month centered.
int DrawTable(const CZarimDoc& doc, Canvas& canvas, const std::vector<std::string>& heads,
              const std::vector<std::vector<std::string>>& rows, bool new_form, bool remarks,
              int left, int y, int width) {
  const int lx = canvas.DpiX(), ly = canvas.DpiY();
  const int row = ly / 4;
  const int side = lx / 10;
  const int box_pen = std::max(lx / 120, 1);
  const FontSpec body_font = FormFont(doc.language_code, 125, 700, ly);
  std::vector<int> bounds = LayoutNumbers(Str(Sid::kCardColumnBounds), 7);
  if (bounds.empty()) bounds = {88, 165, 250, 335, 420, 505, 515};
  // Column edges: the new form's six columns end at the first five boundaries, the old
  // form's seven at the first six; the last column runs to the card's right edge.
  std::vector<int> xs{left};
  const size_t inner = heads.size() - 1;
  for (size_t c = 0; c < inner; ++c) xs.push_back(left + lx * bounds[c] / 100);
  xs.push_back(left + width);
  const int head_height = row * 2;
  const int table_top = y;
  const int table_bottom = table_top + head_height + row * static_cast<int>(rows.size());
  // Headings wrapped into their cells: words fill lines as far as they fit (the no-break
  // space keeps its neighbours together). The cell keeps the padding of the rows above and
  // below its lines; a heading of more lines than fit at the heading font gets a font as
  // much smaller as its lines are closer.
  const int pad = row / 16;
  for (size_t c = 0; c < heads.size(); ++c) {
    const int cx = (xs[c] + xs[c + 1]) / 2;
    const int room = xs[c + 1] - xs[c] - lx / 20;
    canvas.SetFont(FormFont(doc.language_code, 90, 700, ly));
    std::vector<std::string> lines = WrapWords(canvas, heads[c], room);
    const int count = static_cast<int>(std::min<size_t>(lines.size(), 4));
    const int step = std::min(row / 2, (head_height - 2 * pad) / std::max(count, 1));
    if (step < row / 2) canvas.SetFont(FormFont(doc.language_code, 90 * step / (row / 2), 700, ly));
    const int first = table_top + (head_height - step * count) / 2;
    canvas.SetTextAlign(align::kCenter | align::kTop);
    for (int l = 0; l < count; ++l) canvas.DrawText(cx, first + l * step, lines[l]);
  }
  canvas.SetFont(body_font);
  canvas.SetTextAlign(align::kLeft | align::kTop);
  for (size_t r = 0; r < rows.size(); ++r) {
    const int ry = table_top + head_height + row * static_cast<int>(r);
    for (size_t c = 0; c < rows[r].size() && c + 1 < xs.size(); ++c) {
      const std::string& cell = rows[r][c];
      if (cell.empty()) continue;
      const bool is_box = new_form && (c == 1 || c == 3) && cell == "X";
      if (is_box) {
        DrawBox(canvas, (xs[c] + xs[c + 1] - side) / 2, ry + (row - side) / 2, side, box_pen, true);
      } else if (c == 0 || (remarks && c + 1 == rows[r].size())) {
        canvas.DrawText(xs[c] + lx / 20, ry + row / 16, cell);
      } else {
        canvas.SetTextAlign(align::kCenter | align::kTop);
        canvas.DrawText((xs[c] + xs[c + 1]) / 2, ry + row / 16, cell);
        canvas.SetTextAlign(align::kLeft | align::kTop);
      }
    }
  }
  // Lines: the outer frame, the column separators and a line under every row.
  DrawInsideFrame(canvas, left, table_top, left + width, table_bottom, lx / 300 * 4);
  canvas.SetPen(lx / 300 * 3, PenStyle::kSolid);
  for (size_t c = 1; c + 1 < xs.size(); ++c) canvas.DrawLine(xs[c], table_top, xs[c], table_bottom);
  canvas.SetPen(std::max(lx / 300, 1), PenStyle::kSolid);
  for (size_t r = 0; r < rows.size(); ++r) {
    const int ly_line = table_top + head_height + row * static_cast<int>(r);
    canvas.DrawLine(left, ly_line, left + width, ly_line);
  }
  return table_bottom;
}

// Draws one card with its tables at the given top-left corner; returns its height.
int DrawCard(const CZarimDoc& doc, Canvas& canvas, int record, const std::vector<int>& years,
             int left, int top, int width) {
  const int lx = canvas.DpiX(), ly = canvas.DpiY();
  const int row = ly / 4;
  const FontSpec title_font = FormFont(doc.language_code, 150, 700, ly);
  const FontSpec body_font = FormFont(doc.language_code, 125, 700, ly);
  const int side = lx / 10;
  const int box_pen = std::max(lx / 120, 1);
  Header h = BuildHeader(doc, record);
  std::vector<int> boxes = LayoutNumbers(Str(Sid::kCardBoxPositions), 7);
  if (boxes.empty()) boxes = {70, 88, 2, 14, 38, 61, 82};
  auto box_x = [&](int i) { return left + width * boxes[i] / 100; };

  canvas.SetFont(title_font);
  canvas.SetTextAlign(align::kCenter | align::kTop);
  canvas.DrawText(left + width / 2, top, Str(Sid::kCardTitle));
  canvas.SetFont(body_font);
  canvas.SetTextAlign(align::kLeft | align::kTop);
  int y = top + row + row / 4;
  const std::string sep(Str(Sid::kCardLabelSeparator));
  canvas.DrawText(left, y, std::string(Str(Sid::kCardName)) + sep + h.name);
  if (!h.group.empty()) {
    canvas.SetTextAlign(align::kRight | align::kTop);
    canvas.DrawText(left + width, y, h.group);
    canvas.SetTextAlign(align::kLeft | align::kTop);
  }
  // A box stays at its percentage; a label that would run into the next box or past the
  // card's right edge (a longer language) is set in a font as much smaller as it needs to
  // end there.
  auto labelled_box = [&](int x, int yy, const Box& b, int end) {
    DrawBox(canvas, x, yy + (row - side) / 2, side, box_pen, b.checked);
    const int text_x = x + side + side / 2;
    const std::string label(Str(b.label));
    const int room = end - text_x;
    const int need = canvas.TextWidth(label);
    if (need > room && room > 0) {
      canvas.SetFont(FormFont(doc.language_code, std::max(125 * room / need, 1), 700, ly));
      canvas.DrawText(text_x, yy, label);
      canvas.SetFont(body_font);
    } else {
      canvas.DrawText(text_x, yy, label);
    }
  };
  y += row;
  canvas.DrawText(left, y, std::string(Str(Sid::kCardBirth)) + sep + h.birth);
  const int right = left + width;
  labelled_box(box_x(0), y, h.boxes[0], box_x(1) - side / 2);
  labelled_box(box_x(1), y, h.boxes[1], right);
  y += row;
  canvas.DrawText(left, y, std::string(Str(Sid::kCardBaptism)) + sep + h.baptism);
  labelled_box(box_x(0), y, h.hope[0], box_x(1) - side / 2);
  labelled_box(box_x(1), y, h.hope[1], right);
  y += row;
  for (int i = 2; i < 7; ++i)
    labelled_box(box_x(i), y, h.boxes[i], i < 6 ? box_x(i + 1) - side / 2 : right);
  y += row + row / 2;

  for (size_t t = 0; t < years.size(); ++t) {
    CardYear cy = BuildCardYear(doc, record, years[t]);
    std::vector<std::string> heads;
    for (Sid id : Headings(cy.new_form)) heads.emplace_back(Str(id));
    heads[0] += " " + std::to_string(cy.service_year);
    std::vector<std::vector<std::string>> rows =
        TableRows(doc, record, cy, static_cast<int>(t), nullptr);
    y = DrawTable(doc, canvas, heads, rows, cy.new_form, true, left, y, width) + row;
  }
  return y - top;
}

// Draws the congregation's totals card: the period as its title, the category and the
// source on the first row, then the table.
void DrawTotalsCard(const CZarimDoc& doc, Canvas& canvas, const TotalsCard& card, int left, int top,
                    int width) {
  const int ly = canvas.DpiY();
  const int row = ly / 4;
  canvas.SetFont(FormFont(doc.language_code, 150, 700, ly));
  canvas.SetTextAlign(align::kCenter | align::kTop);
  canvas.DrawText(left + width / 2, top, card.title);
  canvas.SetFont(FormFont(doc.language_code, 125, 700, ly));
  const int y = top + row + row / 4;
  canvas.SetTextAlign(align::kLeft | align::kTop);
  canvas.DrawText(left, y, card.category);
  canvas.SetTextAlign(align::kRight | align::kTop);
  canvas.DrawText(left + width, y, card.source);
  DrawTable(doc, canvas, TotalsHeadings(card), TotalsRows(doc, card, nullptr), false, false, left,
            y + row + row / 2, width);
}

const PubRecord* RecordAt(const CZarimDoc& doc, int rec) {
  return rec > 0 && rec < doc.count ? &doc.records[rec] : nullptr;
}

}  // namespace

int WorkingServiceYear(const CZarimDoc& doc) {
  int year = 2000 + doc.working_year;
  return doc.working_month >= kSeptember ? year + 1 : year;
}

bool CardUsesNewForm(const CZarimDoc& doc, int service_year) {
  if (service_year < kFirstNewFormYear) return false;
  if (doc.history_view && doc.working_serial <= doc.switch_serial) return false;
  return true;
}

std::map<int, int> ParseRecordHideFlags(std::string_view text) {
  std::map<int, int> out;
  size_t pos = 0;
  while (pos < text.size()) {
    while (pos < text.size() && text[pos] == ' ') ++pos;
    size_t end = text.find(' ', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view pair = text.substr(pos, end - pos);
    pos = end;
    const size_t colon = pair.find(':');
    if (colon == std::string_view::npos) continue;
    int id = 0, flags = 0;
    auto [p1, e1] = std::from_chars(pair.data(), pair.data() + colon, id);
    auto [p2, e2] = std::from_chars(pair.data() + colon + 1, pair.data() + pair.size(), flags);
    if (e1 != std::errc() || e2 != std::errc() || p1 != pair.data() + colon ||
        p2 != pair.data() + pair.size() || id <= 0 || flags <= 0)
      continue;
    out[id] = flags & kCardHideAll;
  }
  return out;
}

std::string FormatRecordHideFlags(const std::map<int, int>& flags) {
  std::string out;
  for (const auto& [id, bits] : flags) {
    if ((bits & kCardHideAll) == 0) continue;
    if (!out.empty()) out += ' ';
    out += Printf("%d:%d", id, bits & kCardHideAll);
  }
  return out;
}

int CardHideFlags(const CZarimDoc& doc, int record) {
  int flags = doc.options.hide_averages & kCardHideAll;
  if (const PubRecord* r = RecordAt(doc, record)) {
    std::map<int, int> own = ParseRecordHideFlags(doc.options.hide_records);
    auto it = own.find(static_cast<int>(r->id));
    if (it != own.end()) flags |= it->second;
  }
  return flags;
}

int CardWidth(int dpi_x, bool tall_sheet) { return tall_sheet ? dpi_x * 29 / 4 : dpi_x * 15 / 2; }

std::vector<int> LayoutNumbers(std::string_view text, size_t count) {
  std::vector<int> out;
  size_t pos = 0;
  while (pos < text.size() && out.size() < count) {
    while (pos < text.size() && text[pos] == ' ') ++pos;
    size_t end = text.find(' ', pos);
    if (end == std::string_view::npos) end = text.size();
    int v = 0;
    auto [p, ec] = std::from_chars(text.data() + pos, text.data() + end, v);
    if (ec != std::errc() || p != text.data() + end) return {};
    out.push_back(v);
    pos = end;
  }
  if (out.size() != count) return {};
  return out;
}

CardYear BuildCardYear(const CZarimDoc& doc, int record, int service_year) {
  CardYear y;
  y.service_year = service_year;
  y.new_form = CardUsesNewForm(doc, service_year);
  const PubRecord* r = RecordAt(doc, record);
  if (!r) return y;
  const int newest = doc.working_serial;
  int quarters = 0;
  for (int i = 0; i < 12; ++i) {
    const int month = (kSeptember + i) % 12;
    const int calendar = i < 4 ? service_year - 1 : service_year;
    const int serial = (calendar - 2000) * 12 + month;
    CardMonth& m = y.months[i];
    // The record keeps the last 24 months up to the working month.
    m.held = serial <= newest && serial > newest - 24 && calendar >= 2000;
    if (!m.held) continue;
    ++y.average_months;
    const int slot = SlotOfYear(calendar - 2000);
    m.reported = HasReported(*r, month, slot);
    quarters += QuartersIn(*r, month, slot);
    m.auxiliary = (r->pioneer[month][slot] & 0x03) == kAuxiliary;
    for (int f = 0; f < 5; ++f) {
      int v = r->activity[f][month][slot];
      if (f == kBibleStudies) v &= kStudiesMask;
      m.values[f] = v;
      y.totals[f] += v;
    }
    uint16_t index = r->remark[month][slot];
    if (index != 0 && index < doc.remark_count && index < doc.remarks.size())
      m.remark = Plain(doc, FieldText(doc.remarks[index].text));
  }
  // Four quarter hours carry into an hour, as in the service-year totals.
  y.totals[kHours] += quarters / 4;
  return y;
}

double CardAverage(const CardYear& year, int field) {
  if (year.average_months <= 0 || field < 0 || field > 4) return 0.0;
  return static_cast<double>(year.totals[field]) / year.average_months;
}

TotalsCard BuildTotalsCard(const CZarimDoc& doc, int category, int period, bool from_branch) {
  YtdSummaryForm summary(doc);
  summary.SetCategory(category);
  summary.SetPeriod(period);
  summary.SetFromBranch(from_branch);
  TotalsCard card;
  // The title names the period the card covers, the six months included.
  card.title = summary.PeriodNames()[static_cast<size_t>(summary.period())];
  card.category = summary.CategoryNames()[static_cast<size_t>(summary.category())];
  card.source = Str(from_branch ? Sid::kYtdBranch : Sid::kYtdActiveFile);
  card.service_year = WorkingServiceYear(doc);
  card.months = summary.Months();
  card.average_months = summary.MonthCount();
  for (const YtdSummaryForm::Month& m : card.months) {
    card.reports += m.reports;
    for (int f = 0; f < 5; ++f) card.totals[f] += m.values[f];
  }
  return card;
}

double TotalsCardAverage(const TotalsCard& card, int field) {
  if (card.average_months <= 0 || field < -1 || field > 4) return 0.0;
  const int total = field < 0 ? card.reports : card.totals[field];
  return static_cast<double>(total) / card.average_months;
}

std::vector<int> CardServiceYears(const CZarimDoc& doc, bool previous_year, bool one_per_page) {
  int current = WorkingServiceYear(doc) - (previous_year ? 1 : 0);
  if (one_per_page) return {current};
  return {current, current - 1};
}

int CardSheetCount(int cards, bool one_per_page) {
  if (cards <= 0) return 1;
  return one_per_page ? (cards + 1) / 2 : cards;
}

std::vector<int> CardRecords(const CZarimDoc& doc, int status, bool alphabetic) {
  std::vector<int> out;
  for (int rec = 1; rec < doc.count; ++rec)
    if (doc.records[rec].status == status) out.push_back(rec);
  if (alphabetic) {
    // The language's collation, as the publisher table itself is sorted: an accented
    // initial stands with its letter, not after "Z" as its byte would.
    std::vector<std::pair<std::string, int>> keyed;
    keyed.reserve(out.size());
    for (int rec : out)
      keyed.emplace_back(doc.collator().SortKey(doc.DisplayName(doc.records[rec])), rec);
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 0; i < keyed.size(); ++i) out[i] = keyed[i].second;
  }
  return out;
}

ReportModel CardModel(const CZarimDoc& doc, int record, bool previous_year) {
  ReportModel model;
  model.kind = report_kind::kRecordCards;
  model.title = Str(Sid::kCardTitle);
  if (!RecordAt(doc, record)) return model;
  Header h = BuildHeader(doc, record);
  const std::string sep(Str(Sid::kCardLabelSeparator));
  auto mark = [](const Box& b) {
    return std::string(Str(b.label)) + (b.checked ? " [X]" : " [ ]");
  };
  model.Add(RowKind::kHeading, {std::string(Str(Sid::kCardName)) + sep + h.name, h.group});
  model.Add(RowKind::kHeading, {std::string(Str(Sid::kCardBirth)) + sep + h.birth, mark(h.boxes[0]),
                                mark(h.boxes[1])});
  model.Add(RowKind::kHeading, {std::string(Str(Sid::kCardBaptism)) + sep + h.baptism,
                                mark(h.hope[0]), mark(h.hope[1])});
  std::vector<std::string> privileges;
  for (int i = 2; i < 7; ++i) privileges.push_back(mark(h.boxes[i]));
  model.Add(RowKind::kHeading, privileges);
  const bool one = doc.options.one_per_page != 0;
  std::vector<int> years = CardServiceYears(doc, previous_year, one);
  for (size_t t = 0; t < years.size(); ++t) {
    CardYear y = BuildCardYear(doc, record, years[t]);
    std::vector<std::string> heads;
    for (Sid s : Headings(y.new_form)) heads.emplace_back(Str(s));
    heads[0] += " " + std::to_string(y.service_year);
    model.Add(RowKind::kText, heads);
    std::vector<RowKind> kinds;
    std::vector<std::vector<std::string>> rows =
        TableRows(doc, record, y, static_cast<int>(t), &kinds);
    for (size_t r = 0; r < rows.size(); ++r) {
      while (!rows[r].empty() && rows[r].back().empty()) rows[r].pop_back();
      model.Add(kinds[r], rows[r]);
    }
  }
  return model;
}

void DrawRecordCards(const CZarimDoc& doc, Canvas& canvas, ReportContext& context) {
  const ReportSelection* sel = context.selection;
  if (sel && sel->totals_category >= 0) {
    // The totals card fills the first form of one sheet.
    context.page_count = 1;
    if (context.wanted_page != 0 && context.wanted_page != 1) return;
    const int lx = std::max(canvas.DpiX(), 1), ly = std::max(canvas.DpiY(), 1);
    const bool tall = context.printing && context.page_height_tenths == kPageHeightA4Tenths;
    DrawTotalsCard(
        doc, canvas,
        BuildTotalsCard(doc, sel->totals_category, sel->totals_period, sel->totals_from_branch),
        lx / 2, ly, CardWidth(lx, tall));
    return;
  }
  std::vector<int> records;
  if (sel && sel->chosen) {
    for (int rec : sel->records)
      if (RecordAt(doc, rec)) records.push_back(rec);
  } else {
    records = CardRecords(doc, kActive, false);
  }
  const bool one = doc.options.one_per_page != 0;
  context.page_count = CardSheetCount(static_cast<int>(records.size()), one);
  const int lx = std::max(canvas.DpiX(), 1), ly = std::max(canvas.DpiY(), 1);
  const bool tall = context.printing && context.page_height_tenths == kPageHeightA4Tenths;
  const int width = CardWidth(lx, tall);
  const int band = PageBandHeight(context.page_height_tenths, ly);
  std::vector<int> years = CardServiceYears(doc, sel && sel->previous_year, one);
  // Only the cards of the wanted sheet are laid out: a whole file printed sheet by sheet
  // stays linear in its cards.
  size_t first = 0, end = records.size();
  if (context.wanted_page != 0) {
    const size_t per_sheet = one ? 2 : 1;
    const size_t sheet = context.wanted_page > 0 ? static_cast<size_t>(context.wanted_page - 1) : 0;
    first = context.wanted_page > 0 ? std::min(sheet * per_sheet, records.size()) : end;
    end = std::min(first + per_sheet, records.size());
  }
  for (size_t i = first; i < end; ++i) {
    const int sheet = one ? static_cast<int>(i) / 2 : static_cast<int>(i);
    const int k = one ? static_cast<int>(i) % 2 : 0;
    DrawCard(doc, canvas, records[i], years, lx / 2, sheet * band + (k * 5 + 1) * ly, width);
  }
}

namespace {

ReportModel TotalsModel(const CZarimDoc& doc, const ReportSelection& sel) {
  const TotalsCard card =
      BuildTotalsCard(doc, sel.totals_category, sel.totals_period, sel.totals_from_branch);
  ReportModel model;
  model.kind = report_kind::kRecordCards;
  model.title = card.title;
  model.Add(RowKind::kHeading, {card.category, card.source});
  model.Add(RowKind::kText, TotalsHeadings(card));
  std::vector<RowKind> kinds;
  std::vector<std::vector<std::string>> rows = TotalsRows(doc, card, &kinds);
  for (size_t r = 0; r < rows.size(); ++r) model.Add(kinds[r], rows[r]);
  return model;
}

ReportModel CardsModel(const CZarimDoc& doc, const ReportContext& context, int) {
  const ReportSelection* sel = context.selection;
  if (sel && sel->totals_category >= 0) return TotalsModel(doc, *sel);
  std::vector<int> records = sel && sel->chosen ? sel->records : CardRecords(doc, kActive, false);
  ReportModel all;
  all.kind = report_kind::kRecordCards;
  all.title = Str(Sid::kCardTitle);
  for (int rec : records) {
    ReportModel one = CardModel(doc, rec, sel && sel->previous_year);
    for (ReportRow& row : one.rows) all.rows.push_back(std::move(row));
    all.Add(RowKind::kBlank, {});
  }
  if (!all.rows.empty()) all.rows.pop_back();
  all.page_count = CardSheetCount(static_cast<int>(records.size()), doc.options.one_per_page != 0);
  return all;
}

}  // namespace

std::vector<ReportEntry> CardReports() {
  return {{report_kind::kRecordCards, "cards", false,
           [](const CZarimDoc& doc, Canvas& canvas, ReportContext& context, int) {
             DrawRecordCards(doc, canvas, context);
           },
           CardsModel}};
}

}  // namespace zarim
