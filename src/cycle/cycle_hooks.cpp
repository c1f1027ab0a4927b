// The monthly cycle's hooks into the document.
#include "cycle/cycle_hooks.h"

#include "cycle/branch_totals.h"

namespace zarim {

void InstallCycleHooks(CZarimDoc& doc) {
  doc.recompute_totals = [](CZarimDoc& d) { RecomputeTotals(d); };
}

}  // namespace zarim
