// "remark9.dat": the remarks of the monthly cells, with the undo copy "rmkundo.dat".
#include "core/remark_file.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <map>
#include <set>
#include <tuple>

#include "core/file_names.h"
#include "core/file_ops.h"
#include "core/strings.h"

namespace zarim {

namespace {

constexpr size_t kRec = sizeof(RemarkEntry);

RemarkEntry EntryAt(const Bytes& file, size_t i) {
  RemarkEntry e;
  std::memcpy(&e, file.data() + i * kRec, kRec);
  return e;
}

bool TrimmedEmpty(const RemarkEntry& e) { return Trim(FieldText(e.text, sizeof e.text)).empty(); }

std::string RemarksPath(const CZarimDoc& doc) {
  return ResolvePath(doc.FolderForFiles(), kFileRemarks);
}

// Checksum of the undo copy (FNV-1a): enough to tell a whole copy from a cut or
// damaged one.
uint64_t Checksum(const Bytes& b) {
  uint64_t h = 1469598103934665603ull;
  for (uint8_t c : b) h = (h ^ c) * 1099511628211ull;
  return h;
}

}  // namespace

void LoadRemarksAtStart(CZarimDoc& doc) {
  std::optional<Bytes> file = ReadFile(RemarksPath(doc));
  doc.remark_undo_valid = false;
  if (!doc.history_view && !doc.read_only && file) WriteRemarkUndo(doc, *file);
  for (int r = 1; r < doc.count; ++r)
    for (auto& m : doc.records[r].remark)
      for (auto& c : m) c = 0;
  if (file)
    if (auto compacted = CompactedRemarks(*file)) file = std::move(compacted);
  LoadRemarks(doc, file ? &*file : nullptr);
}

bool WriteRemarkUndo(CZarimDoc& doc, const Bytes& remarks) {
  std::string path = JoinPath(doc.data_folder, kFileRemarkUndo);
  doc.remark_undo_valid = false;
  errno = 0;
  bool ok = WriteFileAtomic(path, remarks.data(), remarks.size());
  int err = errno;
  if (ok) {
    auto back = ReadFile(path);
    ok = back && *back == remarks;
    if (!ok) err = EIO;
  }
  if (!ok) {
    doc.prompter->Tell(Fill(Sid::kRemarkUndoFailed, path, std::strerror(err ? err : EIO)));
    return false;
  }
  doc.remark_undo_valid = true;
  doc.remark_undo_size = remarks.size();
  doc.remark_undo_sum = Checksum(remarks);
  return true;
}

bool RestoreRemarksFromUndo(CZarimDoc& doc) {
  if (doc.history_view || !doc.remark_undo_valid) return false;
  // A save that stopped after its journal is completed at the next start; putting the
  // old remarks back now would leave a mix of old and new files.
  if (FileExists(JoinPath(doc.data_folder, kJournalName))) return false;
  std::string undo_path = ResolvePath(doc.data_folder, kFileRemarkUndo);
  auto undo = ReadFile(undo_path);
  if (!undo || undo->size() != doc.remark_undo_size || Checksum(*undo) != doc.remark_undo_sum)
    return false;
  std::string target = ResolvePath(doc.data_folder, kFileRemarks);
  if (auto now = ReadFile(target); now && *now == *undo) return true;
  // The copy goes back by a rename: atomic, and it needs no room on a full disk. The
  // copy is used up; the next load writes a new one.
  if (fileops::Rename(undo_path, target) != 0) return false;
  doc.remark_undo_valid = false;
  fileops::FlushFolder(doc.data_folder);
  return true;
}

void DropRemarkUndo(CZarimDoc& doc) {
  if (doc.history_view || doc.read_only) return;
  std::string undo = ResolvePath(doc.data_folder, kFileRemarkUndo);
  if (FileExists(undo)) RemoveFile(undo);
  doc.remark_undo_valid = false;
}

std::optional<Bytes> CompactedRemarks(const Bytes& in) {
  const Bytes* file = &in;
  if (file->size() < 3 * kRec) return std::nullopt;
  size_t n = std::min(file->size() / kRec, static_cast<size_t>(kRemarkLoadLimit));
  const auto keeps = [](const RemarkEntry& e) { return e.month != 0 && e.id >= kFirstValidId; };
  // A file this program wrote is compact already: its header, then every entry kept and
  // no cell twice. That is told from the sorted cells alone, without rewriting anything.
  if (file->size() / kRec <= static_cast<size_t>(kRemarkLoadLimit)) {
    // The cells go into an open-addressed set with room for twice as many: a cell met
    // twice ends the test at once.
    std::vector<uint32_t> seen(size_t{1} << std::bit_width(2 * n), 0);
    const size_t mask = seen.size() - 1;
    size_t cells = 0;
    bool twice = false;
    for (size_t i = 0; i < n && !twice; ++i) {
      RemarkEntry e = EntryAt(*file, i);
      if (!keeps(e)) continue;
      // Never 0: a kept entry has a month.
      const uint32_t cell = uint32_t{e.month} << 24 | uint32_t{e.slot} << 16 | e.id;
      for (size_t h = (cell * 0x9E3779B1u) & mask;; h = (h + 1) & mask) {
        if (seen[h] == cell) twice = true;
        if (seen[h] == cell || seen[h] == 0) {
          seen[h] = cell;
          break;
        }
      }
      ++cells;
    }
    if (!twice && cells >= 3 && cells + 1 == file->size() / kRec &&
        std::all_of(file->begin(), file->begin() + kRec, [](uint8_t b) { return b == 0; }))
      return std::nullopt;
  }
  std::vector<RemarkEntry> kept;
  kept.reserve(n);
  for (size_t i = 0; i < n; ++i) {
    RemarkEntry e = EntryAt(*file, i);
    if (keeps(e)) kept.push_back(e);
  }
  // An entry is dropped when a later entry of the same publisher, month and slot has a
  // text: only the last remark of a cell counts.
  std::map<std::tuple<uint8_t, uint8_t, uint16_t>, size_t> last_with_text;
  for (size_t j = 0; j < kept.size(); ++j)
    if (kept[j].id >= kFirstValidId && kept[j].text[0] != 0)
      last_with_text[{kept[j].month, kept[j].slot, kept[j].id}] = j;
  for (size_t i = 0; i < kept.size(); ++i) {
    if (kept[i].id < kFirstValidId) continue;
    auto it = last_with_text.find({kept[i].month, kept[i].slot, kept[i].id});
    if (it != last_with_text.end() && it->second > i) {
      kept[i].month = 0;
      kept[i].id = 0;
    }
  }
  if (kept.size() < 3) return std::nullopt;
  Bytes out(kRec, 0);
  for (const auto& e : kept) {
    if (e.month == 0 && e.id == 0) continue;
    const auto* p = reinterpret_cast<const uint8_t*>(&e);
    out.insert(out.end(), p, p + kRec);
  }
  if (out == *file) return std::nullopt;
  return out;
}

void LoadRemarks(CZarimDoc& doc) {
  auto file = ReadFile(RemarksPath(doc));
  LoadRemarks(doc, file ? &*file : nullptr);
}

void LoadRemarks(CZarimDoc& doc, const Bytes* file) {
  // A table that never held a remark is zero already (a new or cleared document).
  if (doc.remark_count != 0) std::fill(doc.remarks.begin(), doc.remarks.end(), RemarkEntry{});
  doc.remark_count = 1;
  if (file) {
    size_t n = file->size() / kRec;
    for (size_t i = 1; i < n && doc.remark_count < kRemarkLoadLimit; ++i) {
      RemarkEntry e = EntryAt(*file, i);
      // Identifier 10 is the first publisher of every congregation: his remarks load too.
      if (e.month == 0 || e.month > 12 || e.id < kFirstValidId) continue;
      e.text[43] = 0;
      const std::string_view text =
          Trim(std::string_view(e.text, FieldLength(e.text, sizeof e.text)));
      if (text.empty()) continue;
      PubRecord* rec = doc.FindById(e.id);
      if (!rec) continue;
      // A load for counts only counts the remarks.
      if (doc.load_depth != LoadDepth::kWhole) {
        ++doc.remark_count;
        continue;
      }
      // The trimmed text lies inside the field itself: it moves to the start, zeros follow.
      const size_t len = text.size();
      std::memmove(e.text, text.data(), len);
      std::memset(e.text + len, 0, sizeof e.text - len);
      doc.remarks[doc.remark_count] = e;
      rec->remark[e.month - 1][e.slot % 2] = doc.remark_count;
      ++doc.remark_count;
    }
  }
  for (int r = 1; r < doc.count; ++r)
    for (auto& m : doc.records[r].remark)
      for (auto& c : m)
        if (c >= doc.remark_count) c = 0;
}

namespace {

uint32_t KeyOf(const RemarkEntry& e) {
  return (static_cast<uint32_t>(e.id) << 16) | (static_cast<uint32_t>(e.month) << 8) | e.slot;
}

}  // namespace

// Writing entries one after another into the file image, each by the rule: the first
// record of the same publisher, month and slot; else the last record with an empty text;
// else a new record at the end (after a zero header record in an empty file). The
// positions are kept in maps so that a whole save stays linear.
RemarkWriter::RemarkWriter(Bytes& file) : file_(file) {
  file_.resize(file_.size() / kRec * kRec);  // a cut final record is not a record
  size_t n = file_.size() / kRec;
  for (size_t i = 1; i < n; ++i) Note(i, EntryAt(file_, i));
}

void RemarkWriter::Note(size_t pos, const RemarkEntry& e) {
  by_key_[KeyOf(e)].insert(pos);
  if (TrimmedEmpty(e)) empties_.insert(pos);
}

void RemarkWriter::Forget(size_t pos, const RemarkEntry& e) {
  auto it = by_key_.find(KeyOf(e));
  if (it != by_key_.end()) {
    it->second.erase(pos);
    if (it->second.empty()) by_key_.erase(it);
  }
  empties_.erase(pos);
}

void RemarkWriter::Write(const RemarkEntry& entry_in) {
  RemarkEntry entry = entry_in;
  entry.text[43] = 0;
  size_t n = file_.size() / kRec;
  size_t target = 0;  // 0: append
  if (n >= 2) {
    auto it = by_key_.find(KeyOf(entry));
    if (it != by_key_.end() && !it->second.empty()) {
      target = *it->second.begin();
    } else if (!empties_.empty()) {
      target = *empties_.rbegin();
    }
  }
  if (target == 0) {
    if (file_.empty()) file_.assign(kRec, 0);
    target = file_.size() / kRec;
    file_.resize(file_.size() + kRec);
  } else {
    Forget(target, EntryAt(file_, target));
  }
  std::memcpy(file_.data() + target * kRec, &entry, kRec);
  Note(target, entry);
}

void WriteRemarkInto(Bytes& file, const RemarkEntry& entry) { RemarkWriter(file).Write(entry); }

bool WriteRemark(CZarimDoc& doc, const RemarkEntry& entry) {
  if (doc.history_view) return false;
  std::string path = JoinPath(doc.data_folder, kFileRemarks);
  std::string existing = ResolvePath(doc.data_folder, kFileRemarks);
  Bytes file = ReadFile(existing).value_or(Bytes{});
  WriteRemarkInto(file, entry);
  return WriteFileAtomic(existing, file.data(), file.size()) ||
         WriteFileAtomic(path, file.data(), file.size());
}

bool StageRemarks(const CZarimDoc& doc, SaveTransaction& tx) {
  if (doc.remark_count > 1) {
    Bytes remarks = ReadFile(ResolvePath(doc.data_folder, kFileRemarks)).value_or(Bytes{});
    if (auto compacted = CompactedRemarks(remarks)) remarks = std::move(*compacted);
    RemarkWriter writer(remarks);
    for (int i = 1; i < doc.remark_count; ++i) writer.Write(doc.remarks[i]);
    return tx.Stage(kFileRemarks, remarks.data(), remarks.size());
  }
  return true;
}

}  // namespace zarim
