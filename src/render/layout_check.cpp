// Where a report's texts lie on paper, and which of them are cut.
#include "render/layout_check.h"

#include <QPdfWriter>
#include <QTemporaryFile>
#include <algorithm>
#include <optional>

#include "reports/report_registry.h"

namespace zarim {

MeasuringRecorder::MeasuringRecorder(QPaintDevice* device, int dpi)
    : RecordingCanvas(dpi, dpi), fonts_(nullptr, device, dpi, dpi) {}

void MeasuringRecorder::SetFont(const FontSpec& font) {
  RecordingCanvas::SetFont(font);
  fonts_.SetFont(font);
}

void MeasuringRecorder::DrawText(int x, int y, std::string_view text) {
  RecordingCanvas::DrawText(x, y, text);
  const Op& op = ops().back();
  const TextMetrics m = Metrics();
  const int width = TextWidth(text);
  Box box{op.x, op.y, op.x + width, op.y + m.height};
  if (!(op.align & align::kUpdateCurrentPosition)) {
    const int horizontal = op.align & align::kHorizontalMask;
    if (horizontal == align::kRight) box.left -= width;
    if (horizontal == align::kCenter) box.left -= width / 2;
    box.right = box.left + width;
  }
  const int vertical = op.align & align::kVerticalMask;
  if (vertical == align::kBaseline) box.top -= m.ascent;
  if (vertical == align::kBottom) box.top -= m.height;
  box.bottom = box.top + m.height;
  if (text.find_first_not_of(' ') != std::string_view::npos)
    texts_.push_back({ops().size() - 1, box});
}

namespace {

using Box = MeasuringRecorder::Box;

struct Rule {
  int x, y1, y2;
};

// A text crosses a vertical rule that runs through the middle of its line and through its
// width, leaving two dots of slack at each end.
bool Crosses(const Box& text, const Rule& rule) {
  const int middle = (text.top + text.bottom) / 2;
  return std::min(rule.y1, rule.y2) < middle && std::max(rule.y1, rule.y2) > middle &&
         text.left + 2 < rule.x && text.right - 2 > rule.x;
}

}  // namespace

std::vector<std::string> CutTexts(const MeasuringRecorder& drawing, int page_width) {
  using Kind = RecordingCanvas::OpKind;
  const std::vector<RecordingCanvas::Op>& ops = drawing.ops();
  // The vertical lines and the sides of rectangles, and the clip each text is drawn in.
  std::vector<Rule> rules;
  std::vector<std::optional<Box>> clip_of(ops.size());
  std::optional<Box> clip;
  for (size_t i = 0; i < ops.size(); ++i) {
    const RecordingCanvas::Op& op = ops[i];
    if (op.kind == Kind::kClip) clip = Box{op.x, op.y, op.x2, op.y2};
    if (op.kind == Kind::kClearClip) clip.reset();
    if (op.kind == Kind::kLine && op.x == op.x2) rules.push_back({op.x, op.y, op.y2});
    if (op.kind == Kind::kRect) {
      rules.push_back({op.x, op.y, op.y2});
      rules.push_back({op.x2, op.y, op.y2});
    }
    clip_of[i] = clip;
  }
  std::vector<MeasuringRecorder::PlacedText> texts = drawing.texts();
  std::sort(texts.begin(), texts.end(),
            [](const auto& a, const auto& b) { return a.box.top < b.box.top; });
  std::vector<std::string> cut;
  for (size_t i = 0; i < texts.size(); ++i) {
    const Box& box = texts[i].box;
    const std::string what = "\"" + ops[texts[i].op].text + "\"";
    if (box.left < 0 || box.right > page_width) cut.push_back(what + " runs off the page");
    const std::optional<Box>& c = clip_of[texts[i].op];
    if (c && box.top < c->bottom && box.bottom > c->top &&
        (box.left < c->left || box.right > c->right))
      cut.push_back(what + " is clipped");
    for (const Rule& rule : rules) {
      if (Crosses(box, rule)) {
        cut.push_back(what + " crosses the rule at " + std::to_string(rule.x));
        break;
      }
    }
    // A text beside it on the same line: more than half of the line height shared.
    for (size_t j = i + 1; j < texts.size() && texts[j].box.top < box.bottom; ++j) {
      const Box& other = texts[j].box;
      const int across = std::min(box.right, other.right) - std::max(box.left, other.left);
      const int down = std::min(box.bottom, other.bottom) - other.top;
      if (across > 2 && down > (box.bottom - box.top) / 2)
        cut.push_back(what + " runs into \"" + ops[texts[j].op].text + "\" by " +
                      std::to_string(across) + " dots");
    }
  }
  return cut;
}

std::vector<std::string> CutReportTexts(const CZarimDoc& doc, const ReportSelection& selection,
                                        Date today) {
  constexpr int kDpi = 300;
  QTemporaryFile file;  // the writer only lends its font metrics; nothing is drawn
  if (!file.open()) return {"no temporary file for the font metrics"};
  QPdfWriter device(file.fileName());
  device.setResolution(kDpi);
  ReportFonts fonts;
  std::vector<std::string> cut;
  for (const ReportEntry& report : AllReports()) {
    MeasuringRecorder drawing(&device, kDpi);
    ReportContext context;
    context.printing = true;
    context.fonts = &fonts;
    context.today = today;
    context.selection = &selection;
    report.draw(doc, drawing, context, report.per_group ? 1 : 0);
    for (const std::string& text : CutTexts(drawing, kDpi * 85 / 10))
      cut.push_back(std::string(report.name) + ": " + text);
  }
  return cut;
}

}  // namespace zarim
