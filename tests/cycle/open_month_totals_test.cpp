// Property: whatever sequence of changing commands a demo congregation goes through, each
// made in one edit of the owner and saved, the totals of the open month that the folder
// stores equal the totals recomputed from its records.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "core/file_io.h"
#include "core/file_names.h"
#include "cycle/attendance.h"
#include "cycle/branch_check.h"
#include "cycle/branch_totals.h"
#include "cycle/collection_state.h"
#include "cycle/congregation.h"
#include "cycle/history_form.h"
#include "cycle/slip_form.h"
#include "cycle/status_moves.h"
#include "demo_congregation.h"
#include "exchange/xml_publisher_file.h"
#include "records/delete_form.h"
#include "records/publisher_form.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::ScriptedPrompter;
using testing::TempDir;

const Date kToday{2026, 12, 8};

// The stored totals of the open month as the folder holds them.
WorkingTotals StoredOnDisk(const CZarimDoc& doc) {
  CZarimDoc probe;
  auto bytes = ReadFile(JoinPath(doc.data_folder, kFileTotals));
  if (!bytes || bytes->size() != sizeof probe.totals) return {};
  std::memcpy(&probe.totals, bytes->data(), sizeof probe.totals);
  return StoredTotals(probe, doc.working_month, doc.SlotOfMonth(doc.working_month));
}

// A record of the given status picked by the random source, 0 when there is none.
int Pick(const CZarimDoc& doc, std::mt19937& random, uint8_t status) {
  std::vector<int> of;
  for (int r = 1; r < doc.count; ++r)
    if (doc.records[r].status == status) of.push_back(r);
  if (of.empty()) return 0;
  return of[std::uniform_int_distribution<size_t>(0, of.size() - 1)(random)];
}

auto InMonth(int month) {
  return [month](SelectMonthForm& form) {
    form.set_month_index(month);
    return true;
  };
}

// An XML publisher file of one active publisher with a report of the working month.
std::string XmlWithReport(const CZarimDoc& doc, int step) {
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const std::string month = kMonths[doc.working_month];
  return "<?xml version=\"1.0\"?><PUBLIST><Agent Ver=\"9000\">Zarim</Agent><Count>1</Count>"
         "<Active><Pub><id>" +
         std::to_string(20000 + step) + "</id><fname>Xml" + std::to_string(step) +
         "</fname><lname>Import</lname><" + month + " Year=\"" +
         std::to_string(2000 + doc.working_year) + "\"><Hours>" + std::to_string(2 + step % 9) +
         "</Hours><BiSt.>1</BiSt.><Pio/></" + month + "></Pub></Active></PUBLIST>";
}

// One changing command of the library, chosen by `kind`, on a random publisher.
void RunCommand(CZarimDoc& doc, std::mt19937& random, int kind, int step) {
  const int working = doc.working_month;
  switch (kind) {
    case 0: {  // add
      PublisherForm form(doc, nullptr);
      form.StartAdding();
      form.fields().text[static_cast<int>(TextField::kFirst)] = "Prop" + std::to_string(step);
      form.fields().text[static_cast<int>(TextField::kLast)] = "Erty";
      form.fields().regular = step % 3 == 0;
      form.Ok();
      break;
    }
    case 1: {  // edit: the pioneer box of an active publisher
      if (int rec = Pick(doc, random, kActive)) {
        PublisherForm form(doc, nullptr);
        form.Load(rec);
        form.fields().regular = !form.fields().regular;
        form.Ok();
      }
      break;
    }
    case 2:  // delete, permanently or temporarily
    case 3:
      if (int rec = Pick(doc, random, kActive)) {
        DeleteForm form(doc, rec);
        form.temporary = kind == 3;
        form.Ok();
      }
      break;
    case 4:
      if (int rec = Pick(doc, random, kActive)) TransferToInactive(doc, rec, InMonth(working));
      break;
    case 5:
      if (int rec = Pick(doc, random, kActive)) MoveOut(doc, rec, InMonth(working));
      break;
    case 6:
      if (int rec = Pick(doc, random, kInactive)) Reactivate(doc, rec, InMonth(working));
      break;
    case 7:  // a report of the working month, or a late one of the month before
    case 8:
      if (int rec = Pick(doc, random, kActive)) {
        SlipForm slip(doc, rec);
        if (kind == 8) {
          slip.BeginChangeMonth();
          slip.ChooseMonth((working + 11) % 12);
          slip.EndChangeMonth();
        }
        slip.SetShared(true);
        slip.SetHoursText(std::to_string(1 + step % 40));
        slip.SetStudiesText(std::to_string(step % 4));
        slip.Save();
      }
      break;
    case 9: {  // a History correction of the month before, now and then a late report
      HistoryForm form(doc);
      const int people = static_cast<int>(form.PublisherEntries().size());
      if (people == 0) break;
      form.SetPublisher(std::uniform_int_distribution<int>(0, people - 1)(random));
      form.SetTicked(HistoryTick::kShared, true);
      form.SetTicked(HistoryTick::kLate, step % 2 == 0);
      if (form.Shown(HistoryBox::kHours)) form.SetText(HistoryBox::kHours, std::to_string(step));
      form.Close();
      break;
    }
    case 10: {  // attendance of the working month
      WeekValues weeks{};
      for (int& w : weeks) w = 40 + step;
      StoreWeeks(doc, step % 2, working, doc.SlotOfMonth(working), weeks);
      break;
    }
    case 11: {  // an XML import of a new publisher with a report of the working month
      const std::string path = JoinPath(doc.data_folder, "prop.xml");
      const std::string xml = XmlWithReport(doc, step);
      WriteFileAtomic(path, xml.data(), xml.size());
      XmlPublisherImport import(doc);
      if (import.Open(path)) import.Apply({0}, false);
      break;
    }
  }
}
constexpr int kCommandKinds = 12;

// A fresh demo folder held by its owner.
struct DemoFolder {
  DemoFolder() {
    std::string error;
    opened = demo::WriteDemoFolder(dir.path(), demo::DemoOptions{}, &error) &&
             testing::OpenOwner(owner, dir.path(), clock);
  }
  TempDir dir;
  ScriptedPrompter prompter;
  FixedClock clock{kToday};
  Congregation owner{&prompter};
  bool opened = false;
};

TEST(OpenMonthTotals, StayEqualToTheRecordsThroughAnySequenceOfChanges) {
  for (uint32_t seed : {1u, 2u, 3u}) {
    TempDir dir;
    demo::DemoOptions options;
    options.today = kToday;
    options.seed = seed;
    std::string error;
    ASSERT_TRUE(demo::WriteDemoFolder(dir.path(), options, &error)) << error;
    ScriptedPrompter prompter;
    FixedClock clock(kToday);
    Congregation owner(&prompter);
    ASSERT_TRUE(testing::OpenOwner(owner, dir.path(), clock));
    ASSERT_TRUE(WorkingMonthOpen(owner.doc()));
    std::mt19937 random(seed);
    for (int step = 0; step < 40; ++step) {
      const int kind = std::uniform_int_distribution<int>(0, kCommandKinds - 1)(random);
      EditScope edit = owner.Edit("property");
      RunCommand(edit.doc(), random, kind, step);
      edit.Commit();
      ASSERT_TRUE(owner.Save());
      ASSERT_EQ(StoredOnDisk(owner.doc()), ComputeWorkingTotals(owner.doc()))
          << "seed " << seed << ", step " << step << ", command " << kind;
    }
  }
}

// An edit that is not committed leaves the document as it was, derived state included.
TEST(OpenMonthTotals, AnEditDroppedWithoutCommitLeavesTheDocumentAsItWas) {
  DemoFolder f;
  ASSERT_TRUE(f.opened);
  Congregation& owner = f.owner;
  const CZarimDoc& doc = owner.doc();
  const int count = doc.count, active = doc.status_count[kActive];
  const WorkingTotals totals = ComputeWorkingTotals(doc);
  {
    EditScope edit = owner.Edit("dropped");
    std::mt19937 random(5);
    for (int kind = 0; kind < kCommandKinds; ++kind)
      if (kind != 0 && kind != 2 && kind != 3) RunCommand(edit.doc(), random, kind, kind);
  }
  EXPECT_EQ(doc.count, count);
  EXPECT_EQ(doc.status_count[kActive], active);
  EXPECT_EQ(ComputeWorkingTotals(doc), totals);
  EXPECT_FALSE(doc.modified);
  // Adding and deleting save at once; a dropped edit then goes back to what was saved.
  {
    EditScope edit = owner.Edit("saved");
    std::mt19937 random(6);
    RunCommand(edit.doc(), random, 2, 0);
    RunCommand(edit.doc(), random, 7, 1);
  }
  EXPECT_EQ(doc.count, count - 1);
  EXPECT_EQ(doc.status_count[kActive], active - 1);
  EXPECT_EQ(StoredOnDisk(doc), ComputeWorkingTotals(doc));
  EXPECT_FALSE(doc.modified);
  owner.Edit("look").Commit();  // a commit of no change marks nothing
  EXPECT_FALSE(doc.modified);
}

// The demo writes the folder's stored totals itself; a folder fresh from it should hold
// what the program computes from the same records.
TEST(OpenMonthTotals, AFreshDemoFolderHoldsTheTotalsOfItsRecords) {
  DemoFolder f;
  ASSERT_TRUE(f.opened);
  Congregation& owner = f.owner;
  EXPECT_EQ(StoredOnDisk(owner.doc()), ComputeWorkingTotals(owner.doc()));
  // The past months hold what the program stored when each was closed.
  for (const BranchCheckMonth& m : CheckBranchReports(owner.doc()))
    EXPECT_TRUE(m.differences.empty()) << m.month + 1 << "/" << m.year;
}

}  // namespace
}  // namespace zarim
