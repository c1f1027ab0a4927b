// Fuzzes the transfer file's reader: whatever it accepts, written again and read back,
// stays the same publisher.
#include <cstring>

#include "exchange/transfer_file.h"
#include "fuzz_support.h"

namespace {

bool Same(const zarim::TransferPublisher& a, const zarim::TransferPublisher& b) {
  return std::memcmp(&a.person, &b.person, sizeof a.person) == 0 && a.contact == b.contact &&
         a.appointments == b.appointments && a.months == b.months;
}

// The file text of t read back; the reader must take what the writer wrote.
zarim::TransferPublisher Again(const zarim::CZarimDoc& doc, const zarim::TransferPublisher& t) {
  const std::string text = zarim::TransferXml(doc, t);
  zarim::fuzz::WriteScratch("again.xml", reinterpret_cast<const uint8_t*>(text.data()),
                            text.size());
  std::string why;
  auto back = zarim::ReadTransferFile(doc, zarim::fuzz::ScratchFolder() + "/again.xml", &why);
  if (!back) __builtin_trap();
  return *back;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zarim;
  fuzz::ClearScratch();
  fuzz::WriteScratch("in.xml", data, size);
  static CZarimDoc doc;
  std::string why;
  std::optional<TransferPublisher> t =
      ReadTransferFile(doc, fuzz::ScratchFolder() + "/in.xml", &why);
  if (!t) {
    if (why.empty()) __builtin_trap();  // a refusal always says why
    return 0;
  }
  // One pass may normalise text (line ends, blank-only texts); after it nothing changes.
  const TransferPublisher once = Again(doc, *t);
  if (!Same(once, Again(doc, once))) __builtin_trap();
  return 0;
}
