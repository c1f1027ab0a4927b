// "remark9.dat": the remarks of the monthly cells, with the undo copy "rmkundo.dat".
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <unordered_map>

#include "core/document.h"
#include "core/file_io.h"

namespace zarim {

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
// Stages remark9.dat into tx when the document holds remarks: the file on disk, compacted,
// with the document's entries written into it. False when it could not be staged.
bool StageRemarks(const CZarimDoc& doc, SaveTransaction& tx);

}  // namespace zarim
