// The long name, other contact information and special need of a publisher.
#include "records/contact_info_form.h"

#include "core/strings.h"
#include "core/text_codec.h"
#include "records/extension.h"
#include "records/keyed_store.h"

namespace zarim {

ContactInfoForm::ContactInfoForm(CZarimDoc& doc, PubRecord& target) : doc_(doc), target_(target) {
  const std::string& lang = doc.language_code;
  ExtensionData ext = LoadExtension(doc, target);
  long_name = loaded_long_name_ = ToUtf8(ext.long_name, lang);
  other = loaded_other_ = ToUtf8(ext.other, lang);
  if (auto n = ReadSpecialNeed(doc, target.special_needs_key)) {
    working_need_ = n->key;
    need = loaded_need_ = ToUtf8(FieldText(n->text), lang);
  }
}

std::string ContactInfoForm::Title() const {
  return ToUtf8(doc_.DisplayName(target_), doc_.language_code);
}

int ContactInfoForm::MaxLength(Field f) const {
  switch (f) {
    case Field::kLongName:
      return kMaxLongName;
    case Field::kOther:
      return kMaxOtherContact;
    case Field::kNeed:
      return kMaxNeedText;
  }
  return 0;
}

std::vector<ContactInfoForm::Choice> ContactInfoForm::CommonNeeds() const {
  std::vector<Choice> out;
  for (const auto& n : AllSpecialNeeds(doc_))
    if (FieldLength(n.text, sizeof n.text) >= kMinNeedText)
      out.push_back({n.key, ToUtf8(FieldText(n.text), doc_.language_code)});
  return out;
}

bool ContactInfoForm::use_common_shown() const { return CommonNeeds().size() >= 2; }

bool ContactInfoForm::UseCommon(uint16_t id) {
  auto n = ReadSpecialNeed(doc_, id);
  if (!n) return false;
  working_need_ = id;
  need = ToUtf8(FieldText(n->text), doc_.language_code);
  return true;
}

bool ContactInfoForm::shared_shown() const {
  if (working_need_ == 0) return false;
  int users = KeyedUsers(doc_, KeyedFile::kSpecialNeeds, working_need_);
  bool mine = target_.special_needs_key == working_need_ && doc_.RecordNumberById(target_.id) != 0;
  // Used by two or more, or by one publisher other than this one.
  return users >= 2 || (users == 1 && !mine);
}

bool ContactInfoForm::Ok() {
  const std::string& lang = doc_.language_code;
  const std::pair<Field, const std::string*> texts[] = {
      {Field::kLongName, &long_name}, {Field::kOther, &other}, {Field::kNeed, &need}};
  for (const auto& [f, text] : texts) {
    const std::string fault = TypedTextFault(*text, static_cast<size_t>(MaxLength(f)), lang);
    if (!fault.empty()) {
      focus_ = f;
      doc_.prompter->Tell(fault);
      return false;
    }
  }
  if (long_name != loaded_long_name_ || other != loaded_other_) {
    ExtensionData ext = LoadExtension(doc_, target_);
    ext.long_name = TrimRight(FromUtf8(long_name, lang));
    ext.other = TrimRight(FromUtf8(other, lang));
    if (!StoreExtension(doc_, target_, ext)) {
      focus_ = Field::kLongName;
      return false;
    }
    loaded_long_name_ = long_name;
    loaded_other_ = other;
  }

  if (need == loaded_need_ && working_need_ == target_.special_needs_key) return true;
  SpecialNeedsRecord r{};
  std::string text = TrimRight(FromUtf8(need, lang));
  SetField(r.text, text);
  if (working_need_ != 0 && text.size() < kMinNeedText) {
    // Emptying a need ends only this publisher's use of it: a need shared with others
    // keeps its text for them. One that nobody else uses is emptied, so it is no longer
    // offered as a common need.
    bool mine =
        target_.special_needs_key == working_need_ && doc_.RecordNumberById(target_.id) != 0;
    int others = KeyedUsers(doc_, KeyedFile::kSpecialNeeds, working_need_) - (mine ? 1 : 0);
    r.key = working_need_;
    if (others == 0 && !RewriteSpecialNeed(doc_, r)) {
      focus_ = Field::kNeed;
      return false;
    }
    target_.special_needs_key = 0;
    working_need_ = 0;
  } else if (working_need_ != 0) {
    r.key = working_need_;
    if (!RewriteSpecialNeed(doc_, r)) {
      focus_ = Field::kNeed;
      return false;
    }
    target_.special_needs_key = working_need_;
  } else if (text.size() >= kMinNeedText) {
    uint16_t id = StoreNewSpecialNeed(doc_, r);
    if (id == 0) {
      focus_ = Field::kNeed;
      return false;
    }
    target_.special_needs_key = id;
    working_need_ = id;
  } else {
    target_.special_needs_key = 0;
  }
  loaded_need_ = need;
  return true;
}

}  // namespace zarim
