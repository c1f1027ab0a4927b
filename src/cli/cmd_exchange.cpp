// zarim-cli export and xml: the delimited exports, the XML publisher file's export and
// import, and a check of an XML file with the engine.
#include <algorithm>
#include <functional>
#include <ostream>
#include <sstream>

#include "cli/cli.h"
#include "core/strings.h"
#include "exchange/exchange_forms.h"
#include "exchange/exports.h"
#include "exchange/xml_document.h"
#include "exchange/xml_publisher_file.h"

namespace zarim::cli {
namespace {

// "11,12,40" as identifiers; nullopt after an error message.
std::optional<std::vector<int>> ParseIds(const std::string& text, std::ostream& err) {
  std::vector<int> ids;
  std::stringstream in(text);
  std::string part;
  while (std::getline(in, part, ',')) {
    auto id = ParseInt(part, 1, 65535, err, "identifier");
    if (!id) return std::nullopt;
    ids.push_back(*id);
  }
  return ids;
}

Outcome Export(Context& ctx) {
  auto& args = ctx.args;
  auto month_text = TakeOption(args, "--month");
  auto group_text = TakeOption(args, "--group");
  // The monthly report's month, separator and header are the export dialog's choices.
  ExportDataForm form(ctx.doc);
  form.tab = TakeFlag(args, "--tab");
  form.header = TakeFlag(args, "--header");
  if (month_text) {
    auto m = ParseMonth(*month_text, ctx.err);
    if (!m) return Outcome::kUsage;
    form.month = *m - 1;
  }
  ExportOptions o = form.Options();
  o.group = 1;
  if (group_text) {
    auto g = ParseInt(*group_text, 0, kMaxGroups, ctx.err, "group");
    if (!g) return Outcome::kUsage;
    o.group = *g;
  }
  static const std::pair<const char*, ExportKind> kKinds[] = {
      {"monthly", ExportKind::kMonthly},
      {"summary", ExportKind::kSummary},
      {"attendance", ExportKind::kAttendance},
      {"contacts", ExportKind::kContacts},
      {"emergency", ExportKind::kEmergency},
      {"card-headers", ExportKind::kCardHeaders},
      {"collection-list", ExportKind::kCollectionList}};
  if (args.size() == 1) {
    for (const auto& [word, kind] : kKinds) {
      if (args[0] != word) continue;
      std::string path = WriteExport(ctx.doc, kind, o);
      if (path.empty()) return Outcome::kNotWritten;
      ctx.out << path << "\n";
      return Outcome::kDone;
    }
  }
  ctx.err << "zarim-cli: usage: export "
             "(monthly|summary|attendance|contacts|emergency|card-headers|collection-list) "
             "[--month M] [--tab] [--header] [--group N]\n";
  return Outcome::kUsage;
}

// Chooses the people of ids (all when there is no list) among items whose identifiers
// are given; every identifier must name one of them.
Outcome ChooseByIds(Context& ctx, const std::optional<std::string>& ids_text,
                    const std::vector<int>& item_ids,
                    const std::function<void(int, bool)>& choose) {
  if (!ids_text) return Outcome::kDone;
  auto ids = ParseIds(*ids_text, ctx.err);
  if (!ids) return Outcome::kUsage;
  for (size_t i = 0; i < item_ids.size(); ++i) choose(static_cast<int>(i), false);
  for (int id : *ids) {
    auto it = std::find(item_ids.begin(), item_ids.end(), id);
    if (it == item_ids.end()) {
      ctx.err << "zarim-cli: no one with identifier " << id << " in that list\n";
      return Outcome::kUnknown;
    }
    choose(static_cast<int>(it - item_ids.begin()), true);
  }
  return Outcome::kDone;
}

Outcome XmlExport(Context& ctx, const std::string& which, std::optional<std::string> ids_text) {
  XmlList list;
  if (which == "active") {
    list = XmlList::kActive;
  } else if (which == "inactive") {
    list = XmlList::kInactive;
  } else if (which == "non-publishers") {
    list = XmlList::kNonPublishers;
  } else {
    ctx.err << "zarim-cli: unknown list '" << which << "'\n";
    return Outcome::kUnknown;
  }
  XmlExportForm form(ctx.doc);
  form.SelectList(list);
  std::vector<int> ids;
  for (int rec : form.ChosenRecords()) ids.push_back(ctx.doc.records[rec].id);
  Outcome chosen = ChooseByIds(ctx, ids_text, ids, [&](int i, bool on) { form.Choose(i, on); });
  if (chosen != Outcome::kDone) return chosen;
  if (!form.IsOkEnabled()) {
    ctx.err << "zarim-cli: nobody to export in that list\n";
    return Outcome::kRefused;
  }
  std::string path =
      ExportPublisherXml(ctx.doc, form.list(), form.ChosenRecords(), ctx.clock.Today());
  if (path.empty()) return Outcome::kNotWritten;
  ctx.out << path << "\n";
  return Outcome::kDone;
}

// The import dialog's form chooses the people and keeps the list within its capacity.
Outcome XmlImport(Context& ctx, const std::string& file, bool update,
                  std::optional<std::string> ids_text) {
  XmlPublisherImport import(ctx.doc);
  if (!import.Open(file)) return Outcome::kRefused;
  XmlImportForm form(ctx.doc, import);
  form.update = update;
  std::vector<int> ids;
  for (const XmlCandidate& c : import.candidates()) ids.push_back(c.id);
  Outcome chosen = ChooseByIds(ctx, ids_text, ids, [&](int i, bool on) { form.Choose(i, on); });
  if (chosen != Outcome::kDone) return chosen;
  if (!form.IsOkShown()) {
    ctx.err << "zarim-cli: " << form.Counter() << ": " << XmlListCaption(import.list()) << " "
            << XmlListLimit(import.list()) << "\n";
    return Outcome::kRefused;
  }
  ctx.out << form.Counter() << "\n";
  const std::vector<int> picked = form.Chosen();
  import.Apply(picked, form.update);
  for (int i : picked) {
    const XmlCandidate& c = import.candidates()[static_cast<size_t>(i)];
    ctx.out << (c.match_rec ? "*" : "") << c.id << "\t" << c.first << " " << c.last << "\n";
  }
  return Outcome::kDone;
}

Outcome Xml(Context& ctx) {
  auto& args = ctx.args;
  auto ids_text = TakeOption(args, "--ids");
  bool update = TakeFlag(args, "--update");
  bool create = TakeFlag(args, "--new");
  if (args.size() == 2 && args[0] == "export") return XmlExport(ctx, args[1], ids_text);
  if (args.size() == 2 && args[0] == "import" && !(update && create))
    return XmlImport(ctx, args[1], !create, ids_text);
  if (args.size() == 2 && args[0] == "check") {
    XmlDocument x(ctx.doc.language_code);
    if (x.Load(args[1])) {
      ctx.out << Str(Sid::kXmlWellFormed) << "\n";
      return Outcome::kDone;
    }
    ctx.out << x.Result() << "\n";
    return Outcome::kRefused;
  }
  ctx.err << "zarim-cli: usage: xml export (active|inactive|non-publishers) [--ids ID,...] | "
             "xml import FILE [--update|--new] [--ids ID,...] | xml check FILE\n";
  return Outcome::kUsage;
}

ZARIM_CLI_COMMAND("export", Access::kWrites,
                  "export (monthly|summary|attendance|contacts|emergency|card-headers|"
                  "collection-list) [--month M] [--tab] [--header] [--group N]",
                  Export);
ZARIM_CLI_COMMAND("xml", Access::kWrites,
                  "xml export (active|inactive|non-publishers) [--ids ID,...] | xml import FILE "
                  "[--update|--new] [--ids ID,...] | xml check FILE",
                  Xml, {"check"});

}  // namespace
}  // namespace zarim::cli
