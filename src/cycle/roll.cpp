// The monthly snapshot and the mask of months that have one.
#include "cycle/roll.h"

#include "core/catalog.h"
#include "core/data_files.h"
#include "core/file_copier.h"
#include "core/file_io.h"
#include "core/file_names.h"
#include "core/folder_journal.h"
#include "core/local_time.h"
#include "core/month.h"
#include "core/strings.h"

namespace zarim {

namespace {

// Writes the snapshot into `folder` (created fresh): the set's files as they are on disk
// (the emergency and special-needs files are written when they are edited),
// then over them every file a save writes, made from the tables in memory, so that work
// not saved yet is in the snapshot too.
bool WriteSnapshotInto(CZarimDoc& doc, const std::string& folder) {
  FileCopier copier(doc.data_folder, doc.prompter);
  bool ok = copier.CopyFileSet(folder, CopyDirection::kToFolder);
  if (!ok) return false;
  SaveTransaction tx(folder);
  // The marker makes the snapshot restorable from the catalog like a backup set.
  return StageDocument(doc, tx) && tx.Commit() && WriteSetMarker(folder);
}

// Adds the snapshot's catalog entry to the next save, on top of an entry still waiting.
void QueueCatalogEntry(CZarimDoc& doc, const std::string& label, const std::string& path) {
  const Bytes* queued = QueuedFile(doc, kBackupCatalogFile);
  Catalog c = queued ? Catalog::Parse(*queued) : Catalog::Read(doc.data_folder);
  c.Push(CatalogEntry{label, path});
  QueueFile(doc, kBackupCatalogFile, c.Image());
}

}  // namespace

std::string SnapshotFolder(const CZarimDoc& doc, int n) {
  return ArchiveFolderOf(doc.data_folder, n);
}

bool SnapshotTakenThisYear(const CZarimDoc& doc, int n) {
  std::string file = ResolvePath(SnapshotFolder(doc, n), kFilePublishers);
  if (FileSize(file) <= 500) return false;
  auto modified = FileModified(file);
  if (!modified) return false;
  // Snapshot n is taken when the month after it is initialized, never before that
  // month's first day; a file older than that belongs to the year before (for
  // November, last year's was taken in January of this calendar year).
  const int year = 2000 + doc.working_year;
  const int month = n % 12 + 1;  // 1-based month after n
  return modified->year > year || (modified->year == year && modified->month >= month);
}

RollResult TakeRollSnapshot(CZarimDoc& doc, int month) {
  const int n = SnapshotNumber(month);
  const std::string folder = SnapshotFolder(doc, n);
  const std::string path = AbsolutePath(folder);
  const std::string label = Printf(Sid::kRollCatalogLabel, MonthName(doc.today_month - 1).c_str(),
                                   doc.today_day, doc.today_year);
  if (SnapshotTakenThisYear(doc, n)) {
    // A run cut off between putting the snapshot in place and the save left it out of the
    // catalog; the initialization that finds it lists it in its own save.
    const Bytes* queued = QueuedFile(doc, kBackupCatalogFile);
    Catalog c = queued ? Catalog::Parse(*queued) : Catalog::Read(doc.data_folder);
    bool listed = false;
    for (const CatalogEntry& e : c.entries()) listed = listed || e.path == path;
    if (!listed && path.size() < kCatalogPathSize) QueueCatalogEntry(doc, label, path);
    return RollResult::kAlreadyTaken;
  }
  const std::string built = folder + std::string(kBuildSuffix);
  // The snapshot is built whole under another name and then put in place at once: a
  // cut-off snapshot is never found under the month's name.
  bool ok = RemoveTree(built) && MakeFolder(RollFolderOf(doc.data_folder)) &&
            MakeFolder(built, true) && WriteSnapshotInto(doc, built) &&
            SwapFolderInto(built, folder);
  if (!ok) {
    RemoveTree(built);
    doc.prompter->Tell(Fill(Sid::kSnapshotIncomplete, folder));
    return RollResult::kIncomplete;
  }
  if (path.size() < kCatalogPathSize) QueueCatalogEntry(doc, label, path);
  return RollResult::kTaken;
}

uint32_t ComputeHistoryMonthMask(const CZarimDoc& doc) {
  uint32_t mask = 0;
  for (int k = 1; k <= 6; ++k) {
    int j = MonthsBefore(doc.live_working_month, k) + 1;
    if (FileExists(ResolvePath(SnapshotFolder(doc, j), kFilePublishers))) mask |= 1u << k;
  }
  return mask;
}

}  // namespace zarim
