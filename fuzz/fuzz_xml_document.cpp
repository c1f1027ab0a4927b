// Fuzzes the XML engine's load: encoding detection and conversion, parsing, then a walk
// over every element with its data and attributes, and a save of what was read.
#include "exchange/xml_document.h"
#include "fuzz_support.h"

namespace {

void Walk(zarim::XmlDocument& x, int depth) {
  while (x.FindElem()) {
    (void)x.GetData();
    (void)x.GetAttrib("Year");
    while (x.FindChildElem()) (void)x.GetChildData();
    if (depth < 64 && x.IntoElem()) {
      Walk(x, depth + 1);
      x.OutOfElem();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zarim;
  fuzz::ClearScratch();
  fuzz::WriteScratch("in.xml", data, size);
  XmlDocument x;
  if (!x.Load(fuzz::ScratchFolder() + "/in.xml")) {
    // A refused file (a document type with entities, whatever its encoding) leaves nothing.
    if (!x.Refusal().empty() && !x.IsEmpty()) __builtin_trap();
    return 0;
  }
  // What loaded declares no entity: every text is bounded by the input.
  if (x.Result().find("entities_declared") != std::string::npos) __builtin_trap();
  Walk(x, 0);
  x.ResetPos();
  if (x.FindElem()) {
    x.IntoElem();
    x.AddElem("Added", "]]>&<");
    x.SetAttrib("Year", 2024);
  }
  x.Save(fuzz::ScratchFolder() + "/out.xml");
  XmlDocument again;
  again.Load(fuzz::ScratchFolder() + "/out.xml");
  return 0;
}
