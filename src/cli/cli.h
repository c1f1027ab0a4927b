// zarim-cli: the headless front end. Each command lives in its own file and registers
// itself with ZARIM_CLI_COMMAND; main.cpp loads the folder, runs the command and saves
// when the command changed the data.
#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "core/document.h"
#include "core/ports.h"

namespace zarim::cli {

struct Context {
  CZarimDoc& doc;
  const Clock& clock;
  std::vector<std::string> args;  // the command's own arguments
  std::ostream& out;
  std::ostream& err;
};

// Returns the exit status. A command that changes the document leaves it marked
// modified; main() then saves the folder as the Save command does.
using CommandFn = std::function<int(Context&)>;

struct Command {
  std::string name;
  std::string usage;
  CommandFn run;
  bool needs_data = true;  // false: runs without loading the folder
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
// Appends the record numbers of the publishers a comma-separated list of identifiers
// names to *records. 0, or the exit code after telling the user: 2 for an identifier that
// is not a number, 1 for one that names nobody.
int ParsePublisherIds(Context& ctx, const std::string& text, std::vector<int>* records);

std::optional<int> ParseMonth(const std::string& text, std::ostream& err);
// The record of a publisher identifier, or an error.
PubRecord* RecordOrError(Context& ctx, const std::string& id_text);

// The year-to-date summary's category ("publishers", "auxiliary", "regular" or 0..2) and
// period ("six", "year" when absent, "twelve"); -1 when not one of them.
int YtdCategoryArg(const std::string& text);
int YtdPeriodArg(const std::optional<std::string>& text);

// Texts of records as UTF-8, for output.
std::string Utf8(const CZarimDoc& doc, std::string_view bytes);

}  // namespace zarim::cli
