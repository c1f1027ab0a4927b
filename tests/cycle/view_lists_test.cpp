// The View lists: the years-baptized brackets, the period walks, which types are
// offered, the missing-report lines and their contact actions (mail, clipboard).
#include "cycle/view_lists.h"

#include <gtest/gtest.h>

#include "core/bytes.h"
#include "core/clipboard.h"
#include "core/store.h"
#include "records/appointments_form.h"
#include "records/extension.h"
#include "status_fixture.h"

namespace zarim::testing {
namespace {

class RecordingMailer : public Mailer {
 public:
  Result Send(const MailMessage& m) override {
    sent.push_back(m);
    return result;
  }
  std::vector<MailMessage> sent;
  Result result = Result::kHandedOver;
};

struct YearsCase {
  const char* stored;
  int today_year, today_month;
  std::optional<int> years;
};

TEST(YearsBaptized, CountsWholeYearsUpToTodaysMonth) {
  const YearsCase cases[] = {
      {"11152025", 2026, 5, 0},   // a later month of last year: not a full year yet
      {"05012025", 2026, 5, 1},   // the same month counts as a full year
      {"06012016", 2026, 5, 9},   //
      {"  152016", 2026, 5, 10},  // no month: the year alone counts
      {"0515    ", 2026, 5, std::nullopt},
      {"        ", 2026, 5, std::nullopt},
  };
  for (const YearsCase& c : cases)
    EXPECT_EQ(YearsBaptized(c.stored, c.today_year, c.today_month), c.years) << c.stored;
}

class ViewListsTest : public StatusFixture {
 protected:
  std::vector<std::string> Texts(const ViewListForm& f) {
    std::vector<std::string> out;
    for (const StatusLine& l : f.lines()) out.push_back(l.text);
    return out;
  }
  void Email(int rec, const char* address) {
    ExtensionData d;
    d.email = address;
    ASSERT_TRUE(StoreExtension(doc, Rec(rec), d));
  }
  void Group(int g, const char* overseer) {
    doc.groups.count = static_cast<uint8_t>(std::max<int>(doc.groups.count, g));
    SetField(doc.groups.overseer[g - 1], overseer);
  }
};

TEST_F(ViewListsTest, LaterMonthOfLastYearIsRecentlyBaptized) {
  int a = Add(10, "Anna", "Baptized");
  int b = Add(11, "Ben", "Older");
  Add(12, "Cleo", "Never");
  SetField(Rec(a).baptism_date, "11152025");
  SetField(Rec(b).baptism_date, "03012019");

  ViewListForm f(doc, ViewType::kYearsBaptized);
  EXPECT_EQ(f.second_kind(), ViewSelector::kBracket);
  EXPECT_EQ(Texts(f), (std::vector<std::string>{"Anna Baptized\t11/15/2025"}));
  EXPECT_EQ(f.Title(), "Recently Baptized ( 1 )");
  f.SetSecond(2);  // "5 - 9 Yrs"
  EXPECT_EQ(Texts(f), (std::vector<std::string>{"Ben Older\t03/01/2019"}));
  EXPECT_EQ(f.Title(), "5 - 9 Yrs ( 1 )");
}

TEST_F(ViewListsTest, ServiceYearInSeptemberCoversOnlySeptember) {
  doc.SetWorkingSerial(static_cast<uint16_t>(Serial(26, 8)));  // September 2026
  int aug = Add(10, "August", "Aux");
  int sep = Add(11, "September", "Aux");
  Rec(aug).pioneer[7][SlotOfYear(26)] = kAuxiliary;
  Rec(sep).pioneer[8][SlotOfYear(26)] = kAuxiliary;

  ViewListForm f(doc, ViewType::kAuxPioneers);
  ASSERT_EQ(f.ThirdEntries().size(), 3u);
  EXPECT_EQ(Texts(f), (std::vector<std::string>{"August Aux", "September Aux"}));  // six months
  f.SetThird(1);
  EXPECT_EQ(Texts(f), (std::vector<std::string>{"September Aux"}));
}

TEST_F(ViewListsTest, ConductorsShowTheWorkingMonthWhenTheyStudyInIt) {
  int a = Add(10, "Now", "Studying");
  int b = Add(11, "Earlier", "Studying");
  Rec(a).activity[kBibleStudies][3][doc.SlotOfMonth(3)] = 2;
  Rec(b).activity[kBibleStudies][11][doc.SlotOfMonth(11)] = 1 | kSharedBit;  // December
  ViewListForm f(doc, ViewType::kStudyConductors);
  EXPECT_EQ(Texts(f), (std::vector<std::string>{"Now Studying\tApril", "Earlier Studying"}));
  f.SetThird(0);  // six months: November to April
  EXPECT_EQ(f.lines().size(), 2u);
}

TEST_F(ViewListsTest, CircumstanceAndCustomTypesOnlyWhenTheyApply) {
  auto offered = [&] { return OfferedViewTypes(doc); };
  EXPECT_EQ(offered().size(), 15u);
  EXPECT_EQ(offered().back(), ViewType::kNoConsent);

  doc.options.custom_category_enabled = 1;
  doc.options.custom_category_name = "Drivers";
  EXPECT_EQ(offered().back(), ViewType::kCustom);
  EXPECT_EQ(offered().size(), 16u);
  doc.special_circumstances_present = 1;
  EXPECT_EQ(offered().size(), 17u);
  EXPECT_EQ(offered()[15], ViewType::kCircumstances);

  doc.options.custom_category_enabled = 0;
  doc.special_circumstances_present = 0;
  ViewListForm f(doc, ViewType::kCustom);  // not offered: the first type instead
  EXPECT_EQ(f.type(), ViewType::kNoReport);
}

TEST_F(ViewListsTest, SpecialServantsEntryOnlyWhileTheDocumentHasThem) {
  int fm = Add(10, "Field", "Missionary");
  Rec(fm).service_flags = kFieldMissionary;
  ViewListForm f(doc, ViewType::kPrivileges);
  EXPECT_EQ(f.SecondEntries().size(), 6u);
  f.SetSecond(5);
  EXPECT_EQ(f.privilege(), ViewPrivilege::kFieldMissionaries);
  EXPECT_EQ(Texts(f), (std::vector<std::string>{"Field Missionary"}));
  EXPECT_EQ(f.Title(), "Field missionaries ( 1 )");

  doc.special_servants_present = 1;
  ViewListForm g(doc, ViewType::kPrivileges);
  EXPECT_EQ(g.SecondEntries()[5], "Special servants");
  g.SetSecond(5);
  EXPECT_EQ(g.privilege(), ViewPrivilege::kSpecialServants);
  EXPECT_TRUE(g.lines().empty());
}

TEST_F(ViewListsTest, ElderListedWhileHisAppointmentCoversTheWorkingMonth) {
  int a = Add(10, "Adam", "Elder");
  int b = Add(11, "Bert", "Former");
  auto appoint = [&](int rec, const char* start, const char* end) {
    AppointmentRecord& r = doc.appointments[doc.appointment_count++];
    r.id = Rec(rec).id;
    r.kind = kApptElder;
    SetField(r.start_date, start);
    SetField(r.end_date, end);
  };
  appoint(a, "09012010", "        ");
  appoint(b, "09012010", "03012026");  // ended in March; the working month is April
  ViewListForm f(doc, ViewType::kPrivileges);
  f.SetSecond(1);
  EXPECT_EQ(Texts(f), (std::vector<std::string>{"Adam Elder\t09/01/2010"}));
}

TEST_F(ViewListsTest, MissingReportLinesLeaveOutReportedAndRemarkedPublishers) {
  Group(2, "Gus Overseer");
  int a = Add(10, "Ann", "Missing");
  int b = Add(11, "Bob", "Reported");
  int c = Add(12, "Cal", "Ill");
  int d = Add(13, "Dee", "Shared");
  Rec(a).group = 2;
  SetField(Rec(a).home_phone, "555-1");
  SetField(Rec(a).mobile_phone, "0170");
  Hours(b, 3);
  Remark(c, 3, "ill");
  SharedOnly(d, 3);

  ViewListForm f(doc, ViewType::kNoReport);
  EXPECT_EQ(f.month(), 3);
  EXPECT_EQ(f.Title(), "No Report for April 2026  ( 1 )");
  EXPECT_EQ(Texts(f), (std::vector<std::string>{"Ann Missing  (2)\t555-1\t0170"}));
  f.SetSecond(2);
  EXPECT_EQ(Texts(f), (std::vector<std::string>{"Ann Missing\t555-1\t0170"}));
  EXPECT_EQ(f.GroupCaption(), "Group # 2  -  Gus Overseer");

  // December lies after the working month: last year's December, where Bob reported.
  Hours(b, 11);
  f.SetSecond(0);
  f.SetThird(11);
  EXPECT_EQ(f.Title(), "No Report for December 2025  ( 3 )");

  ViewListForm form(doc, ViewType::kCollectionForm);
  EXPECT_EQ(form.lines().size(), 4u);
  EXPECT_EQ(form.Title(), "Report Collection Form ( 4 )");
}

TEST_F(ViewListsTest, SelectedPublisherGetsTheReminderAddressedToHim) {
  int a = Add(10, "Ann", "Missing");
  Email(a, "ann@example.org");
  ViewListForm f(doc, ViewType::kNoReport);
  EXPECT_FALSE(f.MailEnabled());  // the congregation, nobody selected
  f.Select(0);
  EXPECT_EQ(f.MailCaption(), "E-Mail ann@example.org");
  ASSERT_TRUE(f.MailEnabled());

  RecordingMailer mailer;
  ASSERT_TRUE(f.SendReminder(&mailer));
  ASSERT_EQ(mailer.sent.size(), 1u);
  EXPECT_EQ(mailer.sent[0].to, (std::vector<std::string>{"ann@example.org"}));
  EXPECT_EQ(mailer.sent[0].subject, "No Report for April ");
  EXPECT_EQ(mailer.sent[0].text, "Please submit your report for April. \nThank you.");
  EXPECT_TRUE(mailer.sent[0].attachment.empty());
  // Sent under the congregation's name, or the program's when the name is under four letters.
  for (auto [name, sender] : {std::pair{"Eastside  ", "Eastside"}, std::pair{"Abc ", "ZARIM"}}) {
    doc.options.congregation_name = name;
    ASSERT_TRUE(f.SendReminder(&mailer));
    EXPECT_EQ(mailer.sent.back().sender_name, sender);
  }

  mailer.result = Mailer::Result::kNoService;
  EXPECT_FALSE(f.SendReminder(&mailer));
  ASSERT_FALSE(prompter.messages.empty());
  EXPECT_EQ(prompter.messages.back(), "Unable to load mail system support.");
  prompter.messages.clear();
  EXPECT_FALSE(f.SendReminder(nullptr));  // a desktop without a mail hand-off
  EXPECT_EQ(prompter.messages, (std::vector<std::string>{"Unable to load mail system support."}));
}

TEST_F(ViewListsTest, GroupWithoutSelectionWritesToItsOverseer) {
  Group(1, "Gus Overseer");
  int gus = Add(10, "Gus", "Overseer");
  int a = Add(11, "Ann", "Missing");
  Rec(gus).group = 1;
  Hours(gus, 3);
  Rec(a).group = 1;
  ViewListForm f(doc, ViewType::kNoReport);
  f.SetSecond(1);
  EXPECT_EQ(f.MailCaption(), "No Email Address for Gus Overseer");
  EXPECT_FALSE(f.MailEnabled());

  Email(gus, "gus@example.org");
  ASSERT_TRUE(f.MailEnabled());
  RecordingMailer mailer;
  ASSERT_TRUE(f.SendReminder(&mailer));
  EXPECT_EQ(mailer.sent[0].to, (std::vector<std::string>{"gus@example.org"}));
  EXPECT_EQ(mailer.sent[0].text, f.ClipboardText());
}

TEST_F(ViewListsTest, ClipboardHoldsHeadingAndLinesWithCrlf) {
  Group(1, "Gus Overseer");
  int a = Add(10, "Ann", "Missing");
  int b = Add(11, "Bob", "Missing");
  Rec(a).group = 1;
  Rec(b).group = 1;
  SetField(Rec(b).mobile_phone, "0170");
  ViewListForm f(doc, ViewType::kNoReport);
  MemoryClipboard clipboard;
  f.CopyToClipboard(clipboard);
  EXPECT_EQ(clipboard.Text(),
            "No Report for April 2026 \r\nCongregation\r\nAnn Missing  (1)\t\r\n"
            "Bob Missing  (1)\t0170\r\n");
  f.SetSecond(1);
  EXPECT_EQ(f.ClipboardText(),
            "No Report for April 2026 \r\nGroup # 1  -  Overseer: Gus Overseer\r\nAnn Missing\t\r\n"
            "Bob Missing\t0170\r\n");
}

TEST_F(ViewListsTest, ConsentListsSplitByTheConsentMarker) {
  int a = Add(10, "Ann", "Consent");
  Add(11, "Bob", "None");
  Rec(a).group = 3;
  SetField(Rec(a).consent_date, "01022024");
  AppointmentRecord& r = doc.appointments[doc.appointment_count++];
  r.id = Rec(a).id;
  r.kind = kApptConsent;
  ViewListForm f(doc, ViewType::kConsent);
  EXPECT_EQ(Texts(f), (std::vector<std::string>{"Ann Consent  (3)\t01/02/2024"}));
  f.SetType(ViewType::kNoConsent);
  EXPECT_EQ(Texts(f), (std::vector<std::string>{"Bob None  (0)\t"}));
}

TEST_F(ViewListsTest, StudentsShowTheirConductor) {
  int p = Add(10, "Paul", "Teacher");
  int s = Add(11, "Sam", "Student", kNonPublisher);
  Add(12, "Tim", "Alone", kNonPublisher);
  Rec(s).linked_id = Rec(p).id;
  RefreshDerivedState(doc);
  ViewListForm f(doc, ViewType::kNonPublishers);
  EXPECT_EQ(Texts(f), (std::vector<std::string>{"Sam Student\t( Paul Teacher )", "Tim Alone"}));
}

TEST(ParseViewType, WordsAndNumbers) {
  EXPECT_EQ(ParseViewType("no-report"), ViewType::kNoReport);
  EXPECT_EQ(ParseViewType("16"), ViewType::kCustom);
  EXPECT_EQ(ParseViewType("17"), std::nullopt);
  EXPECT_EQ(ParseViewType("-1"), std::nullopt);
}

}  // namespace
}  // namespace zarim::testing
