// The "&Long name - Other contact info" / "Special needs" dialog: the long name and other
// contact information of the extension record, and a special need of spneed.dat that
// may be shared between publishers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/document.h"

namespace zarim {

inline constexpr int kMaxNeedText = 90;
inline constexpr int kMinNeedText = 4;

class ContactInfoForm {
 public:
  enum class Field { kLongName, kOther, kNeed };
  struct Choice {
    uint16_t id;
    std::string text;  // UTF-8
  };

  // target: the publisher's record (the document's, or the edit dialog's new record).
  ContactInfoForm(CZarimDoc& doc, PubRecord& target);

  std::string Title() const;
  std::string long_name, other, need;  // UTF-8
  int MaxLength(Field f) const;

  uint16_t need_id() const { return working_need_; }
  bool use_common_shown() const;
  std::vector<Choice> CommonNeeds() const;
  bool UseCommon(uint16_t id);
  // The note "This is a shared need..." and "Stop using this shared need".
  bool shared_shown() const;
  void StopUsingShared() { working_need_ = 0; }

  // False (dialog stays open, focus_field() tells where) when a text is too long or a
  // file could not be written.
  bool Ok();
  Field focus_field() const { return focus_; }

 private:
  CZarimDoc& doc_;
  PubRecord& target_;
  std::string loaded_long_name_, loaded_other_, loaded_need_;
  uint16_t working_need_ = 0;
  Field focus_ = Field::kLongName;
};

}  // namespace zarim
