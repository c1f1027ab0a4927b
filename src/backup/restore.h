// Restoring a backup set (or undoing the last restore) into the data folder as one unit:
// the set is staged inside the data folder, the current data are set aside as the next
// undo, and a journal then moves the staged files into place. A cut before the journal
// leaves the old data; a cut after it is completed at the next start.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/folder_journal.h"
#include "core/ports.h"

namespace zarim {

// The password kept in a set's publisher file ("" for none, record bytes), read through
// the publisher-file reader; nothing when the set has no readable publisher file.
std::optional<std::string> ReadSetPassword(const std::string& set_folder, const Clock& clock);
// The code page of a set's names when the language `language_code` uses another one
// (restored, they would be shown and saved garbled); nothing when the set fits.
std::optional<std::string> SetCodePageConflict(const std::string& set_folder,
                                               std::string_view language_code, const Clock& clock);

class SetRestore {
 public:
  SetRestore(std::string data_folder, Prompter* prompter);

  // The status line while files are copied ("Restoring file %1").
  void set_status(std::function<void(const std::string&)> status) { status_ = std::move(status); }

  // Whether `source` can be restored at all: a whole set (its marker is there) that is a
  // folder, not a link. Tells the user why not.
  bool CheckSource(const std::string& source);

  // Restores `source`; false (the user told why, the data folder as it was) on failure.
  bool Run(const std::string& source);

  // Files of the current data that could not be read and so are not in the undo folder.
  const std::vector<std::string>& not_set_aside() const { return not_set_aside_; }

 private:
  std::string StagingFolder() const;
  std::string UndoFolder() const;
  std::string AsideFolder() const;
  // The set, read completely, into the staging folder.
  bool StageSet(const std::string& source);
  // The current data into the aside folder, which becomes the undo folder.
  bool SetAsideCurrentData();
  // The moves that put the staged set in place; written as the journal.
  std::vector<JournalStep> PlanSwap(bool source_has_roll) const;
  // Removes the work folders of a restore that did not reach its journal.
  void RollBack();

  std::string data_folder_;
  Prompter* prompter_;
  std::function<void(const std::string&)> status_;
  std::vector<std::string> not_set_aside_;
};

}  // namespace zarim
