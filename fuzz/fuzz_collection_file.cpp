// Fuzzes a returned collection file (.t19): reading it within its length, listing its
// reports for a congregation that knows some of its identifiers, and merging them.
#include <algorithm>
#include <span>
#include <vector>

#include "core/document.h"
#include "cycle/collection.h"
#include "exchange/collection_file.h"
#include "exchange/report_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zarim;
  auto file = ReadCollectionFile(std::span(data, size));
  if (!file) return 0;
  // One congregation for every input (building one is far slower than the code under
  // test); each input starts from its saved records.
  static SilentPrompter prompter;
  static CZarimDoc doc(&prompter);
  static std::vector<PubRecord> saved;
  if (saved.empty()) {
    doc.ResetHeader();
    doc.SetToday(Date{2026, 7, 10});
    for (int id = 10; id < 40; ++id) {
      PubRecord& r = doc.records[doc.count++];
      r.id = static_cast<uint16_t>(id);
      SetField(r.last_name, "Name");
    }
    doc.RebuildIndex();
    OpenOnlyMonth(doc, doc.working_month);
    saved.assign(doc.records.begin(), doc.records.begin() + doc.count);
  }
  std::copy(saved.begin(), saved.end(), doc.records.begin());
  doc.remark_count = 1;
  doc.late_count = 0;
  file->month = doc.working_month;
  const std::vector<IncomingReport> reports = CollectionReports(doc, *file);
  ReportImportForm form(doc, reports);
  for (int i = 0; i < form.size(); ++i) form.Preview(i);
  form.SelectAll();
  form.SetCreditFromRemark(size % 2 == 0);
  form.ImportSelected();
  return 0;
}
