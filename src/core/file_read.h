// Reading a data file without holding it: straight into a table, or record by record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace zarim {

// Reads the start of a regular file into dst (at most capacity bytes): the number of bytes
// read, or nothing when the path is not a readable regular file (a link, a pipe).
std::optional<size_t> ReadFileInto(const std::string& path, void* dst, size_t capacity);
// Hands each whole record of a regular file (at most max_records, each rec_size bytes) to
// each_record, reading through a small buffer; a cut final record is not handed over.
// False when the path is not a readable regular file.
bool ReadFileRecords(const std::string& path, size_t rec_size, size_t max_records,
                     const std::function<void(const uint8_t*)>& each_record);

}  // namespace zarim
