// A small congregation in a temporary data folder for the records tests.
#pragma once

#include <gtest/gtest.h>

#include "core/document.h"
#include "cycle/congregation.h"
#include "support/test_support.h"

namespace zarim::testing {

class RecordsTest : public ::testing::Test {
 protected:
  // The folder is held by its owner, as the program holds it; what opening said is not
  // under test.
  RecordsTest() : clock(Date{2024, 3, 15}), owner(&prompter), doc(owner.doc()) {
    EXPECT_TRUE(OpenOwner(owner, dir.path(), clock));
    StartEmpty(doc, Date{2024, 3, 15}, dir.path());
    prompter.messages.clear();
    prompter.buttons.clear();
  }

  PubRecord& Add(int id, const char* first, const char* last, uint8_t status = kActive) {
    AddRecord(doc, MakePublisher(id, first, last, status));
    doc.SortRecords();
    doc.RebuildIndex();
    return *doc.FindById(id);
  }
  int Rec(int id) const { return doc.RecordNumberById(id); }
  // Display names of records 1 .. count-1 in table order.
  std::vector<std::string> Order() const {
    std::vector<std::string> out;
    for (int r = 1; r < doc.count; ++r) out.push_back(doc.DisplayName(doc.records[r], false));
    return out;
  }

  TempDir dir;
  ScriptedPrompter prompter;
  FixedClock clock;
  Congregation owner;
  CZarimDoc& doc;
};

}  // namespace zarim::testing
