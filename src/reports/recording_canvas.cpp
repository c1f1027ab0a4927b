// The recording canvas of the tests: deterministic metrics and a log of every call.
#include "reports/recording_canvas.h"

#include <cstdlib>

namespace zarim {
namespace {

RecordingCanvas::Op MakeOp(RecordingCanvas::OpKind kind, int x = 0, int y = 0, int x2 = 0,
                           int y2 = 0) {
  RecordingCanvas::Op op;
  op.kind = kind;
  op.x = x;
  op.y = y;
  op.x2 = x2;
  op.y2 = y2;
  return op;
}

}  // namespace

TextMetrics RecordingCanvas::MetricsFor(const FontSpec& font) {
  int h = std::abs(font.height);
  TextMetrics m;
  m.internal_leading = h / 4;
  m.height = h + m.internal_leading;
  m.ascent = m.height * 4 / 5;
  m.descent = m.height - m.ascent;
  m.external_leading = h / 8;
  m.average_char_width = font.width > 0 ? font.width : h / 2;
  return m;
}

int RecordingCanvas::TextWidth(std::string_view text) const {
  int chars = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++chars;
  return chars * MetricsFor(font_).average_char_width;
}

void RecordingCanvas::DrawText(int x, int y, std::string_view text) {
  Op op = MakeOp(OpKind::kText);
  if (align_ & align::kUpdateCurrentPosition) {
    op.x = cur_x_;
    op.y = cur_y_;
    cur_x_ += TextWidth(text);
  } else {
    op.x = x;
    op.y = y;
  }
  op.text = std::string(text);
  op.font = font_;
  op.align = align_;
  ops_.push_back(std::move(op));
}

void RecordingCanvas::DrawLine(int x1, int y1, int x2, int y2) {
  Op op = MakeOp(OpKind::kLine, x1, y1, x2, y2);
  op.pen_width = pen_width_;
  ops_.push_back(std::move(op));
}

void RecordingCanvas::DrawRect(int left, int top, int right, int bottom) {
  Op op = MakeOp(OpKind::kRect, left, top, right, bottom);
  op.pen_width = pen_width_;
  ops_.push_back(std::move(op));
}

void RecordingCanvas::SetClip(int left, int top, int right, int bottom) {
  ops_.push_back(MakeOp(OpKind::kClip, left, top, right, bottom));
}

void RecordingCanvas::ClearClip() { ops_.push_back(MakeOp(OpKind::kClearClip)); }

void RecordingCanvas::SetOrigin(int x, int y) { ops_.push_back(MakeOp(OpKind::kOrigin, x, y)); }

std::vector<const RecordingCanvas::Op*> RecordingCanvas::Texts() const {
  std::vector<const Op*> out;
  for (const Op& op : ops_)
    if (op.kind == OpKind::kText) out.push_back(&op);
  return out;
}

const RecordingCanvas::Op* RecordingCanvas::FindText(std::string_view text) const {
  for (const Op& op : ops_)
    if (op.kind == OpKind::kText && op.text == text) return &op;
  return nullptr;
}

}  // namespace zarim
