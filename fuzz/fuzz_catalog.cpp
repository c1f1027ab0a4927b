// Fuzzes the backup catalog "buhist.dat": reading, listing the usable entries, adding an
// entry and writing the file back; and the restore list built from it.
#include "backup/backup_form.h"
#include "core/catalog.h"
#include "core/file_io.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zarim;
  fuzz::ClearScratch();
  fuzz::WriteScratch("buhist.dat", data, size);
  const std::string& folder = fuzz::ScratchFolder();
  Catalog c = Catalog::Read(folder);
  for (const CatalogEntry& e : c.entries())
    if (e.label.size() >= kCatalogLabelSize || e.path.size() >= kCatalogPathSize) __builtin_trap();
  (void)c.Usable();
  Catalog::AddEntry(folder, "label", folder);
  if (FileSize(JoinPath(folder, "buhist.dat")) != kCatalogEntries * kCatalogEntrySize)
    __builtin_trap();

  CZarimDoc doc;
  doc.data_folder = folder;
  doc.ResetHeader();
  BackupForm form(doc, BackupMode::kRestore, BackupServices{});
  form.Open();
  for (size_t i = 0; i < form.ListItems().size(); ++i) form.ChooseItem(static_cast<int>(i));
  return 0;
}
