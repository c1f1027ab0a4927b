// "Import Transfer File".
#include "exchange/transfer_import_form.h"

#include "core/strings.h"
#include "core/text_codec.h"

namespace zarim {

TransferImportForm::TransferImportForm(CZarimDoc& doc)
    : doc_(doc), preview_(Str(Sid::kTransferNoFile)) {}

std::string TransferImportForm::Title() const {
  return std::string(Str(Sid::kTransferImportTitle));
}
std::string TransferImportForm::FileLabel() const {
  return std::string(Str(Sid::kTransferFileLabel));
}
std::string TransferImportForm::BrowseCaption() const {
  return std::string(Str(Sid::kTransferBrowse));
}
std::string TransferImportForm::OpenTitle() const {
  return std::string(Str(Sid::kTransferOpenTitle));
}
std::string TransferImportForm::Filter() const { return std::string(Str(Sid::kXmlFilter)); }

void TransferImportForm::SetFile(const std::string& path) {
  file_ = path;
  publisher_.reset();
  if (path.empty()) {
    preview_ = Str(Sid::kTransferNoFile);
    return;
  }
  publisher_ = ReadTransferFile(doc_, path, &preview_);
  if (!publisher_) return;
  int reported = 0;
  for (const TransferMonth& m : publisher_->months) reported += m.shared || m.hours || m.quarter;
  const PubRecord& p = publisher_->person;
  preview_ = Fill(Sid::kTransferPreview, ToUtf8(doc_.DisplayName(p), doc_.language_code),
                  std::to_string(reported));
}

int TransferImportForm::Ok() {
  if (!publisher_) return 0;
  std::vector<std::string> left_out;
  return ImportTransfer(doc_, *publisher_, &left_out);
}

}  // namespace zarim
