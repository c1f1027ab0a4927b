// The demo congregation: a realistic, deterministic data folder for trying the program,
// and a full-capacity one for the benchmarks. Written through the library's save path.
#pragma once

#include <cstdint>
#include <string>

#include "core/document.h"
#include "core/ports.h"

namespace zarim::demo {

struct DemoOptions {
  Date today{2026, 12, 8};
  uint64_t seed = 1;
  bool full = false;  // every table filled to its capacity
  // The language the folder is kept in: its names are in the language's code page.
  std::string language_code = "eng";
};

// Fills doc (whose data_folder is set) with the demo congregation, in memory.
void BuildDemo(CZarimDoc& doc, const DemoOptions& options);

// Creates folder (with parents), builds the congregation and saves every file of it.
// False with a message in *error when the folder cannot be written.
bool WriteDemoFolder(const std::string& folder, const DemoOptions& options, std::string* error);

// A full-capacity demo congregation held in memory for the whole process (no folder);
// for the benchmarks that only lay out or compute.
CZarimDoc& FullDocument();

// Writes a full-capacity demo folder anew under the system's temporary folder, named
// `name`, and returns its path (empty when it cannot be written); for the benchmarks.
std::string WriteFullTempFolder(const std::string& name, const Date& today);

}  // namespace zarim::demo
