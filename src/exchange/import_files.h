// Reading a file chosen by the user for an import: only a regular file, never waiting on
// a pipe or a device, and never more than a bound, so a hostile file cannot exhaust memory.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "core/file_io.h"

namespace zarim {

// The file's bytes; empty when it is not a regular file, cannot be read, or is longer
// than limit. *refusal (when given) then receives why, in the program's words, so that a
// pipe or a file too large is not reported as a file of the wrong content.
std::optional<Bytes> ReadImportFile(const std::string& path, size_t limit,
                                    std::string* refusal = nullptr);

// Whether name ends in ext (".csv"), compared without regard to letter case.
bool HasExtension(const std::string& name, const char* ext);

}  // namespace zarim
