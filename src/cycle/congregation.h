// Congregation: the owner of an open data folder. It takes the folder's lock, creates the
// document as start-up does (settings, early start, password, recovery of an interrupted
// save, load, derived state), saves everything in one transaction and closes. The
// desktop and zarim-cli open, save and close a folder only through it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/document.h"
#include "core/folder_lock.h"
#include "core/local_time.h"
#include "core/settings.h"
#include "core/store.h"
#include "cycle/congregation_view.h"
#include "cycle/corrections.h"

namespace zarim {

class Clock;
class Congregation;
class PasswordRunner;
struct DocumentCopy;

// One change of the open folder's document (a unit of work). Forms and moves change the
// document through doc(); Commit() brings every piece of derived state up to date in one
// place and marks the document modified when the change left it different. A scope that
// ends without Commit() puts the document back as it was when the scope began, or when a
// save or reload inside it last wrote or read the folder (files written meanwhile, such
// as an extension record, stay written). One scope at a time.
class EditScope {
 public:
  EditScope(EditScope&& other) noexcept;
  EditScope& operator=(EditScope&&) = delete;
  ~EditScope();

  CZarimDoc& doc();
  // Puts everything an edit can change of `made` into the document: a congregation made
  // elsewhere in memory (the demo folder) becomes the folder's.
  void TakeAll(const CZarimDoc& made);
  void Commit();

 private:
  friend class Congregation;
  explicit EditScope(Congregation& owner);
  Congregation* owner_;
  std::unique_ptr<DocumentCopy> before_;  // the document as the scope found it
};

struct OpenOptions {
  std::string data_folder = ".";
  std::string language_code = "eng";
  // Reading only: a shared lock, nothing written, no save.
  bool read_only = false;
  // How much of the folder is loaded (see LoadDepth). A folder opened for writing is
  // always loaded whole, whatever is asked here.
  LoadDepth load_depth = LoadDepth::kWhole;
  // Who opens, for the lock file ("zarim", "zarim-cli post").
  std::string program = "zarim";
  // The moment that names the backup set kept of a folder of the earlier version (the
  // system clock when null).
  const TimeSource* time = nullptr;
};

class Congregation : public DocumentStore {
 public:
  enum class Opened { kOk, kInUse, kNoLock, kPasswordRefused, kNotRecovered, kOtherCodePage };

  explicit Congregation(Prompter* prompter);
  ~Congregation() override;  // releases the lock; saving and the close question are Close()'s

  Opened Open(const OpenOptions& options, const Clock& clock, PasswordRunner& passwords);
  // Why Open failed, in the program's words (who holds the folder, what could not be
  // recovered).
  const std::string& failure() const { return failure_; }
  // What loading had to cut or repair (empty when nothing); said through the prompter
  // too. The repair reaches the disk only with a save.
  const std::string& repairs() const { return repairs_; }
  // The backup set that keeps a converted folder as it was before its first save (empty
  // when the folder was not converted or the set could not be made).
  const std::string& older_folder_set() const { return older_folder_set_; }

  CZarimDoc& doc() { return doc_; }
  const CZarimDoc& doc() const { return doc_; }
  // What a reader sees of the document, each accessor checked (see CongregationView).
  CongregationView View() const { return CongregationView(doc_); }
  SettingsFile& settings() override { return *settings_; }
  bool is_open() const { return lock_ != nullptr; }

  // Starts a change of the document (see EditScope). `command` names the change in the
  // corrections log ("history", "post --month"); empty keeps the name set before.
  EditScope Edit(std::string command = {});
  // Has the next save write the document, and the close ask about it, although no edit
  // changed it: what loading converted from the earlier version's files or repaired, or a
  // save asked for outright. Inside an edit, a rollback takes it back with the rest.
  void MarkUnsaved() { doc_.MarkModified(); }

  // The corrections log. Every change to a month already reported to the branch becomes
  // entries of the command named last (a plain fallback name when none is); they wait in
  // memory and reach the disk only inside the save's one transaction, so the log and the
  // data agree after any crash. A commit and a save note the changes themselves; a front
  // end whose forms change the document directly names each command and notes after it.
  void SetCommand(std::string command) { command_ = std::move(command); }
  // The derived state brought up to date in the middle of an edit (see DocumentStore).
  void Refresh() override;
  void NoteChanges();
  const std::vector<CorrectionEntry>& pending_corrections() const { return pending_; }

  // Brings the derived state (the working totals) up to date and saves every file in
  // one transaction. False when it failed: the user has been told why and the document
  // stays modified.
  bool Save() override;
  // Reads the data folder, or a month's snapshot, again in place of the document: the
  // tables as loading leaves them, then the working month asked for with its late list
  // and resume point, the working totals, and (for the data folder) the months that have
  // a snapshot. Nothing is left modified.
  void Reload(const ReloadRequest& what) override;
  // The close question ("Save Changes?"): Yes saves, No puts the remark file back as it
  // was at the start. False when the user chose Cancel or the save failed.
  bool Close();
  // Ends the run without saving: the remark file as at the start, the undo copy gone.
  void Discard();

 private:
  CZarimDoc doc_;
  std::unique_ptr<SettingsFile> settings_;
  std::unique_ptr<FolderLock> lock_;
  std::string failure_;
  std::string repairs_;
  std::string older_folder_set_;
  std::string older_failure_;
  const TimeSource* time_ = nullptr;
  const Clock* clock_ = nullptr;
  std::string command_;
  // The sent months' reports as last logged, and as on disk after the last save.
  SentReports logged_;
  SentReports saved_;
  std::vector<CorrectionEntry> pending_;
  // Puts the pending entries into the save's queued files; false (the user told) when the
  // log cannot be read or rolled.
  bool QueueCorrections();
  // The running log with the pending entries appended, as a save writes it; false (the user
  // told why) when the log cannot be read or rolled.
  bool LogWithPending(Bytes* log);
  void TellLogFailure(const std::string& why);
  // Starts the log's view afresh from the document (after a load).
  void ResetCorrections();
  void LogRestore();
  // The moment an entry is dated with: "YYYY-MM-DD HH:MM".
  std::string CorrectionsNow() const;
  // Keeps the converted folder as a backup set once; true when it is kept.
  bool KeepOlderFolder();
  // The derived state that loading does not build: the months that have a snapshot (of
  // the data folder) and the working totals, stored into the month whose collection is
  // open. A commit rebuilds the index and the status lists before it.
  void RefreshDerived();
  // The baseline of the open edit, if any: a save or a reload inside the edit moves it to
  // what the folder then holds.
  DocumentCopy* open_edit_ = nullptr;
  void RebaseOpenEdit();
  friend class EditScope;
};

}  // namespace zarim
