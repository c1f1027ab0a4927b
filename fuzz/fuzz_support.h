// Support for the fuzz targets: a scratch data folder per process.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zarim::fuzz {

// A folder that lives as long as the process; emptied on each call.
const std::string& ScratchFolder();
void ClearScratch();
void WriteScratch(std::string_view name, const uint8_t* data, size_t size);

}  // namespace zarim::fuzz
