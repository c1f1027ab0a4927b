// The circuit overseer's record.
#include "records/circuit_overseer_form.h"

#include "core/strings.h"
#include "core/text_codec.h"
#include "records/extension.h"
#include "records/placing.h"
#include "records/publisher_form.h"

namespace zarim {

namespace {
constexpr int kLimits[] = {kMaxOverseerName, kMaxOverseerName, kMaxAddress, kMaxPhone,
                           kMaxPhone,        kMaxPhone,        kMaxEmail};

// The record of status 5 as the records hold it (the later one when there are two, as
// the index takes it); 0 when there is none.
int OverseerRecord(const CZarimDoc& doc) {
  int co = 0;
  for (int r = 1; r < doc.count; ++r)
    if (doc.records[r].status == kCircuitOverseer) co = r;
  return co;
}
}  // namespace

CircuitOverseerForm::CircuitOverseerForm(CZarimDoc& doc) : doc_(doc) {
  const int co = OverseerRecord(doc);
  if (co == 0) return;
  exists_ = true;
  const PubRecord& r = doc.records[co];
  const std::string& lang = doc.language_code;
  first = ToUtf8(FieldText(r.first_name), lang);
  last = ToUtf8(FieldText(r.last_name), lang);
  address = ToUtf8(FieldText(r.address), lang);
  home = ToUtf8(FieldText(r.home_phone), lang);
  mobile = ToUtf8(FieldText(r.mobile_phone), lang);
  other = ToUtf8(FieldText(r.other_phone), lang);
  ExtensionData ext = LoadExtension(doc, r);
  email = ToUtf8(ext.email, lang);
  include =
      ext.further <= 2 ? static_cast<ContactListChoice>(ext.further) : ContactListChoice::kAsk;
}

int CircuitOverseerForm::MaxLength(int field) const {
  return field >= 0 && field < 7 ? kLimits[field] : 0;
}

bool CircuitOverseerForm::Ok() {
  const std::string& lang = doc_.language_code;
  const std::string* texts[] = {&first, &last, &address, &home, &mobile, &other, &email};
  for (int i = 0; i < 7; ++i) {
    const std::string fault = TypedTextFault(*texts[i], static_cast<size_t>(kLimits[i]), lang);
    if (!fault.empty()) {
      doc_.prompter->Tell(fault);
      return false;
    }
  }
  int rec = OverseerRecord(doc_);
  std::string last_bytes(Trim(FromUtf8(last, lang)));
  if (rec == 0 || rec >= doc_.count) {
    if (last_bytes.size() < 2 || doc_.count >= kMaxRecords) return false;
    if (doc_.count == 0) doc_.ResetHeader();
    rec = doc_.count++;
    doc_.records[rec] = PubRecord{};
  }
  // The record is built from zero; its extension key is carried over.
  const uint16_t ext_key = doc_.records[rec].ext_key;
  PubRecord r{};
  SetField(r.first_name, std::string(Trim(FromUtf8(first, lang))));
  SetField(r.last_name, last_bytes);
  SetField(r.address, TrimRight(FromUtf8(address, lang)));
  SetField(r.home_phone, TrimRight(FromUtf8(home, lang)));
  SetField(r.mobile_phone, TrimRight(FromUtf8(mobile, lang)));
  SetField(r.other_phone, TrimRight(FromUtf8(other, lang)));
  SetField(r.baptism_date, std::string(8, ' '));
  SetField(r.birth_date, std::string(8, ' '));
  SetField(r.consent_date, std::string(8, ' '));
  r.status = kCircuitOverseer;
  r.id = kCircuitOverseerId;
  r.hope = 'O';
  r.special_circumstances = kCircumstancesSet;
  r.ext_key = ext_key;
  ExtensionData ext = LoadExtension(doc_, r);
  ext.email = TrimRight(FromUtf8(email, lang));
  ext.further = static_cast<uint16_t>(include);
  StoreExtension(doc_, r, ext);
  doc_.records[rec] = r;
  // The overseer sorts after everyone; keep him at the end.
  if (rec != doc_.count - 1) PlaceRecord(doc_, rec, false);
  exists_ = true;
  return true;
}

ContactListChoice CircuitOverseerContactChoice(CZarimDoc& doc) {
  const int co = OverseerRecord(doc);
  if (co == 0) return ContactListChoice::kAsk;
  uint16_t v = LoadExtension(doc, doc.records[co]).further;
  return v <= 2 ? static_cast<ContactListChoice>(v) : ContactListChoice::kAsk;
}

}  // namespace zarim
