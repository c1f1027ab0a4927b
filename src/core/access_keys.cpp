// Access keys for a menu's captions.
#include "core/access_keys.h"

#include <optional>
#include <set>

namespace zarim {
namespace {

// One character of a UTF-8 caption: where it starts, how many bytes it takes, its code
// point. A byte that starts no valid sequence stands for itself.
struct Letter {
  size_t pos = 0;
  size_t len = 1;
  char32_t code = 0;
};

Letter LetterAt(const std::string& s, size_t i) {
  const auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = b(i);
  const size_t len = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 1;
  if (len == 1 || i + len > s.size()) return {i, 1, c};
  char32_t code = c & (0x7F >> len);
  for (size_t k = 1; k < len; ++k) {
    if ((b(i + k) & 0xC0) != 0x80) return {i, 1, c};
    code = (code << 6) | (b(i + k) & 0x3F);
  }
  return {i, len, code};
}

// Letters and digits a key can be: ASCII, the Latin letters with accents (Western and
// Central European), Greek and Cyrillic.
bool IsKeyChar(char32_t c) {
  if (c < 0x80) return (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z');
  if (c >= 0xC0 && c <= 0x24F) return c != 0xD7 && c != 0xF7;
  if (c >= 0x386 && c <= 0x3FF) return c != 0x387;
  return c >= 0x400 && c <= 0x4FF && (c < 0x482 || c > 0x489);
}

// The lower-case form of a key letter, so "Ł" and "ł" are one key.
char32_t Folded(char32_t c) {
  if (c < 0x80) return c >= 'A' && c <= 'Z' ? c + 0x20 : c;
  if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB) ||
      (c >= 0x410 && c <= 0x42F))
    return c + 0x20;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  if (c == 0x178) return 0xFF;
  // Latin Extended-A and the Cyrillic extensions pair capital and small letters; in
  // 0x139-0x148 and 0x179-0x17E ("Ł", "Ń", "Ź", "Ż") the capital is the odd one.
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return c % 2 ? c + 1 : c;
  if ((c >= 0x100 && c <= 0x177) || (c >= 0x460 && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x4FF))
    return c % 2 ? c : c + 1;
  return c;
}

// The access-key letter of a caption (after its "&"), or none.
std::optional<Letter> KeyLetter(const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return LetterAt(caption, i + 1);
    ++i;  // "&&"
  }
  return std::nullopt;
}

}  // namespace

std::vector<std::string> WithAccessKeys(std::vector<std::string> captions) {
  std::set<char32_t> used;
  for (const std::string& c : captions)
    if (const auto key = KeyLetter(c)) used.insert(Folded(key->code));
  for (std::string& caption : captions) {
    if (KeyLetter(caption)) continue;
    std::optional<Letter> chosen;
    for (bool word_start : {true, false}) {
      bool after_key_char = false;
      for (size_t i = 0; i < caption.size() && !chosen;) {
        if (caption[i] == '&') {  // "&&" stands for itself
          i += 2;
          after_key_char = false;
          continue;
        }
        const Letter l = LetterAt(caption, i);
        const bool key_char = IsKeyChar(l.code);
        if (key_char && (!after_key_char || !word_start) && !used.count(Folded(l.code))) chosen = l;
        after_key_char = key_char;
        i += l.len;
      }
    }
    if (!chosen) continue;
    used.insert(Folded(chosen->code));
    caption.insert(chosen->pos, 1, '&');
  }
  return captions;
}

}  // namespace zarim
