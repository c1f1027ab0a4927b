// The emergency-contact dialog of a publisher: a contact of
// emerg.dat that may be shared between publishers, edited in place or stored anew.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/document.h"

namespace zarim {

inline constexpr int kMaxContactText = 95;
inline constexpr int kMaxContactPhone = 15;

class EmergencyForm {
 public:
  enum class Field { kName, kInfo, kHome, kMobile, kWork };
  enum class Result { kClosed, kStayOpen };
  struct Choice {
    uint16_t id;
    std::string name;  // UTF-8
  };

  // target is the publisher's record: the document's record when editing, the edit
  // dialog's new record when adding. Its link is changed on OK.
  EmergencyForm(CZarimDoc& doc, PubRecord& target);

  // "Emergency Contact - name"; the caption alone while the publisher has no name yet.
  std::string Title() const;
  // The publisher's name as shown in the title (UTF-8); the publisher dialog puts the
  // name typed so far here for a publisher being added.
  std::string publisher_name;
  // Texts as shown (UTF-8).
  std::string name, info, home, mobile, work;
  bool jw = false;
  int MaxLength(Field f) const;

  uint16_t contact_id() const { return working_id_; }  // 0 = a new contact
  bool use_existing_shown() const;
  std::vector<Choice> ExistingContacts() const;
  // Copies the chosen contact (with its identifier) into the dialog.
  bool UseExisting(uint16_t id);
  bool shared_note_shown() const;
  bool stop_shown() const { return working_id_ != 0; }
  // "Stop Using This Contact": asks "Clear Fields?"; Yes and No detach the dialog from
  // the contact (Yes also clears the fields), Cancel does nothing.
  void StopUsing();

  // OK. kStayOpen when the name is too short for a new contact or a text is too long
  // (focus_field() tells where to go), or when the file could not be written.
  Result Ok();
  Field focus_field() const { return focus_; }

 private:
  EmergencyRecord Build() const;
  void Show(const EmergencyRecord& r);

  CZarimDoc& doc_;
  PubRecord& target_;
  uint16_t working_id_ = 0;
  EmergencyRecord loaded_{};
  Field focus_ = Field::kName;
};

}  // namespace zarim
