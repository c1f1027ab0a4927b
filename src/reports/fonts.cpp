// Font roles: defaults, language character sets and the settings sections.
#include "reports/fonts.h"

#include <cstdlib>

#include "reports/profile.h"

namespace zarim {
namespace {

struct DefaultRow {
  int height;
  int weight;
  const char* low_face;
};

// Per role: height, weight and the face of the low-resolution set; the high-resolution
// set uses Arial (pitch-and-family 34), the low one fixed pitch roman faces (49).
constexpr DefaultRow kDefaults[kFontRoleCount] = {
    {-13, 400, "Roman 10cpi"},  // Text
    {-19, 700, "Roman 10cpi"},  // Title (low resolution: -13)
    {-16, 700, "Roman 10cpi"},  // Subtitle (low resolution: -13)
    {-13, 700, "Roman 12cpi"},  // Heading
    {-13, 400, "Roman 12cpi"},  // Small
};

constexpr int kHighPitchFamily = 34;
constexpr int kLowPitchFamily = 49;
constexpr int kStampPitchFamily = 18;

// value * mul / div rounded half away from zero, as the platform's MulDiv does.
int MulDivRounded(int value, int mul, int div) {
  if (div == 0) return value;
  long long p = static_cast<long long>(value) * mul;
  long long d = div;
  if (d < 0) p = -p, d = -d;
  return static_cast<int>(p >= 0 ? (p + d / 2) / d : -((-p + d / 2) / d));
}

}  // namespace

std::string_view FontSection(FontRole role) {
  switch (role) {
    case FontRole::kText:
      return "Font";
    case FontRole::kTitle:
      return "Title Font";
    case FontRole::kSubtitle:
      return "Subtitle Font";
    case FontRole::kHeading:
      return "Heading Font";
    case FontRole::kSmall:
      return "Small Font";
  }
  return "Font";
}

int CharSetForLanguage(std::string_view lang) {
  if (lang == "turkish") return 162;
  if (lang == "greek") return 161;
  if (lang == "rus" || lang == "urk") return 204;
  if (lang == "polish" || lang == "hrvatski" || lang == "slovenian" || lang == "czech" ||
      lang == "hun" || lang == "slovak" || lang == "rom")
    return 238;
  if (lang == "tha") return 222;
  if (lang == "lt" || lang == "estonian") return 186;
  if (lang == "vie") return 163;
  return 0;
}

FontSpec DefaultFont(FontRole role, bool high_resolution, std::string_view lang) {
  const DefaultRow& row = kDefaults[static_cast<int>(role)];
  FontSpec f;
  f.width = 0;
  f.weight = row.weight;
  f.italic = false;
  f.underline = false;
  f.charset = CharSetForLanguage(lang);
  if (high_resolution) {
    f.height = row.height;
    f.pitch_family = kHighPitchFamily;
    f.face = "Arial";
  } else {
    f.height = -13;
    f.pitch_family = kLowPitchFamily;
    f.face = row.low_face;
  }
  // Thai texts need the system face, whatever the set.
  if (lang == "tha") f.face = "System";
  return f;
}

FontSpec StampFont(std::string_view lang) {
  FontSpec f;
  f.height = -10;
  f.weight = 400;
  f.pitch_family = kStampPitchFamily;
  f.face = "Times New Roman";
  f.charset = CharSetForLanguage(lang);
  return f;
}

FontSpec FormFont(std::string_view language_code, int tenths_of_points, int weight, int dpi_y) {
  FontSpec f;
  const bool calibri = language_code == "urk";
  f.face = calibri ? "Calibri" : "Times New Roman";
  f.pitch_family = calibri ? 34 : 18;
  f.weight = weight;
  f.height = -(tenths_of_points * dpi_y / 720);
  return f;
}

std::vector<std::string> WrapWords(const Canvas& canvas, const std::string& text, int room) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = text.find(' ', pos);
    if (end == std::string::npos) end = text.size();
    std::string word = text.substr(pos, end - pos);
    if (!lines.empty() && canvas.TextWidth(lines.back() + " " + word) <= room) {
      lines.back() += " " + word;
    } else {
      lines.push_back(word);
    }
    pos = end + 1;
  }
  return lines;
}

FontSpec ScaleFont(const FontSpec& font, int screen_dpi_x, int screen_dpi_y, int dpi_x, int dpi_y) {
  FontSpec f = font;
  f.height = MulDivRounded(font.height, dpi_y, screen_dpi_y);
  f.width = MulDivRounded(font.width, dpi_x, screen_dpi_x);
  return f;
}

ReportFonts::ReportFonts() { ResetDefaults("eng"); }

void ReportFonts::Set(FontRole role, const FontSpec& font) {
  FontSpec f = font;
  if (f.face.size() > kMaxFaceName) f.face.resize(kMaxFaceName);
  fonts_[static_cast<int>(role)] = f;
}

bool ReportFonts::Load(const Profile& profile, bool high_resolution, std::string_view lang) {
  bool defaulted = false;
  for (int i = 0; i < kFontRoleCount; ++i) {
    FontRole role = static_cast<FontRole>(i);
    std::string_view section = FontSection(role);
    int height = profile.GetInt(section, "Height", 0);
    if (height == 0) {
      fonts_[i] = DefaultFont(role, high_resolution, lang);
      defaulted = true;
      continue;
    }
    FontSpec f;
    // Heights beyond a few inches would only make unreadable pages; keep them sane.
    constexpr int kMaxHeight = 500;
    f.height = height < -kMaxHeight ? -kMaxHeight : (height > kMaxHeight ? kMaxHeight : height);
    f.width = 0;
    int weight = profile.GetInt(section, "Weight", 400);
    f.weight = weight < 0 ? 0 : (weight > 1000 ? 1000 : weight);
    f.italic = profile.GetInt(section, "Italic", 0) != 0;
    f.underline = profile.GetInt(section, "Underline", 0) != 0;
    f.pitch_family = profile.GetInt(section, "PitchAndFamily", 34) & 0xFF;
    f.charset = profile.GetInt(section, "CharSet", CharSetForLanguage(lang)) & 0xFF;
    f.face = profile.GetString(section, "FaceName", "Arial");
    if (f.face.size() > kMaxFaceName) f.face.resize(kMaxFaceName);
    fonts_[i] = f;
  }
  return defaulted;
}

void ReportFonts::Save(Profile& profile) const {
  for (int i = 0; i < kFontRoleCount; ++i) {
    std::string_view section = FontSection(static_cast<FontRole>(i));
    const FontSpec& f = fonts_[i];
    profile.SetInt(section, "Height", f.height);
    profile.SetInt(section, "Weight", f.weight);
    profile.SetInt(section, "Italic", f.italic ? 1 : 0);
    profile.SetInt(section, "Underline", f.underline ? 1 : 0);
    profile.SetInt(section, "PitchAndFamily", f.pitch_family);
    profile.SetInt(section, "CharSet", f.charset);
    profile.SetString(section, "FaceName", f.face);
  }
}

void ReportFonts::ResetDefaults(std::string_view lang) {
  for (int i = 0; i < kFontRoleCount; ++i)
    fonts_[i] = DefaultFont(static_cast<FontRole>(i), true, lang);
}

bool ReportFonts::TextLargerThanSmall() const {
  return std::abs(Get(FontRole::kText).height) > std::abs(Get(FontRole::kSmall).height);
}

}  // namespace zarim
