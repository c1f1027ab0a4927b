// Emergency contacts and special needs: free identifiers, sharing, storing in place.
#include "records/emergency.h"

#include <gtest/gtest.h>

#include "core/data_files.h"
#include "records/contact_info_form.h"
#include "records/keyed_store.h"
#include "records_fixture.h"

namespace zarim::testing {
namespace {

using EmergencyTest = RecordsTest;

EmergencyRecord Contact(const char* name) {
  EmergencyRecord r{};
  SetField(r.name, name);
  return r;
}

TEST_F(EmergencyTest, FreeIdentifierSkipsDirectoryAndPublisherLinks) {
  EXPECT_EQ(FreeKeyedId(doc, KeyedFile::kEmergency), 10);
  doc.emergency_index[0] = KeyRef{10, 0};  // still listed, nobody refers to it
  doc.emergency_count = 1;
  EXPECT_EQ(FreeKeyedId(doc, KeyedFile::kEmergency), 11);
  Add(20, "A", "Adams").emergency_key = 11;  // referred to, not listed
  EXPECT_EQ(FreeKeyedId(doc, KeyedFile::kEmergency), 12);
  EXPECT_EQ(FreeKeyedId(doc, KeyedFile::kSpecialNeeds), 10) << "each file has its own identifiers";
  doc.FindById(20)->special_needs_key = 10;
  EXPECT_EQ(FreeKeyedId(doc, KeyedFile::kSpecialNeeds), 11);
}

TEST_F(EmergencyTest, StoringReusesAFreeSlotInPlace) {
  EXPECT_EQ(StoreNewEmergency(doc, Contact("First")), 10);
  EXPECT_EQ(StoreNewEmergency(doc, Contact("Second")), 11);
  EXPECT_EQ(dir.Read("emerg.dat").size(), 512u);
  doc.emergency_index[0].key = 0;  // slot 0 free
  uint16_t id = StoreNewEmergency(doc, Contact("Third"));
  EXPECT_EQ(id, 10) << "10 is neither listed nor referred to any more";
  EXPECT_EQ(dir.Read("emerg.dat").size(), 512u) << "written over the free slot";
  EXPECT_EQ(FieldText(ReadEmergency(doc, 10)->name), "Third");
  EXPECT_EQ(FieldText(ReadEmergency(doc, 11)->name), "Second");
  EXPECT_FALSE(ReadEmergency(doc, 12).has_value());
}

TEST_F(EmergencyTest, TwoPublishersSharingAContactBothSeeAnEdit) {
  Add(20, "A", "Adams");
  Add(21, "B", "Baker");
  {
    EmergencyForm form(doc, *doc.FindById(20));
    form.name = "Uncle Tom";
    form.home = "555";
    ASSERT_EQ(form.Ok(), EmergencyForm::Result::kClosed);
  }
  uint16_t id = doc.FindById(20)->emergency_key;
  ASSERT_GE(id, 10);
  StoreNewEmergency(doc, Contact("Someone else"));
  {
    EmergencyForm form(doc, *doc.FindById(21));
    EXPECT_TRUE(form.use_existing_shown());
    EXPECT_EQ(form.ExistingContacts().size(), 2u);
    ASSERT_TRUE(form.UseExisting(id));
    EXPECT_EQ(form.name, "Uncle Tom");
    EXPECT_TRUE(form.shared_note_shown());
    ASSERT_EQ(form.Ok(), EmergencyForm::Result::kClosed);
  }
  EXPECT_EQ(doc.FindById(21)->emergency_key, id);
  {
    EmergencyForm form(doc, *doc.FindById(21));
    EXPECT_TRUE(form.shared_note_shown());
    form.home = "999";
    ASSERT_EQ(form.Ok(), EmergencyForm::Result::kClosed);
  }
  EmergencyForm seen(doc, *doc.FindById(20));
  EXPECT_EQ(seen.home, "999");
  EXPECT_EQ(KeyedUsers(doc, KeyedFile::kEmergency, id), 2);
}

TEST_F(EmergencyTest, StopUsingAsksClearFields) {
  Add(20, "A", "Adams");
  EmergencyForm form(doc, *doc.FindById(20));
  form.name = "Uncle Tom";
  form.Ok();
  uint16_t id = doc.FindById(20)->emergency_key;

  EmergencyForm again(doc, *doc.FindById(20));
  prompter.Script(Answer::kCancel);
  again.StopUsing();
  EXPECT_EQ(again.contact_id(), id);
  EXPECT_EQ(prompter.messages.back(), "Clear Fields?");
  EXPECT_EQ(prompter.buttons.back(), Buttons::kYesNoCancel);
  prompter.Script(Answer::kNo);
  again.StopUsing();
  EXPECT_EQ(again.contact_id(), 0);
  EXPECT_EQ(again.name, "Uncle Tom");
  again.name = "Aunt Sue";
  ASSERT_EQ(again.Ok(), EmergencyForm::Result::kClosed);
  EXPECT_NE(doc.FindById(20)->emergency_key, id) << "a new contact was made";
  EXPECT_EQ(FieldText(ReadEmergency(doc, id)->name), "Uncle Tom") << "the old one is untouched";

  EmergencyForm third(doc, *doc.FindById(20));
  prompter.Script(Answer::kYes);
  third.StopUsing();
  EXPECT_EQ(third.name, "");
}

TEST_F(EmergencyTest, OkRules) {
  Add(20, "A", "Adams");
  EmergencyForm form(doc, *doc.FindById(20));
  form.name = "X";
  EXPECT_EQ(form.Ok(), EmergencyForm::Result::kStayOpen) << "a new contact needs 2 characters";
  EXPECT_EQ(form.focus_field(), EmergencyForm::Field::kName);
  EXPECT_EQ(doc.FindById(20)->emergency_key, 0);
  form.name = std::string(96, 'n');
  EXPECT_EQ(form.Ok(), EmergencyForm::Result::kStayOpen);
  EXPECT_EQ(prompter.messages.back(), "Please enter no more than 95 characters.");
  form.name = "  Tom  ";
  ASSERT_EQ(form.Ok(), EmergencyForm::Result::kClosed);
  uint16_t id = doc.FindById(20)->emergency_key;
  EXPECT_EQ(FieldText(ReadEmergency(doc, id)->name), "Tom");
  auto before = dir.Read("emerg.dat");
  EmergencyForm same(doc, *doc.FindById(20));
  doc.modified = 0;
  ASSERT_EQ(same.Ok(), EmergencyForm::Result::kClosed);
  EXPECT_FALSE(doc.modified) << "nothing changed, nothing written";
  EmergencyForm empty(doc, *doc.FindById(20));
  empty.name = "   ";
  ASSERT_EQ(empty.Ok(), EmergencyForm::Result::kClosed);
  EXPECT_EQ(doc.FindById(20)->emergency_key, 0);
  EXPECT_EQ(dir.Read("emerg.dat"), before) << "the file record stays";
}

TEST_F(EmergencyTest, ContactsSurviveSaveAndLoad) {
  Add(20, "A", "Adams");
  EmergencyForm form(doc, *doc.FindById(20));
  form.name = "Tom";
  form.jw = true;
  form.Ok();
  ASSERT_TRUE(owner.Save());
  CZarimDoc again;
  again.data_folder = dir.path();
  FixedClock clock(Date{2024, 3, 15});
  LoadAll(again, clock);
  auto r = ReadEmergency(again, again.FindById(20)->emergency_key);
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(FieldText(r->name), "Tom");
  EXPECT_EQ(r->jw, 1);
}

TEST_F(EmergencyTest, SpecialNeedsFourCharactersAndSharing) {
  Add(20, "A", "Adams");
  Add(21, "B", "Baker");
  {
    ContactInfoForm form(doc, *doc.FindById(20));
    form.need = "abc";
    ASSERT_TRUE(form.Ok());
    EXPECT_EQ(doc.FindById(20)->special_needs_key, 0) << "fewer than 4 characters";
    form.need = "Wheelchair";
    form.long_name = "Adams, Alexander Bartholomew   ";
    form.other = "Call after 6";
    ASSERT_TRUE(form.Ok());
  }
  uint16_t id = doc.FindById(20)->special_needs_key;
  ASSERT_GE(id, 10);
  StoreNewSpecialNeed(doc, [] {
    SpecialNeedsRecord r{};
    SetField(r.text, "Hearing aid");
    return r;
  }());
  {
    ContactInfoForm form(doc, *doc.FindById(21));
    EXPECT_TRUE(form.use_common_shown());
    EXPECT_FALSE(form.shared_shown());
    ASSERT_TRUE(form.UseCommon(id));
    EXPECT_TRUE(form.shared_shown()) << "used by one publisher other than this one";
    ASSERT_TRUE(form.Ok());
  }
  {
    ContactInfoForm form(doc, *doc.FindById(20));
    EXPECT_TRUE(form.shared_shown());
    EXPECT_EQ(form.long_name, "Adams, Alexander Bartholomew");
    EXPECT_EQ(form.other, "Call after 6");
    form.need = "Wheelchair ramp";
    ASSERT_TRUE(form.Ok());
  }
  EXPECT_EQ(FieldText(ReadSpecialNeed(doc, doc.FindById(21)->special_needs_key)->text),
            "Wheelchair ramp");
  {
    ContactInfoForm clear(doc, *doc.FindById(20));
    clear.need = "";
    ASSERT_TRUE(clear.Ok());
  }
  EXPECT_EQ(doc.FindById(20)->special_needs_key, 0);
  ASSERT_EQ(doc.FindById(21)->special_needs_key, id) << "the other publisher keeps the shared need";
  EXPECT_EQ(FieldText(ReadSpecialNeed(doc, id)->text), "Wheelchair ramp");
  {
    ContactInfoForm relink(doc, *doc.FindById(20));
    ASSERT_TRUE(relink.UseCommon(id));
    ASSERT_TRUE(relink.Ok());
  }
  ContactInfoForm stop(doc, *doc.FindById(21));
  stop.StopUsingShared();
  stop.need = "Own need";
  ASSERT_TRUE(stop.Ok());
  EXPECT_NE(doc.FindById(21)->special_needs_key, id);
}

}  // namespace
}  // namespace zarim::testing
