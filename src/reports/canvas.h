// The drawing surface every report is laid out on: text at a point with an alignment,
// fonts from a description, metrics, resolutions, pens, lines, rectangles and clipping.
#pragma once

#include <string>
#include <string_view>

namespace zarim {

// A platform font description. The height is in logical units of the device it is
// selected into; a negative height is the character height (without internal leading).
struct FontSpec {
  int height = -13;
  int width = 0;
  int weight = 400;
  bool italic = false;
  bool underline = false;
  int charset = 0;
  int pitch_family = 34;
  std::string face = "Arial";
  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// Metrics of the font selected into a canvas, in device units.
struct TextMetrics {
  int height = 0;  // ascent + descent
  int ascent = 0;
  int descent = 0;
  int internal_leading = 0;
  int external_leading = 0;
  int average_char_width = 0;
};

// Text alignment flags; they combine one horizontal and one vertical choice, plus the
// flag that draws at (and advances) the current position.
namespace align {
inline constexpr int kLeft = 0;
inline constexpr int kRight = 2;
inline constexpr int kCenter = 6;
inline constexpr int kTop = 0;
inline constexpr int kBottom = 8;
inline constexpr int kBaseline = 24;
inline constexpr int kUpdateCurrentPosition = 1;
inline constexpr int kHorizontalMask = 6;
inline constexpr int kVerticalMask = 24;
}  // namespace align

enum class PenStyle { kSolid, kDash, kDot };

class Canvas {
 public:
  virtual ~Canvas() = default;

  // Dots per inch of the device, horizontally and vertically.
  virtual int DpiX() const = 0;
  virtual int DpiY() const = 0;

  // Selects a font; its height and width are already in device units.
  virtual void SetFont(const FontSpec& font) = 0;
  virtual TextMetrics Metrics() const = 0;
  // Width of a text (UTF-8) in the selected font.
  virtual int TextWidth(std::string_view text) const = 0;

  virtual void SetTextAlign(int flags) = 0;
  virtual int TextAlign() const = 0;
  virtual void MoveTo(int x, int y) = 0;
  virtual int CurrentX() const = 0;
  virtual int CurrentY() const = 0;
  // Draws a text (UTF-8). With kUpdateCurrentPosition it starts at the current position
  // (x and y are ignored) and moves the current position to the end of the text.
  virtual void DrawText(int x, int y, std::string_view text) = 0;

  virtual void SetPen(int width, PenStyle style) = 0;
  virtual void DrawLine(int x1, int y1, int x2, int y2) = 0;
  virtual void DrawRect(int left, int top, int right, int bottom) = 0;

  // Limits drawing to a rectangle in logical coordinates; ClearClip removes it.
  virtual void SetClip(int left, int top, int right, int bottom) = 0;
  virtual void ClearClip() = 0;
  // Makes the logical point (x, y) the top-left corner of the device.
  virtual void SetOrigin(int x, int y) = 0;
};

}  // namespace zarim
