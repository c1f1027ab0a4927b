// Writing the collection list and reading a returned collection file.
#include "exchange/collection_file.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "core/month.h"
#include "core/scramble.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "records/extension.h"

namespace zarim {

namespace {

bool IsLetterCell(const PubRecord& r, int month, int slot) {
  for (int f = 0; f < 5; ++f)
    if (r.activity[f][month][slot] != 0) return true;
  return false;
}

// A late report of the list counts for the file when the month carries any figure, the
// shared mark, or a pioneer byte with flags above the pioneer code.
bool LateCarriesReport(const PubRecord& r, int month, int slot) {
  return IsLetterCell(r, month, slot) || (r.activity[kBibleStudies][month][slot] & kSharedBit) ||
         r.pioneer[month][slot] >= 16;
}

bool RemarkExists(const CZarimDoc& doc, uint16_t index) {
  return index != 0 && index < doc.remark_count && index < doc.remarks.size() &&
         !Trim(FieldText(doc.remarks[index].text)).empty();
}

// Whether the companion program reads byte b at position i of a field back as b: the
// scrambled byte must not be 0 (the end of the text) nor, where 0xCC is left as it is,
// 0xCC. The offset is fixed by the format, so no other byte can stand for such a one.
bool Travels(uint8_t b, size_t i, size_t cc_limit) {
  if (i < cc_limit && b == 0xCC) return true;
  const auto s = static_cast<uint8_t>(b + i + kCollectionScrambleOffset);
  return s != 0 && !(i < cc_limit && s == 0xCC);
}

// Puts the plain letter (or '?') in the place of each character of a field that cannot
// travel; true when one was replaced.
bool CarryField(char* field, size_t size, size_t cc_limit, std::string_view language) {
  bool changed = false;
  const size_t len = FieldLength(field, size);
  for (size_t i = 0; i < len; ++i) {
    if (Travels(static_cast<uint8_t>(field[i]), i, cc_limit)) continue;
    char plain = PlainLetter(static_cast<unsigned char>(field[i]), language);
    if (plain == 0 || !Travels(static_cast<uint8_t>(plain), i, cc_limit)) plain = '?';
    field[i] = plain;
    changed = true;
  }
  return changed;
}

}  // namespace

bool CarryCollectionTexts(PubRecord& b, std::string_view language) {
  bool changed = CarryField(b.first_name, sizeof b.first_name, sizeof b.first_name, language);
  changed = CarryField(b.last_name, sizeof b.last_name, sizeof b.last_name, language) || changed;
  changed = CarryField(b.address, sizeof b.address, 30, language) || changed;
  for (char* phone : {b.home_phone, b.mobile_phone, b.other_phone})
    changed = CarryField(phone, sizeof b.home_phone, 0, language) || changed;
  return changed;
}

std::string CleanSecretaryEmail(std::string_view typed) {
  std::string text(typed.substr(0, std::min(typed.size(), kMaxSecretaryEmail)));
  const size_t at = text.find('@');
  if (at == std::string::npos || at < 1 || at > 47) return {};
  return text;
}

std::string PublisherEmail(CZarimDoc& doc, const PubRecord& r) {
  if (r.ext_key == 0) return {};
  const std::string email(Trim(LoadExtension(doc, r).email));
  const size_t at = email.find('@');
  if (at == std::string::npos || at == 0) return {};
  if (email.find('.', at + 1) == std::string::npos) return {};
  return email;
}

std::string CollectionFileName(int group) { return Printf("Group%d.t09", group); }

int SlotEndingAt(int serial, int month) {
  return SlotInWorkingYear(month, MonthOfSerial(serial), YearOfSerial(serial));
}

std::vector<int> CollectionMembers(const CZarimDoc& doc, int group) {
  std::vector<int> out;
  for (int rec = 1; rec < doc.count; ++rec) {
    const PubRecord& r = doc.records[static_cast<size_t>(rec)];
    if (r.status != kActive || r.group != group) continue;
    if (static_cast<int>(out.size()) >= kMaxCollectionBlocks) break;
    out.push_back(rec);
  }
  return out;
}

std::vector<uint8_t> BuildCollectionList(CZarimDoc& doc, int group, bool next_month,
                                         std::vector<std::string>* altered) {
  const int serial = doc.working_serial + (next_month ? 1 : 0);
  const int coll_month = MonthOfSerial(serial);
  const int coll_slot = SlotOfSerial(serial);
  const std::vector<int> members = CollectionMembers(doc, group);

  std::vector<PubRecord> blocks;
  std::vector<RemarkEntry> remarks;
  std::map<uint16_t, uint16_t> renumbered;  // document entry -> position in the file
  blocks.reserve(members.size());
  for (int rec : members) {
    PubRecord b = doc.records[static_cast<size_t>(rec)];
    SetField(b.address, PublisherEmail(doc, b));
    b.ext_key = 0;
    std::memset(b.baptism_date, 0, sizeof b.baptism_date);
    std::memset(b.birth_date, 0, sizeof b.birth_date);
    for (int l = 0; l < doc.late_count && l < static_cast<int>(doc.late.size()); ++l) {
      const LateReportEntry& e = doc.late[static_cast<size_t>(l)];
      if (e.id != b.id || e.month > 11) continue;
      if (!LateCarriesReport(b, e.month, SlotEndingAt(serial, e.month))) continue;
      const int k = e.month + 1;
      auto* bytes = reinterpret_cast<uint8_t*>(&b);
      bytes[k <= 6 ? 151 + k : 154 + k] = 1;
    }
    // A new list carries none of the month's old figures; cleared before the remarks are
    // collected, so the file holds no text that no block refers to.
    if (next_month) {
      for (int f = 0; f < 5; ++f) b.activity[f][coll_month][coll_slot] = 0;
      b.remark[coll_month][coll_slot] = 0;
      b.credit[coll_month][coll_slot] = 0;
      b.pioneer[coll_month][coll_slot] &= 0x03;
    }
    for (int m = 0; m < 12; ++m) {
      const int s = SlotEndingAt(serial, m);
      const uint16_t ref = b.remark[m][s];
      if (!RemarkExists(doc, ref)) {
        b.remark[m][s] = 0;
        continue;
      }
      auto found = renumbered.find(ref);
      if (found == renumbered.end()) {
        remarks.push_back(doc.remarks[ref]);
        found = renumbered.emplace(ref, static_cast<uint16_t>(remarks.size())).first;
      }
      b.remark[m][s] = found->second;
    }
    const std::string name = doc.DisplayName(b);
    if (CarryCollectionTexts(b, doc.language_code) && altered)
      altered->push_back(ToUtf8(name, doc.language_code) + " -> " +
                         ToUtf8(doc.DisplayName(b), doc.language_code));
    ScrambleRecord(b, Direction::kScramble, kCollectionScrambleOffset, false);
    blocks.push_back(b);
  }

  std::vector<uint8_t> out(kCollectionBlockSize * (blocks.size() + 1) +
                           kCollectionRemarkSize * remarks.size());
  const std::string email = doc.options.secretary_email;
  const size_t at = email.find('@');
  if (at != std::string::npos && at >= 2)
    std::memcpy(out.data() + kCollHeaderEmail, email.data(),
                std::min(email.size(), kCollHeaderEmailSize - 1));
  out[kCollHeaderCount] = static_cast<uint8_t>(blocks.size());
  out[kCollHeaderGroup] = static_cast<uint8_t>(group);
  out[kCollHeaderRemarks] = static_cast<uint8_t>(remarks.size() & 0xFF);
  out[kCollHeaderRemarks + 1] = static_cast<uint8_t>(remarks.size() >> 8);
  out[kCollHeaderMonth] = static_cast<uint8_t>(coll_month);
  uint8_t* p = out.data() + kCollectionBlockSize;
  for (const PubRecord& b : blocks) {
    std::memcpy(p, &b, kCollectionBlockSize);
    p += kCollectionBlockSize;
  }
  for (const RemarkEntry& e : remarks) {
    std::memcpy(p, &e, kCollectionRemarkSize);
    p += kCollectionRemarkSize;
  }
  return out;
}

bool MailToAssistant(const CZarimDoc& doc, int group) {
  if (group < 1 || group > kMaxGroups) return false;
  return doc.groups.assistant[group - 1][23] != 0;
}

void SetMailToAssistant(CZarimDoc& doc, int group, bool on) {
  if (group < 1 || group > kMaxGroups) return;
  char* field = doc.groups.assistant[group - 1];
  if ((field[23] != 0) == on && field[22] == 0) return;
  field[22] = 0;
  field[23] = on ? 1 : 0;
}

std::optional<CollectionFile> ReadCollectionFile(std::span<const uint8_t> bytes) {
  if (bytes.size() < kCollectionBlockSize) return std::nullopt;
  CollectionFile f;
  f.month = bytes[kCollHeaderMonth];
  if (f.month > 11) return std::nullopt;
  f.group = bytes[kCollHeaderGroup];
  f.declared_blocks = bytes[kCollHeaderCount];
  f.declared_remarks = bytes[kCollHeaderRemarks] | (bytes[kCollHeaderRemarks + 1] << 8);
  f.secretary_email = FieldText(reinterpret_cast<const char*>(bytes.data()) + kCollHeaderEmail,
                                kCollHeaderEmailSize);
  size_t pos = kCollectionBlockSize;
  for (int i = 0; i < f.declared_blocks && pos + kCollectionBlockSize <= bytes.size(); ++i) {
    PubRecord b;
    std::memcpy(&b, bytes.data() + pos, kCollectionBlockSize);
    ScrambleRecord(b, Direction::kUnscramble, kCollectionScrambleOffset, false);
    f.blocks.push_back(b);
    pos += kCollectionBlockSize;
  }
  // The remarks follow the declared blocks; in a file cut short they are not there.
  if (static_cast<int>(f.blocks.size()) == f.declared_blocks) {
    for (int i = 0; i < f.declared_remarks && pos + kCollectionRemarkSize <= bytes.size(); ++i) {
      RemarkEntry e;
      std::memcpy(&e, bytes.data() + pos, kCollectionRemarkSize);
      f.remarks.push_back(e);
      pos += kCollectionRemarkSize;
    }
  }
  return f;
}

std::string BlockRemark(const CollectionFile& file, const PubRecord& b, int month, int slot) {
  if (month < 0 || month > 11 || slot < 0 || slot > 1) return {};
  const uint16_t ref = b.remark[month][slot];
  if (ref == 0 || ref > file.remarks.size()) return {};
  return FieldText(file.remarks[ref - 1u].text);
}

}  // namespace zarim
