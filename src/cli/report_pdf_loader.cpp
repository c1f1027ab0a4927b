// Writes a report's PDF file through the PDF writer module, loaded on the first PDF of
// the process: beside the program in a build folder, else in the program's library
// folder of an installation.
#include <dlfcn.h>
#include <unistd.h>

#include <climits>

#include "cli/report_pdf.h"
#include "core/file_io.h"
#include "core/strings.h"

namespace zarim::cli {
namespace {

using WriteFn = bool (*)(const PdfRequest*, std::string*);

std::string ProgramFolder() {
  char path[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  std::string exe(path, static_cast<size_t>(n));
  size_t slash = exe.rfind('/');
  return slash == std::string::npos ? "." : exe.substr(0, slash);
}

WriteFn LoadWriter(std::string* error) {
  static WriteFn writer = nullptr;
  static std::string failure;
  if (writer || !failure.empty()) {
    *error = failure;
    return writer;
  }
  const std::string folder = ProgramFolder();
  for (const std::string& path : {folder + "/" ZARIM_PDF_MODULE,
                                  folder + "/" ZARIM_PDF_MODULE_FROM_BIN "/" ZARIM_PDF_MODULE}) {
    if (!FileExists(path)) continue;
    // The module stays loaded: Qt keeps state that outlives the call.
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
      failure = std::string("cannot load the PDF writer: ") + ::dlerror();
      break;
    }
    writer = reinterpret_cast<WriteFn>(::dlsym(handle, "zarim_cli_write_report_pdf"));
    if (!writer) failure = "cannot load the PDF writer: " + path;
    break;
  }
  if (!writer && failure.empty())
    failure = "the PDF writer " ZARIM_PDF_MODULE
              " is not installed; use the desktop program's Save as PDF";
  *error = failure;
  return writer;
}

}  // namespace

bool WriteReportPdfFile(const CZarimDoc& doc, int kind, const Date& today, const std::string& path,
                        std::string* error, int group, const ReportSelection* selection) {
  // A read command never writes into the data folder, not even when told to.
  if (IsInsideDataFolder(doc.data_folder, path)) {
    *error = Fill(Sid::kOutputInsideDataFolder, path, doc.data_folder);
    return false;
  }
  WriteFn writer = LoadWriter(error);
  if (!writer) return false;
  PdfRequest request{&doc, kind, today, path, group, selection};
  return writer(&request, error);
}

}  // namespace zarim::cli
