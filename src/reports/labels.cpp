// The publisher labels.
#include "reports/labels.h"

#include <algorithm>

#include "core/bytes.h"
#include "core/document.h"
#include "core/month.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "cycle/congregation_view.h"
#include "records/record_dates.h"
#include "reports/fonts.h"
#include "reports/report_kind.h"

namespace zarim {
namespace {

// Column pitch in hundredths of an inch; A4 sheets are narrower.
constexpr int kPitchLetter = 420;
constexpr int kPitchA4 = 405;

bool Unbaptized(const PubRecord& r) { return Trim(FieldText(r.baptism_date)).size() < 6; }

std::string Plain(const CZarimDoc& doc, std::string_view bytes) {
  return ToUtf8(std::string(Trim(bytes)), doc.language_code);
}

// A record date as printed: "MM/DD/YYYY", or "dd mmm yyyy" with the alternate format;
// empty when unknown.
std::string DateText(const CZarimDoc& doc, const char (&field)[9]) {
  DateParts d = ParseRecordDate(FieldText(field, sizeof field));
  if (d.month == 0 || d.year == 0) return {};
  if (doc.format.alternate_date) {
    std::string month = ShortMonthName(d.month - 1);
    return d.day ? Printf("%02d %s %d", d.day, month.c_str(), d.year)
                 : Printf("%s %d", month.c_str(), d.year);
  }
  return d.day ? Printf("%02d/%02d/%d", d.month, d.day, d.year)
               : Printf("%02d/%d", d.month, d.year);
}

// The label font: Times New Roman of 9 screen units, roman and variable pitch.
FontSpec LabelFont(const CZarimDoc& doc) {
  FontSpec f = StampFont(doc.language_code);
  f.height = -9;
  return f;
}

}  // namespace

LabelPlace PlaceLabel(int start, int index) {
  int p = std::clamp(start, 1, kLabelsPerSheet) - 1 + std::max(index, 0);
  LabelPlace place;
  place.sheet = p / kLabelsPerSheet;
  place.row = (p % kLabelsPerSheet) / kLabelsAcross;
  place.column = p % kLabelsAcross;
  return place;
}

int LabelSheetCount(int start, int count) {
  if (count <= 0) return 1;
  return (std::clamp(start, 1, kLabelsPerSheet) - 2 + count) / kLabelsPerSheet + 1;
}

std::vector<int> LabelRecordsByCategory(const CZarimDoc& doc) {
  std::vector<int> out;
  for (int pass = 0; pass < 3; ++pass) {
    for (int rec = 1; rec < doc.count; ++rec) {
      const PubRecord& r = doc.records[rec];
      if (r.status != kActive) continue;
      int code = CongregationView(doc).PioneerCodeNow(r);
      bool pioneer = code == kRegular || code == kSpecial;
      int category = pioneer ? 0 : Unbaptized(r) ? 2 : 1;
      if (category == pass) out.push_back(rec);
    }
  }
  return out;
}

std::vector<std::string> LabelLines(const CZarimDoc& doc, int record) {
  const PubRecord& r = doc.records[record];
  std::vector<std::string> lines;
  lines.push_back(ToUtf8(doc.DisplayName(r), doc.language_code));
  std::string birth = DateText(doc, r.birth_date);
  const bool legend = doc.options.label_birth_legend != 0;
  if (legend && !birth.empty())
    lines.push_back(Printf(
        Sid::kLabelledNumber,
        Str(doc.options.alternate_label ? Sid::kLabelBirth : Sid::kLabelDateOfBirth), birth));
  std::string address = Plain(doc, FieldText(r.address));
  if (!address.empty()) lines.push_back(address);
  std::string home = Plain(doc, FieldText(r.home_phone));
  std::string mobile = Plain(doc, FieldText(r.mobile_phone));
  if (!home.empty()) {
    lines.push_back(home);
  } else if (!mobile.empty()) {
    lines.push_back(Printf(Sid::kLabelledNumber, Str(Sid::kLabelMobile), mobile));
  }
  std::string baptism = DateText(doc, r.baptism_date);
  lines.push_back(Unbaptized(r) || baptism.empty() ? std::string(Str(Sid::kLabelUnbaptized))
                                                   : baptism);
  // Hope, privilege and pioneer service share the last line.
  std::vector<std::string> marks;
  if (r.hope == 'O' || r.hope == 'o') marks.emplace_back(Str(Sid::kLabelOtherSheep));
  if (r.hope == 'A' || r.hope == 'a') marks.emplace_back(Str(Sid::kLabelAnointed));
  int privilege = r.flags & kPrivilegeMask;
  if (privilege == kElder) marks.emplace_back(Str(Sid::kLabelElder));
  if (privilege == kServant) marks.emplace_back(Str(Sid::kLabelServant));
  switch (CongregationView(doc).PioneerCodeNow(r)) {
    case kRegular:
      marks.emplace_back(Str(Sid::kLabelRegularPioneer));
      break;
    case kSpecial:
      marks.emplace_back(Str(Sid::kLabelSpecialPioneer));
      break;
    case kAuxiliary:
      marks.emplace_back(Str(Sid::kLabelAuxiliaryPioneer));
      break;
    default:
      break;
  }
  std::string last;
  for (const std::string& m : marks) last += (last.empty() ? "" : "   ") + m;
  if (!last.empty()) lines.push_back(last);
  return lines;
}

namespace {

// The records of the context's selection, or every active publisher by category.
std::vector<int> LabelRecords(const CZarimDoc& doc, const ReportSelection* sel) {
  if (!(sel && sel->chosen)) return LabelRecordsByCategory(doc);
  std::vector<int> records;
  for (int rec : sel->records)
    if (rec > 0 && rec < doc.count) records.push_back(rec);
  return records;
}

}  // namespace

ReportModel LabelsModel(const CZarimDoc& doc, const ReportContext& context) {
  const ReportSelection* sel = context.selection;
  const std::vector<int> records = LabelRecords(doc, sel);
  const int start = sel ? std::clamp(sel->start_label, 1, kLabelsPerSheet) : 1;
  ReportModel model;
  model.kind = report_kind::kLabels;
  model.title = std::string(Str(Sid::kLabelsTitle));
  for (int rec : records) model.Add(RowKind::kPublisher, LabelLines(doc, rec));
  model.page_count = LabelSheetCount(start, static_cast<int>(records.size()));
  return model;
}

void DrawLabels(const CZarimDoc& doc, Canvas& canvas, ReportContext& context) {
  const ReportSelection* sel = context.selection;
  const std::vector<int> records = LabelRecords(doc, sel);
  const int start = sel ? std::clamp(sel->start_label, 1, kLabelsPerSheet) : 1;
  context.page_count = LabelSheetCount(start, static_cast<int>(records.size()));

  PageFrame frame(canvas, context, doc.options.top_margin);
  const bool a4 = context.printing && context.page_height_tenths == kPageHeightA4Tenths;
  const int pitch = frame.unit() * (a4 ? kPitchA4 : kPitchLetter) / 100;
  int left = std::clamp(doc.options.label_left_margin, 0, 99) * frame.unit() / 100;
  if (!context.printing) left /= 2;
  const int row_height = frame.dpi_y();
  canvas.SetFont(frame.Scaled(LabelFont(doc)));
  TextMetrics m = canvas.Metrics();
  const int line = std::max(m.height + m.external_leading, 1);
  canvas.SetTextAlign(align::kLeft | align::kBottom);
  for (size_t i = 0; i < records.size(); ++i) {
    LabelPlace place = PlaceLabel(start, static_cast<int>(i));
    const int x = left + place.column * pitch;
    const int top = place.sheet * frame.page_height() + frame.top_offset() + place.row * row_height;
    std::vector<std::string> lines = LabelLines(doc, records[i]);
    for (size_t j = 0; j < lines.size(); ++j)
      canvas.DrawText(x, top + line * static_cast<int>(j + 1), lines[j]);
  }
  canvas.SetTextAlign(align::kLeft | align::kTop);
}

std::vector<ReportEntry> LabelReports() {
  return {{report_kind::kLabels, "labels", false,
           [](const CZarimDoc& doc, Canvas& canvas, ReportContext& context, int) {
             DrawLabels(doc, canvas, context);
           },
           [](const CZarimDoc& doc, const ReportContext& context, int) {
             return LabelsModel(doc, context);
           }}};
}

}  // namespace zarim
