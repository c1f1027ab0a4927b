// The monthly snapshot and the mask of months that have one.
#include "cycle/roll.h"

#include "core/catalog.h"
#include "core/file_copier.h"
#include "core/file_io.h"
#include "core/file_names.h"
#include "core/local_time.h"
#include "core/month.h"
#include "core/strings.h"

namespace zarim {

std::string SnapshotFolder(const CZarimDoc& doc, int n) {
  return ArchiveFolderOf(doc.data_folder, n);
}

bool SnapshotTakenThisYear(const CZarimDoc& doc, int n) {
  std::string file = ResolvePath(SnapshotFolder(doc, n), kFilePublishers);
  if (FileSize(file) <= 500) return false;
  auto modified = FileModified(file);
  return modified && modified->year - 2000 >= doc.working_year;
}

RollResult TakeRollSnapshot(CZarimDoc& doc, int month) {
  const int n = SnapshotNumber(month);
  if (SnapshotTakenThisYear(doc, n)) return RollResult::kAlreadyTaken;
  std::string folder = SnapshotFolder(doc, n);
  FileCopier copier(doc.data_folder, doc.prompter);
  bool ok = MakeFolder(RollFolderOf(doc.data_folder)) && MakeFolder(folder);
  if (ok) {
    // Files of a year ago that the data folder no longer has must not stay mixed in.
    copier.DeleteFileSet(folder);
    ok = copier.CopyFileSet(folder, CopyDirection::kToFolder);
    ok = FileCopier::Flush(folder) && ok;
  }
  doc.MarkModified();
  if (!ok) {
    doc.prompter->Tell(Fill(Sid::kSnapshotIncomplete, folder));
    return RollResult::kIncomplete;
  }
  std::string label = Printf(Sid::kRollCatalogLabel, MonthName(doc.today_month - 1).c_str(),
                             doc.today_day, doc.today_year);
  Catalog::AddEntry(doc.data_folder, label, folder);
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
