// The exports folder: "Exports" inside the data folder, where every export, XML file and
// collection file is written unless the user chooses another place.
#pragma once

#include <string>

#include "core/file_names.h"

namespace zarim {

inline constexpr const char* kExportsFolderName = kExportsFolder.data();

// The exports folder of data_folder ("DATA/Exports"), without creating it.
std::string ExportsFolderPath(const std::string& data_folder);

// The exports folder of data_folder, created when it does not exist. Empty when it
// cannot be created (or a file or a link stands in its place), so a caller never writes
// through a link out of the data folder; the reason (an errno value) in *error when given.
std::string EnsureExportsFolder(const std::string& data_folder, int* error = nullptr);

// Why a file of the exports folder could not be written, in the program's words: a link
// or a file in the folder's place is named as such, not taken for missing permission.
std::string ExportFailureText(const std::string& data_folder, const std::string& path);

// The path of file name inside the exports folder (name holds no folder part).
std::string ExportPath(const std::string& data_folder, const std::string& name);

}  // namespace zarim
