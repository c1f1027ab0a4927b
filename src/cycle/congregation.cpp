// Opening, saving and closing a data folder in one place.
#include "cycle/congregation.h"

#include <sys/stat.h>

#include <cstring>
#include <type_traits>

#include "core/corrections_file.h"
#include "core/data_files.h"
#include "core/file_copier.h"
#include "core/file_io.h"
#include "core/file_names.h"
#include "core/folder_files.h"
#include "core/folder_journal.h"
#include "core/older_files.h"
#include "core/older_folder_copy.h"
#include "core/settings.h"
#include "core/startup.h"
#include "core/strings.h"
#include "cycle/branch_totals.h"
#include "cycle/roll.h"

namespace zarim {

Congregation::Congregation(Prompter* prompter) : doc_(prompter) { RegisterStore(doc_, this); }

Congregation::~Congregation() { RegisterStore(doc_, nullptr); }

Congregation::Opened Congregation::Open(const OpenOptions& options, const Clock& clock,
                                        PasswordRunner& passwords) {
  failure_.clear();
  repairs_.clear();
  clock_ = &clock;
  // The lock comes before anything is read, so no other program changes the folder
  // between reading and saving, and recovery never meets another program's save.
  std::string why;
  bool held = false;
  lock_ =
      FolderLock::Take(options.data_folder,
                       options.read_only ? FolderLock::Mode::kShared : FolderLock::Mode::kExclusive,
                       options.program, &why, &held);
  if (!lock_) {
    failure_ = Fill(held ? Sid::kFolderInUse : Sid::kFolderLockFailed, options.data_folder, why);
    return held ? Opened::kInUse : Opened::kNoLock;
  }

  // A data file that is a link, a pipe or a device is refused by name: read as missing,
  // the next save would write an empty table over what it stands for.
  if (std::string odd = FirstIrregularDataFile(options.data_folder); !odd.empty()) {
    failure_ = Fill(Sid::kDataFileNotRegular, odd);
    lock_.reset();
    return Opened::kNotRecovered;
  }

  settings_ = std::make_unique<SettingsFile>(options.data_folder);
  StartupOptions start;
  start.data_folder = options.data_folder;
  start.language_code = options.language_code;
  start.read_only = options.read_only;
  start.load_depth = options.read_only ? options.load_depth : LoadDepth::kWhole;
  Opened refused = Opened::kPasswordRefused;
  // After the password: an interrupted save is completed and the folder read again as
  // the save left it. A writer also clears what a save that died before its journal left;
  // a reader touches the folder only for a save that had committed, and takes the lock
  // exclusively for that.
  start.after_password = [&](CZarimDoc& d) {
    // Only now, with the password accepted, is anything written: who holds the folder.
    if (!options.read_only) lock_->WriteHolder();
    // A restore or an undo that was cut off is journaled too; it is finished before the
    // folder is read again, so the folder is never read half restored.
    const bool restore_pending = FileExists(JoinPath(d.data_folder, Str(Sid::kRestoreJournal)));
    const bool pending = SaveTransaction::Pending(d.data_folder) || restore_pending;
    if (options.read_only && !pending) return true;
    std::string reason;
    if (!lock_->MakeExclusive(&reason)) {
      failure_ = Fill(Sid::kFolderInUse, d.data_folder, reason);
      refused = Opened::kInUse;
      return false;
    }
    if (!SaveTransaction::Recover(*lock_, &reason)) {
      auto colon = reason.find(": ");
      failure_ = Fill(Sid::kRecoveryFailed, reason.substr(0, colon),
                      colon == std::string::npos ? std::string() : reason.substr(colon + 2));
      refused = Opened::kNotRecovered;
      return false;
    }
    const Recovery restored = RecoverInterrupted(d.data_folder);
    if (restored == Recovery::kCompleted) d.prompter->Tell(Str(Sid::kInterruptedRestoreCompleted));
    if (pending || restored == Recovery::kCompleted) LoadRecords(d, clock);
    return true;
  };
  if (!CreateDocument(doc_, start, clock, *settings_, passwords)) {
    lock_.reset();
    return refused;
  }
  // What loading converted or repaired exists only in memory until a save writes it.
  if (doc_.converted || doc_.identifiers_repaired) MarkUnsaved();

  // A folder that holds data but has lost its publisher table would load as an empty
  // congregation, and a save would then write that over the data.
  // (A link in place of the table is not read either, so it counts as lost.)
  struct stat st;
  const std::string table = ResolvePath(doc_.data_folder, kFilePublishers);
  if (!(::lstat(table.c_str(), &st) == 0 && S_ISREG(st.st_mode)) &&
      !FileExists(ResolvePath(doc_.data_folder, kOldFilePublishers7))) {
    for (std::string_view name : {kFileTotals, kFileRemarks, kFileMeetings, kFileExtension,
                                  kFileEmergency, kFileSpecialNeeds, kFileAppointments}) {
      if (!FileExists(ResolvePath(doc_.data_folder, name))) continue;
      failure_ = Fill(Sid::kPublisherFileMissing, doc_.data_folder, kFilePublishers);
      lock_.reset();
      return Opened::kNotRecovered;
    }
  }

  // Names kept in another code page would be shown and saved garbled under this language.
  if (auto foreign = ForeignCodePage(settings_->ini(), doc_.count, doc_.language_code)) {
    failure_ = Fill(Sid::kCodePageDiffers, doc_.data_folder, *foreign);
    lock_.reset();
    return Opened::kOtherCodePage;
  }

  RefreshDerived();

  // A load that had to cut or repair data says so; the repair is saved only on request.
  const uint64_t stored = FileLength(doc_, kFilePublishers) / sizeof(PubRecord);
  if (stored > doc_.count && doc_.count == kMaxRecords)
    repairs_ = Fill(Sid::kRepairRecordsCut, std::to_string(kMaxRecords), std::to_string(stored));
  // Adding refuses a person past a list's capacity; a folder that already holds more
  // (written by another program) shows only the first ones in each list, and says so.
  for (uint8_t status : {kActive, kNonPublisher}) {
    int held = 0;
    for (int r = 1; r < doc_.count; ++r) held += doc_.records[r].status == status;
    if (held <= kMaxStatusList) continue;
    if (!repairs_.empty()) repairs_ += "; ";
    repairs_ +=
        Fill(Sid::kRepairListOverfull, std::to_string(held), std::to_string(kMaxStatusList));
  }
  if (doc_.identifiers_repaired && !doc_.converted && !doc_.conversion.groups_converted) {
    if (!repairs_.empty()) repairs_ += "; ";
    repairs_ += Str(Sid::kRepairIdentifiers);
  }
  if (!repairs_.empty()) doc_.prompter->Tell(Fill(Sid::kLoadRepaired, kFilePublishers, repairs_));

  // Converted data: the folder as it was is kept before anything of it is written, and the
  // user is told what came across and where the copy is. The converted totals reach the
  // disk with everything else in the first save's transaction (a folder left without a
  // save simply converts again). A reader only converts in memory.
  older_folder_set_.clear();
  time_ = options.time;
  if (doc_.converted && !doc_.read_only) {
    if (KeepOlderFolder()) {
      doc_.prompter->Tell(
          Fill(Sid::kConvertedNotice, ConvertedCountsText(doc_), older_folder_set_));
    } else {
      doc_.prompter->Tell(Fill(Sid::kConvertedNoCopy, ConvertedCountsText(doc_), older_failure_));
    }
  }
  ResetCorrections();
  return Opened::kOk;
}

bool Congregation::KeepOlderFolder() {
  if (!older_folder_set_.empty()) return true;
  SystemTimeSource system_time;
  const TimeSource& time = time_ ? *time_ : static_cast<const TimeSource&>(system_time);
  const std::string path =
      settings_->ini().GetString(Str(Sid::kBackupSection), Str(Sid::kBackupPathKey), "");
  auto set = KeepFolderAsBackupSet(doc_.data_folder, path, time.Now(), &older_failure_);
  if (!set) return false;
  older_folder_set_ = *set;
  return true;
}

bool Congregation::Save() {
  if (!is_open() || doc_.read_only) return false;
  // A save in the middle of an edit writes what the edit has made, with its derived state.
  Refresh();
  // Converted data are first written only after the folder as it was is kept.
  if (doc_.converted && !KeepOlderFolder())
    doc_.prompter->Tell(Fill(Sid::kConvertedNoCopy, ConvertedCountsText(doc_), older_failure_));
  if (!QueueCorrections()) return false;
  if (!SaveAll(doc_, true)) return false;
  pending_.clear();
  saved_ = logged_;
  RebaseOpenEdit();
  return true;
}

void Congregation::Refresh() {
  doc_.RebuildIndex();
  RefreshDerived();
}

std::string Congregation::CorrectionsNow() const {
  SystemTimeSource system_time;
  LocalTime t = time_ ? time_->Now() : system_time.Now();
  // The day is the program's today (which a test or --today may set), the hour the clock's.
  if (clock_) {
    const Date d = clock_->Today();
    t.year = d.year;
    t.month = d.month;
    t.day = d.day;
  }
  return CorrectionTime(t);
}

void Congregation::NoteChanges() {
  if (!is_open() || doc_.read_only || doc_.history_view) return;
  SentReports now = CaptureSentReports(doc_);
  std::vector<CorrectionEntry> entries = CorrectionsBetween(
      logged_, now, command_.empty() ? std::string(Str(Sid::kCorrectionsOtherCommand)) : command_,
      CorrectionsNow());
  pending_.insert(pending_.end(), std::make_move_iterator(entries.begin()),
                  std::make_move_iterator(entries.end()));
  logged_ = std::move(now);
}

bool Congregation::LogWithPending(Bytes* log) {
  std::string lines;
  for (const CorrectionEntry& e : pending_) lines += FormatCorrectionLine(e);
  std::string why;
  if (AppendCorrections(doc_.data_folder, lines, ServiceYearOfWhen(CorrectionsNow()), log, &why))
    return true;
  TellLogFailure(why);
  return false;
}

void Congregation::TellLogFailure(const std::string& why) {
  const size_t colon = why.find(": ");
  doc_.prompter->Tell(Fill(Sid::kSaveFailed, JoinPath(doc_.data_folder, kFileCorrections),
                           colon == std::string::npos ? why : why.substr(colon + 2)));
}

bool Congregation::QueueCorrections() {
  if (doc_.history_view || doc_.read_only) return true;
  NoteChanges();
  if (pending_.empty()) return true;
  Bytes log;
  if (!LogWithPending(&log)) return false;
  QueueFile(doc_, kFileCorrections, std::move(log));
  return true;
}

void Congregation::ResetCorrections() {
  pending_.clear();
  // A reader never logs: it keeps no view of the sent months (and spends nothing on one).
  if (doc_.history_view || doc_.read_only) return;
  logged_ = CaptureSentReports(doc_);
  saved_ = logged_;
}

// A restore has written its files in its own journaled change; what it changed in the sent
// months is logged at once, in a save of the log alone. Changes that were not saved before
// the restore are gone with it, so the comparison is with the data as last saved.
void Congregation::LogRestore() {
  SentReports now = CaptureSentReports(doc_);
  pending_ = CorrectionsBetween(saved_, now, std::string(Str(Sid::kCorrectionsRestoreCommand)),
                                CorrectionsNow());
  logged_ = now;
  saved_ = std::move(now);
  if (pending_.empty() || doc_.read_only) return;
  Bytes log;
  if (!LogWithPending(&log)) return;
  SaveTransaction tx(doc_.data_folder);
  if (tx.Stage(kFileCorrections, log) && tx.Commit())
    pending_.clear();
  else
    TellLogFailure(tx.error());
}

void Congregation::Reload(const ReloadRequest& what) {
  if (!is_open()) return;
  doc_.history_view = what.snapshot_folder.empty() ? 0 : 1;
  doc_.archive_folder = what.snapshot_folder;
  doc_.ClearTables();
  doc_.modified = 0;
  doc_.pending_files.clear();
  LoadAll(doc_, *clock_);
  if (what.serial >= 0 && doc_.working_serial != what.serial) {
    doc_.SetWorkingSerial(static_cast<uint16_t>(what.serial));
    doc_.BuildLateList();
    RestoreResumeId(doc_);
  }
  RefreshDerived();
  doc_.modified = 0;
  RebaseOpenEdit();
  if (doc_.history_view) return;
  if (what.restored)
    LogRestore();
  else
    ResetCorrections();
}

void Congregation::RefreshDerived() {
  if (!doc_.history_view) doc_.history_month_mask = ComputeHistoryMonthMask(doc_);
  RecomputeTotals(doc_);
}

EditScope Congregation::Edit(std::string command) {
  if (!command.empty()) command_ = std::move(command);
  return EditScope(*this);
}

// Everything of the document that an edit can change: the tables and the scalar state.
// The index lookup is rebuilt from the records after a rollback.
// clang-format off
#define ZARIM_EDITABLE(X) \
  X(records) \
  X(count) \
  X(index) \
  X(index_count) \
  X(lists) \
  X(status_count) \
  X(ext_index) \
  X(ext_count) \
  X(current_ext) \
  X(emergency_index) \
  X(emergency_count) \
  X(special_needs_index) \
  X(special_needs_count) \
  X(household_undo) \
  X(household_undo_count) \
  X(appointments) \
  X(appointment_count) \
  X(remarks) \
  X(remark_count) \
  X(late) \
  X(late_count) \
  X(groups) \
  X(attendance) \
  X(attendance_blocks) \
  X(totals) \
  X(format) \
  X(working_month) \
  X(live_working_month) \
  X(working_year) \
  X(working_serial) \
  X(early_year) \
  X(early_month) \
  X(early_allowed) \
  X(history_view) \
  X(history_month) \
  X(history_year) \
  X(history_month_mask) \
  X(modified) \
  X(co_record) \
  X(switch_serial) \
  X(new_report_form) \
  X(special_circumstances_present) \
  X(special_servants_present) \
  X(erase_late_enabled) \
  X(resume_id) \
  X(options) \
  X(pending_files)
// clang-format on

// What the derived state is built from: every editable field but the index, the lists,
// their counts and lookups, the history mask and the modified flag.
// clang-format off
#define ZARIM_SOURCE(X) \
  X(records) X(count) X(ext_index) X(ext_count) X(emergency_index) X(emergency_count) \
  X(special_needs_index) X(special_needs_count) X(household_undo) X(household_undo_count) \
  X(appointments) X(appointment_count) X(remarks) X(remark_count) X(late) X(late_count) \
  X(groups) X(attendance) X(attendance_blocks) X(totals) X(format) X(working_month) \
  X(live_working_month) X(working_year) X(working_serial) X(early_year) X(early_month) \
  X(early_allowed) X(history_view) X(history_month) X(history_year) X(switch_serial) \
  X(new_report_form) X(special_circumstances_present) X(special_servants_present) \
  X(erase_late_enabled) X(resume_id) X(options) X(pending_files)
// clang-format on

namespace {

template <class T>
concept PlainTable = requires(const T& t) {
  t.data();
  t.size();
  requires std::is_trivially_copyable_v<typename T::value_type>;
};

// Whether two copies of a field hold the same bytes (plain tables) or values.
template <class T>
bool Same(const T& a, const T& b) {
  if constexpr (std::is_trivially_copyable_v<T>) {
    return std::memcmp(&a, &b, sizeof a) == 0;
  } else if constexpr (PlainTable<T>) {
    return a.size() == b.size() &&
           std::memcmp(a.data(), b.data(), a.size() * sizeof(typename T::value_type)) == 0;
  } else {
    return a == b;
  }
}

}  // namespace

struct DocumentCopy {
#define ZARIM_FIELD(f) decltype(CZarimDoc::f) f;
  ZARIM_EDITABLE(ZARIM_FIELD)
#undef ZARIM_FIELD
  void Take(const CZarimDoc& doc) {
#define ZARIM_TAKE(f) f = doc.f;
    ZARIM_EDITABLE(ZARIM_TAKE)
#undef ZARIM_TAKE
  }
  bool SameSource(const CZarimDoc& doc) const {
#define ZARIM_SAME(f) &&Same(f, doc.f)
    return true ZARIM_SOURCE(ZARIM_SAME);
#undef ZARIM_SAME
  }
};

void Congregation::RebaseOpenEdit() {
  if (open_edit_) open_edit_->Take(doc_);
}

EditScope::EditScope(Congregation& owner) : owner_(&owner), before_(new DocumentCopy) {
  before_->Take(owner.doc_);
  owner.open_edit_ = before_.get();
}

EditScope::EditScope(EditScope&& other) noexcept
    : owner_(other.owner_), before_(std::move(other.before_)) {}

EditScope::~EditScope() {
  if (!before_) return;
  owner_->open_edit_ = nullptr;
  CZarimDoc& doc = owner_->doc_;
#define ZARIM_PUT(f) doc.f = std::move(before_->f);
  ZARIM_EDITABLE(ZARIM_PUT)
#undef ZARIM_PUT
  const uint32_t modified = doc.modified;
  doc.RebuildIndex();  // the identifier lookup, from the records as they were
  doc.modified = modified;
}

CZarimDoc& EditScope::doc() { return owner_->doc_; }

void EditScope::TakeAll(const CZarimDoc& made) {
  CZarimDoc& doc = owner_->doc_;
#define ZARIM_TAKE_MADE(f) doc.f = made.f;
  ZARIM_EDITABLE(ZARIM_TAKE_MADE)
#undef ZARIM_TAKE_MADE
}

void EditScope::Commit() {
  if (!before_) return;
  owner_->open_edit_ = nullptr;
  // A command that closed the folder (the end of the program) leaves nothing to refresh.
  if (owner_->is_open()) {
    const bool changed = !before_->SameSource(owner_->doc_);
    owner_->Refresh();
    if (changed) owner_->doc_.MarkModified();
    owner_->NoteChanges();
  }
  before_.reset();
}

bool Congregation::Close() {
  if (!is_open()) return true;
  if (!doc_.read_only && !doc_.history_view) RecomputeTotals(doc_);
  if (doc_.converted && doc_.modified && !doc_.read_only) KeepOlderFolder();
  // A save at close writes the log with the data; a log that cannot be written keeps the
  // program open (the user has been told why).
  if (doc_.modified && !QueueCorrections()) return false;
  if (!CloseDocument(doc_)) return false;
  lock_.reset();
  return true;
}

void Congregation::Discard() {
  if (!is_open()) return;
  if (!doc_.read_only && !doc_.history_view) {
    RestoreRemarksFromUndo(doc_);
    DropRemarkUndo(doc_);
  }
  lock_.reset();
}

}  // namespace zarim
