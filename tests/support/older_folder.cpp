// The older data files written from their layout.
#include "support/older_folder.h"

#include <cstring>

namespace zarim::testing {

void OlderRecord::Text(size_t offset, std::string_view text) {
  std::memcpy(bytes.data() + offset, text.data(), text.size());
}

void OlderRecord::U16At(size_t offset, uint16_t v) {
  bytes[offset] = static_cast<uint8_t>(v & 0xFF);
  bytes[offset + 1] = static_cast<uint8_t>(v >> 8);
}

void OlderRecord::SetMonth(int m, const Month& v) {
  bytes[202 + m] = v.pioneer;
  bytes[216 + m] = v.placements;
  bytes[228 + m] = v.videos;
  bytes[240 + m] = v.hours;
  bytes[252 + m] = v.visits;
  bytes[264 + m] = v.studies;
  bytes[276 + m] = v.visits_high;
  bytes[288 + m] = v.nibbles;
  bytes[300 + m] = v.quarters;
  bytes[324 + m] = v.credit;
}

OlderRecord OlderPublisher(uint16_t id, std::string_view first, std::string_view last) {
  OlderRecord r;
  r.Text(2, first);
  r.Text(23, last);
  r.Text(44, "12 Garden Road");
  r.Text(107, "555-0101");
  r.Text(122, "555-0202");
  r.Text(137, "555-0303");
  r.Text(152, "03041990");
  r.Text(161, "05061970");
  r.Text(170, "07082001");
  r.U8(179, 1);
  r.U8(180, 'O');
  r.U8(181, 2);
  r.U16At(182, id);
  for (int k = 0; k < 6; ++k) r.U16At(184 + 2 * k, static_cast<uint16_t>(1100 + k));
  r.U16At(196, 0xBEEF);
  r.U8(198, 42);
  r.U8(200, 0);
  r.U8(201, 0x35);
  r.U8(214, 23);
  r.U8(215, 0x21);
  return r;
}

OlderRecord OlderHeader(const uint8_t (&years)[12]) {
  OlderRecord r;
  r.Text(2, " ");  // no password
  r.Text(23, "A");
  for (int m = 0; m < 12; ++m) r.U8(312 + m, years[m]);
  return r;
}

Bytes OlderRemark(std::string_view text, uint8_t month_plus_one, uint16_t id) {
  Bytes b(40, 0);
  std::memcpy(b.data(), text.data(), text.size());
  b[37] = month_plus_one;
  b[38] = static_cast<uint8_t>(id & 0xFF);
  b[39] = static_cast<uint8_t>(id >> 8);
  return b;
}

Bytes OlderLateMark(uint16_t id, uint8_t month, uint8_t value) {
  return Bytes{static_cast<uint8_t>(id & 0xFF), static_cast<uint8_t>(id >> 8), month, value};
}

Bytes OlderGroupTable(const std::vector<OlderGroup>& groups) {
  static const char kKey[] = "Zr9GroupK$";
  Bytes b(1881, 0);
  b[0] = static_cast<uint8_t>(groups.size());
  auto put = [&](size_t offset, const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
      auto c = static_cast<uint8_t>(text[i]);
      auto k = static_cast<uint8_t>(kKey[i % 10]);
      b[offset + i] = c == k ? c : static_cast<uint8_t>(c ^ k);
    }
  };
  for (size_t g = 0; g < groups.size(); ++g) {
    put(1 + 24 * g, groups[g].overseer);
    put(481 + 24 * g, groups[g].assistant);
    put(961 + 24 * g, groups[g].location);
    put(1441 + 12 * g, groups[g].short_name);
    put(1681 + 9 * g, groups[g].time);
    b[1861 + g] = groups[g].day;
  }
  return b;
}

Bytes Join(const std::vector<OlderRecord>& records) {
  Bytes out;
  for (const auto& r : records) out.insert(out.end(), r.bytes.begin(), r.bytes.end());
  return out;
}

Bytes Join(const std::vector<Bytes>& records) {
  Bytes out;
  for (const auto& r : records) out.insert(out.end(), r.begin(), r.end());
  return out;
}

}  // namespace zarim::testing
