// zarim-cli: loads the data folder, runs one command, saves when the command changed data.
#include <algorithm>
#include <charconv>
#include <iostream>

#include "cli/cli.h"
#include "core/data_files.h"
#include "core/file_names.h"
#include "core/password.h"
#include "core/password_form.h"
#include "core/settings.h"
#include "core/startup.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "cycle/cycle_hooks.h"
#include "cycle/roll.h"

namespace zarim::cli {

std::vector<Command>& Commands() {
  static std::vector<Command> commands;
  return commands;
}

std::optional<std::string> TakeOption(std::vector<std::string>& args, const std::string& name) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == name && i + 1 < args.size()) {
      std::string v = args[i + 1];
      args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
      return v;
    }
    if (args[i].rfind(name + "=", 0) == 0) {
      std::string v = args[i].substr(name.size() + 1);
      args.erase(args.begin() + static_cast<long>(i));
      return v;
    }
  }
  return std::nullopt;
}

bool TakeFlag(std::vector<std::string>& args, const std::string& name) {
  auto it = std::find(args.begin(), args.end(), name);
  if (it == args.end()) return false;
  args.erase(it);
  return true;
}

std::optional<int> ParseInt(const std::string& text, int lo, int hi, std::ostream& err, const std::string& what) {
  int v = 0;
  auto r = std::from_chars(text.data(), text.data() + text.size(), v);
  if (r.ec != std::errc() || r.ptr != text.data() + text.size() || v < lo || v > hi) {
    err << "zarim-cli: " << what << " must be a whole number from " << lo << " to " << hi << ": '" << text
        << "'\n";
    return std::nullopt;
  }
  return v;
}

std::optional<int> ParseMonth(const std::string& text, std::ostream& err) { return ParseInt(text, 1, 12, err, "month"); }

PubRecord* RecordOrError(Context& ctx, const std::string& id_text) {
  auto id = ParseInt(id_text, 1, 65535, ctx.err, "publisher identifier");
  if (!id) return nullptr;
  PubRecord* r = ctx.doc.FindById(*id);
  if (!r) ctx.err << "zarim-cli: no publisher with identifier " << *id << "\n";
  return r;
}

std::string Utf8(const CZarimDoc& doc, std::string_view bytes) { return ToUtf8(bytes, doc.language_code); }

namespace {

// Messages go to standard error; questions take their default answer. The start-up
// notice is not repeated on every command.
class ConsolePrompter : public Prompter {
 public:
  Answer Ask(std::string_view text, Buttons, Answer default_answer) override {
    if (!(quiet_notice && text.rfind(Str(Sid::kStartupNotice1), 0) == 0)) std::cerr << text << "\n";
    return default_answer;
  }
  bool quiet_notice = false;
};

// The password of --password typed into the start-up check, once.
class CliPasswords : public PasswordRunner {
 public:
  explicit CliPasswords(std::optional<std::string> password) : password_(std::move(password)) {}
  void Run(PasswordForm& form) override {
    if (password_) form.TextChanged(*password_);
    if (!form.finished()) form.Cancel();
  }
  void Run(PasswordChangeForm& form) override { form.Cancel(); }

 private:
  std::optional<std::string> password_;
};

void Usage(std::ostream& out) {
  out << "usage: zarim-cli [--data DIR] [--today YYYY-MM-DD] [--password TEXT] [--lang CODE] COMMAND [ARGS]\n"
         "commands:\n";
  auto cmds = Commands();
  std::sort(cmds.begin(), cmds.end(), [](const Command& a, const Command& b) { return a.name < b.name; });
  for (const auto& c : cmds) out << "  " << c.usage << "\n";
}

int Run(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string data = ".";
  std::optional<std::string> password;
  std::string lang(Str(Sid::kLanguageCode));
  SystemClock system_clock;
  FixedClock fixed_clock(Date{});
  const Clock* clock = &system_clock;

  // Global options come before the command.
  size_t i = 0;
  for (; i < args.size() && args[i].rfind("--", 0) == 0; i += 2) {
    const std::string& opt = args[i];
    if (opt == "--help") {
      Usage(std::cout);
      return 0;
    }
    if (i + 1 >= args.size()) {
      std::cerr << "zarim-cli: " << opt << " needs a value\n";
      return 2;
    }
    const std::string& value = args[i + 1];
    if (opt == "--data") {
      data = value;
    } else if (opt == "--today") {
      Date d;
      if (!ParseIsoDate(value, &d)) {
        std::cerr << "zarim-cli: --today takes a date YYYY-MM-DD: '" << value << "'\n";
        return 2;
      }
      fixed_clock.Set(d);
      clock = &fixed_clock;
    } else if (opt == "--password") {
      password = value;
    } else if (opt == "--lang") {
      lang = value;
    } else {
      std::cerr << "zarim-cli: unknown option " << opt << "\n";
      return 2;
    }
  }
  if (i >= args.size()) {
    Usage(std::cerr);
    return 2;
  }
  std::string name = args[i];
  auto& cmds = Commands();
  auto it = std::find_if(cmds.begin(), cmds.end(), [&](const Command& c) { return c.name == name; });
  if (it == cmds.end()) {
    std::cerr << "zarim-cli: unknown command '" << name << "'\n";
    Usage(std::cerr);
    return 2;
  }

  ConsolePrompter prompter;
  CZarimDoc doc(&prompter);
  InstallCycleHooks(doc);
  doc.data_folder = data;
  doc.language_code = lang;
  Context ctx{doc, *clock, std::vector<std::string>(args.begin() + static_cast<long>(i) + 1, args.end()),
              std::cout, std::cerr};
  if (!it->needs_data) return it->run(ctx);

  if (!FileExists(data)) {
    std::cerr << "zarim-cli: the data folder " << data << " does not exist\n";
    return 2;
  }
  // The same document creation as the desktop program: settings, the early start of the
  // working month, the password, the data.
  StartupOptions options;
  options.data_folder = data;
  options.language_code = lang;
  options.after_load = [](CZarimDoc& d) { d.history_month_mask = ComputeHistoryMonthMask(d); };
  SettingsFile settings(data);
  CliPasswords passwords(password);
  prompter.quiet_notice = true;
  bool loaded = CreateDocument(doc, options, *clock, settings, passwords);
  prompter.quiet_notice = false;
  if (!loaded) {
    std::cerr << (password ? "zarim-cli: wrong password\n"
                           : "zarim-cli: this folder is protected by a password; give --password\n");
    return 3;
  }
  int rc = it->run(ctx);
  if (rc == 0 && doc.modified) {
    if (!SaveAll(doc, true)) {
      std::cerr << "zarim-cli: the data could not be saved\n";
      rc = 1;
    }
  }
  std::string undo = ResolvePath(doc.data_folder, kFileRemarkUndo);
  // Closing without saving puts back the remark file as it was at start.
  if (doc.modified && FileExists(undo)) CopyFile(undo, JoinPath(doc.data_folder, kFileRemarks));
  RemoveFile(undo);
  return rc;
}

}  // namespace
}  // namespace zarim::cli

int main(int argc, char** argv) { return zarim::cli::Run(argc, argv); }
