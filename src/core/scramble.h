// The scrambling of text fields in the stored publisher table, the extension records and
// the group table. Texts are plain in memory and scrambled only on disk.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/records.h"

namespace zarim {

// The base B of this program's scrambling: a byte at position i becomes byte + i + B.
// Chosen so that bytes made 0xCC by scrambling (which are never unscrambled in the
// names and the start of the address) are control characters only; scramble.cpp lists
// the few cases that cannot come back.
inline constexpr uint8_t kScrambleBase = 174;
// The 10-character key of the group table.
inline constexpr char kGroupKey[11] = "Zr9GroupK$";

enum class Direction { kScramble = 1, kUnscramble = -1 };

// Positions below cc_limit keep a byte 0xCC as it is (names: the whole field; the
// address: the first 30 positions; phones, dates and extension texts: none).
// continue_past_zero: when unscrambling, the text runs to the last non-zero byte of the
// field, so a zero that scrambling made inside a text does not cut it; when scrambling, a
// last character that became 0 is followed by the scrambled end mark.
void ScrambleField(char* field, size_t size, Direction dir, uint8_t base, size_t cc_limit,
                   bool continue_past_zero);

// Only tables scrambled with this program's base (its marker in the header record tells)
// follow the read-past-zero convention; in tables written by another program a text ends
// at its first zero, and what follows it is not part of the text.
bool ReadsPastZero(uint8_t base);

// Scrambles or unscrambles the text fields of one publisher record. In the header record
// (is_header) the other-phone field keeps the first-zero rule: bytes after it carry data.
void ScrambleRecord(PubRecord& r, Direction dir, uint8_t base, bool is_header);

void ScrambleExt(ExtRecord& r, Direction dir, uint8_t base);

// XOR with the group key, leaving bytes equal to the key byte alone; undoes itself.
void ScrambleGroups(GroupTable& g);

// The base that made a header record's marker (its last name "A" scrambled).
uint8_t BaseFromMarker(const PubRecord& header);
bool IsPlainMarker(const PubRecord& header);

}  // namespace zarim
