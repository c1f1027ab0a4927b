// Deleting publishers permanently and temporarily.
#include "records/delete_form.h"

#include <gtest/gtest.h>

#include "core/data_files.h"
#include "records/appointments_form.h"
#include "records_fixture.h"

namespace zarim::testing {
namespace {

using DeleteFormTest = RecordsTest;

TEST_F(DeleteFormTest, TemporaryDeletionInJanuaryStoresYearAndMonth) {
  PubRecord& r = Add(10, "Anna", "Zeller");
  r.flags = kElder | kFamilyHead | kContinuousAux | kCustomCategory | kMale;
  r.status_month = 0x35;
  DeleteForm form(doc, Rec(10));
  EXPECT_EQ(form.Question(), "Do you really want to delete Anna Zeller?");
  EXPECT_FALSE(form.temporary) << "permanently is preselected";
  EXPECT_EQ(form.month, 2) << "the working month, February";
  EXPECT_EQ(form.year, 2024);
  form.temporary = true;
  form.month = 1;
  ASSERT_EQ(form.Ok(), DeleteForm::Result::kDeleted);
  const PubRecord* d = doc.FindById(10);
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(d->status, kDeleted);
  EXPECT_EQ(d->status_stamp, ((2024 - 1950) << 8) | 1);
  EXPECT_EQ(d->status_month, 0);
  EXPECT_EQ(d->flags, kFamilyHead | kMale) << "privilege, continuous auxiliary and custom cleared";
  EXPECT_EQ(doc.status_count[kDeleted], 1);
  EXPECT_FALSE(doc.modified) << "saved";
}

TEST_F(DeleteFormTest, ListTexts) {
  Add(10, "Anna", "Zeller");
  DeleteForm form(doc, Rec(10));
  auto months = form.MonthTexts();
  ASSERT_EQ(months.size(), 13u);
  EXPECT_EQ(months[0], "");
  EXPECT_EQ(months[1], "Jan");
  EXPECT_EQ(months[12], "Dec");
  auto years = form.YearTexts();
  EXPECT_EQ(years.front(), "1950");
  EXPECT_EQ(years.back(), "2024");
}

TEST_F(DeleteFormTest, TemporaryDeletionRefusedSilentlyAt299) {
  for (int i = 0; i < 299; ++i)
    AddRecord(doc, MakePublisher(100 + i, "D", std::to_string(i), kDeleted));
  Add(10, "Anna", "Zeller");
  DeleteForm form(doc, Rec(10));
  form.temporary = true;
  EXPECT_EQ(form.Ok(), DeleteForm::Result::kRefused);
  EXPECT_EQ(doc.FindById(10)->status, kActive);
  EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(DeleteFormTest, PermanentDeletionClearsLinksToTheIdentifier) {
  PubRecord& head = Add(10, "Anna", "Zeller");
  head.flags |= kFamilyHead;
  Add(11, "Bert", "Zeller").household_head = 10;
  AppointmentRecord a{};
  a.id = 10;
  a.kind = kApptElder;
  SetField(a.start_date, "01012000");
  StoreAppointment(doc, a);
  DeleteForm form(doc, Rec(10));
  ASSERT_EQ(form.Ok(), DeleteForm::Result::kDeleted);
  EXPECT_EQ(doc.FindById(10), nullptr);
  EXPECT_EQ(doc.FindById(11)->household_head, 0);
  EXPECT_EQ(FindAppointment(doc, 10, kApptElder), nullptr);
  EXPECT_EQ(doc.count, 2);
  EXPECT_EQ(dir.Read("tdat9.bin").size(), 2u * sizeof(PubRecord));
}

TEST(DeletionStampTest, Values) {
  EXPECT_EQ(DeletionStamp(1950, 12), 12);
  EXPECT_EQ(DeletionStamp(2024, 0), (74 << 8));
  EXPECT_EQ(DeletionStamp(2030, 7), (80 << 8) | 7);
}

}  // namespace
}  // namespace zarim::testing
