// The printf-style texts of the string table: each one's conversions are those its call
// sites pass (the table below), every such text is listed, and a text that does not fit
// its arguments renders as the bare text instead of undefined behaviour.
#include <fmt/args.h>
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>
#include <vector>

#include "core/strings.h"

namespace zarim {
namespace {

// The argument kinds the program passes to each printf-style text, in order:
// 's' a string, 'd' an integer, 'f' a floating-point number, 'c' a character.
struct FormatUse {
  Sid id;
  const char* kinds;
};
constexpr FormatUse kFormatUses[] = {
    {Sid::kRequiredSpaceFormat, "sd"},
    {Sid::kDisplayNameFirstLast, "ss"},
    {Sid::kDisplayNameLastFirst, "ss"},
    {Sid::kConfirmInitialize, "ss"},
    {Sid::kRollCatalogLabel, "sdd"},
    {Sid::kPostActiveCountFormat, "d"},
    {Sid::kPostGroupFormat, "sd"},
    {Sid::kPostGroupNumberFormat, "d"},
    {Sid::kPostGroupOverseerFormat, "ss"},
    {Sid::kSlipCreditRemarkFormat, "d"},
    {Sid::kSlipCreditLabelFormat, "d"},
    {Sid::kLateEraseQuestion, "d"},
    {Sid::kBranchCountFormat, "d"},
    {Sid::kBranchValueFormat, "d"},
    {Sid::kYearsLabel, "d"},
    {Sid::kGroupButtonFormat, "sds"},
    {Sid::kYearFormat4, "d"},
    {Sid::kPioneerListTitleFormat, "ssdd"},
    {Sid::kYearTwoDigitFormat, "d"},
    {Sid::kGroupLineFormat, "sdsssssss"},
    {Sid::kGroupNumberFormat, "sd"},
    {Sid::kNameWithGroup, "sd"},
    {Sid::kCountWithText, "ds"},
    {Sid::kGroupNumberSuffix, "d"},
    {Sid::kOtherListMark, "s"},
    {Sid::kPickAllRange, "d"},
    {Sid::kPanelHistoryReturn, "s"},
    {Sid::kSelectYearFormat, "d"},
    {Sid::kInactiveSince, "ds"},
    {Sid::kDeletedSince, "sd"},
    {Sid::kStatusListLine, "sds"},
    {Sid::kInactiveListLine, "sd"},
    {Sid::kAheadFormat, "sd"},
    {Sid::kAttendanceYearFormat, "d"},
    {Sid::kXmlDuplicatesFormat, "sd"},
    {Sid::kXmlCounterFormat, "sddd"},
    {Sid::kGroupHeadingFormat, "sd"},
    {Sid::kMeetingPercentFormat, "fcsd"},
    {Sid::kPercentFormat, "fc"},
    {Sid::kContactByGroupSubtitle, "sss"},
    {Sid::kEmergencyContactFormat, "ss"},
    {Sid::kLabelledNumber, "ss"},
    {Sid::kConvertedCounts, "dddddddd"},
    {Sid::kCollBuilding, "d"},
    {Sid::kCollMailSubject, "sss"},
    {Sid::kCollAttachmentName, "sd"},
    {Sid::kImportCountFormat, "sd"},
    {Sid::kImportLateReport, "s"},
    {Sid::kImportPostedFormat, "d"},
    {Sid::kCsvMapNote, "ss"},
    {Sid::kCsvAssociation, "ss"},
    {Sid::kCsvUnidentifiedCount, "d"},
    {Sid::kCsvMapLine, "ss"},
    {Sid::kViewTitleCount, "sd"},
    {Sid::kViewLineGroupPhone, "sds"},
    {Sid::kViewLinePhone, "ss"},
    {Sid::kViewGroupCaption, "ss"},
    {Sid::kViewDateFormat, "ddd"},
    {Sid::kViewMonthYearFormat, "dd"},
    {Sid::kHistoryYearFormat, "d"},
    {Sid::kCardYearMonth, "ds"},
    {Sid::kGlanceHeading, "s"},
    {Sid::kGlanceReceived, "dd"},
    {Sid::kGlanceMissing, "d"},
    {Sid::kGlanceLate, "d"},
    {Sid::kFigHoursFarAbove, "sdsd"},
    {Sid::kFigStudiesWithoutSharing, "sds"},
    {Sid::kFigCreditAboveLimit, "sdsd"},
    {Sid::kFigPioneerFarBelow, "sdsd"},
    {Sid::kBranchCheckLine, "ssdd"},
    {Sid::kCorrectionLine, "sssdssss"},
    {Sid::kCorrectionsUnreadable, "d"},
    {Sid::kCorrectionsCount, "dd"},
    {Sid::kNoSuchGroup, "d"},
    {Sid::kGroupWithoutMembers, "d"},
    {Sid::kEmergencyContactTitle, "s"},
};

// Date and time patterns with their own conversions, rendered by FormatTime.
constexpr Sid kTimePatterns[] = {Sid::kSetNameFormat, Sid::kUndoDateFormat, Sid::kBackupLabelFormat,
                                 Sid::kLastBackupDateFormat};

const std::regex& Conversion() {
  static const std::regex re("%[-+ #0]*[0-9]*(\\.[0-9]+)?[hlLjzt]*([diouxXeEfgGcsp%])");
  return re;
}

// The conversion letters of a printf-style text in order ("sd" for "%s: %4d").
std::string Kinds(std::string_view text) {
  std::string kinds;
  std::string s(text);
  for (std::sregex_iterator it(s.begin(), s.end(), Conversion()), end; it != end; ++it) {
    char c = (*it)[2].str()[0];
    if (c == '%') continue;
    kinds += (c == 'i' || c == 'u') ? 'd' : c;
  }
  return kinds;
}

TEST(StringFormats, EachTextHasTheConversionsItsCallSitesPass) {
  for (const FormatUse& use : kFormatUses)
    EXPECT_EQ(Kinds(Str(use.id)), use.kinds) << static_cast<int>(use.id) << " " << Str(use.id);
}

TEST(StringFormats, EveryPrintfStyleTextIsListed) {
  std::set<int> known;
  for (const FormatUse& use : kFormatUses) known.insert(static_cast<int>(use.id));
  for (Sid id : kTimePatterns) known.insert(static_cast<int>(id));
  for (int i = 0; i < StringCount(); ++i) {
    int number = StringNumberAt(i);
    if (!Kinds(StrByNumber(number)).empty()) {
      EXPECT_TRUE(known.count(number)) << number << " " << StrByNumber(number);
    }
  }
}

// Renders every listed text with arguments of its kinds: each argument shows up and no
// text falls back to its bare self.
TEST(StringFormats, EveryTextRendersWithArgumentsOfItsKinds) {
  for (const FormatUse& use : kFormatUses) {
    fmt::dynamic_format_arg_store<fmt::printf_context> args;
    std::vector<std::string> shown;
    int n = 0;
    for (const char* k = use.kinds; *k; ++k, ++n) {
      if (*k == 's') {
        shown.push_back("arg" + std::to_string(n));
        args.push_back(shown.back());
      } else if (*k == 'f') {
        args.push_back(1000.0 + n);
        shown.push_back(std::to_string(1000 + n));
      } else if (*k == 'c') {
        args.push_back(static_cast<char>('A' + n));
        shown.push_back(std::string(1, static_cast<char>('A' + n)));
      } else {
        args.push_back(1000 + n);
        shown.push_back(std::to_string(1000 + n));
      }
    }
    std::string out = PrintfText(Str(use.id), args);
    EXPECT_NE(out, Str(use.id)) << static_cast<int>(use.id);
    for (const std::string& s : shown)
      EXPECT_NE(out.find(s), std::string::npos) << static_cast<int>(use.id) << " " << out;
  }
}

TEST(StringFormats, ATextThatDoesNotFitItsArgumentsGivesTheBareText) {
  EXPECT_EQ(Printf(Sid::kYearFormat4, 2024), "2024");
  EXPECT_EQ(Printf(Sid::kYearFormat4, "2024"), Str(Sid::kYearFormat4));     // %d, a string
  EXPECT_EQ(Printf(Sid::kOtherListMark, 7), Str(Sid::kOtherListMark));      // %s, a number
  EXPECT_EQ(Printf(Sid::kNameWithGroup, "Ann"), Str(Sid::kNameWithGroup));  // one missing
  EXPECT_EQ(Printf(Sid::kRequiredSpaceFormat, "Need", 5), "Need: 5 bytes");
}

}  // namespace
}  // namespace zarim
