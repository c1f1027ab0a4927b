// Program start to a shown main window on the full-capacity demo folder: the single-copy
// test, document creation (settings, dating, loading every file, password gate), the main
// window with its menus, toolbar, action panel and report view, shown and painted.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "core/document.h"
#include "core/password_form.h"
#include "core/ports.h"
#include "core/settings.h"
#include "cycle/congregation.h"
#include "demo_congregation.h"
#include "shell/commands.h"
#include "shell/main_window.h"
#include "shell/settings_profile.h"
#include "shell/single_instance.h"

namespace zarim {
namespace {

class NoPassword : public PasswordRunner {
 public:
  void Run(PasswordForm& form) override { form.Cancel(); }
  void Run(PasswordChangeForm& form) override { form.Cancel(); }
};

QApplication& App() {
  static int argc = 1;
  static char name[] = "bench_shell_startup";
  static char* argv[] = {name, nullptr};
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QApplication app(argc, argv);
  return app;
}

const std::string& FullFolder() {
  static const std::string folder = [] {
    std::string f = (std::filesystem::temp_directory_path() / "zarim_bench_shell_full").string();
    std::filesystem::remove_all(f);
    demo::DemoOptions options;
    options.today = Date{2024, 3, 10};
    options.full = true;
    std::string error;
    if (!demo::WriteDemoFolder(f, options, &error)) std::abort();
    // No start-up notice: a message box would wait for a click.
    SettingsFile settings(f);
    settings.Load();
    settings.ini().SetInt("Nag", "Enabled", 1);
    settings.WriteNow();
    return f;
  }();
  return folder;
}

void BM_StartToShownMainWindow(benchmark::State& state) {
  QApplication& app = App();
  const std::string& folder = FullFolder();
  FixedClock clock(Date{2024, 3, 10});
  SilentPrompter prompter;
  NoPassword passwords;
  for (auto _ : state) {
    SingleInstance instance(SingleInstance::NameFor(folder));
    benchmark::DoNotOptimize(instance.AnotherIsRunning());
    auto owner = std::make_unique<Congregation>(&prompter);
    OpenOptions options;
    options.data_folder = folder;
    options.program = "benchmark";
    if (owner->Open(options, clock, passwords) != Congregation::Opened::kOk)
      state.SkipWithError("load failed");
    CZarimDoc* doc = &owner->doc();
    SettingsFile& settings = owner->settings();
    IniProfile profile(settings.ini());
    ShellServices services;
    services.prompter = &prompter;
    services.clock = &clock;
    services.settings = &settings;
    services.profile = &profile;
    services.passwords = &passwords;
    services.congregation = owner.get();
    auto frame = std::make_unique<CMainFrame>(*doc, services, BuildCommandTable());
    frame->show();
    app.processEvents();
    benchmark::DoNotOptimize(frame->isVisible());
    state.PauseTiming();
    frame.reset();
    owner.reset();
    app.processEvents();
    state.ResumeTiming();
  }
  state.SetLabel("budget 1 s");
}
BENCHMARK(BM_StartToShownMainWindow)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
}  // namespace zarim
