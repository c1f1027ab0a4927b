// The two keyed files that publishers share entries of: emergency contacts ("emerg.dat",
// 256-byte records) and special needs ("spneed.dat", 96-byte records). Each record begins
// with its identifier; the document's directory says which record holds which one.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/document.h"

namespace zarim {

enum class KeyedFile { kEmergency, kSpecialNeeds };

// The first identifier from 10 on that is neither in the file's directory nor referred to
// by any publisher record; 0 when none is left.
uint16_t FreeKeyedId(const CZarimDoc& doc, KeyedFile file);

// Number of publisher records that refer to id.
int KeyedUsers(const CZarimDoc& doc, KeyedFile file, uint16_t id);

// Reads the entry with identifier id; nothing when it is not in the directory or the
// file cannot be read.
std::optional<EmergencyRecord> ReadEmergency(const CZarimDoc& doc, uint16_t id);
std::optional<SpecialNeedsRecord> ReadSpecialNeed(const CZarimDoc& doc, uint16_t id);

// Rewrites the entry in place under its identifier (every publisher that shares it sees
// the change). False when it is not in the directory or the file cannot be written.
bool RewriteEmergency(CZarimDoc& doc, const EmergencyRecord& r);
bool RewriteSpecialNeed(CZarimDoc& doc, const SpecialNeedsRecord& r);

// Stores a new entry under a fresh identifier: into the first free directory slot, else
// appended. Returns the identifier, 0 when nothing was stored. The file is replaced as a
// whole, so it is never left half-written.
uint16_t StoreNewEmergency(CZarimDoc& doc, EmergencyRecord r);
uint16_t StoreNewSpecialNeed(CZarimDoc& doc, SpecialNeedsRecord r);

// Every entry of the directory (identifier non-zero) that can be read, in file order.
std::vector<EmergencyRecord> AllEmergencyContacts(const CZarimDoc& doc);
std::vector<SpecialNeedsRecord> AllSpecialNeeds(const CZarimDoc& doc);

}  // namespace zarim
