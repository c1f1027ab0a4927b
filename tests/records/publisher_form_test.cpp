// "Edit Publisher Information": field rules, storing, navigation, copy and paste.
#include "records/publisher_form.h"

#include <gtest/gtest.h>

#include "core/clipboard.h"
#include "core/data_files.h"
#include "core/store.h"
#include "records/appointments_form.h"
#include "records/extension.h"
#include "records_fixture.h"

namespace zarim::testing {
namespace {

using PublisherFormTest = RecordsTest;

std::string& Text(PublisherForm& f, TextField t) { return f.fields().text[static_cast<int>(t)]; }

TEST(AutoCapsTest, RaisesOnlyPlainSmallLetters) {
  struct Case {
    const char* in;
    const char* out;
    int caret;
  } cases[] = {
      {"anna", "Anna", 1},
      {"Anna", "Anna", 3},
      {"\xc3\xa9mile", "\xc3\xa9mile", 3},  // é stays small
      {"1abc", "1abc", 3},
      {"abcdefghijklmnopq", "Abcdefghijklmn", 14},
      {"", "", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    CapsEdit e = ApplyAutoCaps(c.in, 3 > static_cast<int>(std::string(c.in).size()) ? 0 : 3);
    EXPECT_EQ(e.text, c.out);
    EXPECT_EQ(e.caret, c.caret);
  }
}

TEST(AutoCapsTest, LanguageExceptions) {
  for (const char* off : {"turkish", "french", "greek", "tha", "rus", "Ukr", "U"})
    EXPECT_FALSE(AutoCapsAppliesTo(off)) << off;
  for (const char* on : {"eng", "hun", "swedish", "u"}) EXPECT_TRUE(AutoCapsAppliesTo(on)) << on;
}

TEST_F(PublisherFormTest, AutoCapsFollowsFlagAndLanguage) {
  PublisherForm form(doc, nullptr);
  EXPECT_EQ(form.NameEdited(TextField::kFirst, "anna", 4).text, "Anna");
  EXPECT_EQ(form.NameEdited(TextField::kAddress, "main street", 4).text, "main street");
  doc.language_code = "french";
  EXPECT_EQ(form.NameEdited(TextField::kLast, "dupont", 6).text, "dupont");
  doc.language_code = "eng";
  doc.options.autocaps = 0;
  EXPECT_EQ(form.NameEdited(TextField::kLast, "dupont", 6).text, "dupont");
}

TEST(PrivilegeRulesTest, ElderWinsThenServantThenBaptizedBrother) {
  struct Case {
    bool elder, servant, bb;
    uint8_t code;
  } cases[] = {{false, false, false, 0},
               {true, true, true, 2},
               {false, true, true, 1},
               {false, false, true, 3},
               {true, false, false, 2}};
  for (const auto& c : cases) EXPECT_EQ(PrivilegeCode(c.elder, c.servant, c.bb), c.code);
}

TEST(PioneerRulesTest, SpecialWinsThenRegularThenAuxiliary) {
  struct Case {
    bool special, regular, cont_aux;
    uint8_t previous, code;
  } cases[] = {
      {true, true, true, 1, 3},   {false, true, true, 1, 2},   {false, false, false, 1, 1},
      {false, false, true, 0, 1}, {false, false, false, 2, 0}, {false, false, false, 0, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PioneerCodeFor(c.special, c.regular, c.cont_aux, c.previous), c.code);
}

TEST_F(PublisherFormTest, AddingStoresEveryFieldAndSaves) {
  PublisherForm form(doc, nullptr);
  EXPECT_TRUE(form.adding());
  EXPECT_FALSE(form.navigation_enabled());
  Text(form, TextField::kFirst) = "  Anna ";
  Text(form, TextField::kLast) = "Zeller";
  Text(form, TextField::kAddress) = "Main Street 1";
  Text(form, TextField::kHome) = "555-1234";
  Text(form, TextField::kEmail) = "anna@example.org";
  form.fields().birth = DateParts{5, 7, 1980};
  form.fields().baptism = DateParts{6, 0, 1999};
  form.fields().elder = true;
  form.fields().regular = true;
  form.fields().anointed = true;
  form.SetMale(true);
  form.fields().deaf = true;
  form.fields().consent = true;
  form.fields().consent_date = DateParts{1, 2, 2024};
  ASSERT_EQ(form.Ok(), PublisherForm::Result::kStored);
  EXPECT_FALSE(form.adding());

  const PubRecord* r = doc.FindById(form.id());
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(FieldText(r->first_name), "Anna");
  EXPECT_EQ(FieldText(r->birth_date), "05071980");
  EXPECT_EQ(FieldText(r->baptism_date), "06  1999");
  EXPECT_EQ(r->flags & kPrivilegeMask, kElder);
  EXPECT_TRUE(r->flags & kMale);
  EXPECT_EQ(r->hope, 'A');
  EXPECT_EQ(r->pioneer[doc.working_month][doc.SlotOfMonth(doc.working_month)] & 3, kRegular);
  EXPECT_EQ(r->special_circumstances, kCircumstancesSet | kDeaf);
  EXPECT_EQ(r->consent, 1);
  EXPECT_EQ(FieldText(r->consent_date), "01022024");
  ASSERT_NE(FindAppointment(doc, r->id, kApptConsent), nullptr);
  // Saved after adding: the folder holds the new publisher.
  EXPECT_FALSE(doc.modified);
  CZarimDoc again;
  again.data_folder = dir.path();
  FixedClock clock(Date{2024, 3, 15});
  LoadAll(again, clock);
  ASSERT_NE(again.FindById(form.id()), nullptr);
  EXPECT_EQ(LoadExtension(again, *again.FindById(form.id())).email, "anna@example.org");
}

TEST_F(PublisherFormTest, DatesNeedMonthAndYear) {
  EXPECT_EQ(FormatRecordDate(DateParts{5, 7, 0}), "        ");
  EXPECT_EQ(FormatRecordDate(DateParts{0, 7, 1980}), "        ");
  EXPECT_EQ(FormatRecordDate(DateParts{12, 31, 2001}), "12312001");
  EXPECT_EQ(ParseRecordDate("12312001"), (DateParts{12, 31, 2001}));
  EXPECT_EQ(ParseRecordDate("06  1999"), (DateParts{6, 0, 1999}));
  EXPECT_EQ(ParseRecordDate("        "), DateParts{});
  EXPECT_EQ(ParseRecordDate("ab\xff"), DateParts{});
}

TEST_F(PublisherFormTest, YearsLabels) {
  PublisherForm form(doc, nullptr);  // today is 15 March 2024
  form.fields().birth = DateParts{3, 15, 1980};
  EXPECT_EQ(form.AgeLabel(), "44 years");
  form.fields().birth = DateParts{3, 16, 1980};
  EXPECT_EQ(form.AgeLabel(), "43 years");
  form.fields().baptism = DateParts{};
  EXPECT_EQ(form.BaptismLabel(), "");
}

TEST_F(PublisherFormTest, TooLongTextIsRefusedWithTheFrameworkMessage) {
  PublisherForm form(doc, nullptr);
  Text(form, TextField::kFirst) = "Anna";
  Text(form, TextField::kLast) = "Zeller";
  Text(form, TextField::kHome) = "123456789012345";
  EXPECT_EQ(form.Ok(), PublisherForm::Result::kInvalid);
  EXPECT_EQ(form.invalid_field(), TextField::kHome);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0], "Please enter no more than 14 characters.");
  EXPECT_EQ(doc.count, 1);
}

TEST_F(PublisherFormTest, NextAndPreviousStoreAndWrap) {
  Add(10, "A", "Adams");
  Add(11, "B", "Baker");
  Add(12, "C", "Clark");
  PublisherForm form(doc, nullptr);
  ASSERT_TRUE(form.Load(Rec(12)));
  Text(form, TextField::kAddress) = "Clark Road";
  EXPECT_EQ(form.Next(), PublisherForm::Result::kStored);
  EXPECT_EQ(form.id(), 10) << "wraps to the first";
  EXPECT_EQ(FieldText(doc.FindById(12)->address), "Clark Road");
  EXPECT_EQ(form.Previous(), PublisherForm::Result::kStored);
  EXPECT_EQ(form.id(), 12) << "wraps to the last";
  // A renamed publisher is placed anew before stepping on.
  Text(form, TextField::kLast) = "Aaron";
  EXPECT_EQ(form.Next(), PublisherForm::Result::kStored);
  EXPECT_EQ(Rec(12), 1);
  EXPECT_EQ(form.id(), 10);
}

TEST_F(PublisherFormTest, NextAndPreviousWalkTheListOfTheShownRecord) {
  Add(10, "A", "Adams");
  Add(11, "B", "Baker", kInactive);
  Add(12, "C", "Clark");
  Add(13, "D", "Dunn", kInactive);
  Add(14, "E", "Evans", kDeleted);
  Add(15, "F", "Ford", kDeleted);
  RefreshDerivedState(doc);
  PublisherForm form(doc, nullptr);
  ASSERT_TRUE(form.Load(Rec(11)));
  EXPECT_EQ(form.Next(), PublisherForm::Result::kStored);
  EXPECT_EQ(form.id(), 13);
  EXPECT_EQ(form.Next(), PublisherForm::Result::kStored);
  EXPECT_EQ(form.id(), 11);
  ASSERT_TRUE(form.Load(Rec(15)));
  EXPECT_EQ(form.Previous(), PublisherForm::Result::kStored);
  EXPECT_EQ(form.id(), 14);
}

TEST_F(PublisherFormTest, RenameIntoDuplicateKeepsTheStoredRecord) {
  Add(10, "A", "Adams");
  Add(11, "B", "Baker");
  PublisherForm form(doc, nullptr);
  form.Load(Rec(11));
  Text(form, TextField::kFirst) = "a";
  Text(form, TextField::kLast) = "adams";
  EXPECT_EQ(form.Ok(), PublisherForm::Result::kRefused);
  EXPECT_EQ(FieldText(doc.FindById(11)->last_name), "Baker");
}

TEST_F(PublisherFormTest, EmailTypedWhileAddingSurvivesARefusedName) {
  Add(10, "A", "Adams");
  PublisherForm form(doc, nullptr);
  Text(form, TextField::kFirst) = "A";
  Text(form, TextField::kLast) = "Adams";
  Text(form, TextField::kEmail) = "a2@example.org";
  prompter.Script(Answer::kNo);  // do not overwrite the publisher of the same name
  ASSERT_EQ(form.Ok(), PublisherForm::Result::kRefused);
  Text(form, TextField::kLast) = "Adamson";
  ASSERT_EQ(form.Ok(), PublisherForm::Result::kStored);
  const PubRecord* r = doc.FindById(form.id());
  ASSERT_NE(r, nullptr);
  EXPECT_NE(r->ext_key, 0);
  EXPECT_EQ(LoadExtension(doc, *r).email, "a2@example.org");
  int used = 0;
  for (int i = 1; i < doc.ext_count; ++i) used += doc.ext_index[i].key != 0;
  EXPECT_EQ(used, 1) << "no extension record is left without its publisher";
}

TEST_F(PublisherFormTest, MaleAndFemaleExclude) {
  PublisherForm form(doc, nullptr);
  form.SetMale(true);
  form.SetFemale(true);
  EXPECT_FALSE(form.fields().male);
  EXPECT_TRUE(form.fields().female);
}

TEST_F(PublisherFormTest, FamilyHeadLockedWhileMembersRemain) {
  PubRecord& head = Add(10, "A", "Adams");
  head.flags |= kFamilyHead;
  PubRecord& member = Add(11, "B", "Adams");
  member.household_head = 10;
  PublisherForm form(doc, nullptr);
  form.Load(Rec(10));
  EXPECT_TRUE(form.household_shown());
  EXPECT_EQ(form.HouseholdCaption(), "Edit Household");
  EXPECT_FALSE(form.SetFamilyHead(false));
  EXPECT_TRUE(form.fields().family_head);
  doc.FindById(11)->household_head = 0;
  EXPECT_TRUE(form.SetFamilyHead(false));
  form.Load(Rec(11));
  EXPECT_EQ(form.household_shown(), false);
}

TEST_F(PublisherFormTest, CopyThenPasteAddressPhoneAndGroup) {
  MemoryClipboard clipboard;
  PubRecord& a = Add(10, "A", "Adams");
  SetField(a.address, "Elm 5");
  SetField(a.home_phone, "777");
  a.group = 3;
  Add(11, "B", "Baker");
  PublisherForm form(doc, &clipboard);
  form.Load(Rec(10));
  EXPECT_EQ(form.CopyCaption(), "Copy");
  EXPECT_FALSE(form.clear_shown());
  EXPECT_EQ(form.CopyOrPaste(), PublisherForm::Result::kStored);
  EXPECT_EQ(form.CopyCaption(), "Paste");
  EXPECT_TRUE(form.clear_shown());

  PublisherForm other(doc, &clipboard);
  other.Load(Rec(11));
  EXPECT_EQ(other.CopyCaption(), "Paste");
  other.CopyOrPaste();
  EXPECT_EQ(Text(other, TextField::kAddress), "Elm 5");
  EXPECT_EQ(Text(other, TextField::kHome), "777");
  EXPECT_EQ(other.fields().group, 3);
  EXPECT_EQ(FieldText(doc.FindById(11)->address), "") << "stored only on OK";
  other.Ok();
  EXPECT_EQ(FieldText(doc.FindById(11)->address), "Elm 5");
  other.ClearCopy();
  EXPECT_EQ(other.CopyCaption(), "Copy");
}

TEST_F(PublisherFormTest, GroupButtonCaption) {
  PublisherForm form(doc, nullptr);
  EXPECT_EQ(form.GroupButtonCaption(), "Select Field Service Group");
  doc.groups.count = 2;
  SetField(doc.groups.overseer[1], "John Smith");
  form.fields().group = 2;
  EXPECT_EQ(form.GroupButtonCaption(), "( &Group #2 ) John Smith");
  SetField(doc.groups.name[1], "North");
  doc.groups.use_name[1] = 1;
  EXPECT_EQ(form.GroupButtonCaption(), "North");
}

TEST_F(PublisherFormTest, CustomBoxFollowsTheCategory) {
  PublisherForm form(doc, nullptr);
  EXPECT_FALSE(form.custom_shown());
  doc.options.custom_category_enabled = 1;
  doc.options.custom_category_name = "Drivers";
  EXPECT_TRUE(form.custom_shown());
  EXPECT_EQ(form.CustomCaption(), "Drivers");
}

TEST_F(PublisherFormTest, BibleStudentConductorAndHiddenPrivileges) {
  Add(10, "John", "Smith");
  PublisherForm form(doc, nullptr, PublisherKind::kBibleStudent);
  EXPECT_EQ(form.Title(), "Edit Bible Student");
  EXPECT_FALSE(form.privileges_shown());
  EXPECT_TRUE(form.conductor_shown());
  Text(form, TextField::kFirst) = "Sam";
  Text(form, TextField::kLast) = "Student";
  form.fields().elder = true;  // ignored for students
  form.SetConductor(Rec(10));
  EXPECT_EQ(form.ConductorText(), "Bible Study Conductor: John Smith");
  ASSERT_EQ(form.Ok(), PublisherForm::Result::kStored);
  const PubRecord* s = doc.FindById(form.id());
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->status, kNonPublisher);
  EXPECT_EQ(s->linked_id, 10);
  EXPECT_EQ(s->flags & kPrivilegeMask, 0);
  form.ClearConductor();
  EXPECT_EQ(form.ConductorText(), "");
}

TEST_F(PublisherFormTest, StatusDialogRunsBeforeTheNewRecordIsStored) {
  PublisherForm form(doc, nullptr);
  int calls = 0;
  form.status_dialog = [&](CZarimDoc& d, PubRecord& r) {
    ++calls;
    EXPECT_EQ(d.count, 1) << "not in the table yet";
    r.status_stamp = 123;
  };
  Text(form, TextField::kFirst) = "New";
  Text(form, TextField::kLast) = "Person";
  ASSERT_EQ(form.Ok(), PublisherForm::Result::kStored);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(doc.FindById(form.id())->status_stamp, 123);
}

TEST_F(PublisherFormTest, EmptyNamesAreNotAdded) {
  PublisherForm form(doc, nullptr);
  EXPECT_EQ(form.Ok(), PublisherForm::Result::kInvalid);
  EXPECT_EQ(doc.count, 1);
}

}  // namespace
}  // namespace zarim::testing
