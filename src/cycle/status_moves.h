// The moves of a publisher between the lists: to inactive and back, moving away and
// returning, a Bible student becoming a publisher and the restore of a deleted one.
#pragma once

#include <functional>

#include "core/document.h"
#include "cycle/select_month_form.h"

namespace zarim {

// Shows the "Select Month" form; true when the user chose OK (the form holds the choice).
using MonthAsker = std::function<bool(SelectMonthForm&)>;

enum class MoveResult {
  kDone,       // the record changed and the lists were rebuilt
  kCancelled,  // the user cancelled; nothing changed
  kRefused,    // the move does not apply (wrong status, or the target list is full)
};

// A publisher moved away from the inactive list keeps that origin and the month he had
// become inactive in the record's reserved word (see records.h), so that his return puts
// him back on the inactive list.
inline constexpr uint16_t kMovedFromInactiveMark = 0x8000;
inline constexpr uint16_t kRememberedMonthMask = 0x000F;
inline bool MovedFromInactive(const PubRecord& r) {
  return (r.reserved & kMovedFromInactiveMark) != 0;
}
inline int RememberedInactiveMonth(const PubRecord& r) { return r.reserved & kRememberedMonthMask; }

// A move recorded by this program also keeps the serial of its month in the status stamp,
// marked by this bit of the reserved word, so that the move is kept twelve months counted
// from its own month (moves stored without the mark go by their month alone).
inline constexpr uint16_t kMoveStampMark = 0x4000;
inline bool HasMoveStamp(const PubRecord& r) { return (r.reserved & kMoveStampMark) != 0; }

// Room for one more member in a status list.
bool ListHasRoom(const CZarimDoc& doc, uint8_t status);

// Active -> inactive, with the month and year of becoming inactive.
MoveResult TransferToInactive(CZarimDoc& doc, int rec, const MonthAsker& ask);
// Inactive -> active. The months from becoming inactive to the reactivation (at most
// 24) are cleared with the publisher's remarks.
MoveResult Reactivate(CZarimDoc& doc, int rec, const MonthAsker& ask);
// Number of months that a reactivation in 1-based month r clears.
int ReactivationSpan(const CZarimDoc& doc, const PubRecord& rec, int month);
// Active or inactive -> moved away.
MoveResult MoveOut(CZarimDoc& doc, int rec, const MonthAsker& ask);
// Moved -> inactive (when he came from there; no month is asked) or active.
MoveResult ReturnMoved(CZarimDoc& doc, int rec, const MonthAsker& ask);
// The return after the question "Do you really want to reverse the moveout for %1?".
MoveResult UndoMoveOut(CZarimDoc& doc, int rec, const MonthAsker& ask);
// Non-publisher -> active new publisher; every monthly cell is cleared.
MoveResult MakePublisher(CZarimDoc& doc, int rec, const MonthAsker& ask);
// Temporarily deleted -> active, as reactivated.
MoveResult RestoreDeleted(CZarimDoc& doc, int rec, const MonthAsker& ask);
// The move that "Add Publisher" makes of a record chosen from another list: a Bible
// student becomes a publisher, an inactive publisher is reactivated; any other status is
// refused.
MoveResult MoveToActive(CZarimDoc& doc, int rec, const MonthAsker& ask);

}  // namespace zarim
