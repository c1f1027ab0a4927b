// The field service group lists: members of each variant, the title's language rules and
// blocks that never cross the bottom of a page.
#include "reports/group_lists.h"

#include <gtest/gtest.h>

#include "core/bytes.h"
#include "core/document.h"
#include "core/store.h"
#include "reports/recording_canvas.h"
#include "reports/report_kind.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::AddRecord;
using testing::MakePublisher;
using testing::StartEmpty;
using testing::TempDir;
namespace k = report_kind;

class GroupListsTest : public ::testing::Test {
 protected:
  GroupListsTest() {
    StartEmpty(doc_, Date{2026, 12, 8}, dir_.path());
    doc_.groups.count = 2;
  }
  PubRecord& Add(int id, const char* first, const char* last, int group, uint8_t status) {
    PubRecord r = MakePublisher(id, first, last, status);
    r.group = static_cast<int8_t>(group);
    return AddRecord(doc_, r);
  }
  std::vector<std::string> Members(int kind, int group) {
    doc_.SortRecords();
    RefreshDerivedState(doc_);
    return GroupListBlocks(doc_, kind)[group - 1].members;
  }
  TempDir dir_;
  CZarimDoc doc_;
};

// Full names are longer than a heading column: each part begins after the last ends.
TEST_F(GroupListsTest, HeadingPartsNeverRunIntoOneAnother) {
  SetField(doc_.groups.overseer[0], "Jonathan Whitfield");
  SetField(doc_.groups.assistant[0], "Timothy Mitchell");
  SetField(doc_.groups.time[0], "9:30");
  RecordingCanvas canvas(96, 96);
  ReportContext ctx;
  DrawGroupList(doc_, canvas, ctx, k::kGroupListActive);
  const auto texts = canvas.Texts();  // title, then the four parts of group 1's heading
  for (size_t i = 2; i < 5; ++i)
    EXPECT_GT(texts[i]->x,
              texts[i - 1]->x + RecordingCanvas::MetricsFor(texts[i - 1]->font).average_char_width *
                                    static_cast<int>(texts[i - 1]->text.size()))
        << texts[i]->text;
}

TEST_F(GroupListsTest, EachVariantTakesItsPeople) {
  Add(10, "Anna", "Active", 1, kActive).consent = 1;
  Add(11, "Bert", "Active", 1, kActive);
  Add(12, "Cleo", "Student", 1, kNonPublisher);
  Add(13, "Dave", "Idle", 1, kInactive);
  Add(14, "Emma", "Moved", 1, kMoved);
  Add(15, "Finn", "Hidden", 1, kActive).flags |= kExcludeFromGroupList;
  Add(16, "Gail", "Other", 2, kActive);
  using V = std::vector<std::string>;
  EXPECT_EQ(Members(k::kGroupListActive, 1), (V{"Anna Active", "Bert Active"}));
  EXPECT_EQ(Members(k::kGroupListStudents, 1), (V{"Anna Active", "Bert Active", "Cleo Student"}));
  EXPECT_EQ(Members(k::kGroupListInactive, 1), (V{"Anna Active", "Bert Active", "Dave Idle"}));
  // the publisher table's order: inactive publishers before Bible students
  EXPECT_EQ(Members(k::kGroupListAll, 1),
            (V{"Anna Active", "Bert Active", "Dave Idle", "Cleo Student"}));
  EXPECT_EQ(Members(k::kGroupListConsent, 1), (V{"Anna Active"}));
  EXPECT_EQ(Members(k::kGroupListActive, 2), (V{"Gail Other"}));
}

TEST_F(GroupListsTest, TitleFollowsTheLanguage) {
  EXPECT_EQ(GroupListTitle(doc_), "Congregation Field Service Groups");
  doc_.options.congregation_name = "Riverside";
  EXPECT_EQ(GroupListTitle(doc_), "Congregation Field Service Groups - Riverside");
  doc_.language_code = "french";
  EXPECT_EQ(GroupListTitle(doc_), "Groupes de prédication de l'Assemblée - Riverside");
  doc_.options.congregation_name = "";
  EXPECT_EQ(GroupListTitle(doc_), "Groupes de prédication de l'Assemblée Locale");
  doc_.language_code = "swedish";
  EXPECT_EQ(GroupListTitle(doc_), "%1 Field Service Groups");  // the text carries it all
}

TEST_F(GroupListsTest, ABlockThatWouldCrossTheBottomStartsTheNextPage) {
  auto block = [](int members) {
    GroupBlock b;
    b.members.assign(static_cast<size_t>(members), "x");
    return b;
  };
  // rows: 9 members -> 5, 4 -> 3, 1 -> 3; band of 10 rows after an offset of 2
  std::vector<GroupBlock> blocks = {block(9), block(4), block(1), block(40)};
  EXPECT_EQ(blocks[0].rows(), 5);
  EXPECT_EQ(blocks[1].rows(), 3);
  // 2 + 5 = 7; 7 + 3 = 10 fits exactly; the next (3 rows) goes over; 12 rows fit nowhere
  EXPECT_EQ(PlaceBlocks(blocks, 2, 1, 10), (std::vector<int>{0, 0, 1, 2}));
}

TEST_F(GroupListsTest, DrawnBlocksKeepToTheirPages) {
  doc_.groups.count = 3;
  for (int g = 1; g <= 3; ++g)
    for (int i = 0; i < 70; ++i)
      Add(10 + g * 100 + i, "P", ("G" + std::to_string(g) + "-" + std::to_string(100 + i)).c_str(),
          g, kActive);
  doc_.SortRecords();
  RefreshDerivedState(doc_);
  RecordingCanvas canvas(96, 96);
  ReportFonts fonts;
  ReportContext ctx;
  ctx.fonts = &fonts;
  DrawGroupList(doc_, canvas, ctx, k::kGroupListActive);
  PageFrame frame(canvas, ctx, doc_.options.top_margin);
  // each block is 70 / 4 + 2 = 20 rows; see where they fall
  const int band = frame.page_height();
  for (int g = 1; g <= 3; ++g) {
    const auto* first = canvas.FindText("P G" + std::to_string(g) + "-100");
    const auto* last = canvas.FindText("P G" + std::to_string(g) + "-169");
    ASSERT_TRUE(first && last);
    EXPECT_EQ(first->y / band, last->y / band) << g;
  }
  EXPECT_EQ(ctx.page_count, 2);  // two blocks fit on the first page, the third does not
}

}  // namespace
}  // namespace zarim
