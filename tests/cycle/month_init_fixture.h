// A data folder with a document dated by a given day, for the month-cycle tests.
#pragma once

#include <sys/stat.h>
#include <utime.h>

#include <ctime>
#include <string>

#include "core/data_files.h"
#include "core/document.h"
#include "core/month.h"
#include "support/test_support.h"

namespace zarim::testing {

class MonthFolder {
 public:
  explicit MonthFolder(Date today) : clock(today), doc(&prompter) {
    StartEmpty(doc, today, dir.path());
  }

  PubRecord& Add(int id, uint8_t status = kActive) {
    return AddRecord(
        doc, MakePublisher(id, "Pub" + std::to_string(id), "Name" + std::to_string(id), status));
  }
  PubRecord& Rec(int id) { return *doc.FindById(id); }
  // Writes the document as the Save command does (the snapshot copies what is on disk).
  void Save() { ASSERT_TRUE(SaveAll(doc, true)); }

  TempDir dir;
  ScriptedPrompter prompter;
  FixedClock clock;
  CZarimDoc doc;
};

// Sets a file's modification time to noon of 1 June of a year.
inline void SetModifiedYear(const std::string& path, int year) {
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = 5;
  tm.tm_mday = 1;
  tm.tm_hour = 12;
  std::time_t t = std::mktime(&tm);
  struct utimbuf times {
    t, t
  };
  ::utime(path.c_str(), &times);
}

}  // namespace zarim::testing
