// Loading and saving the data folder: the publisher table and every companion file.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string_view>
#include <unordered_map>

#include "core/document.h"
#include "core/file_io.h"
#include "core/ports.h"

namespace zarim {

// Called between reading the records and reading the meeting and remark files; returning
// false stops the load (the password check of start-up).
using LoadGate = std::function<bool(CZarimDoc&)>;

// Loads the whole folder in its order. False when the gate refused.
bool LoadAll(CZarimDoc& doc, const Clock& clock, const LoadGate& gate = {});
// The two halves of LoadAll: everything up to the password, and the rest.
void LoadRecords(CZarimDoc& doc, const Clock& clock);
void FinishLoad(CZarimDoc& doc);

// Writes every file of the document as one atomic save. keep_marks is false only for the
// save at close. True when every file was written; otherwise the user has been told which
// file failed and the modified flag stays set. Nothing is written in the history view.
bool SaveAll(CZarimDoc& doc, bool keep_marks = true);

// The close-time question. False when the user chose Cancel, or when a save failed and
// the user chose to keep working: the program stays open.
bool CloseDocument(CZarimDoc& doc);

// Size in bytes of a file of the data folder, 0 when it cannot be opened.
uint64_t FileLength(const CZarimDoc& doc, std::string_view name);
void ReportCreateFailure(const CZarimDoc& doc, std::string_view name);

// ---- The single files (also used by conversion, restore and the tests) ---------------
void LoadPublishers(CZarimDoc& doc, const Clock& clock);
// Stages the publisher table with tlt15.dat, tcard.dat and bkstudy.dat; false when a
// file could not be staged (reported).
bool StagePublishers(CZarimDoc& doc, SaveTransaction& tx);
void RestoreLessThanHourMarks(CZarimDoc& doc);

void LoadMeetings(CZarimDoc& doc);
void LoadAppointments(CZarimDoc& doc);
void LoadFormatOptions(CZarimDoc& doc);

// Remarks: the copy for undo and loading at start-up. The file is compacted (entries of no
// cell and entries a later one of the same cell replaces are dropped) in memory; the
// compacted form reaches the disk with the next save.
void LoadRemarksAtStart(CZarimDoc& doc);
// The compacted image of a remark file, or nothing when compaction would not change it.
std::optional<Bytes> CompactedRemarks(const Bytes& file);
void LoadRemarks(CZarimDoc& doc);
void LoadRemarks(CZarimDoc& doc, const Bytes* file);
// Writes the undo copy "rmkundo.dat" atomically and checks it by reading it back; the
// document remembers its size and checksum. False (the user told) when it failed: then
// no copy is ever put back.
bool WriteRemarkUndo(CZarimDoc& doc, const Bytes& remarks);
// Puts the undo copy back over remark9.dat, only when it is whole (the size and checksum
// recorded when it was written). False when there was nothing whole to put back.
bool RestoreRemarksFromUndo(CZarimDoc& doc);
// Removes the undo copy at the end of a run.
void DropRemarkUndo(CZarimDoc& doc);
// Writes one entry into remark9.dat in place (atomically).
bool WriteRemark(CZarimDoc& doc, const RemarkEntry& entry);
// Applies WriteRemark's placement rule to a file image; used by the save.
void WriteRemarkInto(Bytes& file, const RemarkEntry& entry);
class RemarkWriter {
 public:
  explicit RemarkWriter(Bytes& file);
  void Write(const RemarkEntry& entry);

 private:
  void Note(size_t pos, const RemarkEntry& e);
  void Forget(size_t pos, const RemarkEntry& e);
  Bytes& file_;
  std::unordered_map<uint32_t, std::set<size_t>> by_key_;
  std::set<size_t> empties_;
};

// The extension file, addressed by record number.
void LoadExtensions(CZarimDoc& doc);
bool ReadExt(CZarimDoc& doc, int n, int key);
bool WriteExt(CZarimDoc& doc, int n);
int AddExt(CZarimDoc& doc);
// The publisher table is always saved with this program's base; an extension file of
// another base is rewritten with it in the same save (nothing is staged otherwise).
bool StageExtensions(CZarimDoc& doc, SaveTransaction& tx);
uint16_t ExtContentFlags(const ExtRecord& plain);

void LoadEmergency(CZarimDoc& doc);
void LoadSpecialNeeds(CZarimDoc& doc);

// Adds or overwrites the appointment (id, kind); marks the document modified.
bool StoreAppointment(CZarimDoc& doc, const AppointmentRecord& a);

}  // namespace zarim
