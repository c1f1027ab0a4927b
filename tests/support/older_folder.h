// Writes data folders of the program's earlier version for the tests, straight from the
// published layout of the older files (offsets written out here, not taken from the
// converter), so that a converter that misplaces a field is caught.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/file_io.h"

namespace zarim::testing {

// One 336-byte older record.
struct OlderRecord {
  Bytes bytes = Bytes(336, 0);
  void Text(size_t offset, std::string_view text);
  void U8(size_t offset, uint8_t v) { bytes[offset] = v; }
  void U16At(size_t offset, uint16_t v);
  // The monthly bytes of month m (0..11) of the older layout.
  struct Month {
    uint8_t pioneer = 0, placements = 0, videos = 0, hours = 0, visits = 0, studies = 0,
            visits_high = 0, nibbles = 0, quarters = 0, credit = 0;
  };
  void SetMonth(int m, const Month& v);
};

// A publisher with names, identifier and every non-monthly field set to a known value.
OlderRecord OlderPublisher(uint16_t id, std::string_view first, std::string_view last);
// The older header record: plain marker "A", no password, month m's year byte years[m].
OlderRecord OlderHeader(const uint8_t (&years)[12]);

// A remark of remark7.dat (40 bytes).
Bytes OlderRemark(std::string_view text, uint8_t month_plus_one, uint16_t id);
// A late-report mark of oddmo7.dat (4 bytes).
Bytes OlderLateMark(uint16_t id, uint8_t month, uint8_t value);
// The 1881-byte older group table, scrambled with the group key.
struct OlderGroup {
  std::string overseer, assistant, location, short_name, time;
  uint8_t day = 0;
};
Bytes OlderGroupTable(const std::vector<OlderGroup>& groups);

// Concatenates records into one file image.
Bytes Join(const std::vector<OlderRecord>& records);
Bytes Join(const std::vector<Bytes>& records);

}  // namespace zarim::testing
