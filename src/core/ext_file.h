// "xten7.dat": long names, e-mail addresses and other contact information, addressed by
// record number; written in place as they are edited.
#pragma once

#include <cstdint>
#include <vector>

#include "core/document.h"
#include "core/file_io.h"

namespace zarim {

// The extension file, addressed by record number.
void LoadExtensions(CZarimDoc& doc);
bool ReadExt(CZarimDoc& doc, int n, int key);
// Every record of the file, plain, by record number; empty when it cannot be read.
std::vector<ExtRecord> ReadAllExt(const CZarimDoc& doc);
bool WriteExt(CZarimDoc& doc, int n);
int AddExt(CZarimDoc& doc);
// The publisher table is always saved with this program's base; an extension file of
// another base is rewritten with it in the same save (nothing is staged otherwise).
bool StageExtensions(CZarimDoc& doc, SaveTransaction& tx);
uint16_t ExtContentFlags(const ExtRecord& plain);

}  // namespace zarim
