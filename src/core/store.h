// DocumentStore: the way from the document of an open data folder to its disk and back.
// The folder's owner implements it; forms that save, reload or keep settings are handed
// it and never write the data files themselves.
#pragma once

#include <string>

namespace zarim {

class CZarimDoc;
class SettingsFile;

// What a reload reads: the data folder itself, or a month's snapshot folder shown
// read-only as the month of `serial`.
struct ReloadRequest {
  std::string snapshot_folder;  // empty: the data folder
  int serial = -1;              // the month shown; -1: the one the load computes
  // The folder was just restored from a backup set (or the restore undone): what that
  // changed in the months already reported to the branch goes into the corrections log.
  bool restored = false;
};

class DocumentStore {
 public:
  virtual ~DocumentStore() = default;
  // Brings the derived state up to date and saves every file in one transaction. False
  // when it failed: the user has been told why and the document stays modified.
  virtual bool Save() = 0;
  // Reads the folder again in place of the document, dropping unsaved changes, and
  // rebuilds every piece of derived state.
  virtual void Reload(const ReloadRequest& what) = 0;
  // The settings file of the folder.
  virtual SettingsFile& settings() = 0;
  // Brings every piece of derived state up to date in the middle of an edit, for a form
  // that shows it again before the edit ends (the edit's commit does it anyway).
  virtual void Refresh() = 0;
};

// The one refresh of derived state a form may ask for in the middle of an edit: through
// the owner of doc (index, lists, the open month's totals, history mask), or for a
// document no owner holds the index and the lists.
void RefreshDerivedState(CZarimDoc& doc);

// The store of the owner that holds doc, for the forms opened deep inside dialogs; null
// for a document no owner holds, whose changes stay in memory. The owner registers its
// document for as long as it lives.
DocumentStore* StoreOf(const CZarimDoc& doc);
void RegisterStore(const CZarimDoc& doc, DocumentStore* store);  // null: unregisters

}  // namespace zarim
