// "meetin9.dat": the attendance of the two weekly meetings, two fixed blocks.
#pragma once

#include "core/document.h"
#include "core/file_io.h"

namespace zarim {

void LoadMeetings(CZarimDoc& doc);
// Stages the meeting file into tx; false when it could not be staged.
bool StageMeetings(const CZarimDoc& doc, SaveTransaction& tx);

}  // namespace zarim
