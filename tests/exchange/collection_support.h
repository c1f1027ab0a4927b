// Building collection folders and returned collection files for the exchange tests.
#pragma once

#include <string>
#include <vector>

#include "core/document.h"
#include "cycle/congregation.h"
#include "exchange/collection_file.h"
#include "support/test_support.h"

namespace zarim::testing {

// A document in a temporary folder, held by its owner as the program holds it, working
// month June 2026 open, one group "Group #1" whose overseer is Ann Oak.
struct CollectionFixture {
  CollectionFixture();
  PubRecord& Add(int id, const char* first, const char* last, int group = 1);
  // Stores text as the remark of record id for month m of the working year.
  void Remark(int id, int month, const char* text);

  TempDir dir;
  ScriptedPrompter prompter;
  FixedClock clock{Date{2026, 7, 10}};
  Congregation owner{&prompter};
  CZarimDoc& doc = owner.doc();
};

// What the companion program writes back: the file's header, the blocks scrambled again
// and the remark entries.
std::vector<uint8_t> EncodeCollection(const std::vector<uint8_t>& header_source,
                                      const CollectionFile& file);

}  // namespace zarim::testing
