// A canvas that draws nothing and records every call, with simple metrics that depend
// only on the font description; it lets tests check a layout line by line.
#pragma once

#include <string>
#include <vector>

#include "reports/canvas.h"

namespace zarim {

class RecordingCanvas : public Canvas {
 public:
  enum class OpKind { kText, kLine, kRect, kClip, kClearClip, kOrigin };
  struct Op {
    OpKind kind = OpKind::kText;
    int x = 0, y = 0, x2 = 0, y2 = 0;  // text: the point it was drawn at
    std::string text;
    FontSpec font;  // the font selected when a text was drawn
    int align = 0;
    int pen_width = 0;
  };

  RecordingCanvas(int dpi_x, int dpi_y) : dpi_x_(dpi_x), dpi_y_(dpi_y) {}

  // The metrics of a font of |height| h: cell height h + h / 4, external leading h / 8,
  // every character h / 2 wide (UTF-8 characters counted, not bytes).
  static TextMetrics MetricsFor(const FontSpec& font);

  int DpiX() const override { return dpi_x_; }
  int DpiY() const override { return dpi_y_; }
  void SetFont(const FontSpec& font) override { font_ = font; }
  TextMetrics Metrics() const override { return MetricsFor(font_); }
  int TextWidth(std::string_view text) const override;
  void SetTextAlign(int flags) override { align_ = flags; }
  int TextAlign() const override { return align_; }
  void MoveTo(int x, int y) override { cur_x_ = x, cur_y_ = y; }
  int CurrentX() const override { return cur_x_; }
  int CurrentY() const override { return cur_y_; }
  void DrawText(int x, int y, std::string_view text) override;
  void SetPen(int width, PenStyle) override { pen_width_ = width; }
  void DrawLine(int x1, int y1, int x2, int y2) override;
  void DrawRect(int left, int top, int right, int bottom) override;
  void SetClip(int left, int top, int right, int bottom) override;
  void ClearClip() override;
  void SetOrigin(int x, int y) override;

  const std::vector<Op>& ops() const { return ops_; }
  // The texts drawn, in order.
  std::vector<const Op*> Texts() const;
  // The first text op whose text equals |text|, or null.
  const Op* FindText(std::string_view text) const;

 private:
  int dpi_x_, dpi_y_;
  FontSpec font_;
  int align_ = 0;
  int cur_x_ = 0, cur_y_ = 0;
  int pen_width_ = 1;
  std::vector<Op> ops_;
};

}  // namespace zarim
