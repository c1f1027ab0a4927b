// Byte-exact building blocks of the data files: little-endian integers that have no
// alignment, and text fields that are read and written without running past their end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace zarim {

// A 16-bit little-endian value stored as two bytes, so a packed record has the same
// layout in memory and on disk on every machine.
struct U16 {
  uint8_t b[2];

  constexpr U16() : b{0, 0} {}
  constexpr U16(uint16_t v) : b{static_cast<uint8_t>(v & 0xFF), static_cast<uint8_t>(v >> 8)} {}
  constexpr operator uint16_t() const { return static_cast<uint16_t>(b[0] | (b[1] << 8)); }
  constexpr U16& operator=(uint16_t v) {
    b[0] = static_cast<uint8_t>(v & 0xFF);
    b[1] = static_cast<uint8_t>(v >> 8);
    return *this;
  }
};
static_assert(sizeof(U16) == 2 && alignof(U16) == 1);

inline uint16_t GetU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline void PutU16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v & 0xFF);
  p[1] = static_cast<uint8_t>(v >> 8);
}

// Length of the NUL-terminated text in a field of n bytes, never beyond the field.
inline size_t FieldLength(const char* field, size_t n) {
  const void* nul = std::memchr(field, 0, n);
  return nul ? static_cast<size_t>(static_cast<const char*>(nul) - field) : n;
}

// The text of a field (the bytes up to the first NUL, at most n).
inline std::string FieldText(const char* field, size_t n) {
  return std::string(field, FieldLength(field, n));
}

// Stores text into a field of n bytes: at most n-1 bytes, then zeros to the end, so the
// field is always terminated and carries nothing after its text.
inline void SetField(char* field, size_t n, std::string_view text) {
  size_t len = text.size() < n ? text.size() : n - 1;
  std::memcpy(field, text.data(), len);
  std::memset(field + len, 0, n - len);
}

template <size_t N>
std::string FieldText(const char (&field)[N]) {
  return FieldText(field, N);
}
template <size_t N>
void SetField(char (&field)[N], std::string_view text) {
  SetField(field, N, text);
}

// Leading and trailing white space removed (blanks, tabs, line ends).
std::string_view Trim(std::string_view s);
std::string TrimRight(std::string_view s);

}  // namespace zarim
