// zarim-cli export and xml: the delimited exports, the XML publisher file's export and
// import, and a check of an XML file with the engine.
#include <algorithm>
#include <ostream>
#include <sstream>

#include "cli/cli.h"
#include "core/strings.h"
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

int Export(Context& ctx) {
  auto& args = ctx.args;
  auto month_text = TakeOption(args, "--month");
  auto group_text = TakeOption(args, "--group");
  ExportOptions o;
  o.tab = TakeFlag(args, "--tab");
  o.header = TakeFlag(args, "--header");
  o.month = ctx.doc.working_month;
  if (month_text) {
    auto m = ParseMonth(*month_text, ctx.err);
    if (!m) return 2;
    o.month = *m - 1;
  }
  o.group = 1;
  if (group_text) {
    auto g = ParseInt(*group_text, 0, kMaxGroups, ctx.err, "group");
    if (!g) return 2;
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
      if (path.empty()) return 1;
      ctx.out << path << "\n";
      return 0;
    }
  }
  ctx.err << "zarim-cli: usage: export "
             "(monthly|summary|attendance|contacts|emergency|card-headers|collection-list) "
             "[--month M] [--tab] [--header] [--group N]\n";
  return 2;
}

int XmlExport(Context& ctx, const std::string& which, std::optional<std::string> ids_text) {
  XmlList list;
  if (which == "active") {
    list = XmlList::kActive;
  } else if (which == "inactive") {
    list = XmlList::kInactive;
  } else if (which == "non-publishers") {
    list = XmlList::kNonPublishers;
  } else {
    ctx.err << "zarim-cli: unknown list '" << which << "'\n";
    return 2;
  }
  const int status = XmlListStatus(list);
  std::vector<int> recs;
  for (int i = 0; i < ctx.doc.status_count[status]; ++i)
    recs.push_back(ctx.doc.lists[status][i].rec);
  if (ids_text) {
    auto ids = ParseIds(*ids_text, ctx.err);
    if (!ids) return 2;
    std::vector<int> chosen;
    for (int id : *ids) {
      int rec = ctx.doc.RecordNumberById(id);
      if (rec == 0 || std::find(recs.begin(), recs.end(), rec) == recs.end()) {
        ctx.err << "zarim-cli: no one with identifier " << id << " in that list\n";
        return 2;
      }
      chosen.push_back(rec);
    }
    recs = chosen;
  }
  std::string path = ExportPublisherXml(ctx.doc, list, recs, ctx.clock.Today());
  if (path.empty()) return 1;
  ctx.out << path << "\n";
  return 0;
}

int XmlImport(Context& ctx, const std::string& file, bool update,
              std::optional<std::string> ids_text) {
  XmlPublisherImport import(ctx.doc);
  if (!import.Open(file)) return 1;
  std::vector<int> chosen;
  const auto& candidates = import.candidates();
  std::optional<std::vector<int>> ids;
  if (ids_text && !(ids = ParseIds(*ids_text, ctx.err))) return 2;
  for (size_t i = 0; i < candidates.size(); ++i)
    if (!ids || std::find(ids->begin(), ids->end(), candidates[i].id) != ids->end())
      chosen.push_back(static_cast<int>(i));
  int changed = import.Apply(chosen, update);
  if (changed > 0) ctx.doc.MarkModified();
  for (int i : chosen) {
    const XmlCandidate& c = candidates[static_cast<size_t>(i)];
    ctx.out << (c.match_rec ? "*" : "") << c.id << "\t" << c.first << " " << c.last << "\n";
  }
  return 0;
}

int Xml(Context& ctx) {
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
      return 0;
    }
    ctx.out << x.Result() << "\n";
    return 1;
  }
  ctx.err << "zarim-cli: usage: xml export (active|inactive|non-publishers) [--ids ID,...] | "
             "xml import FILE [--update|--new] [--ids ID,...] | xml check FILE\n";
  return 2;
}

ZARIM_CLI_COMMAND("export",
                  "export (monthly|summary|attendance|contacts|emergency|card-headers|"
                  "collection-list) [--month M] [--tab] [--header] [--group N]",
                  Export);
ZARIM_CLI_COMMAND("xml",
                  "xml export (active|inactive|non-publishers) [--ids ID,...] | xml import FILE "
                  "[--update|--new] [--ids ID,...] | xml check FILE",
                  Xml);

}  // namespace
}  // namespace zarim::cli
