// The five font roles of the reports, their two default sets, the character set by
// language, and their place in the settings file.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "reports/canvas.h"

namespace zarim {

class Profile;

enum class FontRole { kText = 0, kTitle, kSubtitle, kHeading, kSmall };
inline constexpr int kFontRoleCount = 5;

// The settings section of a role ("Font", "Title Font", ...).
std::string_view FontSection(FontRole role);

// The character set written into a default font for a language code.
int CharSetForLanguage(std::string_view language_code);

// The default of a role: the high-resolution set (Arial) for printers of 300 dpi and
// more or when no printer can be asked, else the low-resolution set.
FontSpec DefaultFont(FontRole role, bool high_resolution, std::string_view language_code);

// The font of the "Printed" stamp, in screen units.
FontSpec StampFont(std::string_view language_code);

// The fixed face of the printed forms (record card, attendance record, emergency contact
// forms), which do not follow the roles: "Times New Roman", or "Calibri" for the "urk"
// language, of a size in tenths of points on a device of dpi_y dots per inch.
FontSpec FormFont(std::string_view language_code, int tenths_of_points, int weight, int dpi_y);

// The words of a text on as few lines as fit room (a word wider than room keeps a line
// of its own).
std::vector<std::string> WrapWords(const Canvas& canvas, const std::string& text, int room);

// A screen font made the same physical size on a device of another resolution.
FontSpec ScaleFont(const FontSpec& font, int screen_dpi_x, int screen_dpi_y, int dpi_x, int dpi_y);

// Face names are at most 31 characters.
inline constexpr size_t kMaxFaceName = 31;

class ReportFonts {
 public:
  ReportFonts();  // the high-resolution defaults for "eng"

  const FontSpec& Get(FontRole role) const { return fonts_[static_cast<int>(role)]; }
  void Set(FontRole role, const FontSpec& font);

  // Reads the five sections; a role without a height gets its default. Returns true
  // when some default was filled in (the caller then saves the fonts).
  bool Load(const Profile& profile, bool high_resolution, std::string_view language_code);
  void Save(Profile& profile) const;
  // All five roles back to the high-resolution defaults ("&Defaults").
  void ResetDefaults(std::string_view language_code);

  // True when the Text font is taller than the Small font, so that the numbers of a
  // list are drawn in the Small font to fit.
  bool TextLargerThanSmall() const;

 private:
  std::array<FontSpec, kFontRoleCount> fonts_;
};

}  // namespace zarim
