// The report canvas on a QPainter: the screen, a printer or a PDF writer. Without a
// painter it only measures, which is how a page count is found before printing.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QPen>

#include "reports/canvas.h"
#include "reports/fonts.h"

class QPainter;
class QPaintDevice;

namespace zarim {

// A Qt font for a font description given in device units.
QFont ToQFont(const FontSpec& font_spec);
// A font description (in units of a device of dpi_y) for a Qt font chosen by the user.
FontSpec FromQFont(const QFont& font, int dpi_y);

class QtCanvas : public Canvas {
 public:
  // painter may be null (measuring only); device gives the metrics and resolutions.
  QtCanvas(QPainter* painter, QPaintDevice* device, int dpi_x, int dpi_y);

  int DpiX() const override { return dpi_x_; }
  int DpiY() const override { return dpi_y_; }
  void SetFont(const FontSpec& font) override;
  TextMetrics Metrics() const override;
  int TextWidth(std::string_view text) const override;
  void SetTextAlign(int flags) override { align_ = flags; }
  int TextAlign() const override { return align_; }
  void MoveTo(int x, int y) override { cur_x_ = x, cur_y_ = y; }
  int CurrentX() const override { return cur_x_; }
  int CurrentY() const override { return cur_y_; }
  void DrawText(int x, int y, std::string_view text) override;
  void SetPen(int width, PenStyle style) override;
  void DrawLine(int x1, int y1, int x2, int y2) override;
  void DrawRect(int left, int top, int right, int bottom) override;
  void SetClip(int left, int top, int right, int bottom) override;
  void ClearClip() override;
  void SetOrigin(int x, int y) override;

 private:
  QPainter* painter_;
  QPaintDevice* device_;
  int dpi_x_, dpi_y_;
  FontSpec spec_;
  bool has_font_ = false;
  QFont font_;
  QFontMetrics metrics_;  // of font_ on device_, kept with the font
  int align_ = 0;
  int cur_x_ = 0, cur_y_ = 0;
};

}  // namespace zarim
