// The late-report list: slips for earlier months that count in the working month's
// report to the branch office, and the command that erases the list.
#pragma once

#include "core/document.h"

namespace zarim {

// Adds (id, month) posted in the working month. An entry for the same publisher and
// month is replaced (the list keeps its length); a full list (250) drops the new one.
void AddLateReport(CZarimDoc& doc, uint16_t id, int month);
bool IsInLateList(const CZarimDoc& doc, int id, int month);

// "Erase Late Reports" is offered only after F11 was pressed in the main view while the
// list held entries.
void AllowEraseLateReports(CZarimDoc& doc);
bool CanEraseLateReports(const CZarimDoc& doc);
// Asks "Click OK to erase %d report(s)   " (Cancel the default); OK empties the list,
// withdraws the command. True when erased.
bool EraseLateReports(CZarimDoc& doc);

}  // namespace zarim
