// Font roles: the default sets, the character set by language, the Thai face rule and
// the settings sections.
#include "reports/fonts.h"

#include <gtest/gtest.h>

#include "reports/profile.h"

namespace zarim {
namespace {

TEST(DefaultFontTest, HighResolutionSetIsArial) {
  struct Row {
    FontRole role;
    int height, weight;
  } rows[] = {{FontRole::kText, -13, 400},
              {FontRole::kTitle, -19, 700},
              {FontRole::kSubtitle, -16, 700},
              {FontRole::kHeading, -13, 700},
              {FontRole::kSmall, -13, 400}};
  for (const Row& r : rows) {
    FontSpec f = DefaultFont(r.role, true, "eng");
    EXPECT_EQ(f.height, r.height);
    EXPECT_EQ(f.weight, r.weight);
    EXPECT_EQ(f.pitch_family, 34);
    EXPECT_EQ(f.face, "Arial");
    EXPECT_FALSE(f.italic);
    EXPECT_FALSE(f.underline);
  }
}

TEST(DefaultFontTest, LowResolutionSetIsFixedPitchRoman) {
  struct Row {
    FontRole role;
    int weight;
    const char* face;
  } rows[] = {{FontRole::kText, 400, "Roman 10cpi"},
              {FontRole::kTitle, 700, "Roman 10cpi"},
              {FontRole::kSubtitle, 700, "Roman 10cpi"},
              {FontRole::kHeading, 700, "Roman 12cpi"},
              {FontRole::kSmall, 400, "Roman 12cpi"}};
  for (const Row& r : rows) {
    FontSpec f = DefaultFont(r.role, false, "eng");
    EXPECT_EQ(f.height, -13);
    EXPECT_EQ(f.weight, r.weight);
    EXPECT_EQ(f.pitch_family, 49);
    EXPECT_EQ(f.face, r.face);
  }
}

TEST(DefaultFontTest, ThaiUsesTheSystemFaceInBothSets) {
  for (bool high : {true, false}) {
    for (int i = 0; i < kFontRoleCount; ++i) {
      FontSpec f = DefaultFont(static_cast<FontRole>(i), high, "tha");
      EXPECT_EQ(f.face, "System");
      EXPECT_EQ(f.charset, 222);
    }
  }
  EXPECT_EQ(DefaultFont(FontRole::kText, true, "eng").face, "Arial");
}

TEST(CharSetTest, ByLanguage) {
  struct Case {
    const char* lang;
    int charset;
  } cases[] = {{"eng", 0},     {"turkish", 162}, {"greek", 161},    {"rus", 204},
               {"urk", 204},   {"polish", 238},  {"hrvatski", 238}, {"slovenian", 238},
               {"czech", 238}, {"hun", 238},     {"slovak", 238},   {"rom", 238},
               {"tha", 222},   {"lt", 186},      {"estonian", 186}, {"vie", 163},
               {"ptg", 0},     {"", 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(CharSetForLanguage(c.lang), c.charset) << c.lang;
    EXPECT_EQ(DefaultFont(FontRole::kTitle, true, c.lang).charset, c.charset) << c.lang;
  }
  EXPECT_EQ(StampFont("greek").charset, 161);
}

TEST(StampFontTest, TimesTenUnitsRoman) {
  FontSpec f = StampFont("eng");
  EXPECT_EQ(f.height, -10);
  EXPECT_EQ(f.weight, 400);
  EXPECT_EQ(f.pitch_family, 18);
  EXPECT_EQ(f.face, "Times New Roman");
}

TEST(ScaleFontTest, RoundedMultiplyDivide) {
  FontSpec f = DefaultFont(FontRole::kText, true, "eng");
  f.width = 7;
  FontSpec s = ScaleFont(f, 96, 96, 300, 600);
  EXPECT_EQ(s.height, -81);  // -13 * 600 / 96 = -81.25
  EXPECT_EQ(s.width, 22);    // 7 * 300 / 96 = 21.875
  f.height = -10;
  EXPECT_EQ(ScaleFont(f, 96, 96, 300, 300).height, -31);  // -31.25
  f.height = -11;
  EXPECT_EQ(ScaleFont(f, 96, 96, 600, 600).height, -69);  // -68.75
  EXPECT_EQ(ScaleFont(f, 96, 0, 600, 600).height, -11);   // no screen resolution: unchanged
}

TEST(ReportFontsTest, MissingHeightsGiveDefaultsAndAskForASave) {
  MemoryProfile profile;
  ReportFonts fonts;
  EXPECT_TRUE(fonts.Load(profile, false, "eng"));
  EXPECT_EQ(fonts.Get(FontRole::kTitle).face, "Roman 10cpi");
  fonts.Save(profile);
  EXPECT_EQ(profile.GetInt("Title Font", "Height", 0), -13);
  EXPECT_EQ(profile.GetString("Small Font", "FaceName", ""), "Roman 12cpi");
  ReportFonts again;
  EXPECT_FALSE(again.Load(profile, true, "eng"));
  EXPECT_EQ(again.Get(FontRole::kTitle).face, "Roman 10cpi");  // stored beats defaults
}

TEST(ReportFontsTest, RoundTripThroughTheFiveSections) {
  MemoryProfile profile;
  ReportFonts fonts;
  FontSpec custom{-21, 0, 600, true, true, 238, 18, "Liberation Serif"};
  fonts.Set(FontRole::kHeading, custom);
  fonts.Save(profile);
  EXPECT_EQ(profile.GetInt("heading font", "height", 0), -21);  // names ignore case
  EXPECT_EQ(profile.GetInt("Heading Font", "Italic", 0), 1);
  EXPECT_EQ(profile.GetInt("Heading Font", "Underline", 0), 1);
  EXPECT_EQ(profile.GetInt("Heading Font", "PitchAndFamily", 0), 18);
  ReportFonts loaded;
  loaded.Load(profile, true, "eng");
  for (int i = 0; i < kFontRoleCount; ++i)
    EXPECT_EQ(loaded.Get(static_cast<FontRole>(i)), fonts.Get(static_cast<FontRole>(i))) << i;
}

TEST(ReportFontsTest, OneRoleMissingKeepsTheOthers) {
  MemoryProfile profile;
  profile.SetInt("Font", "Height", -15);
  profile.SetString("Font", "FaceName", "Courier New");
  ReportFonts fonts;
  EXPECT_TRUE(fonts.Load(profile, true, "eng"));
  EXPECT_EQ(fonts.Get(FontRole::kText).height, -15);
  EXPECT_EQ(fonts.Get(FontRole::kText).face, "Courier New");
  EXPECT_EQ(fonts.Get(FontRole::kText).weight, 400);
  EXPECT_EQ(fonts.Get(FontRole::kSmall), DefaultFont(FontRole::kSmall, true, "eng"));
}

TEST(ReportFontsTest, HostileValuesAreBounded) {
  MemoryProfile profile;
  profile.SetInt("Font", "Height", -2000000000);
  profile.SetInt("Font", "Weight", 99999);
  profile.SetString("Font", "FaceName", std::string(300, 'x'));
  profile.SetString("Title Font", "Height", "garbage");
  ReportFonts fonts;
  fonts.Load(profile, true, "eng");
  EXPECT_EQ(fonts.Get(FontRole::kText).height, -500);
  EXPECT_EQ(fonts.Get(FontRole::kText).weight, 1000);
  EXPECT_EQ(fonts.Get(FontRole::kText).face.size(), kMaxFaceName);
  EXPECT_EQ(fonts.Get(FontRole::kTitle), DefaultFont(FontRole::kTitle, true, "eng"));
}

TEST(ReportFontsTest, DefaultsCommandGivesTheArialSet) {
  MemoryProfile profile;
  ReportFonts fonts;
  fonts.Load(profile, false, "eng");
  ASSERT_EQ(fonts.Get(FontRole::kText).face, "Roman 10cpi");
  fonts.ResetDefaults("eng");
  for (int i = 0; i < kFontRoleCount; ++i)
    EXPECT_EQ(fonts.Get(static_cast<FontRole>(i)).face, "Arial");
}

TEST(ReportFontsTest, SmallFontRule) {
  ReportFonts fonts;
  EXPECT_FALSE(fonts.TextLargerThanSmall());  // both -13
  FontSpec big = fonts.Get(FontRole::kText);
  big.height = -16;
  fonts.Set(FontRole::kText, big);
  EXPECT_TRUE(fonts.TextLargerThanSmall());
  big.height = 12;  // a positive (cell) height compares by size too
  fonts.Set(FontRole::kText, big);
  EXPECT_FALSE(fonts.TextLargerThanSmall());
}

}  // namespace
}  // namespace zarim
