// The telephone list on a recording canvas: entries, households, columns and fonts.
#include "reports/telephone_list.h"

#include <gtest/gtest.h>

#include "core/bytes.h"
#include "core/document.h"
#include "core/store.h"
#include "core/strings.h"
#include "reports/recording_canvas.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::AddRecord;
using testing::MakePublisher;
using testing::StartEmpty;
using testing::TempDir;

class TelephoneListTest : public ::testing::Test {
 protected:
  TelephoneListTest() {
    StartEmpty(doc_, Date{2026, 12, 8}, dir_.path());
    doc_.groups.count = 2;
    SetField(doc_.groups.name[1], "Hilltop");
    doc_.groups.use_name[1] = 1;
  }

  PubRecord& Add(int id, const char* first, const char* last, int group = 1,
                 uint8_t status = kActive) {
    PubRecord r = MakePublisher(id, first, last, status);
    r.group = static_cast<int8_t>(group);
    SetField(r.home_phone, "555-" + std::to_string(id));
    return AddRecord(doc_, r);
  }
  // Household: head with the family-head flag, members linked to it.
  void Link(int member_id, int head_id) { doc_.FindById(member_id)->household_head = head_id; }
  void MakeHead(int id) { doc_.FindById(id)->flags |= kFamilyHead; }

  void Finish() {
    doc_.SortRecords();
    RefreshDerivedState(doc_);
  }

  std::vector<std::string> Names(int group) {
    std::vector<std::string> out;
    for (const auto& e : TelephoneListEntries(doc_, group)) {
      std::string s = e.name;
      for (const auto& m : e.members) s += "+" + m;
      out.push_back(s);
    }
    return out;
  }

  RecordingCanvas Draw(int group, bool printing = false, int dpi = 96) {
    RecordingCanvas canvas(dpi, dpi);
    ctx_.fonts = &fonts_;
    ctx_.printing = printing;
    DrawTelephoneList(doc_, canvas, ctx_, group);
    return canvas;
  }

  TempDir dir_;
  CZarimDoc doc_;
  ReportFonts fonts_;
  ReportContext ctx_;
};

TEST_F(TelephoneListTest, HouseholdOfThreeAppearsOnceWithTheMembersFirstNames) {
  Add(10, "Anna", "Berg");
  Add(11, "Carl", "Berg");
  Add(12, "Dora", "Berg");
  Add(13, "Eric", "Adams");
  MakeHead(11);
  Link(10, 11);
  Link(12, 11);
  Link(11, 11);  // a head pointing at himself is still the head
  Finish();
  EXPECT_EQ(Names(0), (std::vector<std::string>{"Eric Adams", "Carl Berg+Anna+Dora"}));
}

TEST_F(TelephoneListTest, LinkToARecordWithoutTheHeadFlagIsNoHousehold) {
  Add(10, "Anna", "Berg");
  Add(11, "Carl", "Berg");
  Link(10, 11);  // 11 is not flagged as family head
  Add(12, "Gus", "Ghost");
  Link(12, 999);  // a head that does not exist
  Finish();
  EXPECT_EQ(Names(0), (std::vector<std::string>{"Anna Berg", "Carl Berg", "Gus Ghost"}));
}

TEST_F(TelephoneListTest, MemberOfAHeadWhoIsNotListedKeepsHisOwnLine) {
  Add(10, "Anna", "Berg");
  Add(11, "Carl", "Berg", 1, kInactive);
  MakeHead(11);
  Link(10, 11);
  Finish();
  EXPECT_EQ(Names(0), (std::vector<std::string>{"Anna Berg"}));
}

TEST_F(TelephoneListTest, OnlyActivePublishersOfTheGroupOnTheGroupList) {
  Add(10, "Anna", "Berg", 1);
  Add(11, "Carl", "Berg", 2);
  Add(12, "Dora", "Diaz", 2);
  Add(13, "Ivan", "Idle", 2, kInactive);
  Add(14, "Nina", "Nopub", 2, kNonPublisher);
  MakeHead(11);
  Link(12, 11);
  Finish();
  // no household folding on a group list: each member on his own line
  EXPECT_EQ(Names(2), (std::vector<std::string>{"Carl Berg", "Dora Diaz"}));
  EXPECT_EQ(Names(1), (std::vector<std::string>{"Anna Berg"}));
  EXPECT_EQ(Names(0), (std::vector<std::string>{"Anna Berg", "Carl Berg+Dora"}));
}

TEST_F(TelephoneListTest, NamesFollowTheLastNameFirstOption) {
  Add(10, "Anna", "Berg");
  Finish();
  doc_.format.last_name_first = 1;
  EXPECT_EQ(Names(0), (std::vector<std::string>{"Berg, Anna"}));
}

TEST_F(TelephoneListTest, LinesColumnsAndHeadingOnTheScreen) {
  Add(10, "Anna", "Berg");
  PubRecord& b = Add(11, "Carl", "Cole");
  SetField(b.mobile_phone, "0170-1");
  SetField(b.other_phone, "0300-9");
  Finish();
  RecordingCanvas canvas = Draw(0);
  PageFrame frame(canvas, ctx_, doc_.options.top_margin);
  EXPECT_EQ(ctx_.page_count, 1);
  const int x0 = frame.left();
  const int home_x = x0 + frame.unit() * 22 / 10 - frame.unit() / 6;
  const auto* home = canvas.FindText(std::string(Str(Sid::kPhoneColumnHome)));
  const auto* mobile = canvas.FindText(std::string(Str(Sid::kPhoneColumnMobile)));
  const auto* work = canvas.FindText(std::string(Str(Sid::kPhoneColumnWork)));
  ASSERT_TRUE(home && mobile && work);
  EXPECT_EQ(home->x, home_x);
  EXPECT_EQ(mobile->x, x0 + 4 * frame.unit());
  EXPECT_EQ(work->x, x0 + 6 * frame.unit());
  EXPECT_EQ(home->font.weight, 700);  // the Heading font

  const auto* anna = canvas.FindText("Anna Berg");
  const auto* carl = canvas.FindText("Carl Cole");
  ASSERT_TRUE(anna && carl);
  EXPECT_EQ(anna->x, x0);
  EXPECT_EQ(anna->y, frame.LineY(0, 1));
  EXPECT_EQ(carl->y, frame.LineY(0, 2));
  EXPECT_EQ(canvas.FindText("555-11")->x, home_x);
  EXPECT_EQ(canvas.FindText("555-11")->y, carl->y);
  EXPECT_EQ(canvas.FindText("0170-1")->x, x0 + 4 * frame.unit());
  EXPECT_EQ(canvas.FindText("0300-9")->x, x0 + 6 * frame.unit());
  // nobody's empty numbers are drawn
  int numbers = 0;
  for (const auto* op : canvas.Texts())
    if (op->text.rfind("0", 0) == 0 || op->text.rfind("555", 0) == 0) ++numbers;
  EXPECT_EQ(numbers, 4);
  EXPECT_EQ(canvas.FindText("Printed 8 December 2026"), nullptr);
}

TEST_F(TelephoneListTest, NumbersInTheSmallFontOnlyWhenTheTextFontIsLarger) {
  Add(10, "Anna", "Berg");
  Finish();
  RecordingCanvas same = Draw(0);
  EXPECT_EQ(same.FindText("555-10")->font, fonts_.Get(FontRole::kText));
  FontSpec big = fonts_.Get(FontRole::kText);
  big.height = -18;
  fonts_.Set(FontRole::kText, big);
  RecordingCanvas larger = Draw(0);
  EXPECT_EQ(larger.FindText("555-10")->font, fonts_.Get(FontRole::kSmall));
  EXPECT_EQ(larger.FindText("Anna Berg")->font, big);
}

TEST_F(TelephoneListTest, GroupListTitleAndSubtitle) {
  Add(10, "Anna", "Berg", 1);
  Add(11, "Carl", "Cole", 2);
  Finish();
  doc_.options.congregation_name = "Riverside";
  RecordingCanvas g1 = Draw(1);
  EXPECT_NE(g1.FindText("Telephone List - Riverside     "), nullptr);
  EXPECT_NE(g1.FindText("Group # 1"), nullptr);
  EXPECT_EQ(g1.FindText("Carl Cole"), nullptr);
  RecordingCanvas g2 = Draw(2);
  EXPECT_NE(g2.FindText("Hilltop"), nullptr);  // the group's own name when it uses it
}

TEST_F(TelephoneListTest, PagesFollowTheLineCountAndEveryPageHasItsHeader) {
  for (int i = 0; i < 120; ++i) Add(10 + i, "Pat", ("P" + std::to_string(1000 + i)).c_str());
  Finish();
  RecordingCanvas canvas = Draw(0, true, 300);
  PageFrame frame(canvas, ctx_, doc_.options.top_margin);
  const int per_page = frame.lines_per_page();
  EXPECT_EQ(ctx_.page_count, (120 + per_page - 1) / per_page);
  int headers = 0;
  for (const auto* op : canvas.Texts())
    if (op->text == Str(Sid::kConfidential)) ++headers;
  EXPECT_EQ(headers, ctx_.page_count);
  // the first entry of page 2 stands on line 1 of page 2's band
  const auto* second_page_first = canvas.FindText("Pat P" + std::to_string(1000 + per_page));
  ASSERT_NE(second_page_first, nullptr);
  EXPECT_EQ(second_page_first->y, frame.LineY(1, 1));
  for (const auto* op : canvas.Texts()) {
    if (op->text.rfind("Pat ", 0) != 0) continue;
    int page = op->y / frame.page_height();
    EXPECT_LT(op->y, page * frame.page_height() + frame.page_height()) << op->text;
    EXPECT_GT(op->y, frame.PageTop(page)) << op->text;
  }
}

TEST_F(TelephoneListTest, LongHouseholdsContinueBelowTheHeadAndCount) {
  Add(10, "Bart", "Hathaway");
  MakeHead(10);
  const char* kids[] = {"Alexandrina", "Maximilian", "Constantine", "Evangeline", "Theodora"};
  for (int i = 0; i < 5; ++i) {
    Add(11 + i, kids[i], "Hathaway-Wellington");
    Link(11 + i, 10);
  }
  Finish();
  RecordingCanvas canvas = Draw(0);
  PageFrame frame(canvas, ctx_, doc_.options.top_margin);
  const int home_x = frame.X(22) - frame.unit() / 6;
  int name_lines = 0;
  std::string all;
  for (const auto* op : canvas.Texts()) {
    if (op->x != frame.left() || op->y < frame.LineY(0, 1)) continue;
    ++name_lines;
    all += op->text;
    std::string shown = op->text;
    if (shown.size() >= 2 && shown.compare(shown.size() - 2, 2, ", ") == 0)
      shown.resize(shown.size() - 2);
    int width =
        RecordingCanvas::MetricsFor(op->font).average_char_width * static_cast<int>(shown.size());
    EXPECT_LT(op->x + width, home_x) << op->text;
  }
  EXPECT_GT(name_lines, 1);
  for (const char* kid : kids) EXPECT_NE(all.find(kid), std::string::npos) << kid;
  // the numbers stand only once, on the head's line
  EXPECT_EQ(canvas.FindText("555-10")->y, frame.LineY(0, 1));
}

TEST_F(TelephoneListTest, AHouseholdAtThePageEndMovesWholeToTheNextPage) {
  RecordingCanvas probe = Draw(0, true, 300);
  const int per_page = PageFrame(probe, ctx_, doc_.options.top_margin).lines_per_page();
  // Singles fill page 1 up to its last line, where the household's head would stand.
  for (int i = 0; i < per_page - 1; ++i)
    Add(10 + i, "Pat", ("A" + std::to_string(1000 + i)).c_str());
  Add(900, "Bart", "Zeller");
  MakeHead(900);
  const char* kids[] = {"Alexandrina", "Maximilian", "Constantine", "Evangeline"};
  for (int i = 0; i < 4; ++i) {
    Add(901 + i, kids[i], "Zeller");
    Link(901 + i, 900);
  }
  Finish();
  RecordingCanvas canvas = Draw(0, true, 300);
  PageFrame frame(canvas, ctx_, doc_.options.top_margin);
  const auto* head = canvas.FindText("555-900");
  ASSERT_NE(head, nullptr);
  EXPECT_EQ(head->y, frame.LineY(1, 1));
  EXPECT_EQ(ctx_.page_count, 2);
  // Every line of the household stands on page 2, below its head.
  int household_lines = 0;
  std::string all;
  for (const auto* op : canvas.Texts()) {
    if (op->x != frame.left() || op->text.find("Pat ") == 0 || op->y < frame.LineY(0, 1)) continue;
    if (op->text.find("Zeller") == std::string::npos && op->text.rfind("    ", 0) != 0) continue;
    ++household_lines;
    all += op->text;
    EXPECT_GE(op->y, head->y) << op->text;
  }
  EXPECT_GT(household_lines, 1);
  for (const char* kid : kids) EXPECT_NE(all.find(kid), std::string::npos) << kid;
}

TEST_F(TelephoneListTest, MoreActivePublishersThanTheActiveListHoldsAreAllListed) {
  for (int i = 0; i < kMaxStatusList + 20; ++i)
    Add(10 + i, "Pat", ("Q" + std::to_string(1000 + i)).c_str());
  Finish();
  auto entries = TelephoneListEntries(doc_, 0);
  ASSERT_EQ(entries.size(), static_cast<size_t>(kMaxStatusList + 20));
  EXPECT_EQ(entries.back().name, "Pat Q" + std::to_string(1000 + kMaxStatusList + 19));
}

TEST_F(TelephoneListTest, EmptyListShowsOnlyItsHeader) {
  RecordingCanvas canvas = Draw(0);
  EXPECT_EQ(ctx_.page_count, 1);
  EXPECT_NE(canvas.FindText(std::string(Str(Sid::kConfidential))), nullptr);
  EXPECT_EQ(canvas.Texts().size(), 5u);  // title, note, three headings
}

TEST_F(TelephoneListTest, SameReportOnScreenAndPaperHasTheSameVerticalLayout) {
  Add(10, "Anna", "Berg");
  Finish();
  RecordingCanvas screen = Draw(0, false, 96);
  RecordingCanvas paper = Draw(0, true, 600);
  // vertical inches agree within a device unit of rounding per line
  double screen_in = screen.FindText("Anna Berg")->y / 96.0;
  double paper_in = paper.FindText("Anna Berg")->y / 600.0;
  EXPECT_NEAR(screen_in, paper_in, 0.05);
  // horizontally the screen's inch is 11/12 of a real one
  EXPECT_NEAR(screen.FindText("555-10")->x / 88.0, paper.FindText("555-10")->x / 600.0, 0.02);
}

}  // namespace
}  // namespace zarim
