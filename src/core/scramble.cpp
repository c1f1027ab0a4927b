// Scrambling of stored texts.
//
// Two rules of the stored format can lose a character: a byte that scrambles to 0 looks
// like the end of the text, and in the names and the first 30 bytes of the address a byte
// that scrambles to 0xCC is never unscrambled (0xCC itself is left as it is). With
// B = 174 a byte scrambles to 0xCC at position i < 30 only when it is 30 - i, a control
// character no text holds. A byte scrambles to 0 at position i when it is 82 - i; such a
// zero is read past when bytes of the text follow it, and when it is the text's last
// character the scrambler writes the scrambled form of 0 after it, so the reader again
// finds where the text ends. Only a text that fills its field to the last position has
// no room for that mark: the names ending in '?' at position 19, phones ending in 'E' at
// position 13, dates ending in 'K' at position 7, the address ending in byte 0x15 at
// position 61 (and in the extension record: long name 0x13 at 63, e-mail '!' at 49,
// other 0x0C at 70) cannot come back.
#include "core/scramble.h"

#include <cstring>

namespace zarim {

void ScrambleField(char* field, size_t size, Direction dir, uint8_t base, size_t cc_limit,
                   bool continue_past_zero) {
  auto* p = reinterpret_cast<uint8_t*>(field);
  size_t len = 0;
  if (dir == Direction::kUnscramble && continue_past_zero) {
    // The text reaches the last byte before the field's final one that is not zero.
    len = size > 0 ? size - 1 : 0;
    while (len > 0 && p[len - 1] == 0) --len;
  } else {
    len = FieldLength(field, size);
  }
  // Bytes after the text's end carry nothing; left in place they would be read as text
  // by the read-past-zero rule.
  if (dir == Direction::kScramble && continue_past_zero) std::memset(p + len, 0, size - len);
  // Only the first cc_limit bytes keep 0xCC as it is; the loops past them have no test.
  const size_t guarded = len < cc_limit ? len : cc_limit;
  const bool up = dir == Direction::kScramble;
  auto shift = [p, up, base](size_t i) {
    const auto step = static_cast<uint8_t>(i + base);
    p[i] = static_cast<uint8_t>(up ? p[i] + step : p[i] - step);
  };
  for (size_t i = 0; i < guarded; ++i)
    if (p[i] != 0xCC) shift(i);
  for (size_t i = guarded; i < len; ++i) shift(i);
  // A last character that scrambled to 0 gets the scrambled end mark after it, when the
  // field has room and the mark itself survives the 0xCC rule.
  if (dir == Direction::kScramble && continue_past_zero && len > 0 && len + 1 < size &&
      p[len - 1] == 0) {
    uint8_t mark = static_cast<uint8_t>(len + base);
    if (mark != 0 && !(len < cc_limit && mark == 0xCC)) p[len] = mark;
  }
}

bool ReadsPastZero(uint8_t base) { return base == kScrambleBase; }

void ScrambleRecord(PubRecord& r, Direction dir, uint8_t base, bool is_header) {
  auto* bytes = reinterpret_cast<uint8_t*>(&r);
  for (size_t end : {22u, 43u, 106u, 121u, 160u, 169u}) bytes[end] = 0;
  const bool past = ReadsPastZero(base);
  ScrambleField(r.first_name, sizeof r.first_name, dir, base, sizeof r.first_name, past);
  ScrambleField(r.last_name, sizeof r.last_name, dir, base, sizeof r.last_name, past);
  ScrambleField(r.address, sizeof r.address, dir, base, 30, past);
  ScrambleField(r.home_phone, sizeof r.home_phone, dir, base, 0, past);
  ScrambleField(r.mobile_phone, sizeof r.mobile_phone, dir, base, 0, past);
  // In the header record the bytes of this field after its text are the months'
  // collection states, so its text ends at the first zero there.
  ScrambleField(r.other_phone, sizeof r.other_phone, dir, base, 0, past && !is_header);
  ScrambleField(r.baptism_date, sizeof r.baptism_date, dir, base, 0, past);
  ScrambleField(r.birth_date, sizeof r.birth_date, dir, base, 0, past);
}

void ScrambleExt(ExtRecord& r, Direction dir, uint8_t base) {
  const bool past = ReadsPastZero(base);
  ScrambleField(r.long_name, sizeof r.long_name, dir, base, 0, past);
  ScrambleField(r.email, sizeof r.email, dir, base, 0, past);
  ScrambleField(r.other, sizeof r.other, dir, base, 0, past);
}

namespace {
void XorText(char* text, size_t size) {
  for (size_t i = 0; i < size && text[i] != 0; ++i) {
    char k = kGroupKey[i % 10];
    if (text[i] != k) text[i] = static_cast<char>(text[i] ^ k);
  }
}
}  // namespace

void ScrambleGroups(GroupTable& g) {
  int n = g.count > kMaxGroupsInTable ? kMaxGroupsInTable : g.count;
  for (int i = 0; i < n; ++i) {
    XorText(g.overseer[i], sizeof g.overseer[i]);
    XorText(g.assistant[i], sizeof g.assistant[i]);
    XorText(g.location[i], sizeof g.location[i]);
    XorText(g.name[i], sizeof g.name[i]);
    XorText(g.time[i], sizeof g.time[i]);
  }
}

bool IsPlainMarker(const PubRecord& h) { return std::strncmp(h.last_name, "A", 2) == 0; }

uint8_t BaseFromMarker(const PubRecord& h) {
  auto first = static_cast<uint8_t>(h.last_name[0]);
  if (first == 0 || h.last_name[1] != 0) return kScrambleBase;
  return static_cast<uint8_t>(first - 'A');
}

}  // namespace zarim
