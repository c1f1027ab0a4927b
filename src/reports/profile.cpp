// The in-memory profile: a case-insensitive map from section and key to text.
#include "reports/profile.h"

#include <cctype>
#include <charconv>

namespace zarim {

std::string MemoryProfile::Key(std::string_view section, std::string_view key) {
  std::string out;
  out.reserve(section.size() + key.size() + 1);
  for (char c : section)
    out.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
  out.push_back('\n');
  for (char c : key) out.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
  return out;
}

int MemoryProfile::GetInt(std::string_view section, std::string_view key, int fallback) const {
  auto it = values_.find(Key(section, key));
  if (it == values_.end()) return fallback;
  // Like the private-profile reader: leading digits count, anything else gives 0.
  const std::string& s = it->second;
  size_t start = 0;
  while (start < s.size() && (s[start] == ' ' || s[start] == '\t')) ++start;
  int value = 0;
  auto [ptr, ec] = std::from_chars(s.data() + start, s.data() + s.size(), value);
  (void)ptr;
  return ec == std::errc() ? value : 0;
}

std::string MemoryProfile::GetString(std::string_view section, std::string_view key,
                                     std::string_view fallback) const {
  auto it = values_.find(Key(section, key));
  return it == values_.end() ? std::string(fallback) : it->second;
}

void MemoryProfile::SetInt(std::string_view section, std::string_view key, int value) {
  values_[Key(section, key)] = std::to_string(value);
}

void MemoryProfile::SetString(std::string_view section, std::string_view key,
                              std::string_view value) {
  values_[Key(section, key)] = std::string(value);
}

bool MemoryProfile::Has(std::string_view section, std::string_view key) const {
  return values_.count(Key(section, key)) != 0;
}

}  // namespace zarim
