// ICU-backed code-page conversion and name collation.
#include "core/text_codec.h"

#include <unicode/ucnv.h>
#include <unicode/ucol.h>
#include <unicode/unorm2.h>

#include <map>
#include <mutex>
#include <vector>

#include "core/bytes.h"
#include "core/strings.h"

namespace zarim {

std::string CodePageForLanguage(std::string_view lang) {
  if (lang == "rus" || lang == "urk") return "windows-1251";
  if (lang == "greek") return "windows-1253";
  if (lang == "turkish") return "windows-1254";
  if (lang == "czech" || lang == "polish" || lang == "hrvatski" || lang == "slovenian" ||
      lang == "slovak" || lang == "hun" || lang == "rom")
    return "windows-1250";
  if (lang == "lt" || lang == "estonian") return "windows-1257";
  if (lang == "vie") return "windows-1258";
  if (lang == "tha") return "windows-874";
  return "windows-1252";
}

namespace {

// The language codes the program has rules for, with the ICU locale of each.
const std::map<std::string_view, std::string>& LanguageLocales() {
  static const std::map<std::string_view, std::string> kLocales = {
      {"rus", "ru"},    {"urk", "uk"},    {"turkish", "tr"},  {"french", "fr"},
      {"czech", "cs"},  {"polish", "pl"}, {"hrvatski", "hr"}, {"slovenian", "sl"},
      {"slovak", "sk"}, {"greek", "el"},  {"dutch", "nl"},    {"tha", "th"},
      {"hun", "hu"},    {"lt", "lt"},     {"estonian", "et"}, {"rom", "ro"},
      {"vie", "vi"},    {"ptg", "pt"},    {"swedish", "sv"},  {"eng", "en"},
      {"spanish", "es"}};
  return kLocales;
}

}  // namespace

bool IsLanguageCode(std::string_view lang) { return LanguageLocales().count(lang) != 0; }

std::string CollationLocaleForLanguage(std::string_view lang) {
  auto it = LanguageLocales().find(lang);
  return it != LanguageLocales().end() ? it->second : "en";
}

namespace {

// One open converter per code page, shared; ICU converters are not thread-safe, so a
// lock guards them (the program has one thread, tests may have more).
struct Converters {
  std::mutex mutex;
  std::map<std::string, UConverter*> open;
  UConverter* Get(const std::string& name) {
    auto it = open.find(name);
    if (it != open.end()) return it->second;
    UErrorCode status = U_ZERO_ERROR;
    UConverter* c = ucnv_open(name.c_str(), &status);
    if (U_FAILURE(status)) c = nullptr;
    if (c) {
      status = U_ZERO_ERROR;
      ucnv_setSubstChars(c, "?", 1, &status);
    }
    open[name] = c;
    return c;
  }
  // A single-byte code page's bytes each stand for one character on their own: one table
  // converts them without going through the converter. Empty for other code pages.
  std::map<std::string, std::u16string> tables;
  const std::u16string& Table(const std::string& name) {
    auto it = tables.find(name);
    if (it != tables.end()) return it->second;
    std::u16string& table = tables[name];
    UConverter* c = Get(name);
    if (!c || ucnv_getType(c) != UCNV_SBCS) return table;
    table.resize(256);
    for (int b = 0; b < 256; ++b) {
      const char byte = static_cast<char>(b);
      UChar out[4];
      UErrorCode status = U_ZERO_ERROR;
      if (ucnv_toUChars(c, out, 4, &byte, 1, &status) != 1 || U_FAILURE(status)) {
        table.clear();
        break;
      }
      table[static_cast<size_t>(b)] = out[0];
    }
    return table;
  }
  ~Converters() {
    for (auto& [name, c] : open)
      if (c) ucnv_close(c);
  }
};

Converters& SharedConverters() {
  static Converters converters;
  return converters;
}

void ConvertByTable(const std::u16string& table, std::string_view bytes, std::u16string& out) {
  out.resize(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) out[i] = table[static_cast<unsigned char>(bytes[i])];
}

// The table of a language's single-byte code page, or null; it lasts as long as the process.
const std::u16string* SingleByteTable(std::string_view lang) {
  auto& conv = SharedConverters();
  std::lock_guard lock(conv.mutex);
  const std::u16string& table = conv.Table(CodePageForLanguage(lang));
  return table.empty() ? nullptr : &table;
}

std::u16string BytesToUtf16(std::string_view bytes, std::string_view lang) {
  auto& conv = SharedConverters();
  std::lock_guard lock(conv.mutex);
  const std::string page = CodePageForLanguage(lang);
  std::u16string out;
  if (const std::u16string& table = conv.Table(page); !table.empty()) {
    ConvertByTable(table, bytes, out);
    return out;
  }
  UConverter* c = conv.Get(page);
  if (!c) {  // no converter: Latin-1 as the last resort
    for (unsigned char ch : bytes) out.push_back(ch);
    return out;
  }
  out.resize(bytes.size() * 2 + 1);
  UErrorCode status = U_ZERO_ERROR;
  int32_t n =
      ucnv_toUChars(c, reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()),
                    bytes.data(), static_cast<int32_t>(bytes.size()), &status);
  out.resize(U_SUCCESS(status) ? static_cast<size_t>(n) : 0);
  return out;
}

}  // namespace

char PlainLetter(unsigned char byte, std::string_view language_code) {
  if (byte < 0x80) return static_cast<char>(byte);
  const char one = static_cast<char>(byte);
  const std::u16string text = BytesToUtf16(std::string_view(&one, 1), language_code);
  UErrorCode status = U_ZERO_ERROR;
  const UNormalizer2* nfd = unorm2_getNFDInstance(&status);
  if (text.size() != 1 || !nfd || U_FAILURE(status)) return 0;
  UChar parts[8];
  const int32_t n = unorm2_getDecomposition(nfd, text[0], parts, 8, &status);
  // The first part of the decomposition is the base letter; what follows are accents.
  if (n <= 0 || U_FAILURE(status) || parts[0] >= 0x80 || parts[0] < 0x20) return 0;
  return static_cast<char>(parts[0]);
}

namespace {

std::string Utf16ToUtf8(const std::u16string& s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    uint32_t cp = s[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
        s[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

}  // namespace

std::string ToUtf8(std::string_view bytes, std::string_view lang) {
  return Utf16ToUtf8(BytesToUtf16(bytes, lang));
}

std::string FromUtf8(std::string_view utf8, std::string_view lang) {
  auto& conv = SharedConverters();
  std::lock_guard lock(conv.mutex);
  UConverter* to = conv.Get(CodePageForLanguage(lang));
  UConverter* from = conv.Get("UTF-8");
  if (!to || !from) return std::string(utf8);
  std::string out(utf8.size() + 1, '\0');
  const char* src = utf8.data();
  char* dst = out.data();
  UErrorCode status = U_ZERO_ERROR;
  ucnv_convertEx(to, from, &dst, out.data() + out.size(), &src, utf8.data() + utf8.size(), nullptr,
                 nullptr, nullptr, nullptr, true, true, &status);
  if (U_FAILURE(status)) return std::string();
  out.resize(static_cast<size_t>(dst - out.data()));
  return out;
}

bool FitsCodePage(std::string_view utf8, std::string_view lang) {
  return ToUtf8(FromUtf8(utf8, lang), lang) == utf8;
}

std::string CodePageFault(std::string_view utf8, std::string_view lang) {
  if (FitsCodePage(utf8, lang)) return {};
  return Fill(Sid::kLettersOutsideCodePage, utf8, CodePageForLanguage(lang));
}

std::string TypedTextFault(std::string_view utf8, size_t limit, std::string_view lang) {
  if (FromUtf8(utf8, lang).size() > limit)
    return Fill(Sid::kTooManyCharacters, std::to_string(limit));
  return CodePageFault(utf8, lang);
}

struct NameCollator::Impl {
  UCollator* collator = nullptr;
  std::string lang;
};

NameCollator::NameCollator(std::string_view lang) : impl_(std::make_unique<Impl>()) {
  impl_->lang = std::string(lang);
  UErrorCode status = U_ZERO_ERROR;
  impl_->collator = ucol_open(CollationLocaleForLanguage(lang).c_str(), &status);
  if (U_FAILURE(status)) {
    impl_->collator = nullptr;
    return;
  }
  ucol_setStrength(impl_->collator, UCOL_SECONDARY);
}

NameCollator::~NameCollator() {
  if (impl_->collator) ucol_close(impl_->collator);
}

int NameCollator::Compare(std::string_view a, std::string_view b) const {
  std::u16string ua = BytesToUtf16(Trim(a), impl_->lang);
  std::u16string ub = BytesToUtf16(Trim(b), impl_->lang);
  if (!impl_->collator) return ua < ub ? -1 : (ua == ub ? 0 : 1);
  UCollationResult r = ucol_strcoll(
      impl_->collator, reinterpret_cast<const UChar*>(ua.data()), static_cast<int32_t>(ua.size()),
      reinterpret_cast<const UChar*>(ub.data()), static_cast<int32_t>(ub.size()));
  return r == UCOL_LESS ? -1 : (r == UCOL_EQUAL ? 0 : 1);
}

bool NameCollator::InOrder(const std::vector<std::string>& texts) const {
  // Neighbours compared directly stop at their first difference, which costs far less than
  // a full sort key of every name.
  // The code page is looked up once for all the texts, and the two buffers are reused.
  const std::u16string* table = SingleByteTable(impl_->lang);
  std::u16string prev, cur;
  for (size_t i = 0; i < texts.size(); ++i, prev.swap(cur)) {
    const std::string_view text = Trim(texts[i]);
    if (table)
      ConvertByTable(*table, text, cur);
    else
      cur = BytesToUtf16(text, impl_->lang);
    if (i == 0) continue;
    if (!impl_->collator) {
      if (Utf16ToUtf8(cur) < Utf16ToUtf8(prev)) return false;
      continue;
    }
    if (ucol_strcoll(impl_->collator, reinterpret_cast<const UChar*>(prev.data()),
                     static_cast<int32_t>(prev.size()), reinterpret_cast<const UChar*>(cur.data()),
                     static_cast<int32_t>(cur.size())) == UCOL_GREATER)
      return false;
  }
  return true;
}

std::string NameCollator::SortKey(std::string_view bytes) const {
  std::u16string u = BytesToUtf16(Trim(bytes), impl_->lang);
  if (!impl_->collator) return Utf16ToUtf8(u);
  std::string key(u.size() * 4 + 16, '\0');
  int32_t n = ucol_getSortKey(
      impl_->collator, reinterpret_cast<const UChar*>(u.data()), static_cast<int32_t>(u.size()),
      reinterpret_cast<uint8_t*>(key.data()), static_cast<int32_t>(key.size()));
  if (n > static_cast<int32_t>(key.size())) {
    key.resize(static_cast<size_t>(n));
    n = ucol_getSortKey(impl_->collator, reinterpret_cast<const UChar*>(u.data()),
                        static_cast<int32_t>(u.size()), reinterpret_cast<uint8_t*>(key.data()), n);
  }
  key.resize(n > 0 ? static_cast<size_t>(n - 1) : 0);  // drop the terminating zero
  return key;
}

}  // namespace zarim
