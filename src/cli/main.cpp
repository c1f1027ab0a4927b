// zarim-cli: loads the data folder, runs one command, saves when the command changed data.
#include <algorithm>
#include <charconv>
#include <iostream>
#include <sstream>

#include "cli/cli.h"
#include "cli/report_pdf.h"
#include "core/data_files.h"
#include "core/file_copier.h"
#include "core/file_names.h"
#include "core/file_ops.h"
#include "core/language.h"
#include "core/password.h"
#include "core/password_form.h"
#include "core/settings.h"
#include "core/startup.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "cycle/congregation.h"
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

std::optional<int> ParseInt(const std::string& text, int lo, int hi, std::ostream& err,
                            const std::string& what) {
  int v = 0;
  auto r = std::from_chars(text.data(), text.data() + text.size(), v);
  if (r.ec != std::errc() || r.ptr != text.data() + text.size() || v < lo || v > hi) {
    err << "zarim-cli: " << what << " must be a whole number from " << lo << " to " << hi << ": '"
        << text << "'\n";
    return std::nullopt;
  }
  return v;
}

Outcome FindPublisher(Context& ctx, const std::string& id_text, int* rec) {
  std::optional<int> id = ParseInt(id_text, 1, 65535, ctx.err, "publisher identifier");
  if (!id) return Outcome::kUsage;
  *rec = ctx.doc.RecordNumberById(*id);
  if (*rec <= 0) {
    ctx.err << "zarim-cli: no publisher with identifier " << *id << "\n";
    return Outcome::kUnknown;
  }
  return Outcome::kDone;
}

Outcome ParsePublisherIds(Context& ctx, const std::string& text, std::vector<int>* records) {
  std::stringstream list(text);
  std::string item;
  while (std::getline(list, item, ',')) {
    int rec = 0;
    if (Outcome o = FindPublisher(ctx, item, &rec); o != Outcome::kDone) return o;
    records->push_back(rec);
  }
  return Outcome::kDone;
}

std::optional<int> ParseMonth(const std::string& text, std::ostream& err) {
  return ParseInt(text, 1, 12, err, "month");
}

const std::vector<ExitStatusRow>& ExitStatuses() {
  static const std::vector<ExitStatusRow> rows = {
      {Outcome::kDone, 0, "done"},
      {Outcome::kRefused, 1, "refused by a rule of the program (the message says which)"},
      {Outcome::kUsage, 2, "wrong command line"},
      {Outcome::kUnknown, 2, "an identifier, name or data folder that names nothing"},
      {Outcome::kPassword, 3, "the folder's password is missing or wrong"},
      {Outcome::kInUse, 4, "the data folder is in use by another program"},
      {Outcome::kNotWritten, 5, "a file could not be read or written"},
  };
  return rows;
}

int ExitStatus(Outcome outcome) {
  for (const ExitStatusRow& row : ExitStatuses())
    if (row.outcome == outcome) return row.status;
  return 1;
}

Access Command::AccessFor(const std::vector<std::string>& args) const {
  if (access == Access::kReads) return Access::kReads;
  const std::string verb = args.empty() ? std::string() : args.front();
  for (const std::string& v : reading_verbs)
    if (v == verb) return Access::kReads;
  return Access::kWrites;
}

std::string Utf8(const CZarimDoc& doc, std::string_view bytes) {
  return ToUtf8(bytes, doc.language_code);
}

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
  out << "usage: zarim-cli [--data DIR] [--today YYYY-MM-DD] [--password TEXT] [--lang CODE] "
         "COMMAND [ARGS]\n"
         "       zarim-cli --help | --version\n"
         "commands:\n";
  auto cmds = Commands();
  std::sort(cmds.begin(), cmds.end(),
            [](const Command& a, const Command& b) { return a.name < b.name; });
  for (const auto& c : cmds) out << "  " << c.usage << "\n";
  out << "exit status:\n";
  for (const ExitStatusRow& row : ExitStatuses())
    out << "  " << row.status << "  " << row.meaning << "\n";
}

// The command as the corrections log names it: its name, its verb ("xml import") and the
// options typed, without their values (a value may be a password or a remark).
std::string LoggedCommand(const std::string& name, const std::vector<std::string>& args) {
  std::string text = name;
  for (size_t k = 0; k < args.size(); ++k) {
    const std::string& a = args[k];
    const bool verb = k == 0 && !a.empty() &&
                      a.find_first_not_of("abcdefghijklmnopqrstuvwxyz-") == std::string::npos;
    if (verb || a.rfind("--", 0) == 0) text += " " + a;
  }
  return text;
}

Outcome Run(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string data = ".";
  std::optional<std::string> password;
  std::string lang_wish;  // empty: the user's locale decides
  SystemClock system_clock;
  FixedClock fixed_clock(Date{});
  const Clock* clock = &system_clock;

  // Global options come before the command.
  size_t i = 0;
  for (; i < args.size() && args[i].rfind("--", 0) == 0; i += 2) {
    const std::string& opt = args[i];
    if (opt == "--help") {
      Usage(std::cout);
      return Outcome::kDone;
    }
    if (opt == "--version") {
      std::cout << "zarim-cli " << ZARIM_VERSION << "\n";
      return Outcome::kDone;
    }
    if (i + 1 >= args.size()) {
      std::cerr << "zarim-cli: " << opt << " needs a value\n";
      return Outcome::kUsage;
    }
    const std::string& value = args[i + 1];
    if (opt == "--data") {
      data = value;
    } else if (opt == "--today") {
      Date d;
      if (!ParseIsoDate(value, &d)) {
        std::cerr << "zarim-cli: --today takes a date YYYY-MM-DD: '" << value << "'\n";
        return Outcome::kUsage;
      }
      fixed_clock.Set(d);
      clock = &fixed_clock;
    } else if (opt == "--password") {
      password = value;
    } else if (opt == "--lang") {
      lang_wish = value;
    } else {
      std::cerr << "zarim-cli: unknown option " << opt << "\n";
      return Outcome::kUsage;
    }
  }
  if (i >= args.size()) {
    Usage(std::cerr);
    return Outcome::kUsage;
  }
  std::string note;
  const std::string lang = UseLanguage(lang_wish, &note).code;
  if (!note.empty()) std::cerr << "zarim-cli: " << note << "\n";
  std::string name = args[i];
  auto& cmds = Commands();
  auto it =
      std::find_if(cmds.begin(), cmds.end(), [&](const Command& c) { return c.name == name; });
  if (it == cmds.end()) {
    std::cerr << "zarim-cli: unknown command '" << name << "'\n";
    Usage(std::cerr);
    return Outcome::kUsage;
  }

  ConsolePrompter prompter;
  std::vector<std::string> command_args(args.begin() + static_cast<long>(i) + 1, args.end());
  if (!FileExists(data)) {
    std::cerr << "zarim-cli: the data folder " << data << " does not exist\n";
    return Outcome::kUnknown;
  }
  // Paths kept in the catalog and the settings must not depend on the working folder.
  data = AbsolutePath(data);
  // The same opening as the desktop program, through the folder's owner: the lock, the
  // settings, the early start of the working month, the password, the data.
  OpenOptions options;
  options.data_folder = data;
  options.language_code = lang;
  options.read_only = it->AccessFor(command_args) == Access::kReads;
  options.load_depth = options.read_only ? it->load : LoadDepth::kWhole;
  options.program = "zarim-cli " + name;
  Congregation congregation(&prompter);
  CliPasswords passwords(password);
  prompter.quiet_notice = true;
  Congregation::Opened opened = congregation.Open(options, *clock, passwords);
  prompter.quiet_notice = false;
  switch (opened) {
    case Congregation::Opened::kOk:
      break;
    case Congregation::Opened::kPasswordRefused:
      std::cerr << (password
                        ? "zarim-cli: wrong password\n"
                        : "zarim-cli: this folder is protected by a password; give --password\n");
      return Outcome::kPassword;
    case Congregation::Opened::kInUse:
      std::cerr << "zarim-cli: " << congregation.failure() << "\n";
      return Outcome::kInUse;
    case Congregation::Opened::kOtherCodePage:  // a rule of the program, not a file fault
      std::cerr << "zarim-cli: " << congregation.failure() << "\n";
      return Outcome::kRefused;
    default:
      std::cerr << "zarim-cli: " << congregation.failure() << "\n";
      return Outcome::kNotWritten;
  }
  CZarimDoc& doc = congregation.doc();
  Context ctx{doc, &congregation, *clock, command_args, std::cout, std::cerr};
  Outcome outcome = Outcome::kDone;
  if (options.read_only) {
    outcome = it->run(ctx);
  } else {
    // A changing command works inside one edit of the owner: done, the derived state is
    // brought up to date; refused or failed, the document is as it was before it.
    // The commit marks the document modified only when the command changed it since the
    // folder was last read or saved ("save" asks the owner for a save outright).
    EditScope edit = congregation.Edit(LoggedCommand(name, command_args));
    outcome = it->run(ctx);
    if (outcome == Outcome::kDone) edit.Commit();
  }
  if (outcome == Outcome::kDone && doc.modified && !options.read_only) {
    if (!congregation.Save()) {
      std::cerr << "zarim-cli: the data could not be saved\n";
      outcome = Outcome::kNotWritten;
    }
  }
  // Closing without saving puts back the remark file as it was at start, when its undo
  // copy is whole.
  congregation.Discard();
  return outcome;
}

}  // namespace
}  // namespace zarim::cli

int main(int argc, char** argv) {
  // A command that writes a PDF file runs in the PDF writer program.
  if (zarim::cli::AsksForPdf(argc, argv)) zarim::cli::HandOverToPdfWriter(argv);
  // Tests that run this program as a process fail or crash it at a chosen file call.
  zarim::InstallFaultPlanFromEnvironment();
  return zarim::cli::ExitStatus(zarim::cli::Run(argc, argv));
}
