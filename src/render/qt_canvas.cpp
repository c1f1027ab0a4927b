// QPainter realisation of the report canvas.
#include "render/qt_canvas.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace zarim {
namespace {

QString FromUtf8View(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

QFont ToQFont(const FontSpec& font_spec) {
  QFont font(QString::fromStdString(font_spec.face));
  // A negative height is the character (em) height; a positive one the cell height,
  // of which the em is about seven eighths.
  int pixels = font_spec.height < 0 ? -font_spec.height : font_spec.height * 7 / 8;
  font.setPixelSize(std::max(pixels, 1));
  font.setWeight(static_cast<QFont::Weight>(
      std::clamp(font_spec.weight == 0 ? 400 : font_spec.weight, 100, 900)));
  font.setItalic(font_spec.italic);
  font.setUnderline(font_spec.underline);
  // Low two bits: 1 fixed pitch. Family: 0x10 roman (serif), 0x20 swiss (sans), 0x30 modern.
  font.setFixedPitch((font_spec.pitch_family & 3) == 1);
  switch (font_spec.pitch_family & 0xF0) {
    case 0x10:
      font.setStyleHint(QFont::Serif);
      break;
    case 0x20:
      font.setStyleHint(QFont::SansSerif);
      break;
    case 0x30:
      font.setStyleHint(QFont::TypeWriter);
      break;
    default:
      break;
  }
  return font;
}

FontSpec FromQFont(const QFont& font, int dpi_y) {
  FontSpec font_spec;
  int pixels = font.pixelSize();
  if (pixels <= 0) pixels = static_cast<int>(std::lround(font.pointSizeF() * dpi_y / 72.0));
  font_spec.height = -std::max(pixels, 1);
  font_spec.width = 0;
  font_spec.weight = std::clamp(static_cast<int>(font.weight()), 100, 900);
  font_spec.italic = font.italic();
  font_spec.underline = font.underline();
  font_spec.pitch_family =
      (font.fixedPitch() ? 1 : 2) | (font.styleHint() == QFont::Serif ? 0x10 : 0x20);
  font_spec.face = font.family().toStdString();
  if (font_spec.face.size() > kMaxFaceName) font_spec.face.resize(kMaxFaceName);
  return font_spec;
}

QtCanvas::QtCanvas(QPainter* painter, QPaintDevice* device, int dpi_x, int dpi_y)
    : painter_(painter), device_(device), dpi_x_(dpi_x), dpi_y_(dpi_y), metrics_(font_, device) {
  if (painter_) painter_->setPen(QPen(Qt::black, 1));
}

void QtCanvas::SetFont(const FontSpec& font) {
  // Drawers select the same few fonts line after line; building a font is not free.
  if (has_font_ && font == spec_) return;
  spec_ = font;
  has_font_ = true;
  font_ = ToQFont(font);
  metrics_ = QFontMetrics(font_, device_);
  if (painter_) painter_->setFont(font_);
}

TextMetrics QtCanvas::Metrics() const {
  const QFontMetrics& fm = metrics_;
  TextMetrics m;
  m.ascent = fm.ascent();
  m.descent = fm.descent();
  m.height = fm.height();
  m.external_leading = std::max(fm.leading(), 0);
  m.internal_leading = std::max(fm.height() - font_.pixelSize(), 0);
  m.average_char_width = fm.averageCharWidth();
  return m;
}

int QtCanvas::TextWidth(std::string_view text) const {
  return metrics_.horizontalAdvance(FromUtf8View(text));
}

void QtCanvas::DrawText(int x, int y, std::string_view text) {
  QString s = FromUtf8View(text);
  const QFontMetrics& fm = metrics_;
  int width = fm.horizontalAdvance(s);
  if (align_ & align::kUpdateCurrentPosition) {
    x = cur_x_;
    y = cur_y_;
  }
  int left = x;
  switch (align_ & align::kHorizontalMask) {
    case align::kRight:
      left = x - width;
      break;
    case align::kCenter:
      left = x - width / 2;
      break;
    default:
      break;
  }
  int baseline = y + fm.ascent();
  switch (align_ & align::kVerticalMask) {
    case align::kBottom:
      baseline = y - fm.descent();
      break;
    case align::kBaseline:
      baseline = y;
      break;
    default:
      break;
  }
  if (painter_) painter_->drawText(left, baseline, s);
  if (align_ & align::kUpdateCurrentPosition) {
    if ((align_ & align::kHorizontalMask) == align::kLeft)
      cur_x_ = x + width;
    else if ((align_ & align::kHorizontalMask) == align::kRight)
      cur_x_ = x - width;
  }
}

void QtCanvas::SetPen(int width, PenStyle style) {
  if (!painter_) return;
  Qt::PenStyle qt_style = style == PenStyle::kDash  ? Qt::DashLine
                          : style == PenStyle::kDot ? Qt::DotLine
                                                    : Qt::SolidLine;
  painter_->setPen(QPen(Qt::black, std::max(width, 1), qt_style));
}

void QtCanvas::DrawLine(int x1, int y1, int x2, int y2) {
  if (painter_) painter_->drawLine(x1, y1, x2, y2);
}

void QtCanvas::DrawRect(int left, int top, int right, int bottom) {
  if (!painter_) return;
  painter_->setBrush(Qt::NoBrush);
  painter_->drawRect(QRect(QPoint(left, top), QPoint(right, bottom)));
}

void QtCanvas::SetClip(int left, int top, int right, int bottom) {
  if (painter_) painter_->setClipRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
}

void QtCanvas::ClearClip() {
  if (painter_) painter_->setClipping(false);
}

void QtCanvas::SetOrigin(int x, int y) {
  if (!painter_) return;
  painter_->resetTransform();
  painter_->translate(-x, -y);
}

}  // namespace zarim
