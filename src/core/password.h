// The password kept in the header record's first-name field; one blank means none.
#pragma once

#include <string>
#include <string_view>

#include "core/document.h"

namespace zarim {

inline constexpr size_t kMaxPasswordLength = 13;

bool PasswordIsSet(const CZarimDoc& doc);
// Exact, case-sensitive comparison with the stored password (record bytes).
bool PasswordMatches(const CZarimDoc& doc, std::string_view typed_bytes);
// An empty text or one beginning with a blank disables the password.
void SetPassword(CZarimDoc& doc, std::string_view bytes);

}  // namespace zarim
