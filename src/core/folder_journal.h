// Changes of a data folder that move whole files and folders (a restore, an undo, the
// monthly snapshot): a journal written before the first change, completed at the next
// start when the change was cut off, and the clean-up of work folders left behind.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zarim {

// A snapshot is built under its month folder's name with this suffix, then swapped in.
inline constexpr std::string_view kBuildSuffix = ".zbuild-tmp";
// The folder a swap replaced, while the file system cannot exchange two names at once.
inline constexpr std::string_view kReplacedSuffix = ".zswap-old";

// Removes a file, a link or a whole folder; links inside are removed, never followed.
bool RemoveTree(const std::string& path);

// Puts the complete folder `built` in the place of `target` (which may be missing): the
// two names are exchanged at once and the old folder removed. A crash leaves `target`
// old or new; what is left under the other names is removed by RecoverInterrupted.
bool SwapFolderInto(const std::string& built, const std::string& target);

// One step of a journaled change, with paths relative to the data folder.
struct JournalStep {
  enum Kind : char { kMove = 'M', kDelete = 'D' } kind;
  std::string from;  // kMove: moved over `to` while it still exists (a folder at `to`
                     // is removed first); kDelete: removed when present
  std::string to;
};

// Writes the journal (flushed, with its end mark) into the data folder; from then on the
// change is completed at the next start if it is cut off. False when it cannot be written:
// nothing has changed then.
bool WriteFolderJournal(const std::string& folder, const std::vector<JournalStep>& steps);
// Carries out the journal's steps (again) and removes it; false when a step failed (the
// journal stays for the next start).
bool CompleteFolderJournal(const std::string& folder);

// Builds a set folder (a backup set, the copy of an older folder) whole: `fill` writes it
// under the work name set + kBuildSuffix, locked while it is written, and it is then
// renamed to `set`, so a set cut off while it is written is never found under a set's
// name. False when fill failed or the folder could not be made or named (nothing is left
// then); *taken tells that `set` existed already.
bool BuildSetFolder(const std::string& set, const std::function<bool(const std::string&)>& fill,
                    bool* taken = nullptr);
// Removes, in parent, the work folders of set builds that were cut off: those whose lock
// no process holds any more.
void RemoveCutOffBuilds(const std::string& parent);

enum class Recovery { kNothing, kCompleted, kCleanedUp };

// Completes a journaled change that was cut off, or removes the work folders of one that
// never reached its journal (the folder then holds the old data). Call at open, before
// the data are read, while holding the folder.
Recovery RecoverInterrupted(const std::string& folder);

}  // namespace zarim
