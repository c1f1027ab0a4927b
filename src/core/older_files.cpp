// Converting the data files of the earlier version into the document.
#include "core/older_files.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "core/file_names.h"
#include "core/scramble.h"
#include "core/strings.h"

namespace zarim {

namespace {

int Mod2(int v) { return ((v % 2) + 2) % 2; }

std::optional<Bytes> ReadOlder(const CZarimDoc& doc, std::string_view name) {
  return ReadFile(ResolvePath(doc.FolderForFiles(), name));
}

// Copies a text up to its terminating 0; the last byte of the field stays the end mark.
void CopyText(PubRecord& r, const uint8_t* older, size_t offset, size_t size) {
  auto* out = reinterpret_cast<uint8_t*>(&r);
  size_t len = FieldLength(reinterpret_cast<const char*>(older + offset), size - 1);
  std::memcpy(out + offset, older + offset, len);
}

// The working month was initialized in a year of the other parity: the header's init-year
// cell of the working month, in the working year's slot, says so.
bool WorkingMonthOfOtherParity(const CZarimDoc& doc) {
  const int wm = doc.working_month;
  return Mod2(doc.header().remark[wm][Mod2(doc.working_year)]) != Mod2(doc.working_year);
}

// XOR with the group key for each byte up to the text's end, leaving bytes equal to the
// key byte alone (the group table's rule; it undoes itself).
void XorText(uint8_t* text, size_t size) {
  for (size_t i = 0; i < size && text[i] != 0; ++i) {
    auto k = static_cast<uint8_t>(kGroupKey[i % 10]);
    if (text[i] != k) text[i] = static_cast<uint8_t>(text[i] ^ k);
  }
}

}  // namespace

std::array<uint8_t, 12> OlderYearTags(const uint8_t* header, const CZarimDoc& doc) {
  std::array<uint8_t, 12> tags{};
  const int today = doc.today_short_year;
  for (int m = 0; m < 12; ++m) {
    const int year = header[older::kYears + m];
    if (!(year > today - 3 && year < today + 1)) continue;
    // This year's months after today's hold no reports yet: their tag is left over.
    if (year == today && m > doc.today_month - 1) continue;
    tags[m] = static_cast<uint8_t>(year);
  }
  return tags;
}

PubRecord ConvertOlderRecord(const uint8_t* b, const std::array<uint8_t, 12>& tags,
                             const CZarimDoc& doc, bool is_header) {
  PubRecord r;
  std::memset(static_cast<void*>(&r), 0, sizeof r);
  auto* out = reinterpret_cast<uint8_t*>(&r);
  CopyText(r, b, offsetof(PubRecord, first_name), sizeof r.first_name);
  CopyText(r, b, offsetof(PubRecord, last_name), sizeof r.last_name);
  CopyText(r, b, offsetof(PubRecord, address), sizeof r.address);
  CopyText(r, b, offsetof(PubRecord, home_phone), sizeof r.home_phone);
  CopyText(r, b, offsetof(PubRecord, mobile_phone), sizeof r.mobile_phone);
  // In the header record the bytes of the other phone are the months' collection states,
  // set below.
  if (!is_header) CopyText(r, b, offsetof(PubRecord, other_phone), sizeof r.other_phone);
  CopyText(r, b, offsetof(PubRecord, baptism_date), sizeof r.baptism_date);
  CopyText(r, b, offsetof(PubRecord, birth_date), sizeof r.birth_date);
  CopyText(r, b, offsetof(PubRecord, consent_date), sizeof r.consent_date);
  // Consent, hope, group, the identifier and the six keys and stamps keep their offsets.
  std::memcpy(out + offsetof(PubRecord, consent), b + offsetof(PubRecord, consent),
              offsetof(PubRecord, special_circumstances) - offsetof(PubRecord, consent));
  r.linked_id = b[older::kLinkedId];
  r.status = b[older::kStatus];
  r.status_month = b[older::kStatusMonth];
  r.status_year = b[older::kStatusYear];
  r.flags = b[older::kFlags];

  const int wm = doc.working_month;
  for (int m = 0; m < 12; ++m) {
    if (tags[m] == 0) continue;
    const int s = doc.SlotOfMonth(m);
    r.year_tag[m][s] = tags[m];
    if (is_header) continue;
    const uint8_t high = b[older::kHighNibbles + m];
    r.pioneer[m][s] = b[older::kPioneer + m] & 3;
    r.activity[kPlacements][m][s] =
        static_cast<uint16_t>((high & 0xF0) * 16 + b[older::kPlacements + m]);
    r.activity[kVideos][m][s] = static_cast<uint16_t>((high & 0x0F) * 256 + b[older::kVideos + m]);
    r.activity[kHours][m][s] = b[older::kHours + m];
    r.activity[kReturnVisits][m][s] =
        static_cast<uint16_t>(b[older::kReturnVisits + m] + (b[older::kVisitsHigh + m] & 0xC0) * 4);
    r.activity[kBibleStudies][m][s] =
        static_cast<uint16_t>((b[older::kQuarters + m] & 3) * 4096 + (b[older::kStudies + m] & 63));
    r.credit[m][s] = b[older::kCredit + m];
  }
  if (is_header) {
    // The working month's collection state: collected when the older header says its
    // data are of the working year.
    r.other_phone[wm] = b[older::kYears + wm] == static_cast<uint8_t>(doc.working_year) ? 2 : 0;
    for (int m = 0; m < 12; ++m) {
      if (tags[m] == 0) continue;
      const int s = Mod2(tags[m]);
      r.activity[kBibleStudies][m][s] = static_cast<uint16_t>(b[older::kQuarters + m] << 12);
      r.remark[m][s] = b[older::kYears + m];
    }
  }
  // A damaged group number would index past the group table.
  if (r.group < 0 || r.group > kMaxGroups) r.group = 0;
  return r;
}

bool LoadOlderPublishers(CZarimDoc& doc) {
  auto data = ReadOlder(doc, kOldFilePublishers7);
  if (!data) return false;
  doc.converted = 1;
  doc.count = 0;
  const size_t n = data->size() / kOlderRecordSize;
  if (n == 0) return true;
  const auto tags = OlderYearTags(data->data(), doc);
  doc.conversion.year_tags = tags;
  for (size_t i = 0; i < n && doc.count < kMaxRecords; ++i)
    doc.records[doc.count++] =
        ConvertOlderRecord(data->data() + i * kOlderRecordSize, tags, doc, i == 0);
  doc.conversion.people[kActive] = doc.count - 1;

  // The other lists follow the table, each with its status, at most 300 from a file.
  const std::pair<std::string_view, PubStatus> lists[] = {{kOldFileInactive7, kInactive},
                                                          {kOldFileMoved7, kMoved},
                                                          {kOldFileNonPublishers7, kNonPublisher},
                                                          {kOldFileDeleted7, kDeleted}};
  for (const auto& [name, status] : lists) {
    auto list = ReadOlder(doc, name);
    if (!list) continue;
    const size_t k = std::min<size_t>(list->size() / kOlderRecordSize, kOlderListLimit);
    for (size_t i = 0; i < k && doc.count < kMaxRecords; ++i) {
      PubRecord r = ConvertOlderRecord(list->data() + i * kOlderRecordSize, tags, doc, false);
      r.status = status;
      doc.records[doc.count++] = r;
      ++doc.conversion.people[status];
    }
  }
  return true;
}

void ConvertOlderTotals(CZarimDoc& doc) {
  doc.totals = BranchTotalsHistory{};
  const int wm = doc.working_month;
  const bool other_parity = WorkingMonthOfOtherParity(doc);
  auto copy = [&](const Bytes& file, auto slot_of, bool skip_working) {
    uint8_t block[kOlderTotalsSize] = {};
    if (!file.empty()) std::memcpy(block, file.data(), std::min(file.size(), sizeof block));
    for (int m = 0; m < 12; ++m) {
      if (skip_working && m == wm) continue;
      const int s = slot_of(m);
      for (int j = 0; j < 36; ++j) doc.totals.value[m][j][s] = GetU16(block + (m * 36 + j) * 2);
    }
    doc.conversion.totals = true;
  };
  if (auto file = ReadOlder(doc, kOldFileTotals7))
    copy(
        *file, [&](int m) { return Mod2(doc.working_year + (m > wm ? 1 : 0)); }, other_parity);
  const std::string roll = JoinPath(JoinPath(doc.FolderForFiles(), kRollFolder), kOldRollFolder7);
  if (auto file = ReadFile(ResolvePath(roll, kOldFileTotals7)))
    copy(
        *file, [&](int m) { return Mod2(doc.today_short_year + (m <= 6 ? 1 : 0)); }, false);
}

void ConvertOlderLateMarks(CZarimDoc& doc) {
  auto file = ReadOlder(doc, kOldFileOddMonths7);
  if (!file) return;
  std::unordered_map<uint16_t, int> by_id;
  for (int r = doc.count - 1; r >= 1; --r) by_id[doc.records[r].id] = r;
  const size_t n = std::min<size_t>(file->size() / kOlderLateMarkSize, kOlderLateMarkLimit);
  for (size_t i = 0; i < n; ++i) {
    const uint8_t* p = file->data() + i * kOlderLateMarkSize;
    const int month = p[2];
    auto found = by_id.find(GetU16(p));
    if (month > 11 || found == by_id.end()) continue;
    const int s = Mod2(doc.today_short_year + (month > doc.working_month ? 1 : 0));
    doc.records[found->second].late[month][s] = p[3];
    ++doc.conversion.late_marks;
  }
}

void ConvertOlderRemarks(CZarimDoc& doc) {
  auto file = ReadOlder(doc, kOldFileRemarks7);
  if (!file) return;
  const bool other_parity = WorkingMonthOfOtherParity(doc);
  const size_t n = file->size() / kOlderRemarkSize;
  for (size_t i = 0; i < n; ++i) {
    const uint8_t* p = file->data() + i * kOlderRemarkSize;
    std::string text(Trim(FieldText(reinterpret_cast<const char*>(p), older::kRemarkMonth)));
    const int month = p[older::kRemarkMonth];
    const uint16_t id = GetU16(p + older::kRemarkId);
    // The same records the current remark file never loads.
    if (text.empty() || month == 0 || month > 12 || id < kFirstValidId) continue;
    if (month == doc.working_month + 1 && other_parity) continue;
    const int s = month > doc.today_month ? Mod2(doc.working_year + 1) : Mod2(doc.working_year);
    PubRecord* rec = doc.FindById(id);
    if (!rec) continue;
    U16& cell = rec->remark[month - 1][s];
    // A later remark of the same publisher, month and slot takes the earlier one's place.
    if (cell != 0 && cell < doc.remark_count) {
      SetField(doc.remarks[cell].text, text);
      continue;
    }
    if (doc.remark_count >= kRemarkLoadLimit) break;
    RemarkEntry e{};
    SetField(e.text, text);
    e.month = static_cast<uint8_t>(month);
    e.slot = static_cast<uint8_t>(s);
    e.id = id;
    doc.remarks[doc.remark_count] = e;
    cell = doc.remark_count++;
    ++doc.conversion.remarks;
  }
}

void ConvertOlderMeetings(CZarimDoc& doc) {
  auto file = ReadOlder(doc, kOldFileMeetings7);
  if (!file) return;
  const size_t n = std::min<size_t>(file->size() / kOlderMeetingRecordSize, kOlderMeetingRecords);
  if (n < 2) return;
  // Block 0 (midweek) from the third record, block 1 (weekend) from the second.
  const size_t source[2] = {2, 1};
  for (int b = 0; b < 2; ++b) {
    if (source[b] >= n) continue;
    const uint8_t* rec = file->data() + source[b] * kOlderMeetingRecordSize;
    AttendanceBlock& block = doc.attendance[b];
    std::string name = FieldText(reinterpret_cast<const char*>(rec + older::kMeetingName),
                                 older::kMeetingNameSize);
    if (!Trim(name).empty()) SetField(block.name, name);
    // The twelve months counted back from the working month; stepping from January to
    // December passes into the year before.
    int s = Mod2(doc.working_year);
    for (int k = 0; k < 12; ++k) {
      const int m = (doc.working_month - k + 12) % 12;
      if (k > 0 && m == 11) s = 1 - s;
      const uint8_t* v = rec + older::kMeetingMonths + m * older::kMeetingMonthSize;
      for (int w = 0; w < 5; ++w) block.week[w][m][s] = GetU16(v + 2 * w);
      block.meetings[m][s] = GetU16(v + 10);
      block.total[m][s] = GetU16(v + 12);
      block.average[m][s] = GetU16(v + 14);
    }
  }
  doc.attendance_blocks = 2;
  doc.conversion.meetings = true;
}

std::optional<GroupTable> ConvertOlderGroups(const Bytes& file) {
  if (file.size() != kOlderGroupTableSize) return std::nullopt;
  Bytes b = file;
  const int n = std::min<int>(b[0], kMaxGroups);
  for (int i = 0; i < n; ++i) {
    XorText(&b[older::kGroupOverseer + i * 24], 24);
    XorText(&b[older::kGroupAssistant + i * 24], 24);
    XorText(&b[older::kGroupLocation + i * 24], 24);
    XorText(&b[older::kGroupShort + i * 12], 12);
    XorText(&b[older::kGroupTime + i * 9], 9);
  }
  auto text = [&](size_t offset, size_t size) {
    return FieldText(reinterpret_cast<const char*>(&b[offset]), size);
  };
  GroupTable g{};
  g.count = static_cast<uint8_t>(n);
  for (int i = 0; i < n; ++i) {
    SetField(g.overseer[i], text(older::kGroupOverseer + i * 24, 24));
    SetField(g.assistant[i], text(older::kGroupAssistant + i * 24, 24));
    SetField(g.location[i], text(older::kGroupLocation + i * 24, 24));
    SetField(g.time[i], text(older::kGroupTime + i * 9, 9));
    g.day[i] = b[older::kGroupDay + i];
  }
  return g;
}

std::string ConvertedCountsText(const CZarimDoc& doc) {
  const ConversionCounts& c = doc.conversion;
  return Printf(Sid::kConvertedCounts, c.people[kActive], c.people[kInactive], c.people[kMoved],
                c.people[kNonPublisher], c.people[kDeleted], c.remarks, c.late_marks,
                static_cast<int>(doc.groups.count));
}

}  // namespace zarim
