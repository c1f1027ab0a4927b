// "Privileges of service", the extension record and the date lists.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/data_files.h"
#include "records/appointments_form.h"
#include "records/extension.h"
#include "records/households.h"
#include "records/keyed_store.h"
#include "records_fixture.h"

namespace zarim::testing {
namespace {

using AppointmentsTest = RecordsTest;

TEST_F(AppointmentsTest, RowsForServantAndElderNeedAMale) {
  Add(10, "Ann", "Adams");
  PublisherForm form(doc, nullptr);
  form.Load(Rec(10));
  AppointmentsForm appts(doc, form);
  EXPECT_EQ(appts.Title(), "Privileges of service - Ann Adams");
  EXPECT_FALSE(appts.row_enabled(0));
  EXPECT_FALSE(appts.row_enabled(1));
  EXPECT_TRUE(appts.row_enabled(2));
  form.SetMale(true);
  EXPECT_TRUE(appts.row_enabled(0));
  EXPECT_EQ(AppointmentsForm::RowCaption(0), "Ministerial servant");
  EXPECT_EQ(AppointmentsForm::RowCaption(4), "Special pioneer");
  EXPECT_EQ(AppointmentsForm::RowCaption(5), "");
}

TEST_F(AppointmentsTest, DatesGoToTheTableUnderCodesOneToFive) {
  Add(10, "Bob", "Baker").flags |= kMale;
  PublisherForm form(doc, nullptr);
  form.Load(Rec(10));
  {
    AppointmentsForm appts(doc, form);
    appts.rows[1] = {true, DateParts{9, 1, 2010}, DateParts{}};
    appts.rows[2] = {true, DateParts{9, 0, 2015}, DateParts{8, 31, 2020}};
    appts.field_missionary = true;
    appts.Ok();
  }
  EXPECT_TRUE(form.fields().elder) << "the ticks go back to the edit form";
  EXPECT_TRUE(form.fields().regular);
  EXPECT_TRUE(form.fields().field_missionary);
  const AppointmentRecord* elder = FindAppointment(doc, 10, kApptElder);
  ASSERT_NE(elder, nullptr);
  EXPECT_EQ(FieldText(elder->start_date), "09012010");
  EXPECT_EQ(FieldText(elder->end_date), "        ");
  const AppointmentRecord* regular = FindAppointment(doc, 10, kApptRegular);
  ASSERT_NE(regular, nullptr);
  EXPECT_EQ(FieldText(regular->start_date), "09  2015");
  EXPECT_EQ(FieldText(regular->end_date), "08312020");
  EXPECT_EQ(doc.appointment_count, 2);
  {
    // The form reads the dates back; a row whose start date is cleared loses its entry.
    AppointmentsForm appts(doc, form);
    EXPECT_EQ(appts.rows[2].end, (DateParts{8, 31, 2020}));
    appts.rows[2].start = DateParts{};
    appts.Ok();
  }
  EXPECT_EQ(FindAppointment(doc, 10, kApptRegular), nullptr);
  EXPECT_NE(FindAppointment(doc, 10, kApptElder), nullptr);
  form.Ok();
  EXPECT_EQ(doc.FindById(10)->flags & kPrivilegeMask, kElder);
  EXPECT_EQ(doc.FindById(10)->service_flags & kFieldMissionary, kFieldMissionary);
}

TEST_F(AppointmentsTest, ConsentMarkerFollowsTheBox) {
  Add(10, "Ann", "Adams");
  PublisherForm form(doc, nullptr);
  form.Load(Rec(10));
  form.fields().consent = true;
  form.fields().consent_date = DateParts{5, 25, 2018};
  form.Ok();
  const AppointmentRecord* marker = FindAppointment(doc, 10, kApptConsent);
  ASSERT_NE(marker, nullptr);
  EXPECT_EQ(FieldText(marker->start_date), "05252018");
  form.fields().consent = false;
  form.Ok();
  EXPECT_EQ(FindAppointment(doc, 10, kApptConsent), nullptr);
  EXPECT_EQ(FieldText(doc.FindById(10)->consent_date), "        ");
}

TEST_F(AppointmentsTest, ExtensionRecordIsMadeReusedAndFreed) {
  PubRecord& a = Add(10, "Ann", "Adams");
  ExtensionData d;
  d.email = "ann@example.org";
  ASSERT_TRUE(StoreExtension(doc, a, d));
  EXPECT_EQ(a.ext_key, 10) << "the publisher's identifier when it is free";
  EXPECT_EQ(LoadExtension(doc, a), d);
  // The file is written by the save; until then the edited image waits for it.
  EXPECT_TRUE(dir.Read("xten7.dat").empty());
  ASSERT_TRUE(owner.Save());
  EXPECT_EQ(dir.Read("xten7.dat").size(), 2u * sizeof(ExtRecord))
      << "zero header record, then the record";
  d.long_name = "Ann Adams-Smith";
  ASSERT_TRUE(StoreExtension(doc, a, d));
  EXPECT_EQ(QueuedFile(doc, "xten7.dat")->size(), 2u * sizeof(ExtRecord)) << "rewritten in place";
  ASSERT_TRUE(StoreExtension(doc, a, ExtensionData{}));
  EXPECT_EQ(a.ext_key, 0);
  ASSERT_TRUE(owner.Save());
  Bytes file = dir.Read("xten7.dat");
  EXPECT_EQ(Bytes(file.begin() + sizeof(ExtRecord), file.end()), Bytes(sizeof(ExtRecord), 0))
      << "freed";
}

TEST_F(AppointmentsTest, EmailOfAStudentWaitsForARealLastName) {
  PublisherForm form(doc, nullptr, PublisherKind::kBibleStudent);
  form.fields().text[static_cast<int>(TextField::kFirst)] = "Sam";
  form.fields().text[static_cast<int>(TextField::kLast)] = "S";
  form.fields().text[static_cast<int>(TextField::kEmail)] = "sam@example.org";
  ASSERT_EQ(form.Ok(), PublisherForm::Result::kStored);
  EXPECT_EQ(doc.FindById(form.id())->ext_key, 0);
  form.fields().text[static_cast<int>(TextField::kLast)] = "Student";
  ASSERT_EQ(form.Ok(), PublisherForm::Result::kStored);
  EXPECT_NE(doc.FindById(form.id())->ext_key, 0);
  EXPECT_EQ(LoadExtension(doc, *doc.FindById(form.id())).email, "sam@example.org");
}

TEST_F(AppointmentsTest, NothingIsWrittenInTheHistoryView) {
  Add(10, "Ann", "Adams");
  doc.history_view = 1;
  doc.archive_folder = dir.path();
  EXPECT_EQ(StoreNewEmergency(doc, EmergencyRecord{}), 0);
  EXPECT_TRUE(dir.Read("emerg.dat").empty());
}

TEST_F(AppointmentsTest, UnwritableFolderKeepsTheLink) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes anywhere";
  PubRecord& a = Add(10, "Ann", "Adams");
  ::chmod(dir.path().c_str(), 0500);
  EXPECT_EQ(StoreNewSpecialNeed(doc, SpecialNeedsRecord{}), 0);
  EXPECT_EQ(doc.special_needs_count, 0) << "the directory does not grow";
  ExtensionData d;
  d.email = "x@y.z";
  EXPECT_FALSE(StoreExtension(doc, a, d));
  EXPECT_EQ(a.ext_key, 0);
  ::chmod(dir.path().c_str(), 0700);
}

TEST_F(AppointmentsTest, HouseholdChangesStopWhenTheUndoLogIsFull) {
  Add(10, "Ann", "Adams").flags |= kFamilyHead;
  Add(11, "Bob", "Adams");
  doc.household_undo_count = kMaxHouseholdUndo;
  EXPECT_FALSE(LinkToHousehold(doc, Rec(10), Rec(11))) << "Cancel could not take it back";
  EXPECT_EQ(doc.FindById(11)->household_head, 0);
  ForgetHouseholdChanges(doc);
  EXPECT_TRUE(LinkToHousehold(doc, Rec(10), Rec(11)));
  EXPECT_EQ(HouseholdMemberCount(doc, 10), 1);
}

TEST(RecordDatesTest, ListTextsAndYears) {
  auto months = MonthListTexts();
  ASSERT_EQ(months.size(), 13u);
  EXPECT_EQ(months[1], "January");
  auto days = DayListTexts();
  EXPECT_EQ(days[1], "01");
  EXPECT_EQ(days[31], "31");
  auto years = YearListTexts(1990, 1992);
  EXPECT_EQ(years, (std::vector<std::string>{"", "1990", "1991", "1992"}));
  struct Case {
    DateParts d;
    int years;
  } cases[] = {{{2, 29, 2000}, 24}, {{2, 29, 2000}, 24}, {{3, 16, 2000}, 23},
               {{3, 0, 2000}, 24},  {{0, 0, 2000}, -1},  {{4, 1, 2024}, -1}};
  for (const auto& c : cases) EXPECT_EQ(YearsSince(c.d, 2024, 3, 15), c.years);
}

}  // namespace
}  // namespace zarim::testing
