// zarim-cli import: reports of the working month from a CSV file (with a column mapping
// and the learned names) and, through the same selection-and-posting form, from XML.
#include <ostream>
#include <sstream>

#include "cli/cli.h"
#include "cli/cli_import.h"
#include "exchange/csv_import.h"
#include "exchange/import_files.h"
#include "exchange/xml_report_import.h"

namespace zarim::cli {
namespace {

// "First Name=1,Last Name=2,Shared=3": target names with 1-based column numbers.
bool ApplyMap(CsvImportForm& form, const std::string& text, std::ostream& err) {
  for (int t = 0; t < kCsvTargetCount; ++t) form.Clear(t);
  std::stringstream list(text);
  std::string item;
  while (std::getline(list, item, ',')) {
    const size_t eq = item.rfind('=');
    const std::string target = eq == std::string::npos ? item : item.substr(0, eq);
    int found = -1;
    for (int t = 0; t < kCsvTargetCount; ++t)
      if (CsvTargetName(t) == target) found = t;
    if (found < 0 || eq == std::string::npos) {
      err << "zarim-cli: --map takes TARGET=COLUMN; targets:";
      for (int t = 0; t < kCsvTargetCount; ++t) err << " \"" << CsvTargetName(t) << "\"";
      err << "\n";
      return false;
    }
    auto column = ParseInt(item.substr(eq + 1), 1, static_cast<int>(form.table().header.size()),
                           err, "column");
    if (!column) return false;
    form.Map(found, *column - 1);
  }
  return true;
}

Outcome ImportCsv(Context& ctx) {
  auto& args = ctx.args;
  auto map = TakeOption(args, "--map");
  const bool skip = TakeFlag(args, "--skip-unidentified");
  auto ids = TakeOption(args, "--ids");
  const bool all = TakeFlag(args, "--all");
  if (args.size() != 1) {
    ctx.err << "zarim-cli: import csv FILE [--map MAP] [--skip-unidentified] [--all]\n";
    return Outcome::kUsage;
  }
  if (!CanPost(ctx)) return Outcome::kRefused;
  if (!HasExtension(args[0], ".csv")) {
    ctx.err << "zarim-cli: the file's name must end in .csv\n";
    return Outcome::kUsage;
  }
  std::optional<CsvTable> table = LoadCsvImport(ctx.doc, args[0]);
  if (!table) return Outcome::kRefused;
  CsvImportForm form(ctx.doc, std::move(*table));
  if (map && !ApplyMap(form, *map, ctx.err)) return Outcome::kUsage;
  if (!form.CanContinueMapping()) {
    ctx.err << "zarim-cli: no column is mapped; give --map\n";
    return Outcome::kUsage;
  }
  form.ContinueMapping();
  form.SetSkipUnidentified(skip);
  if (!form.CanContinueIdentification()) {
    ctx.err << "zarim-cli: " << form.UnidentifiedText() << ":\n";
    for (const CsvRow& row : form.rows())
      if (row.id == 0) ctx.err << "  " << Utf8(ctx.doc, row.name) << "\n";
    ctx.err << "zarim-cli: give --skip-unidentified to post the others\n";
    return Outcome::kRefused;
  }
  return PostSelected(ctx, form.Finish(), all, ids, false);
}

Outcome ImportXml(Context& ctx) {
  auto& args = ctx.args;
  auto ids = TakeOption(args, "--ids");
  const bool all = TakeFlag(args, "--all");
  if (args.size() != 1) {
    ctx.err << "zarim-cli: import xml-reports FILE [--all | --ids ID,...]\n";
    return Outcome::kUsage;
  }
  if (!CanPost(ctx)) return Outcome::kRefused;
  if (!HasExtension(args[0], ".xml")) {
    ctx.err << "zarim-cli: the file's name must end in .xml\n";
    return Outcome::kUsage;
  }
  auto reports = LoadXmlReportImport(ctx.doc, args[0]);
  if (!reports) return Outcome::kRefused;
  return PostSelected(ctx, std::move(*reports), all, ids, false);
}

Outcome Import(Context& ctx) {
  auto& args = ctx.args;
  if (args.empty()) {
    ctx.err << "zarim-cli: import csv FILE ...\n";
    return Outcome::kUsage;
  }
  const std::string kind = args[0];
  args.erase(args.begin());
  if (kind == "csv") return ImportCsv(ctx);
  if (kind == "xml-reports") return ImportXml(ctx);
  ctx.err << "zarim-cli: import csv FILE ...\n";
  return Outcome::kUsage;
}

ZARIM_CLI_COMMAND("import", Access::kWrites,
                  "import csv FILE.csv [--map \"First Name=1,Last Name=2,Shared=3,...\"] "
                  "[--skip-unidentified] [--all | --ids ID,...]\n"
                  "      posts reports of the working month; without --map the mapping last "
                  "used for such a file\n"
                  "  import xml-reports FILE.xml [--all | --ids ID,...]",
                  Import);

}  // namespace
}  // namespace zarim::cli
