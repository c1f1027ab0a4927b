// Viewing the monthly snapshots read-only.
#include "cycle/old_reports.h"

#include "core/data_files.h"
#include "core/file_io.h"
#include "core/file_names.h"
#include "core/month.h"
#include "core/strings.h"
#include "cycle/branch_totals.h"
#include "cycle/roll.h"

namespace zarim {

OldReportsViewer::OldReportsViewer(CZarimDoc& doc, DocumentStore& store)
    : doc_(doc), store_(store), live_serial_(doc.working_serial) {}

void OldReportsViewer::RefreshMask() {
  if (!doc_.history_view) live_serial_ = doc_.working_serial;
  doc_.history_month_mask = ComputeHistoryMonthMask(doc_);
}

bool OldReportsViewer::MenuShown() const { return (doc_.history_month_mask & 0x7E) != 0; }

std::vector<OldReportItem> OldReportsViewer::Items() const {
  std::vector<OldReportItem> items;
  for (int k = 1; k <= 6; ++k)
    items.push_back(OldReportItem{MonthYearOfSerial(live_serial_ - k),
                                  (doc_.history_month_mask >> k & 1u) != 0});
  return items;
}

bool OldReportsViewer::View(int k) {
  if (k < 1 || k > 6 || !(doc_.history_month_mask >> k & 1u)) return false;
  if (!doc_.history_view) {
    live_serial_ = doc_.working_serial;
    if (doc_.modified) {
      Answer a = doc_.prompter->Ask(Str(Sid::kSaveChanges), Buttons::kYesNoCancel, Answer::kYes);
      if (a == Answer::kCancel) return false;
      if (a == Answer::kYes) {
        if (!store_.Save()) return false;  // the user has been told; stay with the data
      } else {
        RestoreRemarksFromUndo(doc_);  // only a whole undo copy is put back
      }
    }
    DropRemarkUndo(doc_);
  }

  const int live_month = MonthOfSerial(live_serial_);
  const int live_year = YearOfSerial(live_serial_);
  const int j = MonthsBefore(live_month, k) + 1;
  const int viewed_month = j - 1;
  const int viewed_year = viewed_month >= live_month ? live_year - 1 : live_year;
  std::string folder = SnapshotFolder(doc_, j);
  if (!FileExists(ResolvePath(folder, kFilePublishers))) {
    Return();
    return false;
  }

  doc_.history_month = static_cast<uint8_t>(viewed_month);
  doc_.history_year = static_cast<uint8_t>(viewed_year);
  // The snapshot is shown as its own month.
  store_.Reload(ReloadRequest{folder, Serial(viewed_year, viewed_month)});
  doc_.live_working_month = static_cast<uint8_t>(live_month);
  return true;
}

void OldReportsViewer::Return() { store_.Reload(ReloadRequest{{}, live_serial_}); }

}  // namespace zarim
