// The data files of the program's earlier version: their layouts, and their conversion
// into the document when a folder holds no current publisher table. The older files are
// only read, never changed; the next save writes everything in the current formats.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "core/document.h"
#include "core/file_io.h"

namespace zarim {

// Sizes and limits of the older files.
inline constexpr size_t kOlderRecordSize = 336;         // tdat7.bin and the four lists
inline constexpr size_t kOlderRemarkSize = 40;          // remark7.dat
inline constexpr size_t kOlderTotalsSize = 864;         // spcards.dat: u16 [12][36]
inline constexpr size_t kOlderLateMarkSize = 4;         // oddmo7.dat
inline constexpr size_t kOlderMeetingRecordSize = 224;  // meeting.dat
inline constexpr size_t kOlderGroupTableSize = 1881;    // bkstudy.dat of the older form
inline constexpr int kOlderListLimit = 300;             // records taken from each list
inline constexpr int kOlderLateMarkLimit = 99;
inline constexpr int kOlderMeetingRecords = 10;

// Offsets in the 336-byte older record. Texts sit where the current record has them.
namespace older {
inline constexpr size_t kKeys = 184;      // six u16: keys and stamps, as in the current record
inline constexpr size_t kLinkedId = 198;  // u8 (u16 in the current record)
inline constexpr size_t kStatus = 200;
inline constexpr size_t kStatusMonth = 201;
inline constexpr size_t kPioneer = 202;  // + m, bits 0-1
inline constexpr size_t kStatusYear = 214;
inline constexpr size_t kFlags = 215;
inline constexpr size_t kPlacements = 216;    // + m, bits 0-7
inline constexpr size_t kVideos = 228;        // + m, bits 0-7
inline constexpr size_t kHours = 240;         // + m
inline constexpr size_t kReturnVisits = 252;  // + m, bits 0-7
inline constexpr size_t kStudies = 264;       // + m, bits 0-5
inline constexpr size_t kVisitsHigh = 276;    // + m, bits 6-7: return visits bits 8-9
inline constexpr size_t kHighNibbles = 288;   // + m, placements (high) and videos (low) bits 8-11
inline constexpr size_t kQuarters = 300;      // + m, bits 0-1
inline constexpr size_t kYears = 312;         // + m, header record only: two-digit year
inline constexpr size_t kCredit = 324;        // + m
// The older remark: text from byte 0, month + 1, u16 publisher identifier.
inline constexpr size_t kRemarkMonth = 37;
inline constexpr size_t kRemarkId = 38;
// The older group table: count, three char[20][24], char[20][12], char[20][9], u8[20].
inline constexpr size_t kGroupOverseer = 1;
inline constexpr size_t kGroupAssistant = 481;
inline constexpr size_t kGroupLocation = 961;
inline constexpr size_t kGroupShort = 1441;
inline constexpr size_t kGroupTime = 1681;
inline constexpr size_t kGroupDay = 1861;
// meeting.dat: each 224-byte record is a name (char[32]) and, for each calendar month
// 0..11, eight u16: the five weeks, the number of meetings, the total and the average.
// Record 1 is the weekend meeting, record 2 the midweek meeting.
inline constexpr size_t kMeetingName = 0;
inline constexpr size_t kMeetingNameSize = 32;
inline constexpr size_t kMeetingMonths = 32;
inline constexpr size_t kMeetingMonthSize = 16;
}  // namespace older

// The year tags of the older header record, by today's date: month m's year byte when it
// lies in the window of the last three years (and, in this year, not after today's
// month), else 0. Only months with a tag are converted.
std::array<uint8_t, 12> OlderYearTags(const uint8_t* header, const CZarimDoc& doc);

// One older record converted into a zeroed current record; months fill the slot of the
// working twelve months. is_header converts the older header record.
PubRecord ConvertOlderRecord(const uint8_t* older, const std::array<uint8_t, 12>& tags,
                             const CZarimDoc& doc, bool is_header);

// Reads tdat7.bin into the publisher table and appends the four older lists (with their
// statuses, at most kOlderListLimit each); false when tdat7.bin cannot be read. Sets the
// converted state (which the folder's owner turns into unsaved changes).
bool LoadOlderPublishers(CZarimDoc& doc);
// The branch totals (spcards.dat and Roll/Zr7_8/spcards.dat) and late-report marks
// (oddmo7.dat) of converted data, into the document.
void ConvertOlderTotals(CZarimDoc& doc);
void ConvertOlderLateMarks(CZarimDoc& doc);
// The remarks of remark7.dat into the remark table (after the current remarks were
// loaded); the next save writes them.
void ConvertOlderRemarks(CZarimDoc& doc);
// The meeting attendance of meeting.dat into the two attendance blocks.
void ConvertOlderMeetings(CZarimDoc& doc);
// The older 1881-byte group table, unscrambled, as a current group table; nothing when
// the bytes are not of that form.
std::optional<GroupTable> ConvertOlderGroups(const Bytes& file);

// What was converted, per list, in the program's words.
std::string ConvertedCountsText(const CZarimDoc& doc);

}  // namespace zarim
