// Support for the tests: temporary data folders, a scripted prompter and record builders.
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "core/document.h"
#include "core/file_io.h"
#include "core/ports.h"

namespace zarim {
class Congregation;
}

namespace zarim::testing {

// A folder under the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string File(std::string_view name) const { return JoinPath(path_, name); }
  void Write(std::string_view name, const Bytes& data) const;
  void Write(std::string_view name, std::string_view text) const;
  Bytes Read(std::string_view name) const;

 private:
  std::string path_;
};

// Records every message and answers from a script (then with the default answer).
class ScriptedPrompter : public Prompter {
 public:
  Answer Ask(std::string_view text, Buttons buttons, Answer default_answer) override;
  void Script(Answer a) { answers_.push_back(a); }
  std::vector<std::string> messages;
  std::vector<Buttons> buttons;
  int busy_begun = 0;
  void BeginBusy(std::string_view, std::string_view) override { ++busy_begun; }

 private:
  std::deque<Answer> answers_;
};

// A publisher record with the given names and identifier, status active.
PubRecord MakePublisher(int id, std::string_view first, std::string_view last,
                        uint8_t status = kActive);
// Appends a record to the document (after the header) and rebuilds the index.
PubRecord& AddRecord(CZarimDoc& doc, const PubRecord& r);
// A document with a fresh header record and a working month given by a date.
void StartEmpty(CZarimDoc& doc, const Date& today, const std::string& folder);

// Opens the owner of a folder for writing as the program does (a folder without a
// password); false when it could not.
bool OpenOwner(Congregation& owner, const std::string& folder, const Clock& clock);

// Every file of a folder with its bytes, for comparing folders.
std::vector<std::pair<std::string, Bytes>> FolderContents(const std::string& folder);

// What the next start does before reading a folder: under the folder's lock, a cut-off
// save is completed or discarded. True when that succeeded.
bool RecoverSaveAsAtStart(const std::string& folder);

}  // namespace zarim::testing
