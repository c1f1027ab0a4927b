// The "Report Slip Posting" decision dialog: captions and shown buttons by day of month
// and collection state, the confirmation question, and what OK does to the document.
#include "cycle/posting_decision_form.h"

#include <gtest/gtest.h>

#include "cycle/collection.h"
#include "month_init_fixture.h"

namespace zarim {
namespace {

using testing::MonthFolder;

constexpr uint8_t N = 0, O = 1, C = 2;  // not initialized, open, closed

struct CaptionCase {
  int day;
  uint8_t working;  // state of April (the working month on every day of May)
  uint8_t before;   // state of March
  bool early_held;
  bool suggestion;
  const char* reopen;  // nullptr: hidden
  const char* initialize;
  const char* next;  // nullptr: hidden
};

const CaptionCase kCaptionCases[] = {
    {3, N, O, false, false, "Reopen and continue report collection for March 2026",
     "Initialize and open report collection for April 2026", nullptr},
    {7, N, O, false, false, "Reopen and continue report collection for March 2026",
     "Initialize and open report collection for April 2026", nullptr},
    {8, N, O, false, false, nullptr, "Initialize and open report collection for April 2026",
     nullptr},
    {3, N, C, false, false, nullptr, "Initialize and open report collection for April 2026",
     nullptr},
    {3, C, O, false, false, "Reopen and continue report collection for April 2026",
     "Reinitialize and open report collection for April 2026", nullptr},
    {15, C, N, false, false, "Reopen and continue report collection for April 2026",
     "Reinitialize and open report collection for April 2026", nullptr},
    {20, N, N, false, false, nullptr, "Initialize and open report collection for April 2026",
     nullptr},
    {21, N, N, false, true, nullptr, "Initialize and open report collection for April 2026",
     nullptr},
    {24, C, N, false, true, "Reopen and continue report collection for April 2026",
     "Reinitialize and open report collection for April 2026", nullptr},
    {25, C, N, false, true, "Reopen and continue report collection for April 2026",
     "Reinitialize and open report collection for April 2026",
     "Initialize and open report collection for May 2026"},
    {31, N, N, false, true, nullptr, "Initialize and open report collection for April 2026",
     "Initialize and open report collection for May 2026"},
    {26, N, N, true, true, nullptr, "Initialize and open report collection for April 2026",
     nullptr},
};

class DecisionCaptions : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(DecisionCaptions, ShowTheRightButtons) {
  const CaptionCase& c = GetParam();
  MonthFolder f({2026, 5, c.day});
  f.Add(100);
  f.doc.SetWorkingSerial(
      static_cast<uint16_t>(Serial(26, 3)));  // April, also with an early start held
  f.doc.early_year = c.early_held ? 26 : 0;
  f.doc.early_month = c.early_held ? 5 : 0;
  SetCollectionStateOf(f.doc, 3, static_cast<MonthCollection>(c.working));
  SetCollectionStateOf(f.doc, 2, static_cast<MonthCollection>(c.before));
  PostingDecisionForm form(f.doc);
  EXPECT_EQ(form.Title(), "Report Slip Posting");
  EXPECT_EQ(form.SuggestionShown(), c.suggestion);
  EXPECT_EQ(form.SuggestionCaption(), "Suggestion !");
  EXPECT_EQ(form.ReopenShown(), c.reopen != nullptr);
  if (c.reopen) {
    EXPECT_EQ(form.ReopenCaption(), c.reopen);
  }
  EXPECT_EQ(form.InitializeCaption(), c.initialize);
  EXPECT_EQ(form.InitializeNextShown(), c.next != nullptr);
  if (c.next) {
    EXPECT_EQ(form.InitializeNextCaption(), c.next);
  }
}

INSTANTIATE_TEST_SUITE_P(ByDayAndState, DecisionCaptions, ::testing::ValuesIn(kCaptionCases));

TEST(Decision, SuggestionText) {
  MonthFolder f({2026, 5, 22});
  f.Add(100);
  EXPECT_EQ(PostingDecisionForm(f.doc).SuggestionText(),
            "Suggestion:  Normally it is best to post reports between the 1st and 20th of each "
            "month.  Reports "
            "received after the 20th should be held and posted with next month's activity.");
}

TEST(Decision, TheQuestionIsNeverAskedOnTheFirstToFifth) {
  for (int day = 1; day <= 31; ++day) {
    for (uint8_t state : {N, C}) {
      MonthFolder f({2026, 5, day});
      f.Add(100);
      SetCollectionStateOf(f.doc, 3, static_cast<MonthCollection>(state));
      f.prompter.Script(Answer::kCancel);
      PostingDecisionForm form(f.doc);
      bool asked_expected = day > 5 && state == C;
      EXPECT_EQ(form.Initialize(f.prompter), !asked_expected) << day << " " << int(state);
      EXPECT_EQ(f.prompter.messages.size(), asked_expected ? 1u : 0u) << day;
      if (asked_expected) {
        EXPECT_EQ(f.prompter.messages[0],
                  "Are you sure you want to initialize the month of April?\n\nClick OK to "
                  "initialize April.");
        EXPECT_EQ(f.prompter.buttons[0], Buttons::kOkCancel);
      }
    }
  }
}

TEST(Decision, OpeningTheNextMonthEarlyAsksFromTheSixthOn) {
  MonthFolder f({2026, 5, 27});
  f.Add(100);
  PostingDecisionForm form(f.doc);
  f.prompter.Script(Answer::kCancel);
  EXPECT_FALSE(form.InitializeNext(f.prompter));
  ASSERT_EQ(f.prompter.messages.size(), 1u);
  EXPECT_NE(f.prompter.messages[0].find("month of May?"), std::string::npos);
  // Cancelling changed nothing.
  EXPECT_EQ(form.Apply(f.doc), "  Working Month = April 2026");
  EXPECT_EQ(f.doc.early_year, 0u);
  EXPECT_EQ(f.doc.working_serial, Serial(26, 3));
}

TEST(Decision, FrenchMonthArticles) {
  MonthFolder f({2026, 5, 10});
  f.doc.language_code = "french";
  PostingDecisionForm form(f.doc);
  EXPECT_EQ(form.ConfirmQuestion(3),
            "Are you sure you want to initialize the month of d'April?\n\nClick OK to initialize "
            "d'April.");
  EXPECT_EQ(form.ConfirmQuestion(9),
            "Are you sure you want to initialize the month of d'October?\n\nClick OK to "
            "initialize d'October.");
  EXPECT_EQ(
      form.ConfirmQuestion(4),
      "Are you sure you want to initialize the month of de May?\n\nClick OK to initialize de May.");
  f.doc.language_code = "eng";
  EXPECT_EQ(
      PostingDecisionForm(f.doc).ConfirmQuestion(3),
      "Are you sure you want to initialize the month of April?\n\nClick OK to initialize April.");
}

TEST(Decision, ReopenThePreviousMonthEarlyInTheMonth) {
  MonthFolder f({2026, 5, 4});
  PubRecord& r = f.Add(100);
  r.activity[kHours][2][0] = 8;  // March's report stays
  SetCollectionStateOf(f.doc, 2, MonthCollection::kOpen);
  PostingDecisionForm form(f.doc);
  ASSERT_TRUE(form.Reopen());
  EXPECT_FALSE(form.initialize_requested());
  EXPECT_EQ(form.Apply(f.doc), "  Working Month = March 2026");
  EXPECT_EQ(f.doc.working_serial, Serial(26, 2));
  EXPECT_EQ(CollectionStateOf(f.doc, 2), MonthCollection::kOpen);
  EXPECT_EQ(f.Rec(100).activity[kHours][2][0], 8);
}

TEST(Decision, ReinitializeClearsTheMonthAndOpensIt) {
  MonthFolder f({2026, 5, 12});
  PubRecord& r = f.Add(100);
  r.activity[kHours][3][0] = 8;
  SetCollectionStateOf(f.doc, 3, MonthCollection::kClosed);
  SetCollectionStateOf(f.doc, 9, MonthCollection::kClosed);
  PostingDecisionForm form(f.doc);
  f.prompter.Script(Answer::kOk);
  ASSERT_TRUE(form.Initialize(f.prompter));
  EXPECT_EQ(form.Apply(f.doc), "  Working Month = April 2026");
  EXPECT_EQ(f.Rec(100).activity[kHours][3][0], 0);
  for (int m = 0; m < 12; ++m)
    EXPECT_EQ(CollectionStateOf(f.doc, m),
              m == 3 ? MonthCollection::kOpen : MonthCollection::kNotInitialized)
        << m;
}

TEST(Decision, TheNextMonthOpenedEarlyBecomesTheWorkingMonthAndTheEarlyMonthIsHeld) {
  MonthFolder f({2026, 12, 27});  // working November 2026
  PubRecord& r = f.Add(100);
  r.activity[kHours][11][0] = 8;   // December 2026's old cells (a year before in slot 0)
  r.activity[kHours][10][0] = 12;  // November's report stays
  PostingDecisionForm form(f.doc);
  f.prompter.Script(Answer::kOk);
  ASSERT_TRUE(form.InitializeNext(f.prompter));
  EXPECT_EQ(form.Apply(f.doc), "  Working Month = December 2026");
  EXPECT_EQ(f.doc.working_serial, Serial(26, 11));
  EXPECT_EQ(f.doc.early_year, 27u);  // the month after December 2026
  EXPECT_EQ(f.doc.early_month, 1u);
  EXPECT_EQ(f.Rec(100).activity[kHours][11][0], 0);
  EXPECT_EQ(f.Rec(100).activity[kHours][10][0], 12);
  EXPECT_EQ(CollectionStateOf(f.doc, 11), MonthCollection::kOpen);
}

TEST(Decision, MovingTheWorkingMonthKeepsUnsavedLateReports) {
  MonthFolder f({2026, 5, 4});
  f.Add(100);
  SetCollectionStateOf(f.doc, 2, MonthCollection::kOpen);
  // A late report for February posted in April, not saved yet.
  f.doc.late[0] = LateReportEntry{100, 1, 4};
  f.doc.late_count = 1;
  PostingDecisionForm form(f.doc);
  ASSERT_TRUE(form.Reopen());
  form.Apply(f.doc);
  EXPECT_EQ(f.Rec(100).late[1][0], 4);  // kept as its marker
}

}  // namespace
}  // namespace zarim
