// Helpers shared by the readers and writers of the single files of a data folder.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "core/document.h"
#include "core/file_io.h"

namespace zarim {

// Reads one fixed block from the start of a file; bytes the file lacks stay zero.
template <typename T>
bool ReadBlock(const CZarimDoc& doc, std::string_view name, T* block, size_t size = sizeof(T)) {
  auto data = ReadFile(ResolvePath(doc.FolderForFiles(), name));
  if (!data) return false;
  std::memset(static_cast<void*>(block), 0, sizeof(T));
  if (!data->empty())
    std::memcpy(static_cast<void*>(block), data->data(), std::min(size, data->size()));
  return true;
}

// Size in bytes of a file of the data folder, 0 when it cannot be opened.
uint64_t FileLength(const CZarimDoc& doc, std::string_view name);
void ReportCreateFailure(const CZarimDoc& doc, std::string_view name);

}  // namespace zarim
