// The owner of an open data folder: opening, saving and closing keep the derived state
// current by themselves; one writer per folder; nothing is written before the password
// or by a reader; every failure point of a save leaves the folder old or new.
#include "cycle/congregation.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "core/data_files.h"
#include "core/file_io.h"
#include "core/file_names.h"
#include "core/file_ops.h"
#include "core/month.h"
#include "core/password.h"
#include "core/password_form.h"
#include "core/strings.h"
#include "cycle/attendance.h"
#include "cycle/branch_totals.h"
#include "cycle/collection.h"
#include "cycle/collection_state.h"
#include "cycle/history_form.h"
#include "cycle/month_init.h"
#include "cycle/slip_form.h"
#include "cycle/slip_queries.h"
#include "demo_congregation.h"
#include "records/custom_category_form.h"
#include "records/groups.h"
#include "records/households.h"
#include "reports/format_options_form.h"
#include "reports/record_card.h"
#include "reports/record_card_form.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::FolderContents;
using testing::ScriptedPrompter;
using testing::TempDir;
using Contents = std::vector<std::pair<std::string, Bytes>>;

const Date kToday{2025, 3, 10};

class Typing : public PasswordRunner {
 public:
  explicit Typing(std::string text = {}) : text_(std::move(text)) {}
  void Run(PasswordForm& form) override {
    ++shown;
    form.TextChanged(text_);
    if (!form.finished()) form.Cancel();
  }
  void Run(PasswordChangeForm& form) override { form.Cancel(); }
  int shown = 0;

 private:
  std::string text_;
};

// The data files of a folder: the lock file and the run's undo copy are not data.
Contents DataFiles(const std::string& folder) {
  Contents out;
  for (auto& f : FolderContents(folder))
    if (f.first != kLockFileName && f.first != "rmkundo.dat") out.push_back(std::move(f));
  return out;
}

void WriteDemo(const TempDir& dir) {
  demo::DemoOptions options;
  options.today = kToday;
  std::string error;
  ASSERT_TRUE(demo::WriteDemoFolder(dir.path(), options, &error)) << error;
}

OpenOptions Options(const TempDir& dir, bool read_only = false) {
  OpenOptions o;
  o.data_folder = dir.path();
  o.read_only = read_only;
  o.program = "test";
  return o;
}

// A record of an active publisher without a report in the working month.
int Unreported(const CZarimDoc& doc) {
  const int slot = doc.SlotOfMonth(doc.working_month);
  for (int r = 1; r < doc.count; ++r)
    if (doc.records[r].status == kActive &&
        !ReportedInMonth(doc.records[r], doc.working_month, slot))
      return r;
  return 0;
}

TEST(Congregation, ASlipPostedThroughTheFormReachesTheStoredTotalsWithNoSetUp) {
  TempDir dir;
  WriteDemo(dir);
  FixedClock clock(kToday);
  ScriptedPrompter prompter;
  Typing passwords;
  int month = 0, slot = 0, before = 0;
  {
    Congregation owner(&prompter);
    ASSERT_EQ(owner.Open(Options(dir), clock, passwords), Congregation::Opened::kOk);
    CZarimDoc& doc = owner.doc();
    if (!WorkingMonthOpen(doc))
      SetCollectionStateOf(doc, doc.working_month, MonthCollection::kOpen);
    month = doc.working_month;
    slot = doc.SlotOfMonth(month);
    before = StoredTotals(doc, month, slot).row[0][kTotalsReportsField];
    int rec = Unreported(doc);
    ASSERT_GT(rec, 0);
    SlipForm form(doc, rec);
    form.SetShared(true);
    form.SetStudiesText("2");
    ASSERT_EQ(form.Save(), SlipForm::SaveResult::kSaved);
    ASSERT_TRUE(owner.Save());
    ASSERT_TRUE(owner.Close());
  }
  // Read back as plain files, with nothing recomputed.
  CZarimDoc again;
  again.data_folder = dir.path();
  ASSERT_TRUE(LoadAll(again, clock));
  EXPECT_EQ(StoredTotals(again, month, slot).row[0][kTotalsReportsField], before + 1);
}

// Changes that leave the modified flag to the commit (the moves and the forms): made twice in one
// edit each, the first marks the document and the second (nothing left to change) does not.
TEST(Congregation, TheCommitMarksOnlyAnEditThatChangedTheDocument) {
  const std::vector<std::pair<const char*, void (*)(CZarimDoc&)>> changes = {
      {"attendance",
       [](CZarimDoc& doc) {
         const int s = SlotOfYear(doc.working_year);
         WeekValues weeks = StoredWeeks(doc, kWeekendMeeting, doc.working_month, s);
         weeks[1] = 321;
         StoreWeeks(doc, kWeekendMeeting, doc.working_month, s, weeks);
       }},
      {"close the collection", [](CZarimDoc& doc) { CloseCollection(doc); }},
      {"custom category",
       [](CZarimDoc& doc) {
         CustomCategoryForm form(doc);
         form.name = "Helpers";
         form.enabled = true;
         ASSERT_TRUE(form.Ok({}));
       }},
      {"group details",
       [](CZarimDoc& doc) {
         GroupDetailForm form(doc, 1);
         form.location = "Hall B";
         ASSERT_TRUE(form.Ok());
       }},
      {"household",
       [](CZarimDoc& doc) {
         int head = 1, member = doc.count - 1;
         while (!(doc.records[head].flags & kFamilyHead)) ++head;
         while (doc.records[member].status != kActive || (doc.records[member].flags & kFamilyHead))
           --member;
         ASSERT_TRUE(LinkToHeadId(doc, doc.records[head].id, member));
       }},
      {"password", [](CZarimDoc& doc) { SetPassword(doc, "secret"); }},
      {"formatting options",
       [](CZarimDoc& d) {
         FormatOptionsForm f(d);
         f.SetTopMargin(99);
         f.Accept(d);
       }},
      {"card preferences",
       [](CZarimDoc& d) {
         CardPreferencesForm f(d, 0);
         f.SetHide(kCardHideAveragePrevious, true);
         f.Accept(d);
       }},
      {"history",
       [](CZarimDoc& d) {
         HistoryForm f(d);
         f.SetText(HistoryBox::kPlacements, "7");
         f.Close();
       }},
      {"history totals",
       [](CZarimDoc& d) {
         HistoryForm f(d);
         f.SetTotals(true);
         f.SetText(HistoryBox::kPlacements, "7");
         f.Close();
       }},
      {"month initialization",
       [](CZarimDoc& d) {
         InitializeMonth(d, d.working_month, SlotOfYear(d.working_year), {.take_snapshot = false});
       }},
  };
  for (const auto& [name, change] : changes) {
    TempDir dir;
    WriteDemo(dir);
    FixedClock clock(kToday);
    Congregation owner(nullptr);
    ASSERT_TRUE(testing::OpenOwner(owner, dir.path(), clock)) << name;
    for (int round = 0; round < 2; ++round) {
      owner.doc().modified = 0;
      EditScope edit = owner.Edit();
      change(edit.doc());
      edit.Commit();
      EXPECT_EQ(owner.doc().modified != 0, round == 0) << name << ", round " << round;
    }
  }
}

// A repair that loading made exists only in memory: it is said, and the close asks about it.
TEST(Congregation, RepeatedIdentifiersAreRepairedSaidAndLeftForTheSave) {
  TempDir dir;
  WriteDemo(dir);
  Bytes table = dir.Read(kFilePublishers);
  const size_t id = offsetof(PubRecord, id);
  std::copy_n(&table[sizeof(PubRecord) + id], 2, &table[2 * sizeof(PubRecord) + id]);
  dir.Write(kFilePublishers, table);
  FixedClock clock(kToday);
  Congregation owner(nullptr);
  ASSERT_TRUE(testing::OpenOwner(owner, dir.path(), clock));
  EXPECT_TRUE(owner.doc().modified);
  EXPECT_NE(owner.repairs().find(Str(Sid::kRepairIdentifiers)), std::string::npos);
}

TEST(Congregation, OneWriterPerFolderAndTheSecondIsToldWhoHoldsIt) {
  TempDir dir;
  WriteDemo(dir);
  FixedClock clock(kToday);
  ScriptedPrompter prompter;
  Typing passwords;
  Congregation writer(&prompter);
  ASSERT_EQ(writer.Open(Options(dir), clock, passwords), Congregation::Opened::kOk);

  Congregation second(&prompter), reader(&prompter);
  EXPECT_EQ(second.Open(Options(dir), clock, passwords), Congregation::Opened::kInUse);
  EXPECT_NE(second.failure().find("test, process " + std::to_string(::getpid())), std::string::npos)
      << second.failure();
  EXPECT_EQ(reader.Open(Options(dir, true), clock, passwords), Congregation::Opened::kInUse);
  ASSERT_TRUE(writer.Close());

  // Readers share the folder; a writer waits for them.
  Congregation reader2(&prompter), writer2(&prompter);
  ASSERT_EQ(reader.Open(Options(dir, true), clock, passwords), Congregation::Opened::kOk);
  EXPECT_EQ(reader2.Open(Options(dir, true), clock, passwords), Congregation::Opened::kOk);
  EXPECT_EQ(writer2.Open(Options(dir), clock, passwords), Congregation::Opened::kInUse);
}

// A folder where loading would tidy things: a planted interrupted save, a remark file
// with a replaced entry, emergency records nobody uses, an early start of a past month.
void MakeUntidy(const TempDir& dir, const Clock& clock) {
  Congregation seed(nullptr);
  ASSERT_TRUE(testing::OpenOwner(seed, dir.path(), clock));
  {
    EditScope edit = seed.Edit();
    SetPassword(edit.doc(), "secret");
    edit.Commit();
  }
  ASSERT_TRUE(seed.Save() && seed.Close());
  Bytes remarks = dir.Read("remark9.dat");
  if (remarks.size() >= 2 * sizeof(RemarkEntry)) {
    remarks.insert(remarks.end(), remarks.begin() + sizeof(RemarkEntry),
                   remarks.begin() + 2 * sizeof(RemarkEntry));
    remarks.insert(remarks.end(), remarks.begin() + sizeof(RemarkEntry),
                   remarks.begin() + 2 * sizeof(RemarkEntry));
    dir.Write("remark9.dat", remarks);
  }
  Bytes emergency = dir.Read("emerg.dat");
  emergency.resize(emergency.size() + sizeof(EmergencyRecord), 0x7F);
  dir.Write("emerg.dat", emergency);
  Bytes ini = dir.Read("zarim.ini");
  std::string text(ini.begin(), ini.end());
  text += "[Early]\r\nYear=24\r\nMonth=5\r\n";
  dir.Write("zarim.ini", text);
  dir.Write("tcard.dat.zsave-tmp", "NEW");
  dir.Write("zsave.journal", "R tcard.dat\nEND\n");
}

TEST(Congregation, NothingIsWrittenBeforeThePasswordNorByAReader) {
  TempDir dir;
  WriteDemo(dir);
  FixedClock clock(kToday);
  MakeUntidy(dir, clock);
  const Contents before = DataFiles(dir.path());
  ScriptedPrompter prompter;

  Typing wrong("nope");
  Congregation refused(&prompter);
  EXPECT_EQ(refused.Open(Options(dir), clock, wrong), Congregation::Opened::kPasswordRefused);
  EXPECT_EQ(wrong.shown, 1);
  EXPECT_EQ(DataFiles(dir.path()), before) << "a writer without the password changed the folder";

  Typing right("secret");
  {
    Congregation reader(&prompter);
    // The reader may complete the interrupted save (that is the saved state), nothing else.
    std::remove(dir.File("zsave.journal").c_str());
    std::remove(dir.File("tcard.dat.zsave-tmp").c_str());
    const Contents clean = DataFiles(dir.path());
    ASSERT_EQ(reader.Open(Options(dir, true), clock, right), Congregation::Opened::kOk);
    reader.Discard();
    EXPECT_EQ(DataFiles(dir.path()), clean) << "a reader changed the folder";
  }

  // The writer with the password completes the planted save.
  dir.Write("tcard.dat.zsave-tmp", "NEW");
  dir.Write("zsave.journal", "R tcard.dat\nEND\n");
  Congregation writer(&prompter);
  ASSERT_EQ(writer.Open(Options(dir), clock, right), Congregation::Opened::kOk);
  Bytes tcard = dir.Read("tcard.dat");
  EXPECT_EQ(std::string(tcard.begin(), tcard.end()), "NEW");
  EXPECT_FALSE(FileExists(dir.File("zsave.journal")));
}

// A folder that lost its publisher table (deleted, or a link put in its place) is not
// opened as an empty congregation that a save would write over the data.
TEST(Congregation, AFolderWithDataButNoPublisherTableIsNotOpened) {
  // The link's name: none (the table deleted), the table's, the table's in capitals.
  for (std::string link : {"", "tdat9.bin", "TDAT9.BIN"}) {
    const bool as_link = !link.empty();
    TempDir dir;
    WriteDemo(dir);
    TempDir elsewhere;
    if (as_link) {
      ASSERT_EQ(::rename(dir.File("tdat9.bin").c_str(), elsewhere.File("tdat9.bin").c_str()), 0);
      ASSERT_EQ(::symlink(elsewhere.File("tdat9.bin").c_str(), dir.File(link).c_str()), 0);
    } else {
      ASSERT_TRUE(RemoveFile(dir.File("tdat9.bin")));
    }
    Contents before = DataFiles(dir.path());
    ScriptedPrompter prompter;
    Typing passwords;
    FixedClock clock(kToday);
    Congregation owner(&prompter);
    EXPECT_EQ(owner.Open(Options(dir), clock, passwords), Congregation::Opened::kNotRecovered)
        << as_link;
    EXPECT_NE(owner.failure().find(as_link ? link : "tdat9.bin"), std::string::npos)
        << owner.failure();
    EXPECT_EQ(DataFiles(dir.path()), before) << as_link;
  }
}

TEST(Congregation, AFolderOpensOnlyUnderALanguageOfTheCodePageItsNamesAreIn) {
  TempDir dir;
  WriteDemo(dir);
  FixedClock clock(kToday);
  ScriptedPrompter prompter;
  Typing passwords;
  auto ini_text = [&] {
    const Bytes b = dir.Read("zarim.ini");
    return std::string(b.begin(), b.end());
  };
  auto open = [&](const char* lang) {
    Congregation owner(&prompter);
    OpenOptions o = Options(dir);
    o.language_code = lang;
    Congregation::Opened got = owner.Open(o, clock, passwords);
    if (got == Congregation::Opened::kOk) {
      EXPECT_TRUE(owner.Save()) << lang;
    }
    if (got == Congregation::Opened::kOtherCodePage) {
      EXPECT_NE(owner.failure().find("windows-125"), std::string::npos) << owner.failure();
    }
    return got;
  };
  // A folder without the key was kept in windows-1252 and stays without it.
  EXPECT_EQ(open("rus"), Congregation::Opened::kOtherCodePage);
  EXPECT_EQ(open("french"), Congregation::Opened::kOk);
  EXPECT_EQ(ini_text().find("CodePage"), std::string::npos);

  const std::string ini = ini_text() + "[Language]\r\nCodePage=windows-1250\r\n";
  ASSERT_TRUE(WriteFilePlain(dir.File("zarim.ini"), Bytes(ini.begin(), ini.end())));
  EXPECT_EQ(open("eng"), Congregation::Opened::kOtherCodePage);
  EXPECT_EQ(open("polish"), Congregation::Opened::kOk);
  EXPECT_NE(ini_text().find("CodePage=windows-1250"), std::string::npos);

  // A folder without names takes the code page of the language it is used in.
  TempDir empty;
  Congregation owner(&prompter);
  OpenOptions o = Options(empty);
  o.language_code = "rus";
  ASSERT_EQ(owner.Open(o, clock, passwords), Congregation::Opened::kOk);
}

TEST(Congregation, AFailedSaveTellsTheFileAndTheReasonAndKeepsTheChanges) {
  TempDir dir;
  WriteDemo(dir);
  FixedClock clock(kToday);
  ScriptedPrompter prompter;
  Typing passwords;
  Congregation owner(&prompter);
  ASSERT_EQ(owner.Open(Options(dir), clock, passwords), Congregation::Opened::kOk);
  const Contents before = DataFiles(dir.path());
  owner.doc().attendance[0].week[0][0][0] = 777;
  SetField(owner.doc().records[1].first_name, "Changed");
  owner.doc().MarkModified();

  FaultPlan full;
  full.free_bytes = 1000;  // the first file staged does not fit
  SetFaultPlan(&full);
  EXPECT_FALSE(owner.Save());
  SetFaultPlan(nullptr);
  EXPECT_TRUE(owner.doc().modified);
  ASSERT_FALSE(prompter.messages.empty());
  EXPECT_NE(prompter.messages.back().find("No space left on device"), std::string::npos)
      << prompter.messages.back();
  EXPECT_NE(prompter.messages.back().find(dir.path() + "/"), std::string::npos)
      << prompter.messages.back();
  EXPECT_EQ(DataFiles(dir.path()), before);

  // A damaged header marker is named, not passed over in silence.
  owner.doc().header().last_name[0] = 'Q';
  prompter.messages.clear();
  EXPECT_FALSE(owner.Save());
  ASSERT_FALSE(prompter.messages.empty());
  EXPECT_NE(prompter.messages.back().find(Str(Sid::kDamagedMarker)), std::string::npos);
  EXPECT_EQ(DataFiles(dir.path()), before);
}

// Every file-changing call of a save fails once in turn; the next open finds exactly the
// old or the new folder.
TEST(Congregation, EveryFailurePointOfASaveLeavesTheNextOpenOldOrNew) {
  TempDir dir;
  WriteDemo(dir);
  FixedClock clock(kToday);
  ScriptedPrompter prompter;
  Typing passwords;
  const Contents old_files = DataFiles(dir.path());
  auto change = [](CZarimDoc& doc) {
    for (int r = 1; r < doc.count; ++r) SetField(doc.records[r].first_name, "Changed");
    doc.attendance[0].week[0][0][0] = 999;
    doc.format.last_name_first = doc.format.last_name_first ? 0 : 1;
    doc.MarkModified();
  };
  long steps = 0;
  Contents new_files;
  {
    TempDir copy;
    for (const auto& [name, bytes] : old_files) copy.Write(name, bytes);
    Congregation owner(&prompter);
    ASSERT_EQ(owner.Open(Options(copy), clock, passwords), Congregation::Opened::kOk);
    change(owner.doc());
    FaultPlan count;
    SetFaultPlan(&count);
    ASSERT_TRUE(owner.Save());
    SetFaultPlan(nullptr);
    steps = count.steps;
    new_files = DataFiles(copy.path());
  }
  ASSERT_GT(steps, 10);
  int old_seen = 0, new_seen = 0, mixed = 0;
  for (long n = 0; n < steps; ++n) {
    TempDir copy;
    for (const auto& [name, bytes] : old_files) copy.Write(name, bytes);
    bool saved = false;
    {
      Congregation owner(&prompter);
      ASSERT_EQ(owner.Open(Options(copy), clock, passwords), Congregation::Opened::kOk);
      change(owner.doc());
      FaultPlan plan;
      plan.fail_at = n;
      SetFaultPlan(&plan);
      saved = owner.Save();
      SetFaultPlan(nullptr);
      EXPECT_EQ(plan.failures, 1) << n;
      EXPECT_EQ(saved, !owner.doc().modified) << n;
      owner.Discard();
    }
    {
      Congregation next(&prompter);
      ASSERT_EQ(next.Open(Options(copy), clock, passwords), Congregation::Opened::kOk) << n;
      next.Discard();
    }
    Contents now = DataFiles(copy.path());
    bool is_old = now == old_files, is_new = now == new_files;
    old_seen += is_old;
    new_seen += is_new;
    mixed += !is_old && !is_new;
    if (saved) {
      EXPECT_TRUE(is_new) << "a save reported done at step " << n << " is not on disk";
    }
    EXPECT_TRUE(is_old || is_new) << "failure at step " << n << " left a mixed folder";
  }
  EXPECT_EQ(mixed, 0);
  EXPECT_GT(old_seen, 0);
  std::printf("save failure sweep: %ld points, %d old, %d new, %d mixed\n", steps, old_seen,
              new_seen, mixed);
}

TEST(Congregation, AnUndoCopyThatIsNotWholeIsNeverPutBack) {
  TempDir dir;
  WriteDemo(dir);
  FixedClock clock(kToday);
  ScriptedPrompter prompter;
  Typing passwords;
  const Bytes remarks = dir.Read("remark9.dat");
  ASSERT_GT(remarks.size(), sizeof(RemarkEntry));
  {
    Congregation owner(&prompter);
    ASSERT_EQ(owner.Open(Options(dir), clock, passwords), Congregation::Opened::kOk);
    dir.Write("rmkundo.dat", Bytes{});  // as a full disk would leave it
    dir.Write("remark9.dat", Bytes(remarks.begin(), remarks.end() - 1));  // a later change
    owner.doc().MarkModified();
    owner.Discard();
  }
  EXPECT_EQ(dir.Read("remark9.dat").size(), remarks.size() - 1);

  // No room for the undo copy at the start: the user is told and nothing is put back.
  dir.Write("remark9.dat", remarks);
  FaultPlan full;
  full.free_bytes = 0;
  SetFaultPlan(&full);
  Congregation owner(&prompter);
  prompter.messages.clear();
  Congregation::Opened opened = owner.Open(Options(dir), clock, passwords);
  SetFaultPlan(nullptr);
  ASSERT_EQ(opened, Congregation::Opened::kOk);
  ASSERT_FALSE(prompter.messages.empty());
  EXPECT_NE(prompter.messages.front().find("rmkundo.dat"), std::string::npos)
      << prompter.messages.front();
  EXPECT_FALSE(RestoreRemarksFromUndo(owner.doc()));
  EXPECT_EQ(dir.Read("remark9.dat"), remarks);
}

TEST(Congregation, ACountsLoadCountsAsTheWholeNeverSavesAndNeverServesAWriter) {
  TempDir dir;
  WriteDemo(dir);
  FixedClock clock(kToday);
  Typing passwords;
  OpenOptions o = Options(dir, true);
  o.load_depth = LoadDepth::kCounts;
  auto tally = [](const CZarimDoc& d) {
    return std::tuple(d.count, d.remark_count, d.ext_count, d.emergency_count,
                      d.special_needs_count);
  };
  {
    Congregation whole(nullptr), counts(nullptr);
    ASSERT_EQ(whole.Open(Options(dir, true), clock, passwords), Congregation::Opened::kOk);
    ASSERT_EQ(counts.Open(o, clock, passwords), Congregation::Opened::kOk);
    EXPECT_EQ(tally(counts.doc()), tally(whole.doc()));
    EXPECT_DEBUG_DEATH(EXPECT_FALSE(SaveAll(counts.doc(), false)), "");
  }
  Congregation writer(nullptr);
  o.read_only = false;
  ASSERT_EQ(writer.Open(o, clock, passwords), Congregation::Opened::kOk);
  EXPECT_EQ(writer.doc().load_depth, LoadDepth::kWhole);
}

}  // namespace
}  // namespace zarim
