// The settings file reader: any bytes as "zarim.ini", read into a document, written back
// and read again; the second reading must give the same settings as the first.
#include <cstdlib>
#include <string>

#include "core/document.h"
#include "core/settings.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zarim;
  fuzz::ClearScratch();
  fuzz::WriteScratch("zarim.ini", data, size);
  SettingsFile file(fuzz::ScratchFolder());
  file.Load();
  CZarimDoc doc;
  ReadSettings(file.ini(), doc);
  ReadEarlyStart(file.ini(), doc);
  if (doc.early_month > 12 || doc.early_year > 99) std::abort();
  if (doc.options.custom_category_name.size() > kMaxCustomCategoryName) std::abort();
  WriteSettings(doc, file.ini());
  IniFile again;
  again.Parse(file.Image());
  CZarimDoc back;
  ReadSettings(again, back);
  if (back.options.top_margin != doc.options.top_margin ||
      back.options.congregation_name != doc.options.congregation_name ||
      back.options.custom_category_name != doc.options.custom_category_name)
    std::abort();
  return 0;
}
