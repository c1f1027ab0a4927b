// Loading the data folder in its order, and saving and closing it as a whole.
#include "core/data_files.h"

#include <cassert>

#include "core/file_names.h"
#include "core/folder_journal.h"
#include "core/older_files.h"
#include "core/scramble.h"
#include "core/settings.h"
#include "core/strings.h"

namespace zarim {

// Nothing here writes: the password has not been asked yet. An interrupted save is
// completed by the folder's owner (Congregation) after the password, under its lock.
void LoadRecords(CZarimDoc& doc, const Clock& clock) {
  LoadFormatOptions(doc);
  // The extension index needs the scrambling base, which the publisher table's marker
  // tells; so the table is read first.
  LoadPublishers(doc, clock);
  LoadExtensions(doc);
  LoadAppointments(doc);
  doc.identifiers_repaired = doc.RepairIdentifiers();  // on the index the table's load built
}

void FinishLoad(CZarimDoc& doc) {
  // The emergency contacts may be tidied on disk, so they are read after the password.
  LoadEmergency(doc);
  LoadSpecialNeeds(doc);
  LoadMeetings(doc);
  LoadRemarksAtStart(doc);
  if (doc.converted) {
    ConvertOlderMeetings(doc);
    ConvertOlderRemarks(doc);
  }
  doc.special_servants_present = 0;
  doc.special_circumstances_present = 0;
  for (int r = 1; r < doc.count; ++r) {
    const PubRecord& rec = doc.records[r];
    if (rec.status == kActive && (rec.service_flags & kSpecialServant))
      doc.special_servants_present = 1;
    if (rec.special_circumstances & (kDeaf | kBlind | kIncarcerated))
      doc.special_circumstances_present = 1;
  }
}

bool LoadAll(CZarimDoc& doc, const Clock& clock, const LoadGate& gate) {
  LoadRecords(doc, clock);
  if (gate && !gate(doc)) return false;
  FinishLoad(doc);
  return true;
}

// A document loaded in part lacks what a save writes: writing it would lose the rest.
// Nothing may try; the refusal stands in builds without assertions.
static bool LoadedWhole(const CZarimDoc& doc) {
  assert(doc.load_depth == LoadDepth::kWhole);
  return doc.load_depth == LoadDepth::kWhole;
}

// Stages every file of the document into tx; false at the first file that cannot be
// staged (the transaction then must not commit). The save and the month snapshot share it.
bool StageDocument(CZarimDoc& doc, SaveTransaction& tx) {
  if (!LoadedWhole(doc)) return false;
  // The publisher table and the extension file change their base together or not at
  // all: a table of one base beside extension texts of another garbles the texts.
  bool ok = StagePublishers(doc, tx) && StageExtensions(doc, tx);
  ok = ok && StageMeetings(doc, tx);
  ok = ok && StageAppointments(doc, tx);
  ok = ok && StageRemarks(doc, tx);
  ok = ok && StageFormatOptions(doc, tx);
  if (ok && doc.settings) {
    WriteSettings(doc, doc.settings->ini());
    std::string image = doc.settings->Image();
    ok = tx.Stage(kFileSettings, image.data(), image.size());
  }
  return ok;
}

bool SaveAll(CZarimDoc& doc, bool keep_marks) {
  (void)keep_marks;  // the table in memory never loses its marks (see StagePublishers)
  if (!LoadedWhole(doc) || doc.history_view || doc.read_only) return false;
  doc.prompter->BeginBusy(Str(Sid::kWaitCaption), Str(Sid::kSavingYourData));
  SaveTransaction tx(doc.data_folder);
  bool ok = StageDocument(doc, tx);
  // The publisher table refuses to stage itself only when its header marker is damaged.
  std::string why =
      ok || !tx.error().empty() ? std::string() : std::string(Str(Sid::kDamagedMarker));
  // Files that belong to this save besides the tables (the catalog entry of a snapshot
  // that month initialization took).
  for (const auto& [name, bytes] : doc.pending_files)
    if (name != kFileExtension) ok = ok && tx.Stage(name, bytes);
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

Bytes* QueuedFile(CZarimDoc& doc, std::string_view name) {
  for (auto& [file, bytes] : doc.pending_files)
    if (file == name) return &bytes;
  return nullptr;
}

void QueueFile(CZarimDoc& doc, std::string_view name, Bytes bytes) {
  if (Bytes* queued = QueuedFile(doc, name))
    *queued = std::move(bytes);
  else
    doc.pending_files.emplace_back(std::string(name), std::move(bytes));
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
