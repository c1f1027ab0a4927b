// Reserving and storing the remark of a report slip.
#include "cycle/slip_remarks.h"

#include <algorithm>

#include "core/strings.h"

namespace zarim {

namespace {
bool ValidCell(int month, int slot) { return month >= 0 && month < 12 && slot >= 0 && slot < 2; }

void Label(RemarkEntry& e, const PubRecord& r, int month, int slot) {
  e.month = static_cast<uint8_t>(month + 1);
  e.slot = static_cast<uint8_t>(slot);
  e.id = r.id;
}
}  // namespace

RemarkSlot GetRemark(CZarimDoc& doc, const PubRecord& r, int month, int slot) {
  RemarkSlot out;
  if (!ValidCell(month, slot)) return out;
  uint16_t index = r.remark[month][slot];
  if (index != 0 && index < doc.remark_count && index < doc.remarks.size()) {
    out.entry = index;
    out.text = FieldText(doc.remarks[index].text);
    return out;
  }
  if (doc.remark_count >= kRemarkNewLimit || doc.remark_count == 0) {
    if (doc.remark_count >= kRemarkNewLimit) doc.prompter->Tell(Str(Sid::kOutOfSpaceForRemarks));
    return out;
  }
  RemarkEntry& fresh = doc.remarks[doc.remark_count];
  fresh = RemarkEntry{};
  Label(fresh, r, month, slot);
  out.entry = doc.remark_count;
  return out;
}

bool StoreRemark(CZarimDoc& doc, PubRecord& r, int month, int slot, int entry,
                 std::string_view text) {
  if (!ValidCell(month, slot) || entry <= 0 || doc.remark_count == 0 || entry > doc.remark_count)
    return false;
  bool is_new = entry == doc.remark_count;
  // A full table takes no new entry; rewriting one in use needs no room.
  if (is_new && doc.remark_count >= kRemarkNewLimit) return false;
  RemarkEntry& e = doc.remarks[static_cast<size_t>(entry)];
  SetField(e.text, text.substr(0, std::min(text.size(), kSlipRemarkLength)));
  Label(e, r, month, slot);
  if (is_new) {
    r.remark[month][slot] = static_cast<uint16_t>(entry);
    ++doc.remark_count;
  }
  return true;
}

}  // namespace zarim
