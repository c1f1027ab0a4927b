// A document for the posting tests: working month February 2026 (slot 0), its collection
// open, an empty remark table, and builders for publishers with a month's report.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "core/document.h"
#include "cycle/collection_state.h"
#include "support/test_support.h"

namespace zarim::testing {

class PostingTest : public ::testing::Test {
 protected:
  static constexpr int kFeb = 1;
  static constexpr int kJan = 0;
  static constexpr int kNov = 10;
  static constexpr int kSlot = 0;      // 2026
  static constexpr int kLastSlot = 1;  // 2025

  PostingTest() : doc(&prompter) {
    StartEmpty(doc, Date{2026, 3, 10}, dir.path());
    doc.remark_count = 1;
    SetCollectionStateOf(doc, kFeb, MonthCollection::kOpen);
  }

  // Adds an active publisher and returns his record number.
  int Add(int id, const std::string& first, const std::string& last, int group = 0) {
    PubRecord r = MakePublisher(id, first, last);
    r.group = static_cast<int8_t>(group);
    AddRecord(doc, r);
    doc.SortRecords();
    doc.RebuildIndex();
    return Rec(id);
  }
  int Rec(int id) const { return doc.RecordNumberById(id); }
  PubRecord& R(int id) { return *doc.FindById(id); }

  void SetCode(int id, int month, int slot, int code) {
    R(id).pioneer[month][slot] = static_cast<uint8_t>(code);
  }
  void SetReport(int id, int month, int slot, int hours, int studies, bool shared = true) {
    R(id).activity[kHours][month][slot] = static_cast<uint16_t>(hours);
    R(id).activity[kBibleStudies][month][slot] =
        static_cast<uint16_t>(studies | (shared ? kSharedBit : 0));
  }

  TempDir dir;
  ScriptedPrompter prompter;
  CZarimDoc doc;
};

}  // namespace zarim::testing
