// zarim-layout-check [--lang CODE]: draws every report of the demo congregation in a
// language, as printed, and lists each text that is cut (crosses a rule of its table, runs
// into its neighbour, leaves its clip or the page). For translators: a long translation
// of a heading shows here, and is shortened in the .po file or given room by the layout.
// Exits 1 when a text is cut. The dialogs are checked by running the program with
// ZARIM_CHECK_LAYOUT=1.
#include "render/layout_check.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "core/language.h"
#include "demo_congregation.h"

int main(int argc, char** argv) {
  using namespace zarim;
  std::string wish;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--lang") == 0 && i + 1 < argc) {
      wish = argv[++i];
    } else {
      std::fprintf(stderr, "usage: zarim-layout-check [--lang CODE]\n");
      return 2;
    }
  }
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // The catalogs of the build it was made in.
  setenv("ZARIM_LOCALEDIR", ZARIM_BUILD_LOCALEDIR, 0);
  QGuiApplication app(argc, argv);
  std::string note;
  UseLanguage(wish, &note);
  if (!note.empty()) std::fprintf(stderr, "zarim-layout-check: %s\n", note.c_str());

  // The demo congregation in memory; its folder is only named, never written.
  CZarimDoc doc;
  doc.data_folder = (std::filesystem::temp_directory_path() / "zarim-layout-check").string();
  demo::BuildDemo(doc, {});
  // The cards and labels of a few people: one sheet shows every text of the form.
  ReportSelection chosen;
  chosen.chosen = true;
  chosen.records = {0, 1, 2, 3};
  const std::vector<std::string> cut = CutReportTexts(doc, chosen, demo::DemoOptions{}.today);
  for (const std::string& line : cut) std::printf("%s\n", line.c_str());
  return cut.empty() ? 0 : 1;
}
