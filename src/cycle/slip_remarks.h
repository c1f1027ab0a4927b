// The remark of a report slip: reserving an entry of the document's remark table when a
// slip opens, and storing the typed text into it.
#pragma once

#include <string>
#include <string_view>

#include "core/document.h"

namespace zarim {

// Longest remark typed on a slip, in record bytes.
inline constexpr size_t kSlipRemarkLength = 36;

struct RemarkSlot {
  std::string text;  // record bytes
  int entry = 0;     // 0: no entry could be reserved (the table is full)
};

// The month's remark of a publisher with its entry. A publisher without one gets the
// next free entry reserved (cleared and labelled, but not counted); when the table is
// full the user is told "Out of Space for Remarks" and the entry is 0.
RemarkSlot GetRemark(CZarimDoc& doc, const PubRecord& r, int month, int slot);

// Writes text (cut to the entry's size) into entry, labelled with the month and the
// publisher. Storing into the next free entry links the record's remark cell to it and
// counts it. Refuses an entry beyond the count, an empty table, and a new entry when
// the table is full; an entry already in use can always be rewritten.
bool StoreRemark(CZarimDoc& doc, PubRecord& r, int month, int slot, int entry,
                 std::string_view text);

}  // namespace zarim
