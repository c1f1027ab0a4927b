// Plausible figures: which reports are flagged against the publisher's own months and
// the slip's limits, and that a warning asks but never refuses.
#include "cycle/plausible_figures.h"

#include <gtest/gtest.h>

#include "core/month.h"
#include "cycle/slip_form.h"
#include "posting_fixture.h"

namespace zarim::testing {
namespace {

using Kind = FigureWarningKind;

struct FigureCase {
  const char* what;
  int usual;  // hours in each of the twelve months before (0: no history)
  int code;
  int hours;
  int studies;
  bool shared;
  int credit;
  std::vector<Kind> expected;
};

class FigureRule : public PostingTest, public ::testing::WithParamInterface<FigureCase> {};

TEST_P(FigureRule, FlagsOnlyWhatIsFarFromTheUsualOrBeyondTheLimits) {
  const FigureCase& c = GetParam();
  Add(100, "John", "Smith");
  MonthCursor back{kFeb, kSlot, 26};
  for (int i = 0; i < 12 && c.usual > 0; ++i) {
    back.Back();
    SetReport(100, back.month, back.slot, c.usual, 0);
  }
  SetCode(100, kFeb, kSlot, c.code);
  SetReport(100, kFeb, kSlot, c.hours, c.studies, c.shared);
  R(100).credit[kFeb][kSlot] = static_cast<uint16_t>(c.credit);
  std::vector<Kind> kinds;
  for (const FigureWarning& w : CheckReport(doc, R(100), kFeb, 26)) {
    kinds.push_back(w.kind);
    EXPECT_NE(w.text.find("John Smith"), std::string::npos) << w.text;
  }
  EXPECT_EQ(kinds, c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FigureRule,
    ::testing::Values(
        FigureCase{"10 typed as 100", 10, kPublisher, 100, 0, true, 0, {Kind::kHoursFarAboveUsual}},
        FigureCase{"30 above and three times",
                   10,
                   kPublisher,
                   40,
                   0,
                   true,
                   0,
                   {Kind::kHoursFarAboveUsual}},
        FigureCase{"a busy month", 10, kPublisher, 39, 0, true, 0, {}},
        FigureCase{"small figures", 2, kPublisher, 20, 0, true, 0, {}},
        FigureCase{"no months to compare", 0, kPublisher, 100, 0, true, 0, {}},
        FigureCase{
            "studies, not shared", 0, kPublisher, 0, 3, false, 0, {Kind::kStudiesWithoutSharing}},
        FigureCase{"an ordinary pioneer", 50, kRegular, 50, 2, true, 5, {}},
        FigureCase{"pioneer at half the need", 50, kRegular, 25, 0, true, 0, {}},
        FigureCase{
            "pioneer far below", 50, kRegular, 24, 0, true, 0, {Kind::kPioneerFarBelowRequired}},
        FigureCase{
            "credit past the ceiling", 50, kRegular, 50, 0, true, 20, {Kind::kCreditAboveLimit}}));

class PlausibleSlipTest : public PostingTest {};

TEST_F(PlausibleSlipTest, TheSlipAsksAndKeepsTheFigureOnlyWhenAccepted) {
  Add(100, "John", "Smith");
  MonthCursor back{kFeb, kSlot, 26};
  for (int i = 0; i < 12; ++i) {
    back.Back();
    SetReport(100, back.month, back.slot, 10, 0);
  }
  SetCode(100, kFeb, kSlot, kAuxiliary);
  for (Answer answer : {Answer::kNo, Answer::kYes}) {
    SlipForm f(doc, Rec(100));
    f.SetShared(true);
    f.SetHoursText("100");
    prompter.Script(answer);
    EXPECT_EQ(f.Save(), answer == Answer::kNo ? SlipForm::SaveResult::kRefused
                                              : SlipForm::SaveResult::kSaved);
    EXPECT_EQ(R(100).activity[kHours][kFeb][kSlot], answer == Answer::kNo ? 0 : 100);
  }
  ASSERT_EQ(prompter.messages.size(), 2u);
  EXPECT_NE(prompter.messages[0].find("far above the usual 10 hours"), std::string::npos);
  // Once stored, the month's check lists it.
  std::vector<FigureWarning> month = CheckWorkingMonth(doc);
  ASSERT_EQ(month.size(), 1u);
  EXPECT_EQ(month[0].id, 100);
  EXPECT_EQ(month[0].value, 100);
}

}  // namespace
}  // namespace zarim::testing
