// zarim-demo OUTDIR [--today YYYY-MM-DD] [--seed N] [--full] [--lang CODE]
#include <charconv>
#include <cstring>
#include <iostream>
#include <string>

#include "demo_congregation.h"

int main(int argc, char** argv) {
  zarim::demo::DemoOptions options;
  zarim::SystemClock clock;
  options.today = clock.Today();
  std::string out;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--full") {
      options.full = true;
    } else if (a == "--lang" && i + 1 < argc) {
      options.language_code = argv[++i];
    } else if (a == "--today" && i + 1 < argc) {
      if (!zarim::ParseIsoDate(argv[++i], &options.today)) {
        std::cerr << "zarim-demo: --today takes a date YYYY-MM-DD\n";
        return 2;
      }
    } else if (a == "--seed" && i + 1 < argc) {
      std::string v = argv[++i];
      auto r = std::from_chars(v.data(), v.data() + v.size(), options.seed);
      if (r.ec != std::errc() || r.ptr != v.data() + v.size()) {
        std::cerr << "zarim-demo: --seed takes a whole number\n";
        return 2;
      }
    } else if (a.rfind("--", 0) != 0 && out.empty()) {
      out = a;
    } else {
      std::cerr
          << "usage: zarim-demo OUTDIR [--today YYYY-MM-DD] [--seed N] [--full] [--lang CODE]\n";
      return 2;
    }
  }
  if (out.empty()) {
    std::cerr
        << "usage: zarim-demo OUTDIR [--today YYYY-MM-DD] [--seed N] [--full] [--lang CODE]\n";
    return 2;
  }
  std::string error;
  if (!zarim::demo::WriteDemoFolder(out, options, &error)) {
    std::cerr << "zarim-demo: " << error << "\n";
    return 1;
  }
  std::cout << "Demo congregation written to " << out << "\n";
  return 0;
}
