// "tdat9.bin" with its companions "tlt15.dat" (less-than-one-hour marks), "tcard.dat"
// (branch totals history) and "bkstudy.dat" (field service groups).
#include <algorithm>
#include <cstring>

#include "core/data_files.h"
#include "core/file_names.h"
#include "core/scramble.h"
#include "core/settings.h"
#include "core/strings.h"
#include "core/text_codec.h"

namespace zarim {

namespace {

constexpr size_t kMinPublisherFile = 401;

// Reads one fixed block from the start of a file; bytes the file lacks stay zero.
template <typename T>
bool ReadBlock(const CZarimDoc& doc, std::string_view name, T* block, size_t size = sizeof(T)) {
  auto data = ReadFile(ResolvePath(doc.FolderForFiles(), name));
  if (!data) return false;
  std::memset(static_cast<void*>(block), 0, sizeof(T));
  if (!data->empty())
    std::memcpy(static_cast<void*>(block), data->data(), std::min(size, data->size()));
  return true;
}

// Year of month m in slot s, by the slot rule of the working twelve months.
int YearOfCell(const CZarimDoc& doc, int month, int slot) {
  int year = month <= doc.working_month ? doc.working_year : doc.working_year - 1;
  // The slot of the working twelve months holds that year; the other slot a year earlier.
  if (((year % 2) + 2) % 2 != slot) --year;
  return year;
}

}  // namespace

void LoadPublishers(CZarimDoc& doc, const Clock& clock) {
  doc.SetToday(clock.Today());
  doc.count = 0;
  auto data = ReadFile(ResolvePath(doc.FolderForFiles(), kFilePublishers));
  if (data && data->size() >= kMinPublisherFile) {
    size_t n = std::min(data->size() / sizeof(PubRecord), static_cast<size_t>(kMaxRecords));
    std::memcpy(static_cast<void*>(doc.records.data()), data->data(), n * sizeof(PubRecord));
    doc.count = static_cast<uint16_t>(n);
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
    doc.BuildLateList();
    ReadBlock(doc, kFileTotals, &doc.totals);
    std::string groups_path = ResolvePath(doc.FolderForFiles(), kFileGroups);
    // The 1881-byte form of older versions holds no groups this version can read.
    if (FileSize(groups_path) != 1881 && ReadBlock(doc, kFileGroups, &doc.groups)) {
      if (doc.groups.count > kMaxGroups) doc.groups.count = kMaxGroups;
      ScrambleGroups(doc.groups);
    }
  }
  if (doc.count == 0) {
    doc.ResetHeader();
    doc.groups.count = 0;
  }

  doc.scramble_base = kScrambleBase;  // a document loaded again forgets the earlier folder's
  if (!IsPlainMarker(doc.header())) {
    doc.scramble_base = BaseFromMarker(doc.header());
    for (int r = 0; r < doc.count; ++r)
      ScrambleRecord(doc.records[r], Direction::kUnscramble, doc.scramble_base, r == 0);
  }
  doc.SortRecords();
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
  tx.Remove(kFileGroups);
  if (doc.groups.count > 0) {
    GroupTable g = doc.groups;
    if (g.count > kMaxGroups) g.count = kMaxGroups;
    ScrambleGroups(g);
    stage(kFileGroups, &g, sizeof g);
  }
  return ok;
}

void ReportCreateFailure(const CZarimDoc& doc, std::string_view name) {
  doc.prompter->Tell(Fill(Sid::kUnableToCreateFile, JoinPath(doc.FolderForFiles(), name)));
}

uint64_t FileLength(const CZarimDoc& doc, std::string_view name) {
  return FileSize(ResolvePath(doc.FolderForFiles(), name));
}

void LoadFormatOptions(CZarimDoc& doc) {
  doc.format = FormatOptions{};
  ReadBlock(doc, kFileFormatOptions, &doc.format);
}

void LoadMeetings(CZarimDoc& doc) {
  doc.attendance = {};
  doc.attendance_blocks = 2;
  auto data = ReadFile(ResolvePath(doc.FolderForFiles(), kFileMeetings));
  if (data) {
    // The reading loop stores each whole block and counts one more read, which meets the
    // end of the file, while fewer than two blocks were read.
    size_t whole = std::min<size_t>(data->size() / sizeof(AttendanceBlock), 2);
    if (whole > 0)
      std::memcpy(static_cast<void*>(doc.attendance.data()), data->data(),
                  whole * sizeof(AttendanceBlock));
    doc.attendance_blocks = static_cast<uint16_t>(std::min<size_t>(whole + 1, 2));
    if (data->size() >= 2 * sizeof(AttendanceBlock)) doc.attendance_blocks = 2;
  }
  SetField(doc.attendance[0].name, FromUtf8(Str(Sid::kMidweekMeeting), doc.language_code));
  SetField(doc.attendance[1].name, FromUtf8(Str(Sid::kWeekendMeeting), doc.language_code));
}

void LoadAppointments(CZarimDoc& doc) {
  std::fill(doc.appointments.begin(), doc.appointments.end(), AppointmentRecord{});
  doc.appointment_count = 0;
  auto data = ReadFile(ResolvePath(doc.FolderForFiles(), kFileAppointments));
  if (!data) return;
  size_t n =
      std::min(data->size() / sizeof(AppointmentRecord), static_cast<size_t>(kMaxAppointments));
  if (n > 0)
    std::memcpy(static_cast<void*>(doc.appointments.data()), data->data(),
                n * sizeof(AppointmentRecord));
  doc.appointment_count = static_cast<int>(n);
}

bool StoreAppointment(CZarimDoc& doc, const AppointmentRecord& a) {
  for (int i = 0; i < doc.appointment_count; ++i) {
    AppointmentRecord& e = doc.appointments[i];
    if (e.id == a.id && e.kind == a.kind) {
      e = a;
      doc.MarkModified();
      return true;
    }
  }
  if (doc.appointment_count >= kMaxAppointments) return false;
  doc.appointments[doc.appointment_count++] = a;
  doc.MarkModified();
  return true;
}

namespace {

Bytes AppointmentImage(const CZarimDoc& doc) {
  Bytes out;
  for (int k = 0; k < doc.appointment_count; ++k) {
    const AppointmentRecord& e = doc.appointments[k];
    if (e.id == 0 || e.kind == 0) continue;
    if (!(Trim(FieldText(e.start_date)).size() > 7 || e.kind == 20)) continue;
    bool earlier = false;
    for (int j = 0; j < k && !earlier; ++j)
      earlier = doc.appointments[j].id == e.id && doc.appointments[j].kind == e.kind;
    if (earlier) continue;
    const auto* p = reinterpret_cast<const uint8_t*>(&e);
    out.insert(out.end(), p, p + sizeof e);
  }
  return out;
}

}  // namespace

// Stages every file of the document into tx; false at the first file that cannot be
// staged (the transaction then must not commit). The save and the month snapshot share it.
bool StageDocument(CZarimDoc& doc, SaveTransaction& tx) {
  bool ok = StagePublishers(doc, tx);
  if (ok && doc.scramble_base != kScrambleBase) {
    // The publisher table and the extension file change their base together or not at
    // all: a table of one base beside extension texts of another garbles the texts.
    ok = StageExtensions(doc, tx);
  }
  auto stage = [&](std::string_view name, const void* p, size_t size) {
    ok = ok && tx.Stage(name, p, size);
  };
  // A folder whose meeting file was empty or short still keeps every block that now
  // holds figures; a block's name is set at load and is not data.
  size_t blocks = std::min<size_t>(doc.attendance_blocks, 2);
  for (size_t b = 0; b < 2; ++b) {
    const AttendanceBlock& block = doc.attendance[b];
    const auto* first = reinterpret_cast<const uint8_t*>(&block) + sizeof block.name;
    const auto* last = reinterpret_cast<const uint8_t*>(&block) + sizeof block;
    if (std::any_of(first, last, [](uint8_t v) { return v != 0; }))
      blocks = std::max(blocks, b + 1);
  }
  stage(kFileMeetings, doc.attendance.data(), blocks * sizeof(AttendanceBlock));
  if (ok && doc.appointment_count >= 1 && doc.appointment_count <= kMaxAppointments) {
    Bytes appts = AppointmentImage(doc);
    stage(kFileAppointments, appts.data(), appts.size());
  }
  if (ok && doc.remark_count > 1) {
    Bytes remarks = ReadFile(ResolvePath(doc.data_folder, kFileRemarks)).value_or(Bytes{});
    if (auto compacted = CompactedRemarks(remarks)) remarks = std::move(*compacted);
    RemarkWriter writer(remarks);
    for (int i = 1; i < doc.remark_count; ++i) writer.Write(doc.remarks[i]);
    stage(kFileRemarks, remarks.data(), remarks.size());
  }
  stage(kFileFormatOptions, &doc.format, sizeof doc.format);
  if (ok && doc.settings) {
    WriteSettings(doc, doc.settings->ini());
    std::string image = doc.settings->Image();
    stage(kFileSettings, image.data(), image.size());
  }
  return ok;
}

bool SaveAll(CZarimDoc& doc, bool keep_marks) {
  (void)keep_marks;  // the table in memory never loses its marks (see StagePublishers)
  if (doc.history_view || doc.read_only) return false;
  doc.prompter->BeginBusy(Str(Sid::kWaitCaption), Str(Sid::kSavingYourData));
  SaveTransaction tx(doc.data_folder);
  bool ok = StageDocument(doc, tx);
  // The publisher table refuses to stage itself only when its header marker is damaged.
  std::string why =
      ok || !tx.error().empty() ? std::string() : std::string(Str(Sid::kDamagedMarker));
  // Files that belong to this save besides the tables (the catalog entry of a snapshot
  // that month initialization took).
  for (const auto& [name, bytes] : doc.pending_files) ok = ok && tx.Stage(name, bytes);
  // Nothing is committed unless every file was staged.
  if (ok && !tx.Commit()) ok = false;
  if (ok) doc.scramble_base = kScrambleBase;  // both scrambled files now carry this base
  doc.prompter->EndBusy();
  if (!ok) {
    if (why.empty()) why = tx.error();
    size_t colon = why.find(": ");
    if (colon != std::string::npos) {
      std::string file = JoinPath(doc.data_folder, why.substr(0, colon));
      doc.prompter->Tell(Fill(tx.left_journal() ? Sid::kSaveNotFinished : Sid::kSaveFailed, file,
                              why.substr(colon + 2)));
    } else {
      doc.prompter->Tell(Fill(Sid::kSaveFailed, JoinPath(doc.data_folder, kFilePublishers), why));
    }
  }
  // A save that lost a file is not a save: the changes stay marked, so closing still asks.
  if (ok) {
    doc.modified = 0;
    doc.pending_files.clear();
    // "No" at close goes back to the last save, so the remarks' undo copy follows it.
    if (doc.remark_undo_valid)
      if (auto bytes = ReadFile(ResolvePath(doc.data_folder, kFileRemarks)))
        WriteRemarkUndo(doc, *bytes);
  }
  return ok;
}

bool CloseDocument(CZarimDoc& doc) {
  if (doc.modified && !doc.history_view) {
    Answer a = doc.prompter->Ask(Str(Sid::kSaveChanges), Buttons::kYesNoCancel, Answer::kYes);
    if (a == Answer::kCancel) return false;
    // A failed save must not trap the user: the folder may stay unwritable, so after
    // saying so the choice is to keep working or to close without saving.
    if (a == Answer::kYes && !SaveAll(doc, false)) {
      if (doc.prompter->Ask(Fill(Sid::kCloseAfterFailedSave, doc.data_folder), Buttons::kYesNo,
                            Answer::kNo) != Answer::kYes)
        return false;
      a = Answer::kNo;
    }
    if (a != Answer::kYes) RestoreRemarksFromUndo(doc);
  }
  DropRemarkUndo(doc);
  return true;
}

}  // namespace zarim
