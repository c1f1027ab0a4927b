// Fuzzes the telephone list over a loaded publisher table and group table, with font
// settings taken from the input: any bytes lay out without a fault.
#include <string>

#include "core/data_files.h"
#include "fuzz_support.h"
#include "reports/fonts.h"
#include "reports/page_frame.h"
#include "reports/profile.h"
#include "reports/recording_canvas.h"
#include "reports/report_drawer.h"
#include "reports/report_kind.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zarim;
  if (size < 24) return 0;
  fuzz::ClearScratch();
  // The first 24 bytes set fonts, margin, language and resolution; the rest is split into
  // the publisher table and the group table.
  const uint8_t* head = data;
  data += 24;
  size -= 24;
  size_t cut = size * head[0] / 256;
  std::string table(reinterpret_cast<const char*>(data), cut);
  while (!table.empty() && table.size() < 401 + 816) table += table;
  fuzz::WriteScratch("tdat9.bin", reinterpret_cast<const uint8_t*>(table.data()), table.size());
  fuzz::WriteScratch("bkstudy.dat", data + cut, size - cut);

  CZarimDoc doc;
  doc.data_folder = fuzz::ScratchFolder();
  FixedClock clock(Date{2025, 3, 10});
  LoadAll(doc, clock);
  const char* languages[] = {"eng", "greek", "tha", "hun"};
  doc.language_code = languages[head[1] % 4];
  doc.format.last_name_first = head[2] & 1;
  doc.options.top_margin = static_cast<int8_t>(head[3]) * 3;
  doc.options.datestamp = head[4] & 1;
  doc.options.congregation_name.assign(reinterpret_cast<const char*>(head + 5), head[4] % 8);

  MemoryProfile profile;
  for (int role = 0; role < kFontRoleCount; ++role) {
    std::string_view section = FontSection(static_cast<FontRole>(role));
    int8_t h = static_cast<int8_t>(head[13 + role]);
    if (h != 0) profile.SetInt(section, "Height", h * (head[18] % 9 + 1));
    profile.SetInt(section, "Weight", head[19] * 8);
    profile.SetString(section, "FaceName", std::string(reinterpret_cast<const char*>(head + 5), 8));
  }
  ReportFonts fonts;
  fonts.Load(profile, head[20] & 1, doc.language_code);

  int dpi = 24 + head[21] * 3;
  RecordingCanvas canvas(dpi, dpi + head[22] % 7);
  ReportContext ctx;
  ctx.fonts = &fonts;
  ctx.printing = head[23] & 1;
  ctx.page_height_tenths = head[23] & 2 ? kPageHeightA4Tenths : kPageHeightLetterTenths;
  ctx.today = Date{2025, 3, 10};
  DrawReport(doc, canvas, ctx, report_kind::kTelephoneCongregation, 0);
  for (int g = -1; g <= 21; ++g) DrawReport(doc, canvas, ctx, report_kind::kTelephoneGroup, g);
  return 0;
}
