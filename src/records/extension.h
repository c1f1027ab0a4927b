// A publisher's extension record (long name, e-mail address, other contact information
// and one further value) as plain texts, read from and written to the extension file.
#pragma once

#include <cstdint>
#include <string>

#include "core/document.h"

namespace zarim {

struct ExtensionData {
  std::string long_name;  // record bytes (code page), not UTF-8
  std::string email;
  std::string other;
  uint16_t further = 0;
  bool empty() const { return long_name.empty() && email.empty() && other.empty() && further == 0; }
  bool operator==(const ExtensionData&) const = default;
};

inline constexpr int kMaxLongName = 60;
inline constexpr int kMaxOtherContact = 60;
inline constexpr int kMaxEmail = 50;

// The extension data of a record; empty when it has none or the file cannot be read.
ExtensionData LoadExtension(CZarimDoc& doc, const PubRecord& r);

// Writes the data for r: a new extension record (and key) when r has none; when the data
// are empty the record is freed and r's key cleared. False when the file could not be
// written (r keeps its key then).
bool StoreExtension(CZarimDoc& doc, PubRecord& r, const ExtensionData& data);

}  // namespace zarim
