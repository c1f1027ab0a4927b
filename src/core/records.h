// The fixed-size records of the congregation data. Their layout in memory is their
// layout on disk, byte for byte: every size and field offset is checked at compile time.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/bytes.h"

namespace zarim {

enum PubStatus : uint8_t {
  kActive = 0,
  kInactive = 1,
  kNonPublisher = 2,
  kMoved = 3,
  kDeleted = 4,
  kCircuitOverseer = 5,
};

enum PioneerCode : uint8_t { kPublisher = 0, kAuxiliary = 1, kRegular = 2, kSpecial = 3 };

enum ActivityField : int {
  kPlacements = 0,
  kVideos = 1,
  kHours = 2,
  kReturnVisits = 3,
  kBibleStudies = 4,
};

enum Privilege : uint8_t { kNoPrivilege = 0, kServant = 1, kElder = 2, kBaptizedBrother = 3 };

// Bits of the Bible-studies cell.
inline constexpr uint16_t kStudiesMask = 0x03FF;
inline constexpr uint16_t kSharedBit = 0x0800;  // shared in ministry / less than one hour
inline constexpr int kQuarterShift = 12;
inline constexpr uint16_t kQuarterMask = 0xF000;

// Bits of PubRecord::flags.
inline constexpr uint8_t kPrivilegeMask = 0x03;
inline constexpr uint8_t kFamilyHead = 0x04;
inline constexpr uint8_t kContinuousAux = 0x08;
inline constexpr uint8_t kCustomCategory = 0x10;
inline constexpr uint8_t kMale = 0x20;
inline constexpr uint8_t kFemale = 0x40;
inline constexpr uint8_t kExcludeFromGroupList = 0x80;

// Bits of PubRecord::service_flags.
inline constexpr uint16_t kSpecialServant = 0x0080;
inline constexpr uint16_t kFieldMissionary = 0x0100;

// Bits of PubRecord::special_circumstances.
inline constexpr uint16_t kDeaf = 0x0001;
inline constexpr uint16_t kBlind = 0x0002;
inline constexpr uint16_t kIncarcerated = 0x0004;
inline constexpr uint16_t kCircumstancesSet = 0x8000;

inline constexpr uint16_t kCircuitOverseerId = 30003;
inline constexpr uint16_t kFirstValidId = 10;
inline constexpr uint16_t kIdLimit = 30000;
inline constexpr int kMaxGroupsInTable = 20;

#pragma pack(push, 1)

// One person: publisher, inactive, Bible student, moved, temporarily deleted or the
// circuit overseer. Record 0 of the table is the header record (see document.h).
// Month cells are [month 0..11][slot 0..2]; slot = calendar year of the month mod 2,
// slot 2 is never used for publisher data.
struct PubRecord {
  // Zero in new records. A moved-away publisher who came from the inactive list keeps
  // that origin here: bit 15 is the moved-from-inactive mark, bits 0-3 the month (1-12)
  // he had become inactive; his status year keeps that year. Bit 14 says that the status
  // stamp holds the serial of the move's month. No other feature reads this word, and it
  // is cleared again when he returns (cycle/status_moves.h).
  U16 reserved;
  char first_name[21];  // the header record keeps the password here
  char last_name[21];   // the header record keeps the marker "A" here
  char address[63];
  char home_phone[15];
  char mobile_phone[15];
  char other_phone[15];  // header record: bytes 137 + m are month m's collection state
  char baptism_date[9];  // "MMDDYYYY" or blanks
  char birth_date[9];
  char consent_date[9];
  uint8_t consent;
  char hope;     // 'A' anointed, 'O' other sheep
  int8_t group;  // 1-based field service group, 0 = none
  U16 id;        // 10 .. 29999; 30003 for the circuit overseer
  U16 ext_key;
  U16 emergency_key;
  U16 household_head;  // identifier of the family head, 0 = none
  U16 special_needs_key;
  U16 status_stamp;   // header record: posting resume identifier
  U16 service_flags;  // header record: low nibble = working month + 1 of the resume id
  U16 special_circumstances;
  U16 linked_id;
  uint8_t status;          // PubStatus
  uint8_t status_month;    // high nibble: month 1..12 of the status event; low nibble: flags
  uint8_t pioneer[12][3];  // bits 0-1: PioneerCode of the month
  uint8_t status_year;
  uint8_t flags;           // privilege, family head, continuous aux, custom, male, female, exclude
  U16 activity[5][12][3];  // [ActivityField][month][slot]
  U16 remark[12][3];       // remark table index; header record: year the month was initialized
  U16 credit[12][3];       // pioneer credit hours
  uint8_t year_tag[12][3];
  uint8_t late[12][3];  // working month + 1 in which a late report was posted
};

struct AppointmentRecord {
  U16 id;
  U16 kind;  // privilege kind; 20 is a marker that needs no date
  U16 reserved;
  char start_date[9];
  char end_date[9];
  uint8_t reserved2[8];
};

struct RemarkEntry {
  char text[44];
  uint8_t month;  // month + 1, 0 = unused
  uint8_t slot;   // year slot (used modulo 2)
  U16 id;
};

struct LateReportEntry {
  U16 id;
  uint8_t month;   // 0..11, the month the late report is for
  uint8_t posted;  // working month + 1 in which it was posted
};

struct GroupTable {
  uint8_t count;
  char overseer[20][24];
  char assistant[20][24];
  char location[20][24];
  char name[20][24];
  char time[20][9];
  uint8_t day[20];  // 0 Monday .. 6 Sunday
  uint8_t use_name[20];
};

struct AttendanceBlock {
  char name[96];
  U16 week[5][12][3];
  U16 meetings[12][3];
  U16 total[12][3];
  U16 average[12][3];
};

// Monthly totals for the branch: counter j of month m in slot s.
struct BranchTotalsHistory {
  U16 value[12][36][2];
};

struct FormatOptions {
  uint8_t last_name_first;
  uint8_t unused[4];
  uint8_t alternate_date;
  uint8_t birth_baptism_stats;
};

struct ExtRecord {
  U16 key;
  char long_name[65];
  char email[51];
  char other[72];
  U16 further;
};

struct EmergencyRecord {
  U16 key;
  char name[96];
  char info[96];
  char home_phone[16];
  char mobile_phone[16];
  char work_phone[16];
  uint8_t jw;
  uint8_t zero[13];
};

struct SpecialNeedsRecord {
  U16 key;
  char text[94];
};

// One record of the less-than-one-hour file.
struct LessThanHourRecord {
  U16 id;
  uint8_t mark[12][2];
  uint8_t zero[6];
};

#pragma pack(pop)

// In-memory entries; never written to disk.
struct PubIndexEntry {
  uint16_t id = 0;
  uint16_t rec = 0;
  uint8_t status = 0;
};

struct KeyRef {
  uint16_t key = 0;
  uint16_t rec = 0;
};

struct ExtIndexEntry {
  uint16_t key = 0;
  uint16_t flags = 0;  // bit 0 long name, 1 e-mail, 2 other, 3 last u16 non-zero
};

struct HouseholdUndoEntry {
  uint16_t id = 0;
  uint16_t old_head = 0;
};

// ---- Layout checks -------------------------------------------------------------------

static_assert(sizeof(PubRecord) == 816);
static_assert(offsetof(PubRecord, reserved) == 0);
static_assert(offsetof(PubRecord, first_name) == 2);
static_assert(offsetof(PubRecord, last_name) == 23);
static_assert(offsetof(PubRecord, address) == 44);
static_assert(offsetof(PubRecord, home_phone) == 107);
static_assert(offsetof(PubRecord, mobile_phone) == 122);
static_assert(offsetof(PubRecord, other_phone) == 137);
static_assert(offsetof(PubRecord, baptism_date) == 152);
static_assert(offsetof(PubRecord, birth_date) == 161);
static_assert(offsetof(PubRecord, consent_date) == 170);
static_assert(offsetof(PubRecord, consent) == 179);
static_assert(offsetof(PubRecord, hope) == 180);
static_assert(offsetof(PubRecord, group) == 181);
static_assert(offsetof(PubRecord, id) == 182);
static_assert(offsetof(PubRecord, ext_key) == 184);
static_assert(offsetof(PubRecord, emergency_key) == 186);
static_assert(offsetof(PubRecord, household_head) == 188);
static_assert(offsetof(PubRecord, special_needs_key) == 190);
static_assert(offsetof(PubRecord, status_stamp) == 192);
static_assert(offsetof(PubRecord, service_flags) == 194);
static_assert(offsetof(PubRecord, special_circumstances) == 196);
static_assert(offsetof(PubRecord, linked_id) == 198);
static_assert(offsetof(PubRecord, status) == 200);
static_assert(offsetof(PubRecord, status_month) == 201);
static_assert(offsetof(PubRecord, pioneer) == 202);
static_assert(offsetof(PubRecord, status_year) == 238);
static_assert(offsetof(PubRecord, flags) == 239);
static_assert(offsetof(PubRecord, activity) == 240);
static_assert(offsetof(PubRecord, remark) == 600);
static_assert(offsetof(PubRecord, credit) == 672);
static_assert(offsetof(PubRecord, year_tag) == 744);
static_assert(offsetof(PubRecord, late) == 780);

static_assert(sizeof(AppointmentRecord) == 32);
static_assert(offsetof(AppointmentRecord, kind) == 2);
static_assert(offsetof(AppointmentRecord, start_date) == 6);
static_assert(offsetof(AppointmentRecord, end_date) == 15);
static_assert(offsetof(AppointmentRecord, reserved2) == 24);

static_assert(sizeof(RemarkEntry) == 48);
static_assert(offsetof(RemarkEntry, month) == 44);
static_assert(offsetof(RemarkEntry, slot) == 45);
static_assert(offsetof(RemarkEntry, id) == 46);

static_assert(sizeof(LateReportEntry) == 4);

static_assert(sizeof(GroupTable) == 2141);
static_assert(offsetof(GroupTable, overseer) == 1);
static_assert(offsetof(GroupTable, assistant) == 481);
static_assert(offsetof(GroupTable, location) == 961);
static_assert(offsetof(GroupTable, name) == 1441);
static_assert(offsetof(GroupTable, time) == 1921);
static_assert(offsetof(GroupTable, day) == 2101);
static_assert(offsetof(GroupTable, use_name) == 2121);

static_assert(sizeof(AttendanceBlock) == 672);
static_assert(offsetof(AttendanceBlock, week) == 96);
static_assert(offsetof(AttendanceBlock, meetings) == 456);
static_assert(offsetof(AttendanceBlock, total) == 528);
static_assert(offsetof(AttendanceBlock, average) == 600);

static_assert(sizeof(BranchTotalsHistory) == 1728);
static_assert(sizeof(FormatOptions) == 7);
static_assert(offsetof(FormatOptions, alternate_date) == 5);
static_assert(offsetof(FormatOptions, birth_baptism_stats) == 6);

static_assert(sizeof(ExtRecord) == 192);
static_assert(offsetof(ExtRecord, long_name) == 2);
static_assert(offsetof(ExtRecord, email) == 67);
static_assert(offsetof(ExtRecord, other) == 118);
static_assert(offsetof(ExtRecord, further) == 190);

static_assert(sizeof(EmergencyRecord) == 256);
static_assert(offsetof(EmergencyRecord, name) == 2);
static_assert(offsetof(EmergencyRecord, info) == 98);
static_assert(offsetof(EmergencyRecord, home_phone) == 194);
static_assert(offsetof(EmergencyRecord, mobile_phone) == 210);
static_assert(offsetof(EmergencyRecord, work_phone) == 226);
static_assert(offsetof(EmergencyRecord, jw) == 242);

static_assert(sizeof(SpecialNeedsRecord) == 96);
static_assert(offsetof(SpecialNeedsRecord, text) == 2);

static_assert(sizeof(LessThanHourRecord) == 32);
static_assert(offsetof(LessThanHourRecord, mark) == 2);

}  // namespace zarim
