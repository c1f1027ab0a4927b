// Keeping the publisher table in its sorted order: placing a record after it was added
// or renamed (with the duplicate-name rules), adding a new record and removing one.
#pragma once

#include <cstdint>

#include "core/document.h"

namespace zarim {

// Places record rec (1 .. count-1) among the others. When adding, an equal name is a
// duplicate unless the new record is active and the other is not; the user may then
// overwrite the other record. When editing, a duplicate is refused with a message.
// Returns the record number where the record now is, or 0 when it was refused (when
// adding, the new record has then been taken off the end of the table).
int PlaceRecord(CZarimDoc& doc, int rec, bool adding);

// Appends r (which carries its identifier) and places it. Returns its record number,
// or 0 when the table is full or placing refused it. Marks the document modified and
// rebuilds the index; the caller saves.
int AddPublisherRecord(CZarimDoc& doc, const PubRecord& r);

// Removes record rec for good, shifting the later ones down. Rebuilds the index.
bool RemoveRecord(CZarimDoc& doc, int rec);

// The identifier a new record gets: the first free one from 10 on; 0 when none is left.
uint16_t NewPublisherId(const CZarimDoc& doc);

// A record as a new publisher starts: blank dates, other sheep, the fixed bit of the
// special circumstances set, a fresh identifier.
PubRecord BlankPublisher(const CZarimDoc& doc);

}  // namespace zarim
