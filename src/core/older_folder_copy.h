// Keeping a folder of the earlier version as it was before its converted data are first
// saved: a backup set like any other, listed in the backup catalog, so that "Restore"
// brings the older folder back.
#pragma once

#include <optional>
#include <string>

#include "core/local_time.h"

namespace zarim {

// Copies the data folder's set (the older files included) into a new backup set under
// backup_path, or beside the data folder when backup_path is empty, not a folder or lies
// inside the data folder. Returns the set's folder; nothing (why says the reason) when
// it could not be made whole.
std::optional<std::string> KeepFolderAsBackupSet(const std::string& data_folder,
                                                 const std::string& backup_path,
                                                 const LocalTime& now, std::string* why);

}  // namespace zarim
