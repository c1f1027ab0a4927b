// The owners' registrations of their documents.
#include "core/store.h"

#include <map>
#include <mutex>

#include "core/document.h"

namespace zarim {

namespace {

std::mutex& Guard() {
  static std::mutex m;
  return m;
}

std::map<const CZarimDoc*, DocumentStore*>& Stores() {
  static std::map<const CZarimDoc*, DocumentStore*> stores;
  return stores;
}

}  // namespace

DocumentStore* StoreOf(const CZarimDoc& doc) {
  std::lock_guard lock(Guard());
  auto it = Stores().find(&doc);
  return it == Stores().end() ? nullptr : it->second;
}

void RegisterStore(const CZarimDoc& doc, DocumentStore* store) {
  std::lock_guard lock(Guard());
  if (store) {
    Stores()[&doc] = store;
  } else {
    Stores().erase(&doc);
  }
}

void RefreshDerivedState(CZarimDoc& doc) {
  if (DocumentStore* store = StoreOf(doc)) {
    store->Refresh();
  } else {
    doc.RebuildIndex();
  }
}

}  // namespace zarim
