// Scratch folder of the fuzz targets.
#include "fuzz_support.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/file_io.h"

namespace zarim::fuzz {

const std::string& ScratchFolder() {
  static const std::string folder = [] {
    SetFlushToDisk(false);
    auto p = std::filesystem::temp_directory_path() / ("zarim-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(p);
    return p.string();
  }();
  // Registered after the folder's name is made, so it runs before that name is destroyed.
  static const bool cleanup = (std::atexit([] {
                                 std::error_code ec;
                                 std::filesystem::remove_all(ScratchFolder(), ec);
                               }),
                               true);
  (void)cleanup;
  return folder;
}

void ClearScratch() {
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(ScratchFolder(), ec))
    std::filesystem::remove_all(e.path(), ec);
}

void WriteScratch(std::string_view name, const uint8_t* data, size_t size) {
  std::ofstream out(std::filesystem::path(ScratchFolder()) / std::string(name), std::ios::binary);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace zarim::fuzz
