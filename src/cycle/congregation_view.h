// CongregationView: what readers (reports, the command line's read-only commands) see of
// the open document. Every accessor checks what it hands out against the document, so a
// damaged folder gives a reader nothing rather than an index out of its table. A view is
// cheap to make and lives no longer than the reading it serves.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "core/document.h"
#include "core/month.h"

namespace zarim {

class CongregationView {
 public:
  explicit CongregationView(const CZarimDoc& doc);

  const CZarimDoc& doc() const { return doc_; }

  // The working month with its slot and two-digit year; nothing when the stored month is
  // not 0..11 or the year not 0..99.
  std::optional<MonthCursor> WorkingMonth() const;
  // The slot of month index `month` among the twelve months that end with the working
  // month; nothing for a month outside them or when the working month is not valid.
  std::optional<int> SlotOf(int month) const;
  // The record numbers of the active list that name an active record, in list order (held
  // by the view: valid while it lives).
  std::span<const int> ActivePublishers() const;
  // The stored entries of the late list (never beyond its count or capacity).
  std::span<const LateReportEntry> LateReports() const;
  // The late reports of record `rec`: the entries for one of the twelve months with a
  // valid posting month that carry the record's identifier. Nothing for a record outside
  // the table or one that is deleted.
  std::vector<LateReportEntry> LateReportsOf(int rec) const;
  // The pioneer code (0..3) of a record in the working month; 0 when that month is not
  // valid.
  int PioneerCodeNow(const PubRecord& r) const;

 private:
  const CZarimDoc& doc_;
  mutable std::optional<std::vector<int>> active_;  // made on first asking
};

}  // namespace zarim
