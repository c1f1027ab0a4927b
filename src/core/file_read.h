// Reading a data file straight into a table, without a buffer of its own.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace zarim {

// Reads the start of a regular file into dst (at most capacity bytes): the number of bytes
// read, or nothing when the path is not a readable regular file (a link, a pipe).
std::optional<size_t> ReadFileInto(const std::string& path, void* dst, size_t capacity);

}  // namespace zarim
