// Keeping the publisher table in its sorted order: placing a record after it was added
// or renamed (with the duplicate-name rules), adding a new record and removing one.
#pragma once

#include <cstdint>
#include <string>

#include "core/document.h"

namespace zarim {

// How many people the list of a status may hold before no one more enters it: the
// inactive and the temporarily deleted lists 299, the moved list 199, the active and
// non-publisher lists their in-memory capacity (300). A list is an index of the
// publisher table that must hold everyone of its status, so it is entering that is
// refused, never a place in the list that is dropped.
inline constexpr int kInactiveListLimit = 299;
inline constexpr int kMovedListLimit = 199;
inline constexpr int kDeletedListLimit = 299;
int ListEntryLimit(uint8_t status);

enum class Room { kYes, kTableFull, kListFull };
// The one rule for people entering a list, by adding, a status move, an import or the
// undo of a deletion: whether `people` more may enter the list of `status` (as new
// records of the publisher table when `new_records`), and if not, what is full.
Room RoomFor(const CZarimDoc& doc, uint8_t status, int people = 1, bool new_records = false);
// What the program says when RoomFor refuses: which table or list is full and what it
// holds. Empty for kYes.
std::string RoomMessage(Room room, uint8_t status);

// Places record rec (1 .. count-1) among the others. When adding, an equal name is a
// duplicate unless the new record is active and the other is not; the user may then
// overwrite the other record. When editing, a duplicate is refused with a message.
// Returns the record number where the record now is, or 0 when it was refused (when
// adding, the new record has then been taken off the end of the table).
int PlaceRecord(CZarimDoc& doc, int rec, bool adding);

// Appends r (which carries its identifier) and places it. Returns its record number,
// or 0 when the table or r's list is full (RoomFor) or placing refused it. The edit that
// holds the document brings its derived state up to date; the caller saves.
int AddPublisherRecord(CZarimDoc& doc, const PubRecord& r);

// Removes record rec for good, shifting the later ones down.
bool RemoveRecord(CZarimDoc& doc, int rec);

// The identifier a new record gets: the first free one from 10 on; 0 when none is left.
uint16_t NewPublisherId(const CZarimDoc& doc);

// A record as a new publisher starts: blank dates, other sheep, the fixed bit of the
// special circumstances set, a fresh identifier.
PubRecord BlankPublisher(const CZarimDoc& doc);

}  // namespace zarim
