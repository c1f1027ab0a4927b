// The rules of "Edit Publisher Information".
#include "records/publisher_form.h"

#include <algorithm>
#include <sstream>

#include "core/data_files.h"
#include "core/store.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "records/appointments_form.h"
#include "records/extension.h"
#include "records/placing.h"

namespace zarim {

namespace {

// Number of characters of a UTF-8 text and the byte offset of character n.
int CharCount(std::string_view s) {
  int n = 0;
  for (unsigned char c : s)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}
size_t ByteOffset(std::string_view s, int chars) {
  int n = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
      if (n == chars) return i;
      ++n;
    }
  }
  return s.size();
}

bool LinkedToHead(const CZarimDoc& doc, uint16_t head_id) {
  if (head_id < kFirstValidId) return false;
  for (int r = 1; r < doc.count; ++r)
    if (doc.records[r].household_head == head_id && doc.records[r].id != head_id) return true;
  return false;
}

std::string YearsText(int years) {
  return years < 0 ? std::string() : Printf(Sid::kYearsLabel, years);
}

}  // namespace

bool AutoCapsAppliesTo(std::string_view code) {
  for (std::string_view no : {"turkish", "french", "greek", "tha", "rus"})
    if (code == no) return false;
  return code.empty() || code.front() != 'U';
}

CapsEdit ApplyAutoCaps(std::string_view text, int caret) {
  CapsEdit e{std::string(text), caret, false};
  if (!e.text.empty() && e.text[0] >= 'a' && e.text[0] <= 'z') {
    e.text[0] = static_cast<char>(e.text[0] - 'a' + 'A');
    e.caret = 1;
    e.changed = true;
  }
  if (CharCount(e.text) > kMaxPublisherName) {
    e.text.resize(ByteOffset(e.text, kMaxPublisherName));
    e.caret = kMaxPublisherName;
    e.changed = true;
  }
  return e;
}

uint8_t PrivilegeCode(bool elder, bool servant, bool baptized_brother) {
  if (elder) return kElder;
  if (servant) return kServant;
  return baptized_brother ? kBaptizedBrother : kNoPrivilege;
}

uint8_t PioneerCodeFor(bool special, bool regular, bool continuous_aux, uint8_t previous) {
  if (special) return kSpecial;
  if (regular) return kRegular;
  if ((previous & 3) == kAuxiliary || continuous_aux) return kAuxiliary;
  return kPublisher;
}

PublisherForm::PublisherForm(CZarimDoc& doc, Clipboard* clipboard, PublisherKind kind)
    : doc_(doc), clipboard_(clipboard), kind_(kind) {
  StartAdding();
}

void PublisherForm::StartAdding() {
  adding_ = true;
  rec_ = 0;
  base_ = BlankPublisher(doc_);
  if (kind_ == PublisherKind::kBibleStudent) base_.status = kNonPublisher;
  loaded_email_.clear();
  FillFrom(base_);
}

bool PublisherForm::Load(int rec) {
  if (rec < 1 || rec >= doc_.count) return false;
  adding_ = false;
  rec_ = rec;
  base_ = doc_.records[rec];
  loaded_email_ = ToUtf8(LoadExtension(doc_, base_).email, doc_.language_code);
  FillFrom(base_);
  return true;
}

void PublisherForm::FillFrom(const PubRecord& r) {
  const std::string& lang = doc_.language_code;
  PublisherFields f;
  f.text[static_cast<int>(TextField::kFirst)] = ToUtf8(FieldText(r.first_name), lang);
  f.text[static_cast<int>(TextField::kLast)] = ToUtf8(FieldText(r.last_name), lang);
  f.text[static_cast<int>(TextField::kAddress)] = ToUtf8(FieldText(r.address), lang);
  f.text[static_cast<int>(TextField::kHome)] = ToUtf8(FieldText(r.home_phone), lang);
  f.text[static_cast<int>(TextField::kMobile)] = ToUtf8(FieldText(r.mobile_phone), lang);
  f.text[static_cast<int>(TextField::kWork)] = ToUtf8(FieldText(r.other_phone), lang);
  f.text[static_cast<int>(TextField::kEmail)] = loaded_email_;
  f.birth = ParseRecordDate(FieldText(r.birth_date));
  f.baptism = ParseRecordDate(FieldText(r.baptism_date));
  f.consent_date = ParseRecordDate(FieldText(r.consent_date));
  uint8_t priv = r.flags & kPrivilegeMask;
  f.elder = priv == kElder;
  f.servant = priv == kServant;
  f.baptized_brother = priv == kBaptizedBrother;
  f.family_head = (r.flags & kFamilyHead) != 0;
  f.continuous_aux = (r.flags & kContinuousAux) != 0;
  f.custom = (r.flags & kCustomCategory) != 0;
  f.male = (r.flags & kMale) != 0;
  f.female = !f.male && (r.flags & kFemale) != 0;
  f.anointed = r.hope == 'A';
  uint8_t code = r.pioneer[doc_.working_month][doc_.SlotOfMonth(doc_.working_month)] & 3;
  f.regular = code == kRegular;
  f.special = code == kSpecial;
  f.deaf = (r.special_circumstances & kDeaf) != 0;
  f.blind = (r.special_circumstances & kBlind) != 0;
  f.incarcerated = (r.special_circumstances & kIncarcerated) != 0;
  f.special_servant = (r.service_flags & kSpecialServant) != 0;
  f.field_missionary = (r.service_flags & kFieldMissionary) != 0;
  f.consent = r.consent != 0;
  f.group = r.group > 0 && r.group <= kMaxGroups ? r.group : 0;
  f.conductor = kind_ == PublisherKind::kBibleStudent ? static_cast<uint16_t>(r.linked_id) : 0;
  fields_ = f;
}

std::string PublisherForm::Title() const {
  return std::string(Str(kind_ == PublisherKind::kBibleStudent ? Sid::kEditBibleStudentTitle
                                                               : Sid::kEditPublisherTitle));
}

std::string PublisherForm::DisplayName() const {
  return ToUtf8(doc_.DisplayName(base_), doc_.language_code);
}

std::string PublisherForm::TypedName() const {
  const std::string& lang = doc_.language_code;
  return ToUtf8(doc_.DisplayName(FromUtf8(fields_.text[static_cast<int>(TextField::kFirst)], lang),
                                 FromUtf8(fields_.text[static_cast<int>(TextField::kLast)], lang)),
                lang);
}

int PublisherForm::MaxLength(TextField f) const {
  switch (f) {
    case TextField::kFirst:
    case TextField::kLast:
      return kMaxPublisherName;
    case TextField::kAddress:
      return kMaxAddress;
    case TextField::kEmail:
      return kMaxEmail;
    default:
      return kMaxPhone;
  }
}

bool PublisherForm::autocaps_active() const {
  return doc_.options.autocaps != 0 && AutoCapsAppliesTo(doc_.language_code);
}

CapsEdit PublisherForm::NameEdited(TextField f, std::string_view text, int caret) {
  CapsEdit e{std::string(text), caret, false};
  if ((f == TextField::kFirst || f == TextField::kLast) && autocaps_active())
    e = ApplyAutoCaps(text, caret);
  fields_.text[static_cast<int>(f)] = e.text;
  return e;
}

void PublisherForm::SetMale(bool on) {
  fields_.male = on;
  if (on) fields_.female = false;
}

void PublisherForm::SetFemale(bool on) {
  fields_.female = on;
  if (on) fields_.male = false;
}

bool PublisherForm::HeadHasMembers() const { return LinkedToHead(doc_, base_.id); }

void PublisherForm::Cancel() {
  if (!adding_) return;
  for (int r = 1; r < doc_.count; ++r)
    if (doc_.records[r].household_head == base_.id) doc_.records[r].household_head = 0;
}

bool PublisherForm::SetFamilyHead(bool on) {
  if (!on && fields_.family_head && HeadHasMembers()) return false;
  fields_.family_head = on;
  return true;
}

bool PublisherForm::custom_shown() const {
  return doc_.options.custom_category_enabled != 0 &&
         !Trim(doc_.options.custom_category_name).empty();
}

std::string PublisherForm::CustomCaption() const {
  return ToUtf8(doc_.options.custom_category_name, doc_.language_code);
}

std::string PublisherForm::ConductorText() const {
  if (fields_.conductor == 0) return {};
  const PubRecord* c = doc_.FindById(fields_.conductor);
  if (!c) return {};
  return std::string(Str(Sid::kConductorLabel)) + ": " +
         ToUtf8(doc_.DisplayName(*c, false), doc_.language_code);
}

void PublisherForm::SetConductor(int rec) {
  if (rec >= 1 && rec < doc_.count) fields_.conductor = doc_.records[rec].id;
}

std::string PublisherForm::AgeLabel() const {
  return YearsText(YearsSince(fields_.birth, doc_.today_year, doc_.today_month, doc_.today_day));
}

std::string PublisherForm::BaptismLabel() const {
  return YearsText(YearsSince(fields_.baptism, doc_.today_year, doc_.today_month, doc_.today_day));
}

std::string PublisherForm::GroupButtonCaption() const {
  int g = fields_.group;
  if (g < 1 || g > kMaxGroups) return std::string(Str(Sid::kSelectGroupButton));
  if (doc_.groups.use_name[g - 1] && FieldText(doc_.groups.name[g - 1]).size() > 1)
    return ToUtf8(FieldText(doc_.groups.name[g - 1]), doc_.language_code);
  return Printf(Sid::kGroupButtonFormat, Str(Sid::kGroupHash).data(), g,
                ToUtf8(FieldText(doc_.groups.overseer[g - 1]), doc_.language_code).c_str());
}

bool PublisherForm::household_shown() const {
  return fields_.family_head || base_.household_head != 0;
}

std::string PublisherForm::HouseholdCaption() const {
  return std::string(Str(fields_.family_head ? Sid::kEditHousehold : Sid::kViewHousehold));
}

namespace {
// The identifier in a copy on the clipboard, 0 when the clipboard holds no copy.
uint16_t CopiedId(const Clipboard* clipboard) {
  if (!clipboard) return 0;
  std::string text = clipboard->Text();
  if (text.rfind(kCopyMarker, 0) != 0) return 0;
  std::istringstream in(text.substr(kCopyMarker.size()));
  unsigned id = 0;
  if (!(in >> id) || id < kFirstValidId || id >= kIdLimit) return 0;
  return static_cast<uint16_t>(id);
}
}  // namespace

std::string PublisherForm::CopyCaption() const {
  return std::string(Str(CopiedId(clipboard_) != 0 ? Sid::kPasteButton : Sid::kCopyButton));
}

bool PublisherForm::clear_shown() const { return CopiedId(clipboard_) != 0; }

PublisherForm::Result PublisherForm::CopyOrPaste() {
  uint16_t copied = CopiedId(clipboard_);
  if (copied != 0) {
    const PubRecord* from = doc_.FindById(copied);
    if (!from) return Result::kFailed;
    fields_.text[static_cast<int>(TextField::kAddress)] =
        ToUtf8(FieldText(from->address), doc_.language_code);
    fields_.text[static_cast<int>(TextField::kHome)] =
        ToUtf8(FieldText(from->home_phone), doc_.language_code);
    fields_.group = from->group > 0 && from->group <= kMaxGroups ? from->group : 0;
    return Result::kStored;
  }
  if (!clipboard_ || adding_) return Result::kFailed;
  Result r = Store();
  if (r != Result::kStored) return r;
  const PubRecord& saved = doc_.records[rec_];
  // The clipboard also receives the address and phone as text for other programs.
  std::string text = std::string(kCopyMarker) + " " + std::to_string(saved.id) + "\n" +
                     ToUtf8(FieldText(saved.address), doc_.language_code) + "\n" +
                     ToUtf8(FieldText(saved.home_phone), doc_.language_code) + "\n";
  clipboard_->SetText(text);
  return Result::kStored;
}

void PublisherForm::ClearCopy() {
  if (clipboard_ && CopiedId(clipboard_) != 0) clipboard_->SetText("");
}

bool PublisherForm::Validate() {
  for (int i = 0; i < kTextFieldCount; ++i) {
    auto f = static_cast<TextField>(i);
    const std::string fault =
        TypedTextFault(fields_.text[i], static_cast<size_t>(MaxLength(f)), doc_.language_code);
    if (!fault.empty()) {
      invalid_field_ = f;
      doc_.prompter->Tell(fault);
      return false;
    }
  }
  std::string first(Trim(fields_.text[0]));
  std::string last(Trim(fields_.text[1]));
  if (first.empty() && last.empty()) {
    // A record without any name could neither be found nor told apart in a list.
    invalid_field_ = TextField::kFirst;
    return false;
  }
  return true;
}

void PublisherForm::WriteFields(PubRecord& r) const {
  const std::string& lang = doc_.language_code;
  auto bytes = [&](TextField f) { return FromUtf8(fields_.text[static_cast<int>(f)], lang); };
  SetField(r.first_name, std::string(Trim(bytes(TextField::kFirst))));
  SetField(r.last_name, std::string(Trim(bytes(TextField::kLast))));
  SetField(r.address, TrimRight(bytes(TextField::kAddress)));
  SetField(r.home_phone, TrimRight(bytes(TextField::kHome)));
  SetField(r.mobile_phone, TrimRight(bytes(TextField::kMobile)));
  SetField(r.other_phone, TrimRight(bytes(TextField::kWork)));
  SetField(r.birth_date, FormatRecordDate(fields_.birth));
  if (kind_ == PublisherKind::kPublisher)
    SetField(r.baptism_date, FormatRecordDate(fields_.baptism));
  r.consent = fields_.consent ? 1 : 0;
  SetField(r.consent_date,
           fields_.consent ? FormatRecordDate(fields_.consent_date) : std::string(8, ' '));
  uint8_t flags = r.flags & kExcludeFromGroupList;
  if (kind_ == PublisherKind::kPublisher) {
    flags |= PrivilegeCode(fields_.elder, fields_.servant, fields_.baptized_brother);
    if (fields_.continuous_aux) flags |= kContinuousAux;
  }
  if (fields_.family_head) flags |= kFamilyHead;
  if (fields_.custom) flags |= kCustomCategory;
  if (fields_.male) flags |= kMale;
  if (fields_.female) flags |= kFemale;
  r.flags = flags;
  r.hope = fields_.anointed ? 'A' : 'O';
  if (kind_ == PublisherKind::kPublisher) {
    uint8_t& cell = r.pioneer[doc_.working_month][doc_.SlotOfMonth(doc_.working_month)];
    uint8_t code = PioneerCodeFor(fields_.special, fields_.regular, fields_.continuous_aux, cell);
    cell = static_cast<uint8_t>((cell & ~3) | code);
    uint16_t service = r.service_flags & ~(kSpecialServant | kFieldMissionary);
    if (fields_.special_servant) service |= kSpecialServant;
    if (fields_.field_missionary) service |= kFieldMissionary;
    r.service_flags = service;
  } else {
    r.linked_id = fields_.conductor;
  }
  uint16_t circ = r.special_circumstances & ~(kDeaf | kBlind | kIncarcerated);
  circ |= kCircumstancesSet;
  if (fields_.deaf) circ |= kDeaf;
  if (fields_.blind) circ |= kBlind;
  if (fields_.incarcerated) circ |= kIncarcerated;
  r.special_circumstances = circ;
  r.group =
      static_cast<int8_t>(fields_.group >= 0 && fields_.group <= kMaxGroups ? fields_.group : 0);
}

bool PublisherForm::StoreEmail(PubRecord& r) {
  const std::string& email = fields_.text[static_cast<int>(TextField::kEmail)];
  if (email == loaded_email_) return true;
  // A Bible student's address is kept only once the student has a real last name.
  if (kind_ == PublisherKind::kBibleStudent && FieldLength(r.last_name, sizeof r.last_name) <= 1)
    return true;
  ExtensionData d = LoadExtension(doc_, r);
  d.email = TrimRight(FromUtf8(email, doc_.language_code));
  if (!StoreExtension(doc_, r, d)) return false;
  loaded_email_ = email;
  return true;
}

PublisherForm::Result PublisherForm::Store() {
  if (!Validate()) return Result::kInvalid;
  if (adding_) {
    PubRecord r = base_;
    WriteFields(r);
    if (kind_ == PublisherKind::kPublisher && status_dialog) status_dialog(doc_, r);
    if (Room room = RoomFor(doc_, r.status, 1, true); room != Room::kYes) {
      doc_.prompter->Tell(RoomMessage(room, r.status));
      return Result::kFull;
    }
    int placed = AddPublisherRecord(doc_, r);
    if (placed == 0) return Result::kRefused;
    // The e-mail is kept only once the record is placed: a refused name must not leave
    // an extension record behind that no publisher points at.
    StoreEmail(doc_.records[placed]);
    StoreConsentMarker(doc_.records[placed].id);
    // The save brings the derived state up to date with the new publisher.
    if (DocumentStore* store = StoreOf(doc_)) store->Save();
    adding_ = false;
    rec_ = placed;
    base_ = doc_.records[placed];
    // An e-mail address that could not be kept yet stays in its box.
    std::string typed_email = fields_.text[static_cast<int>(TextField::kEmail)];
    FillFrom(base_);
    fields_.text[static_cast<int>(TextField::kEmail)] = typed_email;
    return Result::kStored;
  }
  if (rec_ < 1 || rec_ >= doc_.count || doc_.records[rec_].id != base_.id) {
    int found = doc_.RecordNumberById(base_.id);
    if (found == 0) return Result::kFailed;
    rec_ = found;
  }
  PubRecord r = doc_.records[rec_];
  WriteFields(r);
  bool renamed = FieldText(r.first_name) != FieldText(doc_.records[rec_].first_name) ||
                 FieldText(r.last_name) != FieldText(doc_.records[rec_].last_name);
  if (renamed) {
    // Placed with the new name; on a duplicate the stored record stays as it was.
    PubRecord before = doc_.records[rec_];
    doc_.records[rec_] = r;
    int placed = PlaceRecord(doc_, rec_, false);
    if (placed == 0) {
      doc_.records[rec_] = before;
      invalid_field_ = TextField::kLast;
      return Result::kRefused;
    }
    rec_ = placed;
  } else {
    doc_.records[rec_] = r;
  }
  StoreEmail(doc_.records[rec_]);
  StoreConsentMarker(doc_.records[rec_].id);
  base_ = doc_.records[rec_];
  return Result::kStored;
}

void PublisherForm::StoreConsentMarker(uint16_t id) {
  if (kind_ != PublisherKind::kPublisher) return;
  const AppointmentRecord* a = FindAppointment(doc_, id, kApptConsent);
  if (!fields_.consent) {
    if (a) RemoveAppointment(doc_, id, kApptConsent);
    return;
  }
  std::string date = FormatRecordDate(fields_.consent_date);
  if (a && FieldText(a->start_date) == date) return;
  AppointmentRecord marker{};
  marker.id = id;
  marker.kind = kApptConsent;
  SetField(marker.start_date, date);
  SetField(marker.end_date, std::string(8, ' '));
  StoreAppointment(doc_, marker);
}

PublisherForm::Result PublisherForm::Ok() { return Store(); }

int PublisherForm::ListStatus() const {
  if (kind_ == PublisherKind::kBibleStudent) return kNonPublisher;
  if (!adding_ && (base_.status == kInactive || base_.status == kMoved || base_.status == kDeleted))
    return base_.status;
  return kActive;
}

PublisherForm::Result PublisherForm::Step(int direction) {
  if (adding_) return Result::kFailed;
  Result r = Store();
  if (r != Result::kStored) return r;
  RefreshDerivedState(doc_);  // the next one is found in the lists as they are now
  int status = ListStatus();
  int n = std::min(doc_.status_count[status], kMaxStatusList);
  if (n == 0) return r;
  int pos = 0;
  for (int i = 0; i < n; ++i)
    if (doc_.lists[status][i].rec == rec_) pos = i;
  pos = ((pos + direction) % n + n) % n;
  Load(doc_.lists[status][pos].rec);
  return r;
}

}  // namespace zarim
