// "xten7.dat": long names, e-mail addresses and other contact information, addressed by
// record number. Edits are kept in memory (with the document's pending files) until the
// save writes the file whole in its transaction.
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
// Puts doc.current_ext at record n of the file as the next save writes it.
bool WriteExt(CZarimDoc& doc, int n);
int AddExt(CZarimDoc& doc);
// Stages the edited file; the publisher table is always saved with this program's base,
// so an extension file of another base is rewritten with it in the same save.
bool StageExtensions(CZarimDoc& doc, SaveTransaction& tx);
uint16_t ExtContentFlags(const ExtRecord& plain);

}  // namespace zarim
