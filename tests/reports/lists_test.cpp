// The address, contact, telephone & e-mail, emergency and special-needs lists: who is
// listed, household folding, page breaks and the header's stamp.
#include "reports/lists.h"

#include <gtest/gtest.h>

#include "core/bytes.h"
#include "core/document.h"
#include "core/store.h"
#include "core/strings.h"
#include "records/extension.h"
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

class ListsTest : public ::testing::Test {
 protected:
  ListsTest() {
    StartEmpty(doc_, Date{2026, 12, 8}, dir_.path());
    doc_.groups.count = 2;
  }

  PubRecord& Add(int id, const char* first, const char* last, int group = 1,
                 uint8_t status = kActive) {
    PubRecord r = MakePublisher(id, first, last, status);
    r.group = static_cast<int8_t>(group);
    SetField(r.address, std::string("Street ") + std::to_string(id));
    SetField(r.home_phone, "555-" + std::to_string(id));
    return AddRecord(doc_, r);
  }
  void Finish() {
    doc_.SortRecords();
    RefreshDerivedState(doc_);
  }
  void Pioneer(int id, int code) {
    int m = doc_.working_month;
    doc_.FindById(id)->pioneer[m][doc_.SlotOfMonth(m)] = static_cast<uint8_t>(code);
  }
  // First cells of every line of a list.
  std::vector<std::string> Firsts(int kind, int group = 0) {
    std::vector<std::string> out;
    for (const ListLine& l : BuildList(doc_, kind, group).lines)
      out.push_back(l.cells.empty() ? "" : l.cells[0]);
    return out;
  }
  RecordingCanvas Draw(int kind, bool printing, int dpi) {
    RecordingCanvas canvas(dpi, dpi);
    ctx_.fonts = &fonts_;
    ctx_.printing = printing;
    ctx_.today = Date{2026, 12, 8};
    DrawList(doc_, canvas, ctx_, BuildList(doc_, kind, 0));
    return canvas;
  }

  TempDir dir_;
  CZarimDoc doc_;
  ReportFonts fonts_;
  ReportContext ctx_;
};

TEST_F(ListsTest, HouseholdOfThreeIsOneAddressEntryWithTheOtherFirstNamesBelow) {
  Add(10, "Anna", "Berg");
  Add(11, "Carl", "Berg");
  Add(12, "Dora", "Berg");
  Add(13, "Eric", "Adams");
  doc_.FindById(11)->flags |= kFamilyHead;
  doc_.FindById(10)->household_head = 11;
  doc_.FindById(12)->household_head = 11;
  Finish();
  ListLayout list = BuildList(doc_, k::kAddressCongregation, 0);
  ASSERT_EQ(list.lines.size(), 3u);
  EXPECT_EQ(list.lines[1].cells, (std::vector<std::string>{"Carl Berg", "Street 11"}));
  EXPECT_EQ(list.lines[2].cells[0], "    Anna, Dora");
  EXPECT_TRUE(list.lines[2].keep_with_previous);
  // the same household on the contact list, but every member on his own line for a group
  EXPECT_EQ(Firsts(k::kContactCongregation),
            (std::vector<std::string>{"Eric Adams", "Carl Berg", "    Anna, Dora"}));
  EXPECT_EQ(Firsts(k::kAddressGroup, 1),
            (std::vector<std::string>{"Eric Adams", "Anna Berg", "Carl Berg", "Dora Berg"}));
}

TEST_F(ListsTest, VariantsTakeTheirPublishersAndSubtitles) {
  Add(10, "Anna", "Elder");
  doc_.FindById(10)->flags |= kElder;
  Add(11, "Bert", "Servant");
  doc_.FindById(11)->flags |= kServant;
  Add(12, "Cleo", "Regular");
  Add(13, "Dave", "Special");
  Add(14, "Emma", "Aux");
  Add(15, "Finn", "Idle", 2, kInactive);
  Add(16, "Gail", "Student", 1, kNonPublisher);
  Finish();
  Pioneer(12, kRegular);
  Pioneer(13, kSpecial);
  Pioneer(14, kAuxiliary);
  using V = std::vector<std::string>;
  EXPECT_EQ(Firsts(k::kAddressEldersServants), (V{"Anna Elder*", "Bert Servant"}));
  EXPECT_EQ(Firsts(k::kTelephoneEldersServants), (V{"Anna Elder", "Bert Servant"}));
  EXPECT_EQ(Firsts(k::kContactPioneers), (V{"Cleo Regular", "Dave Special"}));
  EXPECT_EQ(Firsts(k::kAddressPioneers), (V{"Cleo Regular"}));
  EXPECT_EQ(Firsts(k::kAddressInactive), (V{"Finn Idle"}));
  EXPECT_EQ(Firsts(k::kContactInactiveByGroup, 1), V{});
  EXPECT_EQ(Firsts(k::kContactInactiveByGroup, 2), (V{"Finn Idle"}));
  EXPECT_EQ(BuildList(doc_, k::kAddressEldersServants, 0).subtitle,
            "Elders & Ministerial servants");
  EXPECT_EQ(BuildList(doc_, k::kAddressInactive, 0).subtitle, "Inactive Publishers");
  EXPECT_EQ(BuildList(doc_, k::kAddressPioneers, 0).subtitle, "Regular pioneers");
  EXPECT_EQ(BuildList(doc_, k::kContactGroup, 2).subtitle, "Group # 2");
}

TEST_F(ListsTest, AddressListStampAtSevenInchesEveryOtherAtSevenAndAHalf) {
  Add(10, "Anna", "Berg");
  Finish();
  doc_.options.datestamp = 1;
  const std::string stamp = "Printed 8 December 2026";
  for (int kind : {k::kAddressCongregation, k::kAddressInactive}) {
    RecordingCanvas canvas = Draw(kind, true, 300);
    ASSERT_NE(canvas.FindText(stamp), nullptr) << kind;
    EXPECT_EQ(canvas.FindText(stamp)->x, 2100) << kind;
  }
  for (int kind : {k::kTelephoneEldersServants, k::kContactCongregation, k::kTelEmailCongregation,
                   k::kSpecialNeedsCongregation, k::kEmergencyCongregation}) {
    RecordingCanvas canvas = Draw(kind, true, 300);
    ASSERT_NE(canvas.FindText(stamp), nullptr) << kind;
    EXPECT_EQ(canvas.FindText(stamp)->x, 2250) << kind;
  }
}

TEST_F(ListsTest, EmailStandsIndentedOnTheNextLine) {
  Add(10, "Anna", "Berg");
  Add(11, "Carl", "Cole");
  Finish();
  ExtensionData data;
  data.email = "anna@example.org";
  ASSERT_TRUE(StoreExtension(doc_, *doc_.FindById(10), data));
  RecordingCanvas canvas = Draw(k::kTelEmailCongregation, false, 96);
  PageFrame frame(canvas, ctx_, doc_.options.top_margin);
  const auto* anna = canvas.FindText("Anna Berg");
  const auto* mail = canvas.FindText("anna@example.org");
  const auto* carl = canvas.FindText("Carl Cole");
  ASSERT_TRUE(anna && mail && carl);
  EXPECT_EQ(mail->x, anna->x + frame.unit() / 2);
  EXPECT_EQ(mail->y, anna->y + frame.line_height());
  EXPECT_EQ(carl->y, mail->y + frame.line_height());
}

TEST_F(ListsTest, HouseholdLinesNeverStartAPage) {
  auto line = [](bool keep) { return ListLine{RowKind::kPublisher, {"x"}, 0, keep}; };
  // heads at 0, 2, 3; member lines at 1 and 4 (kept with their heads)
  std::vector<ListLine> lines = {line(false), line(true), line(false),
                                 line(false), line(true), line(false)};
  EXPECT_EQ(PageStarts(lines, 4), (std::vector<size_t>{0, 3}));  // 4 would orphan line 4
  EXPECT_EQ(PageStarts(lines, 3), (std::vector<size_t>{0, 3}));
  EXPECT_EQ(PageStarts(lines, 2), (std::vector<size_t>{0, 2, 3, 5}));
  // a run longer than a page is split rather than looping forever
  std::vector<ListLine> run = {line(false), line(true), line(true), line(true)};
  EXPECT_EQ(PageStarts(run, 2), (std::vector<size_t>{0, 2}));
}

TEST_F(ListsTest, EmptyListShowsOnlyItsHeader) {
  Finish();
  RecordingCanvas canvas = Draw(k::kSpecialNeedsCongregation, false, 96);
  EXPECT_EQ(ctx_.page_count, 1);
  EXPECT_NE(canvas.FindText("Special Needs List     "), nullptr);
  EXPECT_EQ(canvas.FindText("Name"), canvas.Texts()[2]);  // header, note, then headings only
  EXPECT_EQ(canvas.Texts().size(), 4u);
}

}  // namespace
}  // namespace zarim
