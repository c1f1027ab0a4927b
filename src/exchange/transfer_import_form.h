// "Import Transfer File": the transfer file chosen, what it holds or why it is refused,
// and adding its publisher on OK.
#pragma once

#include <optional>
#include <string>

#include "core/document.h"
#include "exchange/transfer_file.h"

namespace zarim {

class TransferImportForm {
 public:
  explicit TransferImportForm(CZarimDoc& doc);

  std::string Title() const;
  std::string FileLabel() const;
  std::string BrowseCaption() const;
  std::string OpenTitle() const;  // of the open-file dialog
  std::string Filter() const;     // its filter's caption

  const std::string& file() const { return file_; }
  // Reads the file; the preview then names the publisher and his months, or says why the
  // file is refused.
  void SetFile(const std::string& path);
  const std::string& Preview() const { return preview_; }
  bool IsOkEnabled() const { return publisher_.has_value(); }
  // Adds the publisher with his history; his record number, or 0 when nothing was added
  // (the user has been told why).
  int Ok();

 private:
  CZarimDoc& doc_;
  std::string file_;
  std::string preview_;
  std::optional<TransferPublisher> publisher_;
};

}  // namespace zarim
