// The report-collection state of each month, kept in the header record (byte 137 + m):
// not initialized, open (slips are being collected) or closed (reporting is complete).
#pragma once

#include <cstdint>

#include "core/document.h"

namespace zarim {

enum class MonthCollection : uint8_t { kNotInitialized = 0, kOpen = 1, kClosed = 2 };

inline MonthCollection CollectionStateOf(const CZarimDoc& doc, int month) {
  if (doc.count == 0 || month < 0 || month > 11) return MonthCollection::kNotInitialized;
  return static_cast<MonthCollection>(static_cast<uint8_t>(doc.header().other_phone[month]));
}
inline void SetCollectionStateOf(CZarimDoc& doc, int month, MonthCollection state) {
  if (doc.count == 0 || month < 0 || month > 11) return;
  doc.header().other_phone[month] = static_cast<char>(state);
}
inline bool WorkingMonthOpen(const CZarimDoc& doc) {
  return CollectionStateOf(doc, doc.working_month) == MonthCollection::kOpen;
}

}  // namespace zarim
