// A small congregation for the status and attendance tests: working month April 2026
// (today 10 May 2026), months January-April in slot 0 and May-December (2025) in slot 1.
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "core/document.h"
#include "core/month.h"
#include "cycle/select_month_form.h"
#include "cycle/status_moves.h"
#include "support/test_support.h"

namespace zarim::testing {

class StatusFixture : public ::testing::Test {
 protected:
  void SetUp() override { StartEmpty(doc, Date{2026, 5, 10}, dir.path()); }

  // Adds a publisher and returns his record number.
  int Add(int id, const char* first, const char* last, uint8_t status = kActive) {
    AddRecord(doc, MakePublisher(id, first, last, status));
    return doc.count - 1;
  }
  PubRecord& Rec(int rec) { return doc.records[rec]; }

  // Hours in month m (0-based) among the twelve months that end with April 2026.
  void Hours(int rec, int month, int hours = 5) {
    doc.records[rec].activity[kHours][month][doc.SlotOfMonth(month)] = static_cast<uint16_t>(hours);
  }
  void SharedOnly(int rec, int month) {
    doc.records[rec].activity[kBibleStudies][month][doc.SlotOfMonth(month)] = kSharedBit;
  }
  void ReportAllYear(int rec) {
    for (int m = 0; m < 12; ++m) Hours(rec, m);
  }
  // Adds a remark for month m of a record and returns its index.
  int Remark(int rec, int month, const char* text) {
    if (doc.remark_count == 0) doc.remark_count = 1;
    int index = doc.remark_count++;
    RemarkEntry& e = doc.remarks[index];
    SetField(e.text, text);
    e.month = static_cast<uint8_t>(month + 1);
    e.slot = static_cast<uint8_t>(doc.SlotOfMonth(month));
    e.id = doc.records[rec].id;
    doc.records[rec].remark[month][doc.SlotOfMonth(month)] = static_cast<uint16_t>(index);
    return index;
  }
  // Sets the collection state of the working month (1 open, 2 closed).
  void Collection(uint8_t state) {
    doc.header().other_phone[doc.working_month] = static_cast<char>(state);
  }

  // A month asker that chooses month (1-based), optionally a year and the tick box,
  // and remembers the prompt it was shown.
  MonthAsker Choose(int month, int year = 0, bool tick = false) {
    return [this, month, year, tick](SelectMonthForm& f) {
      prompts.push_back(f.prompt());
      had_years.push_back(f.has_years());
      had_tick.push_back(f.has_tick());
      f.set_month_index(month - 1);
      if (year != 0) {
        EXPECT_TRUE(f.SelectYear(year));
      }
      f.set_ticked(tick);
      return true;
    };
  }
  MonthAsker CancelAsker() {
    return [this](SelectMonthForm& f) {
      prompts.push_back(f.prompt());
      return false;
    };
  }

  TempDir dir;
  ScriptedPrompter prompter;
  CZarimDoc doc{&prompter};
  std::vector<std::string> prompts;
  std::vector<bool> had_years;
  std::vector<bool> had_tick;
};

inline bool SameBytes(const PubRecord& a, const PubRecord& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace zarim::testing
