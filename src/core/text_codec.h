// Conversion between the single-byte code page of the records and Unicode (UTF-8), and
// the locale-aware comparison of names. Both follow the interface language code.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zarim {

// The ANSI code page of a language code ("windows-1252" for "eng").
std::string CodePageForLanguage(std::string_view language_code);
// True for the language codes the program has rules for ("eng", "french", "hun", ...).
bool IsLanguageCode(std::string_view language_code);
// The ICU locale used for name order and case rules of a language code.
std::string CollationLocaleForLanguage(std::string_view language_code);

// Record bytes to UTF-8 for showing, and typed UTF-8 back to record bytes. Characters
// that the code page lacks become '?'.
std::string ToUtf8(std::string_view bytes, std::string_view language_code = "eng");
std::string FromUtf8(std::string_view utf8, std::string_view language_code = "eng");

// Whether typed UTF-8 text comes back unchanged from the record bytes of the language's
// code page (no letter would be saved as '?').
bool FitsCodePage(std::string_view utf8, std::string_view language_code);
// The program's message for typed text with letters the code page lacks; empty when
// every letter can be kept.
std::string CodePageFault(std::string_view utf8, std::string_view language_code);
// What is wrong with a typed text for a record field of `limit` bytes: too many characters,
// or letters the code page lacks; empty when it can be stored as typed.
std::string TypedTextFault(std::string_view utf8, size_t limit, std::string_view language_code);

// The plain ASCII letter of a record byte: the character without its accents ('O' for
// "Ó"), or 0 when it has none (a symbol, "Æ").
char PlainLetter(unsigned char byte, std::string_view language_code = "eng");

// Case-insensitive, locale-aware comparison of record texts at secondary strength
// (accents count, letter case does not), after trimming.
class NameCollator {
 public:
  explicit NameCollator(std::string_view language_code);
  ~NameCollator();
  NameCollator(const NameCollator&) = delete;
  NameCollator& operator=(const NameCollator&) = delete;

  int Compare(std::string_view a_bytes, std::string_view b_bytes) const;
  // A byte string whose plain byte order is the collation order.
  std::string SortKey(std::string_view bytes) const;
  // Whether every text collates at or after the one before it; each is converted once.
  bool InOrder(const std::vector<std::string>& bytes) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace zarim
