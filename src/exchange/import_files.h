// Reading a file chosen by the user for an import: only a regular file, never waiting on
// a pipe or a device, and never more than a bound, so a hostile file cannot exhaust memory.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "core/file_io.h"

namespace zarim {

// Why ReadImportFile gave nothing.
enum class ImportFileError { kNone, kCannotOpen, kNotRegular, kTooLarge };

// The file's bytes; empty when it is not a regular file, cannot be read, or is longer
// than limit (the reason in *why when given).
std::optional<Bytes> ReadImportFile(const std::string& path, size_t limit,
                                    ImportFileError* why = nullptr);

// Whether name ends in ext (".csv"), compared without regard to letter case.
bool HasExtension(const std::string& name, const char* ext);

}  // namespace zarim
