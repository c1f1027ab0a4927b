// Loading and saving the data folder: the files' sizes and rules, round trips, damaged
// and missing files, and saves that cannot be written.
#include "core/data_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <set>

#include "core/folder_lock.h"
#include "core/scramble.h"
#include "core/strings.h"
#include "demo_congregation.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::AddRecord;
using testing::MakePublisher;
using testing::ScriptedPrompter;
using testing::TempDir;

const Date kToday{2025, 3, 10};  // working month February 2025

class DataFilesTest : public ::testing::Test {
 protected:
  std::unique_ptr<CZarimDoc> Load() {
    auto doc = std::make_unique<CZarimDoc>(&prompter);
    doc->data_folder = dir.path();
    FixedClock clock(kToday);
    EXPECT_TRUE(LoadAll(*doc, clock));
    return doc;
  }
  std::unique_ptr<CZarimDoc> Empty() {
    auto doc = std::make_unique<CZarimDoc>(&prompter);
    testing::StartEmpty(*doc, kToday, dir.path());
    return doc;
  }
  // A saved one-publisher table, a folder in place of its temporary file (so the next
  // stage fails, also for root) and a change waiting to be saved; *before is the table
  // as it is on disk.
  void ChangeAfterBlockingTheTable(CZarimDoc& doc, Bytes* before) {
    AddRecord(doc, MakePublisher(20, "Ann", "Lee"));
    ASSERT_TRUE(SaveAll(doc));
    *before = dir.Read("tdat9.bin");
    ASSERT_EQ(::mkdir(dir.File(std::string("tdat9.bin") + std::string(kTempSuffix)).c_str(), 0700),
              0);
    SetField(doc.records[1].first_name, "Changed");
    doc.MarkModified();
  }
  TempDir dir;
  ScriptedPrompter prompter;
};

TEST_F(DataFilesTest, EmptyFolderSavesHeaderAndTotalsOnly) {
  auto doc = Load();
  EXPECT_EQ(doc->count, 1);
  ASSERT_TRUE(SaveAll(*doc));
  EXPECT_EQ(FileSize(dir.File("tdat9.bin")), 816u);
  EXPECT_EQ(FileSize(dir.File("tcard.dat")), 1728u);
  EXPECT_FALSE(FileExists(dir.File("bkstudy.dat")));
  EXPECT_FALSE(FileExists(dir.File("tlt15.dat")));
  EXPECT_EQ(FileSize(dir.File("zrxcfg.cfg")), 7u);
  EXPECT_EQ(FileSize(dir.File("meetin9.dat")), 2u * 672u);
  // The stored header record carries the scrambled marker.
  Bytes tdat = dir.Read("tdat9.bin");
  EXPECT_EQ(tdat[23], static_cast<uint8_t>('A' + kScrambleBase));
  EXPECT_EQ(tdat[24], 0);
  EXPECT_EQ(doc->modified, 0u);
}

TEST_F(DataFilesTest, ShortPublisherFileCountsAsMissing) {
  dir.Write("tdat9.bin", Bytes(400, 0x41));
  auto doc = Load();
  EXPECT_EQ(doc->count, 1);
  EXPECT_EQ(FieldText(doc->header().last_name), "A");
}

TEST_F(DataFilesTest, ShortFinalRecordIsIgnored) {
  auto doc = Empty();
  AddRecord(*doc, MakePublisher(10, "Ann", "Lee"));
  ASSERT_TRUE(SaveAll(*doc));
  Bytes tdat = dir.Read("tdat9.bin");
  tdat.resize(tdat.size() + 300, 0x55);
  dir.Write("tdat9.bin", tdat);
  auto again = Load();
  EXPECT_EQ(again->count, 2);
}

TEST_F(DataFilesTest, TextsComeBackIncludingTheByteCC) {
  auto doc = Empty();
  PubRecord p = MakePublisher(10, "\xCCsidro",
                              "\xCC"
                              "barra");
  SetField(p.address,
           "\xCC\xCC Calle Mayor 5, Espa\xF1"
           "a");
  SetField(p.home_phone, "(555) 123-4567");
  SetField(p.baptism_date, "03151999");
  AddRecord(*doc, p);
  PubRecord q = MakePublisher(11, "RPQ", "ZZZZR");  // capital letters that scramble to 0
  AddRecord(*doc, q);
  ASSERT_TRUE(SaveAll(*doc));
  auto again = Load();
  const PubRecord* r = again->FindById(10);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(FieldText(r->first_name), "\xCCsidro");
  EXPECT_EQ(FieldText(r->last_name),
            "\xCC"
            "barra");
  EXPECT_EQ(FieldText(r->address),
            "\xCC\xCC Calle Mayor 5, Espa\xF1"
            "a");
  EXPECT_EQ(FieldText(r->home_phone), "(555) 123-4567");
  EXPECT_EQ(FieldText(r->baptism_date), "03151999");
  EXPECT_EQ(FieldText(again->FindById(11)->first_name), "RPQ");
  EXPECT_EQ(FieldText(again->FindById(11)->last_name), "ZZZZR");
}

TEST_F(DataFilesTest, LessThanOneHourMarksLiveInTheirOwnFile) {
  auto doc = Empty();
  PubRecord& p = AddRecord(*doc, MakePublisher(10, "Ann", "Lee"));
  // June 2023 (old form): less than one hour. February 2025 (new form): shared.
  p.activity[kBibleStudies][5][1] = kSharedBit;
  p.activity[kBibleStudies][1][1] = static_cast<uint16_t>(kSharedBit | 2);
  ASSERT_TRUE(SaveAll(*doc));
  // Memory keeps the marks; the stored table does not hold the old-form bit.
  EXPECT_EQ(doc->records[1].activity[kBibleStudies][5][1], kSharedBit);
  ASSERT_EQ(FileSize(dir.File("tlt15.dat")), 32u);
  Bytes tdat = dir.Read("tdat9.bin");
  auto cell = [&](int m, int s) {
    return GetU16(tdat.data() + 816 + 240 + 72 * 4 + 6 * m + 2 * s);
  };
  EXPECT_EQ(cell(5, 1), 0);
  EXPECT_EQ(cell(1, 1), kSharedBit | 2);
  auto again = Load();
  EXPECT_EQ(again->records[1].activity[kBibleStudies][5][1], kSharedBit);
  EXPECT_EQ(again->records[1].activity[kBibleStudies][1][1], kSharedBit | 2);
}

TEST_F(DataFilesTest, NoMarksDeletesTheMarksFile) {
  dir.Write("tlt15.dat", Bytes(32, 0));
  auto doc = Empty();
  AddRecord(*doc, MakePublisher(10, "Ann", "Lee"));
  ASSERT_TRUE(SaveAll(*doc));
  EXPECT_FALSE(FileExists(dir.File("tlt15.dat")));
}

TEST_F(DataFilesTest, GroupsAreScrambledOnDiskAndDeletedWhenNone) {
  auto doc = Empty();
  AddRecord(*doc, MakePublisher(10, "Ann", "Lee"));
  doc->groups.count = 1;
  SetField(doc->groups.overseer[0], "John Smith");
  ASSERT_TRUE(SaveAll(*doc));
  Bytes g = dir.Read("bkstudy.dat");
  ASSERT_EQ(g.size(), 2141u);
  EXPECT_NE(std::memcmp(g.data() + 1, "John Smith", 10), 0);
  auto again = Load();
  EXPECT_EQ(FieldText(again->groups.overseer[0]), "John Smith");
  again->groups.count = 0;
  ASSERT_TRUE(SaveAll(*again));
  EXPECT_FALSE(FileExists(dir.File("bkstudy.dat")));
}

TEST_F(DataFilesTest, DuplicateRemarksAreCompactedAtStart) {
  auto doc = Empty();
  AddRecord(*doc, MakePublisher(10, "Ann", "Lee"));  // the first identifier handed out
  AddRecord(*doc, MakePublisher(20, "Bob", "Lee"));
  ASSERT_TRUE(SaveAll(*doc));
  auto remark = [](const char* text, int id) {
    RemarkEntry e{};
    SetField(e.text, text);
    e.month = 2;
    e.slot = 1;
    e.id = static_cast<uint16_t>(id);
    return e;
  };
  Bytes file(48, 0);
  for (const RemarkEntry& e : {remark("first", 20), remark("second", 20), remark("other", 99),
                               remark("old", 10), remark("new", 10)}) {
    const auto* p = reinterpret_cast<const uint8_t*>(&e);
    file.insert(file.end(), p, p + 48);
  }
  dir.Write("remark9.dat", file);
  auto again = Load();
  ASSERT_EQ(again->remark_count, 3);  // "other" belongs to nobody
  EXPECT_EQ(FieldText(again->remarks[1].text), "second");
  EXPECT_EQ(again->FindById(20)->remark[1][1], 1);
  EXPECT_EQ(FieldText(again->remarks[2].text), "new");
  EXPECT_EQ(again->FindById(10)->remark[1][1], 2);
  // Loading compacts in memory; the compacted file is written by the next save.
  EXPECT_EQ(dir.Read("remark9.dat"), file);
  EXPECT_EQ(dir.Read("rmkundo.dat"), file);
  again->MarkModified();
  ASSERT_TRUE(SaveAll(*again));
  EXPECT_EQ(dir.Read("remark9.dat").size(), 4u * 48u);  // header, second, other, new
}

TEST_F(DataFilesTest, WriteRemarkReplacesReusesOrAppends) {
  Bytes file;
  RemarkEntry a{};
  SetField(a.text, "one");
  a.month = 3;
  a.id = 20;
  WriteRemarkInto(file, a);
  EXPECT_EQ(file.size(), 96u);  // header record first
  SetField(a.text, "changed");
  WriteRemarkInto(file, a);
  EXPECT_EQ(file.size(), 96u);
  RemarkEntry b = a;
  b.id = 21;
  SetField(b.text, "   ");
  WriteRemarkInto(file, b);
  EXPECT_EQ(file.size(), 144u);
  RemarkEntry c = a;
  c.id = 22;
  SetField(c.text, "into the blank one");
  WriteRemarkInto(file, c);
  EXPECT_EQ(file.size(), 144u);
  EXPECT_EQ(GetU16(file.data() + 2 * 48 + 46), 22);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.data() + 48)), "changed");
}

TEST_F(DataFilesTest, NoAtCloseGivesBackTheRemarkFile) {
  auto doc = Empty();
  AddRecord(*doc, MakePublisher(20, "Ann", "Lee"));
  ASSERT_TRUE(SaveAll(*doc));
  Bytes original(96, 0);
  RemarkEntry e{};
  SetField(e.text, "kept");
  e.month = 1;
  e.id = 20;
  std::memcpy(original.data() + 48, &e, 48);
  dir.Write("remark9.dat", original);
  auto again = Load();
  SetField(e.text, "written during the run");
  ASSERT_TRUE(WriteRemark(*again, e));
  again->MarkModified();
  prompter.Script(Answer::kNo);
  EXPECT_TRUE(CloseDocument(*again));
  EXPECT_EQ(dir.Read("remark9.dat"), original);
  EXPECT_FALSE(FileExists(dir.File("rmkundo.dat")));
}

TEST_F(DataFilesTest, NoAtCloseKeepsTheRemarksOfTheLastSave) {
  auto doc = Empty();
  AddRecord(*doc, MakePublisher(20, "Ann", "Lee"));
  ASSERT_TRUE(SaveAll(*doc));
  dir.Write("remark9.dat", Bytes(96, 0));
  auto again = Load();
  RemarkEntry e{};
  e.month = 1;
  e.id = 20;
  SetField(e.text, "saved during the run");
  ASSERT_TRUE(WriteRemark(*again, e));
  again->MarkModified();
  ASSERT_TRUE(SaveAll(*again));
  const Bytes saved = dir.Read("remark9.dat");
  SetField(e.text, "typed after the save");
  ASSERT_TRUE(WriteRemark(*again, e));
  again->MarkModified();
  prompter.Script(Answer::kNo);
  EXPECT_TRUE(CloseDocument(*again));
  EXPECT_EQ(dir.Read("remark9.dat"), saved);
}

TEST_F(DataFilesTest, CancelAtCloseKeepsTheProgramOpen) {
  auto doc = Empty();
  doc->MarkModified();
  prompter.Script(Answer::kCancel);
  EXPECT_FALSE(CloseDocument(*doc));
  EXPECT_EQ(prompter.messages.back(), Str(Sid::kSaveChanges));
  EXPECT_EQ(prompter.buttons.back(), Buttons::kYesNoCancel);
}

TEST_F(DataFilesTest, UnusedEmergencyRecordsDisappearAtStart) {
  auto doc = Empty();
  PubRecord p = MakePublisher(20, "Ann", "Lee");
  p.emergency_key = 12;
  AddRecord(*doc, p);
  ASSERT_TRUE(SaveAll(*doc));
  Bytes file;
  for (int key : {11, 12, 12, 5}) {
    EmergencyRecord e{};
    e.key = static_cast<uint16_t>(key);
    SetField(e.name, "Contact");
    const auto* b = reinterpret_cast<const uint8_t*>(&e);
    file.insert(file.end(), b, b + sizeof e);
  }
  dir.Write("emerg.dat", file);
  auto again = Load();
  EXPECT_EQ(again->emergency_count, 1);
  EXPECT_EQ(again->emergency_index[0].key, 12);
  EXPECT_EQ(dir.Read("emerg.dat").size(), 256u);
}

// The special needs are indexed where their records stand: a repeated key and a key no
// publisher uses get 0, and a cut final record is no record.
TEST_F(DataFilesTest, SpecialNeedsIndexKeepsPositionsAndClearsStrayKeys) {
  auto doc = Empty();
  for (int id : {20, 21}) {
    PubRecord p = MakePublisher(id, "Ann", id == 20 ? "Lee" : "Low");
    p.special_needs_key = static_cast<uint16_t>(id - 8);
    AddRecord(*doc, p);
  }
  ASSERT_TRUE(SaveAll(*doc));
  Bytes file;
  for (int key : {12, 12, 99, 13}) {
    SpecialNeedsRecord n{};
    n.key = static_cast<uint16_t>(key);
    const auto* b = reinterpret_cast<const uint8_t*>(&n);
    file.insert(file.end(), b, b + sizeof n);
  }
  file.resize(file.size() + sizeof(SpecialNeedsRecord) / 2, 0x0d);
  dir.Write("spneed.dat", file);
  auto again = Load();
  std::vector<std::pair<int, int>> got;
  for (int i = 0; i < again->special_needs_count; ++i)
    got.push_back({again->special_needs_index[i].key, again->special_needs_index[i].rec});
  EXPECT_EQ(got, (std::vector<std::pair<int, int>>{{12, 0}, {0, 1}, {0, 2}, {13, 3}}));
}

TEST_F(DataFilesTest, ExtensionRecordsAreAddedFoundAndReused) {
  auto doc = Empty();
  AddRecord(*doc, MakePublisher(20, "Ann", "Lee"));
  doc->current_ext = ExtRecord{};
  doc->current_ext.key = 5;
  SetField(doc->current_ext.email, "ann@example.org");
  EXPECT_EQ(AddExt(*doc), 1);
  doc->current_ext.key = 6;
  SetField(doc->current_ext.long_name, "Annabel Lee");
  EXPECT_EQ(AddExt(*doc), 2);
  // The records reach the disk with the save, not before.
  EXPECT_FALSE(FileExists(dir.File("xten7.dat")));
  EXPECT_EQ(ReadAllExt(*doc).size(), 3u);
  ASSERT_TRUE(SaveAll(*doc));
  EXPECT_EQ(FileSize(dir.File("xten7.dat")), 3u * 192u);
  // The e-mail is scrambled on disk.
  Bytes x = dir.Read("xten7.dat");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(x.data()) + 192 + 67).find("ann@"),
            std::string::npos);
  auto again = Load();
  EXPECT_EQ(again->ext_count, 3);
  ASSERT_TRUE(ReadExt(*again, 1, 5));
  EXPECT_EQ(FieldText(again->current_ext.email), "ann@example.org");
  EXPECT_FALSE(ReadExt(*again, 1, 6));
  EXPECT_FALSE(ReadExt(*again, 3, 6));
  // Updating key 5 writes record 1 again.
  SetField(again->current_ext.email, "ann@example.com");
  again->current_ext.key = 5;
  EXPECT_EQ(AddExt(*again), 1);
  EXPECT_EQ(again->ext_index[1].flags & 2, 2);
}

TEST_F(DataFilesTest, ExtensionTextsOfAnotherBaseSurviveTheFirstSave) {
  {
    auto doc = Empty();
    AddRecord(*doc, MakePublisher(20, "Ann", "Lee"));
    ASSERT_TRUE(SaveAll(*doc));
  }
  // The same folder as another program writes it: base 7 in both scrambled files.
  Bytes t = dir.Read("tdat9.bin");
  for (size_t i = 0; (i + 1) * sizeof(PubRecord) <= t.size(); ++i) {
    PubRecord r;
    std::memcpy(&r, t.data() + i * sizeof r, sizeof r);
    ScrambleRecord(r, Direction::kUnscramble, kScrambleBase, i == 0);
    ScrambleRecord(r, Direction::kScramble, 7, i == 0);
    std::memcpy(t.data() + i * sizeof r, &r, sizeof r);
  }
  dir.Write("tdat9.bin", t);
  ExtRecord ext[2]{};
  ext[1].key = 5;
  SetField(ext[1].long_name, "Annabel Lee");
  ScrambleExt(ext[1], Direction::kScramble, 7);
  const auto* p = reinterpret_cast<const uint8_t*>(ext);
  dir.Write("xten7.dat", Bytes(p, p + sizeof ext));

  auto doc = Load();
  ASSERT_EQ(doc->scramble_base, 7);
  doc->current_ext = ExtRecord{};
  doc->current_ext.key = 6;
  SetField(doc->current_ext.email, "ann@example.org");
  ASSERT_EQ(AddExt(*doc), 2);  // written before the first save
  ASSERT_TRUE(SaveAll(*doc));
  auto again = Load();
  for (CZarimDoc* d : {doc.get(), again.get()}) {
    ASSERT_TRUE(ReadExt(*d, 1, 5));
    EXPECT_EQ(FieldText(d->current_ext.long_name), "Annabel Lee");
    ASSERT_TRUE(ReadExt(*d, 2, 6));
    EXPECT_EQ(FieldText(d->current_ext.email), "ann@example.org");
  }
}

TEST_F(DataFilesTest, MeetingFileCountsItsBlocks) {
  dir.Write("meetin9.dat", Bytes(672, 7));
  auto doc = Load();
  EXPECT_EQ(doc->attendance_blocks, 2);
  EXPECT_EQ(FieldText(doc->attendance[0].name), "Midweek Meeting");
  EXPECT_EQ(FieldText(doc->attendance[1].name), "Weekend Meeting");
  EXPECT_EQ(doc->attendance[0].week[0][0][0], 0x0707);
  EXPECT_EQ(doc->attendance[1].week[0][0][0], 0);
  dir.Write("meetin9.dat", Bytes{});
  EXPECT_EQ(Load()->attendance_blocks, 1);

  // Weekend figures typed into a folder whose meeting file was empty are saved.
  auto empty = Load();
  empty->attendance[1].week[2][0][0] = 85;
  ASSERT_TRUE(SaveAll(*empty));
  EXPECT_EQ(Load()->attendance[1].week[2][0][0], 85);
}

TEST_F(DataFilesTest, AppointmentsAreFilteredOnSave) {
  auto doc = Empty();
  AddRecord(*doc, MakePublisher(20, "Ann", "Lee"));
  auto appt = [](int id, int kind, const char* start) {
    AppointmentRecord a{};
    a.id = static_cast<uint16_t>(id);
    a.kind = static_cast<uint16_t>(kind);
    SetField(a.start_date, start);
    return a;
  };
  ASSERT_TRUE(StoreAppointment(*doc, appt(20, 2, "01012020")));
  ASSERT_TRUE(StoreAppointment(*doc, appt(20, 3, "0101")));      // no full date
  ASSERT_TRUE(StoreAppointment(*doc, appt(20, 20, "")));         // marker needs no date
  ASSERT_TRUE(StoreAppointment(*doc, appt(20, 2, "02022021")));  // overwrites
  EXPECT_EQ(doc->appointment_count, 3);
  ASSERT_TRUE(SaveAll(*doc));
  EXPECT_EQ(FileSize(dir.File("tappt.dat")), 64u);
  auto again = Load();
  EXPECT_EQ(again->appointment_count, 2);
  EXPECT_EQ(FieldText(again->appointments[0].start_date), "02022021");
}

TEST_F(DataFilesTest, LateReportsAndResumeIdSurviveARestart) {
  auto doc = Empty();
  AddRecord(*doc, MakePublisher(20, "Ann", "Lee"));
  doc->records[1].activity[kHours][0][1] = 4;
  doc->late[0] = LateReportEntry{20, 0, static_cast<uint8_t>(doc->working_month + 1)};
  doc->late_count = 1;
  doc->resume_id = 20;
  ASSERT_TRUE(SaveAll(*doc));
  auto again = Load();
  EXPECT_EQ(again->late_count, 1);
  EXPECT_EQ(again->resume_id, 20);
  // The next month neither comes back.
  auto later = std::make_unique<CZarimDoc>(&prompter);
  later->data_folder = dir.path();
  FixedClock next(Date{2025, 4, 10});
  ASSERT_TRUE(LoadAll(*later, next));
  EXPECT_EQ(later->late_count, 0);
  EXPECT_EQ(later->resume_id, 0);
}

TEST_F(DataFilesTest, ReadOnlyFolderReportsAndKeepsTheOldFiles) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  auto doc = Empty();
  AddRecord(*doc, MakePublisher(20, "Ann", "Lee"));
  ASSERT_TRUE(SaveAll(*doc));
  Bytes before = dir.Read("tdat9.bin");
  ::chmod(dir.path().c_str(), 0500);
  SetField(doc->records[1].first_name, "Changed");
  doc->MarkModified();
  EXPECT_FALSE(SaveAll(*doc));
  ::chmod(dir.path().c_str(), 0700);
  EXPECT_EQ(dir.Read("tdat9.bin"), before);
  EXPECT_EQ(doc->modified, 1u);
  ASSERT_FALSE(prompter.messages.empty());
  EXPECT_NE(prompter.messages[0].find(std::strerror(EACCES)), std::string::npos)
      << prompter.messages[0];
}

TEST_F(DataFilesTest, FailedStageLeavesModifiedAndOldFile) {
  // A folder in place of the temporary file makes the first stage fail, also for root.
  auto doc = Empty();
  Bytes before;
  ASSERT_NO_FATAL_FAILURE(ChangeAfterBlockingTheTable(*doc, &before));
  EXPECT_FALSE(SaveAll(*doc));
  EXPECT_EQ(dir.Read("tdat9.bin"), before);
  EXPECT_EQ(doc->modified, 1u);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0],
            Fill(Sid::kSaveFailed, dir.File("tdat9.bin"), std::strerror(EISDIR)));
}

TEST_F(DataFilesTest, FailedSaveAtCloseOffersToKeepWorkingOrToCloseWithoutSaving) {
  auto doc = Empty();
  Bytes before;
  ASSERT_NO_FATAL_FAILURE(ChangeAfterBlockingTheTable(*doc, &before));
  const std::string why = Fill(Sid::kCloseAfterFailedSave, dir.path());
  prompter.Script(Answer::kYes);  // save; the next question keeps its default, No
  EXPECT_FALSE(CloseDocument(*doc));
  EXPECT_EQ(prompter.messages.back(), why);
  EXPECT_EQ(prompter.buttons.back(), Buttons::kYesNo);
  EXPECT_TRUE(doc->modified);
  prompter.Script(Answer::kYes);
  prompter.Script(Answer::kOk);   // the message naming the file that failed
  prompter.Script(Answer::kYes);  // close without saving
  EXPECT_TRUE(CloseDocument(*doc));
  EXPECT_EQ(prompter.messages.back(), why);
  EXPECT_EQ(dir.Read("tdat9.bin"), before);
}

TEST_F(DataFilesTest, InterruptedSaveIsCompletedFromItsJournal) {
  auto doc = Empty();
  AddRecord(*doc, MakePublisher(20, "Ann", "Lee"));
  ASSERT_TRUE(SaveAll(*doc));
  // A staged file and a whole journal: the save had committed.
  dir.Write(std::string("zrxcfg.cfg") + std::string(kTempSuffix), Bytes{1, 0, 0, 0, 0, 0, 0});
  dir.Write(std::string(kJournalName), "R zrxcfg.cfg\nD tlt15.dat\nEND\n");
  dir.Write("tlt15.dat", Bytes(32, 0));
  // The next start completes it, under the folder's lock.
  auto recover = [&] {
    auto lock = FolderLock::Take(dir.path(), FolderLock::Mode::kExclusive, "test", nullptr);
    ASSERT_TRUE(lock);
    EXPECT_TRUE(SaveTransaction::Recover(*lock));
  };
  recover();
  auto again = Load();
  EXPECT_EQ(again->format.last_name_first, 1);
  EXPECT_FALSE(FileExists(dir.File("tlt15.dat")));
  EXPECT_FALSE(FileExists(dir.File(std::string(kJournalName))));
  // A journal without its end line belongs to a save that never committed.
  dir.Write(std::string("zrxcfg.cfg") + std::string(kTempSuffix), Bytes(7, 0));
  dir.Write(std::string(kJournalName), "R zrxcfg.cfg\n");
  recover();
  auto third = Load();
  EXPECT_EQ(third->format.last_name_first, 1);
  EXPECT_FALSE(FileExists(dir.File(std::string("zrxcfg.cfg") + std::string(kTempSuffix))));
}

TEST_F(DataFilesTest, NamesWrittenWithOtherCaseAreFound) {
  auto doc = Empty();
  AddRecord(*doc, MakePublisher(20, "Ann", "Lee"));
  ASSERT_TRUE(SaveAll(*doc));
  ASSERT_EQ(::rename(dir.File("tdat9.bin").c_str(), dir.File("TDAT9.BIN").c_str()), 0);
  EXPECT_EQ(Load()->count, 2);
}

TEST_F(DataFilesTest, DemoCongregationNamesEveryoneOnceAndHasMonthSnapshots) {
  demo::DemoOptions options;
  options.today = kToday;
  std::string error;
  ASSERT_TRUE(demo::WriteDemoFolder(dir.path(), options, &error)) << error;
  auto doc = Load();
  std::set<std::string> names;
  for (int r = 1; r < doc->count; ++r) {
    std::string key =
        FieldText(doc->records[r].first_name) + "\t" + FieldText(doc->records[r].last_name);
    for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_TRUE(names.insert(key).second) << "two people named " << key;
  }
  // The six months before the working month each have their snapshot.
  for (int k = 1; k <= 6; ++k) {
    const int n = ((doc->working_month - k) % 12 + 12) % 12 + 1;
    EXPECT_GT(FileSize(dir.File("Roll/Zr9_" + std::to_string(n) + "/tdat9.bin")), 500u) << n;
  }
}

TEST_F(DataFilesTest, DemoFolderRoundTripChangesNoByte) {
  demo::DemoOptions options;
  options.today = kToday;
  std::string error;
  ASSERT_TRUE(demo::WriteDemoFolder(dir.path(), options, &error)) << error;
  auto first = Load();
  ASSERT_TRUE(SaveAll(*first));
  ASSERT_TRUE(CloseDocument(*first));
  auto before = testing::FolderContents(dir.path());
  auto second = Load();
  ASSERT_TRUE(SaveAll(*second));
  ASSERT_TRUE(CloseDocument(*second));
  EXPECT_EQ(testing::FolderContents(dir.path()), before);
  // And the texts are those the generator made.
  CZarimDoc built;
  built.data_folder = dir.path();
  demo::BuildDemo(built, options);
  for (int r = 1; r < built.count; ++r) {
    const PubRecord* loaded = second->FindById(built.records[r].id);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(FieldText(loaded->first_name), FieldText(built.records[r].first_name));
    EXPECT_EQ(FieldText(loaded->last_name), FieldText(built.records[r].last_name));
    EXPECT_EQ(FieldText(loaded->address), FieldText(built.records[r].address));
    EXPECT_EQ(FieldText(loaded->mobile_phone), FieldText(built.records[r].mobile_phone));
  }
}

}  // namespace
}  // namespace zarim
