// "tdat9.bin", the publisher table, with its companions "tlt15.dat" (less-than-one-hour
// marks), "tcard.dat" (branch totals history) and "bkstudy.dat" (field service groups).
#pragma once

#include "core/document.h"
#include "core/file_io.h"
#include "core/ports.h"

namespace zarim {

void LoadPublishers(CZarimDoc& doc, const Clock& clock);
// Stages the publisher table with tlt15.dat, tcard.dat and bkstudy.dat; false when a
// file could not be staged (reported).
bool StagePublishers(CZarimDoc& doc, SaveTransaction& tx);
void RestoreLessThanHourMarks(CZarimDoc& doc);

}  // namespace zarim
