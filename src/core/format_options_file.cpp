// "zrxcfg.cfg": the format options of the reports, one fixed block.
#include "core/format_options_file.h"

#include "core/file_names.h"
#include "core/folder_files.h"

namespace zarim {

void LoadFormatOptions(CZarimDoc& doc) {
  doc.format = FormatOptions{};
  ReadBlock(doc, kFileFormatOptions, &doc.format);
}

bool StageFormatOptions(const CZarimDoc& doc, SaveTransaction& tx) {
  return tx.Stage(kFileFormatOptions, &doc.format, sizeof doc.format);
}

}  // namespace zarim
