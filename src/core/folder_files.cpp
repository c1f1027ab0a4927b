// Helpers shared by the readers and writers of the single files of a data folder.
#include "core/folder_files.h"

#include "core/strings.h"

namespace zarim {

void ReportCreateFailure(const CZarimDoc& doc, std::string_view name) {
  doc.prompter->Tell(Fill(Sid::kUnableToCreateFile, JoinPath(doc.FolderForFiles(), name)));
}

uint64_t FileLength(const CZarimDoc& doc, std::string_view name) {
  return FileSize(ResolvePath(doc.FolderForFiles(), name));
}

}  // namespace zarim
