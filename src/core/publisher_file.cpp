// "tdat9.bin" with its companions "tlt15.dat" (less-than-one-hour marks), "tcard.dat"
// (branch totals history) and "bkstudy.dat" (field service groups).
#include "core/publisher_file.h"

#include <algorithm>
#include <cstring>

#include "core/file_names.h"
#include "core/file_read.h"
#include "core/folder_files.h"
#include "core/older_files.h"
#include "core/scramble.h"
#include "core/settings.h"
#include "core/strings.h"
#include "core/text_codec.h"

namespace zarim {

namespace {

constexpr size_t kMinPublisherFile = 401;

// Year of month m in slot s, by the slot rule of the working twelve months.
int YearOfCell(const CZarimDoc& doc, int month, int slot) {
  int year = month <= doc.working_month ? doc.working_year : doc.working_year - 1;
  // The slot of the working twelve months holds that year; the other slot a year earlier.
  if (((year % 2) + 2) % 2 != slot) --year;
  return year;
}

}  // namespace

void LoadPublishers(CZarimDoc& doc, const Clock& clock) {
  const bool whole = doc.load_depth == LoadDepth::kWhole;
  doc.SetToday(clock.Today());
  doc.count = 0;
  doc.converted = 0;
  doc.conversion = ConversionCounts{};
  // The table is read straight into the records (the largest file of a folder).
  const size_t room = doc.records.size() * sizeof(PubRecord);
  auto got = ReadFileInto(ResolvePath(doc.FolderForFiles(), kFilePublishers),
                          static_cast<void*>(doc.records.data()), room);
  // A table too short to hold the header record and one publisher counts as absent: the
  // older version's files are converted instead, when there are any.
  bool loaded = false;
  if (got && *got >= kMinPublisherFile) {
    size_t n = std::min(*got / sizeof(PubRecord), static_cast<size_t>(kMaxRecords));
    doc.count = static_cast<uint16_t>(n);
    // A cut final record is not a record: its bytes do not stay behind the table.
    std::memset(static_cast<void*>(doc.records.data() + n), 0, *got - n * sizeof(PubRecord));
    loaded = true;
  } else {
    if (got) std::memset(static_cast<void*>(doc.records.data()), 0, *got);
    loaded = LoadOlderPublishers(doc);
  }
  if (loaded) {
    for (int r = 0; r < doc.count; ++r) {
      PubRecord& rec = doc.records[r];
      if (!(rec.special_circumstances & kCircumstancesSet))
        rec.special_circumstances = kCircumstancesSet;
      // A damaged group number would index past the group table.
      if (rec.group < 0 || rec.group > kMaxGroups) rec.group = 0;
    }
  }

  doc.late_count = 0;
  doc.totals = BranchTotalsHistory{};
  doc.groups = GroupTable{};
  if (doc.count > 0) {
    RestoreResumeId(doc);
    if (doc.converted) {
      ConvertOlderTotals(doc);
      ConvertOlderLateMarks(doc);
    }
    doc.BuildLateList();
    // Converted totals come from the older files; a tcard.dat beside them is not theirs.
    if (!doc.converted) ReadBlock(doc, kFileTotals, &doc.totals);
    std::string groups_path = ResolvePath(doc.FolderForFiles(), kFileGroups);
    if (FileSize(groups_path) == kOlderGroupTableSize) {
      // The older form is converted in every load; a save writes the current form only
      // when the groups have been changed (see StagePublishers).
      auto bytes = ReadFile(groups_path);
      if (auto older = bytes ? ConvertOlderGroups(*bytes) : std::nullopt) {
        doc.groups = *older;
        doc.conversion.groups_converted = true;
        doc.conversion.groups = doc.groups.count;
      }
    } else if (ReadBlock(doc, kFileGroups, &doc.groups)) {
      if (doc.groups.count > kMaxGroups) doc.groups.count = kMaxGroups;
      ScrambleGroups(doc.groups);
    }
  }
  if (doc.count == 0) {
    doc.ResetHeader();
    doc.groups.count = 0;
  }

  doc.scramble_base = kScrambleBase;  // a document loaded again forgets the earlier folder's
  const uint8_t state = static_cast<uint8_t>(doc.header().other_phone[doc.working_month]);
  if (!IsPlainMarker(doc.header())) {
    doc.scramble_base = BaseFromMarker(doc.header());
    // A partial load reads only the header's texts (the password); the others stay as
    // stored.
    const int texts_read = whole ? doc.count : std::min<int>(doc.count, 1);
    for (int r = 0; r < texts_read; ++r)
      ScrambleRecord(doc.records[r], Direction::kUnscramble, doc.scramble_base, r == 0);
    // A converted header's collection state was never scrambled.
    if (doc.converted) doc.header().other_phone[doc.working_month] = static_cast<char>(state);
  }
  if (whole) doc.SortRecords();
  doc.CountStatus(kActive);
  doc.RebuildIndex();
  RestoreLessThanHourMarks(doc);
}

void RestoreLessThanHourMarks(CZarimDoc& doc) {
  auto data = ReadFile(ResolvePath(doc.FolderForFiles(), kFileLessThanHour));
  if (!data) return;
  size_t n = data->size() / sizeof(LessThanHourRecord);
  for (size_t i = 0; i < n; ++i) {
    LessThanHourRecord t;
    std::memcpy(&t, data->data() + i * sizeof t, sizeof t);
    PubRecord* rec = doc.FindById(t.id);
    if (!rec) continue;
    for (int m = 0; m < 12; ++m)
      for (int s = 0; s < 2; ++s) {
        if (t.mark[m][s] != 1) continue;
        uint16_t studies = rec->activity[kBibleStudies][m][s];
        if (rec->activity[kHours][m][s] == 0 && (studies & kQuarterMask) == 0)
          rec->activity[kBibleStudies][m][s] = static_cast<uint16_t>(studies | kSharedBit);
      }
  }
}

namespace {

// Whether the group table on disk is the earlier version's and holds the groups in memory:
// an older file is never changed, so it stays until the groups are edited.
bool OlderGroupsUnchanged(const CZarimDoc& doc) {
  const std::string path = ResolvePath(doc.FolderForFiles(), kFileGroups);
  if (FileSize(path) != kOlderGroupTableSize) return false;
  auto bytes = ReadFile(path);
  auto older = bytes ? ConvertOlderGroups(*bytes) : std::nullopt;
  return older && std::memcmp(&*older, &doc.groups, sizeof doc.groups) == 0;
}

}  // namespace

bool StagePublishers(CZarimDoc& doc, SaveTransaction& tx) {
  if (doc.count > 0) {
    StoreResumeId(doc);
    doc.StoreLateMarkers();
  }
  if (!IsPlainMarker(doc.header())) return false;

  // The stored image is made from a copy, so the table in memory stays plain and keeps
  // its less-than-one-hour bits whatever happens to the files.
  std::vector<PubRecord> image(doc.records.begin(), doc.records.begin() + doc.count);
  const uint8_t base = kScrambleBase;
  for (size_t r = 0; r < image.size(); ++r)
    ScrambleRecord(image[r], Direction::kScramble, base, r == 0);
  if (image.empty() ||
      static_cast<uint8_t>(image[0].last_name[0]) != static_cast<uint8_t>('A' + base))
    return false;

  // Less-than-one-hour marks of old-form months move out of the table into tlt15.dat. A
  // month of the new form keeps its bit: there it means "shared in ministry".
  std::vector<LessThanHourRecord> marks;
  for (size_t r = 1; r < image.size(); ++r) {
    LessThanHourRecord t{};
    t.id = image[r].id;
    bool any = false;
    for (int s = 0; s < 2; ++s)
      for (int m = 0; m < 12; ++m) {
        int serial = YearOfCell(doc, m, s) * 12 + m;
        if (serial > doc.switch_serial) continue;
        U16& cell = image[r].activity[kBibleStudies][m][s];
        if (cell & kSharedBit) {
          t.mark[m][s] = 1;
          cell = static_cast<uint16_t>(cell & ~kSharedBit);
          any = true;
        }
      }
    if (any) marks.push_back(t);
  }

  // The first file that cannot be staged spoils the transaction: nothing is committed.
  bool ok = true;
  auto stage = [&](std::string_view name, const void* p, size_t size) {
    ok = ok && tx.Stage(name, p, size);
  };
  if (marks.empty()) {
    tx.Remove(kFileLessThanHour);
  } else {
    stage(kFileLessThanHour, marks.data(), marks.size() * sizeof(LessThanHourRecord));
  }
  stage(kFilePublishers, image.data(), image.size() * sizeof(PubRecord));
  stage(kFileTotals, &doc.totals, sizeof doc.totals);
  if (OlderGroupsUnchanged(doc)) return ok;
  tx.Remove(kFileGroups);
  if (doc.groups.count > 0) {
    GroupTable g = doc.groups;
    if (g.count > kMaxGroups) g.count = kMaxGroups;
    ScrambleGroups(g);
    stage(kFileGroups, &g, sizeof g);
  }
  return ok;
}

}  // namespace zarim
