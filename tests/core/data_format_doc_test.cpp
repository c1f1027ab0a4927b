// docs/data-format.md describes the data folder for other tools: every record layout,
// file size, capacity and scrambling constant it gives must be the code's.
#include <gtest/gtest.h>

#include <cstddef>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/catalog.h"
#include "core/document.h"
#include "core/file_copier.h"
#include "core/older_files.h"
#include "core/scramble.h"
#include "exchange/collection_file.h"
#include "exchange/csv_import.h"

namespace zarim {
namespace {

std::string Document() {
  std::ifstream in(std::string(ZARIM_SOURCE_DIR) + "/docs/data-format.md");
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The text of a section: from its heading to the next heading of any level.
std::string Section(const std::string& doc, const std::string& heading) {
  size_t start = doc.find("\n" + heading);
  if (start == std::string::npos) return {};
  size_t end = doc.find("\n#", start + 1);
  return doc.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

struct Row {
  size_t offset;
  size_t size;
  const char* field;
};

#define ZROW(Type, member) \
  Row { offsetof(Type, member), sizeof(Type::member), #member }

std::string RowText(const Row& r) {
  return "| " + std::to_string(r.offset) + " | " + std::to_string(r.size) + " | `" + r.field +
         "` |";
}

struct Layout {
  const char* heading;
  std::vector<Row> rows;
};

const Layout kLayouts[] = {
    {"## `tdat9.bin`",
     {ZROW(PubRecord, reserved),
      ZROW(PubRecord, first_name),
      ZROW(PubRecord, last_name),
      ZROW(PubRecord, address),
      ZROW(PubRecord, home_phone),
      ZROW(PubRecord, mobile_phone),
      ZROW(PubRecord, other_phone),
      ZROW(PubRecord, baptism_date),
      ZROW(PubRecord, birth_date),
      ZROW(PubRecord, consent_date),
      ZROW(PubRecord, consent),
      ZROW(PubRecord, hope),
      ZROW(PubRecord, group),
      ZROW(PubRecord, id),
      ZROW(PubRecord, ext_key),
      ZROW(PubRecord, emergency_key),
      ZROW(PubRecord, household_head),
      ZROW(PubRecord, special_needs_key),
      ZROW(PubRecord, status_stamp),
      ZROW(PubRecord, service_flags),
      ZROW(PubRecord, special_circumstances),
      ZROW(PubRecord, linked_id),
      ZROW(PubRecord, status),
      ZROW(PubRecord, status_month),
      ZROW(PubRecord, pioneer),
      ZROW(PubRecord, status_year),
      ZROW(PubRecord, flags),
      ZROW(PubRecord, activity),
      ZROW(PubRecord, remark),
      ZROW(PubRecord, credit),
      ZROW(PubRecord, year_tag),
      ZROW(PubRecord, late)}},
    {"## `bkstudy.dat`",
     {ZROW(GroupTable, count), ZROW(GroupTable, overseer), ZROW(GroupTable, assistant),
      ZROW(GroupTable, location), ZROW(GroupTable, name), ZROW(GroupTable, time),
      ZROW(GroupTable, day), ZROW(GroupTable, use_name)}},
    {"## `meetin9.dat`",
     {ZROW(AttendanceBlock, name), ZROW(AttendanceBlock, week), ZROW(AttendanceBlock, meetings),
      ZROW(AttendanceBlock, total), ZROW(AttendanceBlock, average)}},
    {"## `remark9.dat`",
     {ZROW(RemarkEntry, text), ZROW(RemarkEntry, month), ZROW(RemarkEntry, slot),
      ZROW(RemarkEntry, id)}},
    {"## `tappt.dat`",
     {ZROW(AppointmentRecord, id), ZROW(AppointmentRecord, kind), ZROW(AppointmentRecord, reserved),
      ZROW(AppointmentRecord, start_date), ZROW(AppointmentRecord, end_date),
      ZROW(AppointmentRecord, reserved2)}},
    {"## `xten7.dat`",
     {ZROW(ExtRecord, key), ZROW(ExtRecord, long_name), ZROW(ExtRecord, email),
      ZROW(ExtRecord, other), ZROW(ExtRecord, further)}},
    {"## `emerg.dat`",
     {ZROW(EmergencyRecord, key), ZROW(EmergencyRecord, name), ZROW(EmergencyRecord, info),
      ZROW(EmergencyRecord, home_phone), ZROW(EmergencyRecord, mobile_phone),
      ZROW(EmergencyRecord, work_phone), ZROW(EmergencyRecord, jw), ZROW(EmergencyRecord, zero)}},
    {"### The older publisher record",
     {{older::kLinkedId, 1, "linked_id"},
      {older::kStatus, 1, "status"},
      {older::kStatusMonth, 1, "status_month"},
      {older::kPioneer, 12, "pioneer"},
      {older::kStatusYear, 1, "status_year"},
      {older::kFlags, 1, "flags"},
      {older::kPlacements, 12, "placements"},
      {older::kVideos, 12, "videos"},
      {older::kHours, 12, "hours"},
      {older::kReturnVisits, 12, "return_visits"},
      {older::kStudies, 12, "studies"},
      {older::kVisitsHigh, 12, "visits_high"},
      {older::kHighNibbles, 12, "high_nibbles"},
      {older::kQuarters, 12, "quarters"},
      {older::kYears, 12, "years"},
      {older::kCredit, 12, "credit"}}},
    {"### The other older files",
     {{older::kMeetingName, older::kMeetingNameSize, "name"},
      {older::kMeetingMonths, kOlderMeetingRecordSize - older::kMeetingMonths, "months"}}},
};

TEST(DataFormatDocument, EveryRecordLayoutIsTheCodes) {
  const std::string doc = Document();
  ASSERT_FALSE(doc.empty());
  for (const Layout& layout : kLayouts) {
    SCOPED_TRACE(layout.heading);
    const std::string section = Section(doc, layout.heading);
    ASSERT_FALSE(section.empty());
    for (const Row& row : layout.rows)
      EXPECT_NE(section.find(RowText(row)), std::string::npos) << RowText(row);
  }
}

// The line of a file in a table of files: its record size and, where given, capacity.
TEST(DataFormatDocument, FileSizesCapacitiesAndKeysAreTheCodes) {
  const std::string doc = Document();
  struct FileRow {
    const char* file;
    std::string cells;
  };
  const FileRow files[] = {
      {"`tdat9.bin`", "| " + std::to_string(sizeof(PubRecord)) + " | " +
                          std::to_string(kMaxRecords) + " records |"},
      {"`tcard.dat`", "| " + std::to_string(sizeof(BranchTotalsHistory)) + " (one block) |"},
      {"`bkstudy.dat`", "| " + std::to_string(sizeof(GroupTable)) + " (one block) | " +
                            std::to_string(kMaxGroups) + " groups |"},
      {"`meetin9.dat`", "| " + std::to_string(sizeof(AttendanceBlock)) + " | 2 blocks |"},
      {"`tappt.dat`", "| " + std::to_string(sizeof(AppointmentRecord)) + " | " +
                          std::to_string(kMaxAppointments) + " |"},
      {"`remark9.dat`", "| " + std::to_string(sizeof(RemarkEntry)) + " | " +
                            std::to_string(kRemarkLoadLimit) + " read |"},
      {"`xten7.dat`",
       "| " + std::to_string(sizeof(ExtRecord)) + " | " + std::to_string(kMaxExtIndex) + " |"},
      {"`emerg.dat`", "| " + std::to_string(sizeof(EmergencyRecord)) + " |"},
      {"`spneed.dat`", "| " + std::to_string(sizeof(SpecialNeedsRecord)) + " |"},
      {"`tlt15.dat`", "| " + std::to_string(sizeof(LessThanHourRecord)) + " |"},
      {"`zrxcfg.cfg`", "| " + std::to_string(sizeof(FormatOptions)) + " (one block) |"},
      {"`buhist.dat`",
       "| " + std::to_string(kCatalogEntrySize) + " | " + std::to_string(kCatalogEntries) + " |"},
      {"`tdat7.bin`", "| " + std::to_string(kOlderRecordSize) + " | up to " +
                          std::to_string(kMaxRecords) + " records |"},
      {"`tinac7.dat`", "| " + std::to_string(kOlderRecordSize) + " | first " +
                           std::to_string(kOlderListLimit) + " |"},
      {"`remark7.dat`", "| " + std::to_string(kOlderRemarkSize) + " | all |"},
      {"`spcards.dat`", "| " + std::to_string(kOlderTotalsSize) + " | one block |"},
      {"`oddmo7.dat`", "| " + std::to_string(kOlderLateMarkSize) + " | first " +
                           std::to_string(kOlderLateMarkLimit) + " |"},
      {"`meeting.dat`", "| " + std::to_string(kOlderMeetingRecordSize) + " | first " +
                            std::to_string(kOlderMeetingRecords) + " |"},
      {"`zrmap.dat`", "| " + std::to_string(kCsvMapFileSize) + " (one block) |"},
      {"`tpmap.dat`", "| " + std::to_string(kNameMapEntrySize) + " | " +
                          std::to_string(kMaxNameMapEntries) + " |"},
      {"`Group`n`.t09`", "| " + std::to_string(kCollectionBlockSize) + " | " +
                             std::to_string(kMaxCollectionBlocks) + " blocks |"},
      {"`bkstudy.dat` of 1881 bytes",
       "| " + std::to_string(kOlderGroupTableSize) + " | one block |"},
  };
  for (const FileRow& f : files) {
    size_t at = doc.find("\n| " + std::string(f.file) + " |");
    ASSERT_NE(at, std::string::npos) << f.file;
    std::string line = doc.substr(at + 1, doc.find('\n', at + 1) - at - 1);
    EXPECT_NE(line.find(f.cells), std::string::npos) << line << "\nwants " << f.cells;
  }
  EXPECT_NE(doc.find("**B = " + std::to_string(kScrambleBase) + "**"), std::string::npos);
  EXPECT_NE(doc.find("**`" + std::string(kGroupKey) + "`**"), std::string::npos);
  EXPECT_NE(doc.find("**K = " + std::to_string(kCollectionScrambleOffset) + "**"),
            std::string::npos);
  EXPECT_NE(doc.find("0xCC"), std::string::npos);
  EXPECT_NE(doc.find("shorter than " + std::to_string(kMinCurrentPublisherFile) + " bytes"),
            std::string::npos);
}

}  // namespace
}  // namespace zarim
