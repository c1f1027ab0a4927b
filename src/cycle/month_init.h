// Month initialization: the snapshot of the month that ended, then clearing and carrying
// forward every publisher's cells of the month's slot, ageing statuses and trimming the
// inactive, moved and deleted lists.
#pragma once

#include "core/document.h"

namespace zarim {

struct MonthInitOptions {
  bool take_snapshot = true;  // step 1; off only for measuring the rest
};

// Initializes month index `month` in slot `slot` (all fifteen steps, in order). The
// collection state ends with only this month open.
void InitializeMonth(CZarimDoc& doc, int month, int slot, const MonthInitOptions& options = {});

// The calendar year of a status year byte: values above 200 are 1744 + value.
int StatusYearOf(uint8_t status_year);

// Deletes record `rec` (1 .. count-1) from the publisher table for good.
void DeleteRecordPermanently(CZarimDoc& doc, int rec);

}  // namespace zarim
