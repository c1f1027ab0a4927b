// The exports folder of a data folder.
#include "exchange/exports_folder.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "core/strings.h"

namespace zarim {

namespace fs = std::filesystem;

std::string ExportsFolderPath(const std::string& data_folder) {
  return (fs::path(data_folder) / kExportsFolderName).string();
}

std::string EnsureExportsFolder(const std::string& data_folder, int* error) {
  int ignored = 0;
  if (!error) error = &ignored;
  const fs::path path = fs::path(data_folder) / kExportsFolderName;
  std::error_code ec;
  const fs::file_status st = fs::symlink_status(path, ec);
  if (!ec && fs::is_directory(st)) return path.string();
  if (fs::exists(st)) {
    *error = ENOTDIR;
    return {};
  }
  if (!fs::create_directory(path, ec) || ec) {
    *error = ec ? ec.value() : EEXIST;
    return {};
  }
  return path.string();
}

std::string ExportFailureText(const std::string& data_folder, const std::string& path) {
  const fs::path folder = fs::path(data_folder) / kExportsFolderName;
  std::error_code ec;
  const fs::file_status st = fs::symlink_status(folder, ec);
  if (!ec && fs::exists(st) && !fs::is_directory(st))
    return Fill(Sid::kFolderIsLink, folder.string());
  return Fill(Sid::kUnableToCreateFile, path);
}

std::string ExportPath(const std::string& data_folder, const std::string& name) {
  return (fs::path(ExportsFolderPath(data_folder)) / name).string();
}

}  // namespace zarim
