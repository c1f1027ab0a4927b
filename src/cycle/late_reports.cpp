// The late-report list and its erasure.
#include "cycle/late_reports.h"

#include <algorithm>

#include "core/strings.h"
#include "cycle/branch_totals.h"

namespace zarim {

void AddLateReport(CZarimDoc& doc, uint16_t id, int month) {
  if (month < 0 || month > 11) return;
  int count = std::min<int>(doc.late_count, kLatePostingLimit);
  // The new entry goes after the last one; the table has room beyond the posting limit.
  doc.late[static_cast<size_t>(count)] =
      LateReportEntry{id, static_cast<uint8_t>(month), static_cast<uint8_t>(doc.working_month + 1)};
  for (int i = 0; i < count; ++i) {
    if (doc.late[i].id != id || doc.late[i].month != month) continue;
    std::copy(doc.late.begin() + i + 1, doc.late.begin() + count + 1, doc.late.begin() + i);
    doc.late[static_cast<size_t>(count)] = LateReportEntry{};
    doc.late_count = static_cast<uint16_t>(count);
    return;
  }
  if (count < kLatePostingLimit) {
    doc.late_count = static_cast<uint16_t>(count + 1);
  } else {
    doc.late[static_cast<size_t>(count)] = LateReportEntry{};
  }
}

bool IsInLateList(const CZarimDoc& doc, int id, int month) {
  int count = std::min<int>(doc.late_count, kMaxLateEntries);
  for (int i = 0; i < count; ++i)
    if (doc.late[i].id == id && doc.late[i].month == month) return true;
  return false;
}

void AllowEraseLateReports(CZarimDoc& doc) {
  if (doc.late_count > 0 && !doc.history_view) doc.erase_late_enabled = 1;
}

bool CanEraseLateReports(const CZarimDoc& doc) {
  return doc.erase_late_enabled != 0 && doc.late_count > 0 && !doc.history_view;
}

bool EraseLateReports(CZarimDoc& doc) {
  if (!CanEraseLateReports(doc)) return false;
  std::string question = Printf(Sid::kLateEraseQuestion, static_cast<int>(doc.late_count));
  if (doc.prompter->Ask(question, Buttons::kOkCancel, Answer::kCancel) != Answer::kOk) return false;
  std::fill(doc.late.begin(), doc.late.end(), LateReportEntry{});
  doc.late_count = 0;
  doc.erase_late_enabled = 0;
  return true;
}

}  // namespace zarim
