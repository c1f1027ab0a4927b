// "meetin9.dat": the attendance of the two weekly meetings, two fixed blocks.
#include "core/meetings_file.h"

#include <algorithm>
#include <cstring>

#include "core/file_names.h"
#include "core/strings.h"
#include "core/text_codec.h"

namespace zarim {

void LoadMeetings(CZarimDoc& doc) {
  doc.attendance = {};
  doc.attendance_blocks = 2;
  auto data = ReadFile(ResolvePath(doc.FolderForFiles(), kFileMeetings));
  if (data) {
    // The reading loop stores each whole block and counts one more read, which meets the
    // end of the file, while fewer than two blocks were read.
    size_t whole = std::min<size_t>(data->size() / sizeof(AttendanceBlock), 2);
    if (whole > 0)
      std::memcpy(static_cast<void*>(doc.attendance.data()), data->data(),
                  whole * sizeof(AttendanceBlock));
    doc.attendance_blocks = static_cast<uint16_t>(std::min<size_t>(whole + 1, 2));
    if (data->size() >= 2 * sizeof(AttendanceBlock)) doc.attendance_blocks = 2;
  }
  // The meetings' names are the catalog's; a load for counts only leaves them as stored.
  if (doc.load_depth != LoadDepth::kWhole) return;
  SetField(doc.attendance[0].name, FromUtf8(Str(Sid::kMidweekMeeting), doc.language_code));
  SetField(doc.attendance[1].name, FromUtf8(Str(Sid::kWeekendMeeting), doc.language_code));
}

bool StageMeetings(const CZarimDoc& doc, SaveTransaction& tx) {
  // A folder whose meeting file was empty or short still keeps every block that now
  // holds figures; a block's name is set at load and is not data.
  size_t blocks = std::min<size_t>(doc.attendance_blocks, 2);
  for (size_t b = 0; b < 2; ++b) {
    const AttendanceBlock& block = doc.attendance[b];
    const auto* first = reinterpret_cast<const uint8_t*>(&block) + sizeof block.name;
    const auto* last = reinterpret_cast<const uint8_t*>(&block) + sizeof block;
    if (std::any_of(first, last, [](uint8_t v) { return v != 0; }))
      blocks = std::max(blocks, b + 1);
  }
  return tx.Stage(kFileMeetings, doc.attendance.data(), blocks * sizeof(AttendanceBlock));
}

}  // namespace zarim
