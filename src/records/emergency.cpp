// The emergency-contact dialog's rules.
#include "records/emergency.h"

#include <cstring>

#include "core/strings.h"
#include "core/text_codec.h"
#include "records/keyed_store.h"

namespace zarim {

EmergencyForm::EmergencyForm(CZarimDoc& doc, PubRecord& target) : doc_(doc), target_(target) {
  if (auto r = ReadEmergency(doc, target.emergency_key)) {
    loaded_ = *r;
    working_id_ = r->key;
  }
  Show(loaded_);
  publisher_name =
      ToUtf8(doc.DisplayName(FieldText(target.first_name), FieldText(target.last_name)),
             doc.language_code);
}

void EmergencyForm::Show(const EmergencyRecord& r) {
  const std::string& lang = doc_.language_code;
  name = ToUtf8(FieldText(r.name), lang);
  info = ToUtf8(FieldText(r.info), lang);
  home = ToUtf8(FieldText(r.home_phone), lang);
  mobile = ToUtf8(FieldText(r.mobile_phone), lang);
  work = ToUtf8(FieldText(r.work_phone), lang);
  jw = r.jw != 0;
}

std::string EmergencyForm::Title() const {
  return publisher_name.empty() ? std::string(Str(Sid::kEmergencyContactCaption))
                                : Printf(Sid::kEmergencyContactTitle, publisher_name);
}

int EmergencyForm::MaxLength(Field f) const {
  return f == Field::kName || f == Field::kInfo ? kMaxContactText : kMaxContactPhone;
}

bool EmergencyForm::use_existing_shown() const { return AllEmergencyContacts(doc_).size() >= 2; }

std::vector<EmergencyForm::Choice> EmergencyForm::ExistingContacts() const {
  std::vector<Choice> out;
  for (const auto& r : AllEmergencyContacts(doc_))
    out.push_back({r.key, ToUtf8(FieldText(r.name), doc_.language_code)});
  return out;
}

bool EmergencyForm::UseExisting(uint16_t id) {
  auto r = ReadEmergency(doc_, id);
  if (!r) return false;
  working_id_ = id;
  Show(*r);
  return true;
}

bool EmergencyForm::shared_note_shown() const {
  if (working_id_ == 0) return false;
  int users = KeyedUsers(doc_, KeyedFile::kEmergency, working_id_);
  // The publisher being added is not in the table yet but will use the contact too.
  bool counted = target_.emergency_key == working_id_ && doc_.RecordNumberById(target_.id) != 0;
  return users + (counted ? 0 : 1) > 1;
}

void EmergencyForm::StopUsing() {
  Answer a = doc_.prompter->Ask(Str(Sid::kClearFields), Buttons::kYesNoCancel, Answer::kCancel);
  if (a == Answer::kCancel) return;
  working_id_ = 0;
  if (a == Answer::kYes) Show(EmergencyRecord{});
}

EmergencyRecord EmergencyForm::Build() const {
  const std::string& lang = doc_.language_code;
  EmergencyRecord r{};
  r.key = working_id_;
  SetField(r.name, std::string(Trim(FromUtf8(name, lang))));
  SetField(r.info, TrimRight(FromUtf8(info, lang)));
  SetField(r.home_phone, TrimRight(FromUtf8(home, lang)));
  SetField(r.mobile_phone, TrimRight(FromUtf8(mobile, lang)));
  SetField(r.work_phone, TrimRight(FromUtf8(work, lang)));
  r.jw = jw ? 1 : 0;
  return r;
}

EmergencyForm::Result EmergencyForm::Ok() {
  const std::string& lang = doc_.language_code;
  const std::pair<Field, const std::string*> texts[] = {{Field::kName, &name},
                                                        {Field::kInfo, &info},
                                                        {Field::kHome, &home},
                                                        {Field::kMobile, &mobile},
                                                        {Field::kWork, &work}};
  for (const auto& [f, text] : texts) {
    const std::string fault = TypedTextFault(*text, static_cast<size_t>(MaxLength(f)), lang);
    if (!fault.empty()) {
      focus_ = f;
      doc_.prompter->Tell(fault);
      return Result::kStayOpen;
    }
  }
  EmergencyRecord r = Build();
  std::string trimmed = FieldText(r.name);
  if (trimmed.empty()) {
    target_.emergency_key = 0;
    return Result::kClosed;
  }
  if (working_id_ == target_.emergency_key && std::memcmp(&r, &loaded_, sizeof r) == 0)
    return Result::kClosed;
  target_.emergency_key = 0;
  if (working_id_ != 0) {
    target_.emergency_key = working_id_;
    if (!RewriteEmergency(doc_, r)) return Result::kStayOpen;
    loaded_ = r;
    return Result::kClosed;
  }
  if (trimmed.size() < 2) {
    focus_ = Field::kName;
    return Result::kStayOpen;
  }
  uint16_t id = StoreNewEmergency(doc_, r);
  if (id == 0) return Result::kStayOpen;
  r.key = id;
  target_.emergency_key = id;
  working_id_ = id;
  loaded_ = r;
  return Result::kClosed;
}

}  // namespace zarim
