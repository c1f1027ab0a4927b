// Collection test support.
#include "collection_support.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/scramble.h"
#include "cycle/collection.h"

namespace zarim::testing {

CollectionFixture::CollectionFixture() {
  EXPECT_TRUE(OpenOwner(owner, dir.path(), clock));
  StartEmpty(doc, Date{2026, 7, 10}, dir.path());  // working month June 2026
  prompter.messages.clear();                       // what opening said is not under test
  prompter.buttons.clear();
  OpenOnlyMonth(doc, doc.working_month);
  doc.remark_count = 1;
  doc.groups.count = 1;
  SetField(doc.groups.overseer[0], "Ann Oak");
}

PubRecord& CollectionFixture::Add(int id, const char* first, const char* last, int group) {
  PubRecord r = MakePublisher(id, first, last);
  r.group = static_cast<int8_t>(group);
  AddRecord(doc, r);
  return *doc.FindById(id);
}

void CollectionFixture::Remark(int id, int month, const char* text) {
  PubRecord* r = doc.FindById(id);
  const int entry = doc.remark_count++;
  RemarkEntry& e = doc.remarks[static_cast<size_t>(entry)];
  SetField(e.text, text);
  e.month = static_cast<uint8_t>(month + 1);
  e.slot = static_cast<uint8_t>(doc.SlotOfMonth(month));
  e.id = r->id;
  r->remark[month][doc.SlotOfMonth(month)] = static_cast<uint16_t>(entry);
}

std::vector<uint8_t> EncodeCollection(const std::vector<uint8_t>& header_source,
                                      const CollectionFile& file) {
  std::vector<uint8_t> out(header_source.begin(), header_source.begin() + kCollectionBlockSize);
  out[kCollHeaderCount] = static_cast<uint8_t>(file.blocks.size());
  out[kCollHeaderRemarks] = static_cast<uint8_t>(file.remarks.size());
  out[kCollHeaderRemarks + 1] = static_cast<uint8_t>(file.remarks.size() >> 8);
  for (PubRecord b : file.blocks) {
    ScrambleRecord(b, Direction::kScramble, kCollectionScrambleOffset, false);
    const auto* p = reinterpret_cast<const uint8_t*>(&b);
    out.insert(out.end(), p, p + sizeof b);
  }
  for (const RemarkEntry& e : file.remarks) {
    const auto* p = reinterpret_cast<const uint8_t*>(&e);
    out.insert(out.end(), p, p + sizeof e);
  }
  return out;
}

}  // namespace zarim::testing
