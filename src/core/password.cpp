// The stored password.
#include "core/password.h"

namespace zarim {

bool PasswordIsSet(const CZarimDoc& doc) { return FieldText(doc.header().first_name) != " "; }

bool PasswordMatches(const CZarimDoc& doc, std::string_view typed) {
  return FieldText(doc.header().first_name) == typed;
}

void SetPassword(CZarimDoc& doc, std::string_view bytes) {
  if (bytes.empty() || bytes.front() == ' ') {
    SetField(doc.header().first_name, " ");
  } else {
    SetField(doc.header().first_name, bytes.substr(0, kMaxPasswordLength));
  }
}

}  // namespace zarim
