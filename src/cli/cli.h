// zarim-cli: the headless front end. Each command lives in its own file and registers
// itself with ZARIM_CLI_COMMAND, saying whether it reads or writes; main.cpp opens the
// folder through its owner, runs the command, saves when a writing command changed the
// data, and maps the command's outcome to the exit status.
#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "core/document.h"
#include "core/ports.h"

namespace zarim {
class Congregation;
}

namespace zarim::cli {

struct Context {
  CZarimDoc& doc;
  // The owner of the open folder: the way to its disk and its settings.
  Congregation* owner;
  const Clock& clock;
  std::vector<std::string> args;  // the command's own arguments
  std::ostream& out;
  std::ostream& err;
};

// What a command came to. main() turns it into the exit status through one table
// (ExitStatuses), the same table that --help and the manual page show.
enum class Outcome {
  kDone,        // the command did what it was asked
  kRefused,     // a rule of the program refused it; the message says which
  kUsage,       // the command line is wrong
  kUnknown,     // an identifier, name or folder on the command line names nothing
  kPassword,    // the folder's password is missing or wrong
  kInUse,       // another program holds the data folder
  kNotWritten,  // a file could not be read or written
};

struct ExitStatusRow {
  Outcome outcome;
  int status;
  const char* meaning;
};

// Every outcome with its exit status and what it means, in the order of the statuses.
const std::vector<ExitStatusRow>& ExitStatuses();
int ExitStatus(Outcome outcome);

using CommandFn = std::function<Outcome(Context&)>;

// Whether a command only reads the folder (its lock is shared with other readers and it
// never saves) or may change it (its lock is its own; main() saves when the document was
// changed and the command is done).
enum class Access { kReads, kWrites };

struct Command {
  std::string name;
  Access access;
  std::string usage;
  CommandFn run;
  // The first arguments under which a writing command only reads ("attendance show").
  std::vector<std::string> reading_verbs = {};
  // How much of the folder the command needs when it only reads (see LoadDepth); a
  // command that writes always has the whole document.
  LoadDepth load = LoadDepth::kWhole;
  Access AccessFor(const std::vector<std::string>& args) const;
};

std::vector<Command>& Commands();
struct Registrar {
  Registrar(Command c) { Commands().push_back(std::move(c)); }
};

#define ZARIM_CLI_CONCAT2(a, b) a##b
#define ZARIM_CLI_CONCAT(a, b) ZARIM_CLI_CONCAT2(a, b)
#define ZARIM_CLI_COMMAND(...) \
  static ::zarim::cli::Registrar ZARIM_CLI_CONCAT(zarim_cli_registrar_, __LINE__)({__VA_ARGS__})

// Argument helpers: "--name value" options and flags, taken out of args as they are read.
std::optional<std::string> TakeOption(std::vector<std::string>& args, const std::string& name);
bool TakeFlag(std::vector<std::string>& args, const std::string& name);
// Parses an integer in [lo, hi]; writes an error and returns nullopt otherwise.
std::optional<int> ParseInt(const std::string& text, int lo, int hi, std::ostream& err,
                            const std::string& what);
// Month on the command line is 1..12.
std::optional<int> ParseMonth(const std::string& text, std::ostream& err);

// The record number of the publisher a command-line identifier names in *rec: kDone, or
// after telling the user kUsage for text that is not an identifier and kUnknown for an
// identifier that names nobody. Every command reads identifiers through these two.
Outcome FindPublisher(Context& ctx, const std::string& id_text, int* rec);
// Appends the record numbers of a comma-separated list of identifiers to *records.
Outcome ParsePublisherIds(Context& ctx, const std::string& text, std::vector<int>* records);

// The year-to-date summary's category ("publishers", "auxiliary", "regular" or 0..2) and
// period ("six", "year" when absent, "twelve"); -1 when not one of them.
int YtdCategoryArg(const std::string& text);
int YtdPeriodArg(const std::optional<std::string>& text);

// Texts of records as UTF-8, for output.
std::string Utf8(const CZarimDoc& doc, std::string_view bytes);

}  // namespace zarim::cli
