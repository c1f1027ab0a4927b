// The emergency contact forms: one form per household with the household's contact, the
// choice of "Select Emergency Contact Forms" (a member stands for his household, an empty
// choice prints nothing), the group variant and two forms a sheet.
#include "reports/emergency_forms.h"

#include <gtest/gtest.h>

#include "core/bytes.h"
#include "core/document.h"
#include "core/store.h"
#include "records/keyed_store.h"
#include "reports/recording_canvas.h"
#include "reports/report_kind.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::AddRecord;
using testing::MakePublisher;
using testing::StartEmpty;
using testing::TempDir;

class EmergencyFormsTest : public ::testing::Test {
 protected:
  EmergencyFormsTest() {
    StartEmpty(doc_, Date{2026, 12, 8}, dir_.path());
    doc_.groups.count = 2;
    Add(10, "Anna", "Berg", 1);
    Add(11, "Carl", "Berg", 1);
    Add(12, "Dora", "Berg", 1);
    Add(13, "Eric", "Adams", 2);
    doc_.FindById(11)->flags |= kFamilyHead;
    doc_.FindById(10)->household_head = 11;
    doc_.FindById(12)->household_head = 11;
    // The household's contact is kept on a member, not on the head.
    EmergencyRecord c{};
    SetField(c.name, "Olga Berg");
    SetField(c.info, "aunt");
    SetField(c.mobile_phone, "555-99");
    c.jw = 1;
    doc_.FindById(12)->emergency_key = StoreNewEmergency(doc_, c);
    doc_.SortRecords();
    RefreshDerivedState(doc_);
  }
  void Add(int id, const char* first, const char* last, int group) {
    PubRecord r = MakePublisher(id, first, last, kActive);
    r.group = static_cast<int8_t>(group);
    SetField(r.address, std::string("Street ") + std::to_string(id));
    AddRecord(doc_, r);
  }
  int Rec(int id) { return doc_.RecordNumberById(id); }
  TempDir dir_;
  CZarimDoc doc_;
};

TEST_F(EmergencyFormsTest, OneFormPerHouseholdWithTheMembersAndTheirContact) {
  std::vector<EmergencyFormData> forms = EmergencyForms(doc_, 0, nullptr);
  ASSERT_EQ(forms.size(), 2u);
  EXPECT_EQ(forms[0].head, "Eric Adams");
  EXPECT_TRUE(forms[0].members.empty());  // a single person household
  EXPECT_FALSE(forms[0].has_contact);
  EXPECT_EQ(forms[1].head, "Carl Berg");
  EXPECT_EQ(forms[1].members, (std::vector<std::string>{"Anna Berg", "Dora Berg"}));
  EXPECT_EQ(forms[1].address, "Street 11");
  EXPECT_EQ(forms[1].contact, "Olga Berg (aunt)");
  EXPECT_EQ(forms[1].contact_cell, "555-99");
  EXPECT_TRUE(forms[1].contact_jw);
}

TEST_F(EmergencyFormsTest, ChoiceGroupAndEmptySelection) {
  EmergencyFormsForm form(doc_);
  EXPECT_EQ(form.kind(), report_kind::kEmergencyForms);
  EXPECT_EQ(form.names(), (std::vector<std::string>{"Eric Adams", "Carl Berg"}));
  // Nothing ticked prints nothing: no form is drawn at all.
  ReportSelection none = form.Selection();
  EXPECT_TRUE(EmergencyForms(doc_, 0, &none).empty());
  RecordingCanvas canvas(96, 96);
  ReportContext context;
  context.selection = &none;
  DrawEmergencyForms(doc_, canvas, context, 0);
  EXPECT_TRUE(canvas.Texts().empty());
  EXPECT_EQ(context.page_count, 1);

  // A member chosen (as the command line may name him) stands for his household.
  ReportSelection member;
  member.chosen = true;
  member.records = {Rec(10)};
  std::vector<EmergencyFormData> forms = EmergencyForms(doc_, 0, &member);
  ASSERT_EQ(forms.size(), 1u);
  EXPECT_EQ(forms[0].head, "Carl Berg");

  form.SetGroup(2);
  EXPECT_EQ(form.kind(), report_kind::kEmergencyFormsGroup);
  EXPECT_EQ(form.names(), std::vector<std::string>{"Eric Adams"});
  form.CheckAll(true);
  ReportSelection group = form.Selection();
  EXPECT_EQ(EmergencyForms(doc_, 2, &group).size(), 1u);
}

// A wanted sheet draws its own forms only; counting the sheets draws nothing.
TEST_F(EmergencyFormsTest, AWantedSheetDrawsOnlyItsForms) {
  Add(14, "Finn", "Cole", 1);
  for (int wanted : {kPageCountOnly, 1, 2}) {
    RecordingCanvas canvas(100, 100);
    ReportContext context;
    context.wanted_page = wanted;
    DrawEmergencyForms(doc_, canvas, context, 0);
    int titles = 0;
    for (const auto* t : canvas.Texts())
      if (t->text == "Emergency Contact Information" && ++titles) {
        EXPECT_EQ(t->y / 1100, wanted - 1);
      }
    EXPECT_EQ(titles, wanted == 1 ? 2 : wanted == 2 ? 1 : 0) << wanted;
  }
}

TEST_F(EmergencyFormsTest, TwoFormsASheet) {
  EXPECT_EQ(EmergencyFormSheets(0), 1);
  EXPECT_EQ(EmergencyFormSheets(2), 1);
  EXPECT_EQ(EmergencyFormSheets(3), 2);
  Add(14, "Finn", "Cole", 1);
  doc_.SortRecords();
  RefreshDerivedState(doc_);
  RecordingCanvas canvas(100, 100);
  ReportContext context;
  DrawEmergencyForms(doc_, canvas, context, 0);
  EXPECT_EQ(context.page_count, 2);
  // The third form starts one inch into the second sheet of 11 inches.
  std::vector<int> title_ys;
  for (const auto* t : canvas.Texts())
    if (t->text == "Emergency Contact Information") title_ys.push_back(t->y);
  ASSERT_EQ(title_ys.size(), 3u);
  EXPECT_LT(title_ys[0], title_ys[1]);
  EXPECT_GE(title_ys[2], 1100 + 100);
  EXPECT_LT(title_ys[2], 1100 + 200);
}

}  // namespace
}  // namespace zarim
