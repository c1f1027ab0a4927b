// "zrxcfg.cfg": the format options of the reports, one fixed block.
#pragma once

#include "core/document.h"
#include "core/file_io.h"

namespace zarim {

void LoadFormatOptions(CZarimDoc& doc);
// Stages the format options into tx; false when the file could not be staged.
bool StageFormatOptions(const CZarimDoc& doc, SaveTransaction& tx);

}  // namespace zarim
