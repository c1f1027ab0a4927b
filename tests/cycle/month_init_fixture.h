// A data folder with a document dated by a given day, for the month-cycle tests.
#pragma once

#include <sys/stat.h>
#include <utime.h>

#include <ctime>
#include <stdexcept>
#include <string>

#include "core/data_files.h"
#include "core/document.h"
#include "core/month.h"
#include "cycle/congregation.h"
#include "support/test_support.h"

namespace zarim::testing {

class MonthFolder {
 public:
  // The folder is held by its owner, as the program holds it.
  explicit MonthFolder(Date today) : clock(today), owner(&prompter), doc(owner.doc()) {
    if (!OpenOwner(owner, dir.path(), clock)) throw std::runtime_error("folder not opened");
    StartEmpty(doc, today, dir.path());
    prompter.messages.clear();  // what opening said is not under test
    prompter.buttons.clear();
  }

  PubRecord& Add(int id, uint8_t status = kActive) {
    return AddRecord(
        doc, MakePublisher(id, "Pub" + std::to_string(id), "Name" + std::to_string(id), status));
  }
  PubRecord& Rec(int id) { return *doc.FindById(id); }
  // Writes the document as the Save command does (the snapshot copies what is on disk).
  void Save() { ASSERT_TRUE(owner.Save()); }

  TempDir dir;
  ScriptedPrompter prompter;
  FixedClock clock;
  Congregation owner;
  CZarimDoc& doc;
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
