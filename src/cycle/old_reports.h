// "View Old Reports": the six months before the working month whose snapshots exist can
// be loaded read-only in place of the current data, and the current data loaded again.
#pragma once

#include <string>
#include <vector>

#include "core/document.h"
#include "core/ports.h"
#include "core/store.h"

namespace zarim {

struct OldReportItem {
  std::string caption;  // the month's name
  bool enabled = false;
};

class OldReportsViewer {
 public:
  OldReportsViewer(CZarimDoc& doc, DocumentStore& store);

  // Computes the history month mask from the snapshot folders (at load and after every
  // change of the data folder).
  void RefreshMask();
  // The submenu is removed when no snapshot of the six months exists.
  bool MenuShown() const;
  // Items 1..6 (index 0 is item 1): the month k months before the live working month.
  std::vector<OldReportItem> Items() const;

  // Shows the snapshot of item k (1..6). Asks "Save Changes?" first when the current
  // data are modified; false when the user cancelled, the item is not enabled or the
  // snapshot could not be read (the current data are then loaded again).
  bool View(int k);
  // Loads the current data again for the live working month.
  void Return();
  bool viewing() const { return doc_.history_view != 0; }

  int live_serial() const { return live_serial_; }

 private:
  CZarimDoc& doc_;
  DocumentStore& store_;
  int live_serial_;
};

}  // namespace zarim
