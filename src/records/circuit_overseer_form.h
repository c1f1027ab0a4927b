// The "Circuit Overseer" dialog: the one record of status 5 and identifier 30003, with
// its e-mail address and its " Include in Contact List " choice in the extension record.
#pragma once

#include <string>

#include "core/document.h"

namespace zarim {

// " Include in Contact List ": kept in the extension record's further value (0 = Ask).
enum class ContactListChoice : uint16_t { kAsk = 0, kYes = 1, kNo = 2 };

class CircuitOverseerForm {
 public:
  explicit CircuitOverseerForm(CZarimDoc& doc);
  std::string first, last, address, home, mobile, other, email;  // UTF-8
  ContactListChoice include = ContactListChoice::kAsk;
  int MaxLength(int field) const;  // 0 first .. 6 e-mail, in the order above
  bool exists() const { return exists_; }
  // Stores the record (a new one only when the last name has at least 2 characters).
  // False when nothing was stored or a text was too long (reported).
  bool Ok();

 private:
  CZarimDoc& doc_;
  bool exists_ = false;
};

// The circuit overseer's choice of contact list, kAsk when there is no overseer.
ContactListChoice CircuitOverseerContactChoice(CZarimDoc& doc);

}  // namespace zarim
