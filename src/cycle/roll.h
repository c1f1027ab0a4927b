// The monthly snapshot ("Roll"): before a month is initialized, the whole data set is
// copied into "Roll/Zr9_n" of the data folder, n being the month that just ended.
#pragma once

#include <string>

#include "core/document.h"

namespace zarim {

// "<data folder>/Roll/Zr9_n".
std::string SnapshotFolder(const CZarimDoc& doc, int n);

// True when snapshot n was already written for the working year: its tdat9.bin exists,
// is longer than 500 bytes and was modified on or after the first day of the month after
// n in the working year.
bool SnapshotTakenThisYear(const CZarimDoc& doc, int n);

enum class RollResult { kAlreadyTaken, kTaken, kIncomplete };

// The snapshot taken when month index `month` is initialized (n = the month before it).
// The snapshot holds the document as it is in memory, unsaved work included; it is built
// under a temporary name and put in place whole. An incomplete snapshot is reported once
// and left nowhere; the caller goes on either way. A snapshot that is taken is entered in
// the backup catalog as "%s %d %d (Roll)" by the next save, in the same transaction as
// the initialized month.
RollResult TakeRollSnapshot(CZarimDoc& doc, int month);

// Which of the six months before the working month have a snapshot: bit k (k = 1..6).
uint32_t ComputeHistoryMonthMask(const CZarimDoc& doc);

}  // namespace zarim
