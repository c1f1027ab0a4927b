// Property: whatever sequence of changing commands a demo congregation goes through, each
// made in one edit of the owner and saved, the totals of the open month that the folder
// stores equal the totals recomputed from its records.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "core/file_io.h"
#include "core/file_names.h"
#include "cycle/branch_totals.h"
#include "cycle/collection_state.h"
#include "cycle/congregation.h"
#include "cycle/slip_form.h"
#include "cycle/status_moves.h"
#include "demo_congregation.h"
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
  }
}

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
      const int kind = std::uniform_int_distribution<int>(0, 8)(random);
      EditScope edit = owner.Edit();
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
    EditScope edit = owner.Edit();
    std::mt19937 random(5);
    for (int kind = 0; kind <= 8; ++kind) RunCommand(edit.doc(), random, kind, kind);
  }
  EXPECT_EQ(doc.count, count);
  EXPECT_EQ(doc.status_count[kActive], active);
  EXPECT_EQ(ComputeWorkingTotals(doc), totals);
  EXPECT_FALSE(doc.modified);
}

// The demo writes the folder's stored totals itself; a folder fresh from it should hold
// what the program computes from the same records.
TEST(OpenMonthTotals, AFreshDemoFolderHoldsTheTotalsOfItsRecords) {
  DemoFolder f;
  ASSERT_TRUE(f.opened);
  Congregation& owner = f.owner;
  EXPECT_EQ(StoredOnDisk(owner.doc()), ComputeWorkingTotals(owner.doc()));
}

}  // namespace
}  // namespace zarim
