// zarim-cli collection: the collection list of a field service group (and its mail),
// and the import of a returned collection file through the selection-and-posting form.
#include <ostream>
#include <sstream>

#include "cli/cli.h"
#include "cli/cli_import.h"
#include "core/month.h"
#include "core/strings.h"
#include "cycle/collection_state.h"
#include "exchange/collection_list_form.h"
#include "exchange/report_import.h"
#include "exchange/xdg_mailer.h"

namespace zarim::cli {

bool CanPost(Context& ctx) {
  if (ctx.doc.history_view || !WorkingMonthOpen(ctx.doc)) {
    ctx.err << "zarim-cli: the report collection for " << MonthName(ctx.doc.working_month)
            << " is not open\n";
    return false;
  }
  return true;
}

Outcome PostSelected(Context& ctx, std::vector<IncomingReport> reports, bool all,
                     const std::optional<std::string>& ids, bool credit) {
  ReportImportForm form(ctx.doc, std::move(reports));
  const std::vector<std::string> names = form.Names();
  if (ids) {
    std::stringstream list(*ids);
    std::string item;
    while (std::getline(list, item, ',')) {
      auto id = ParseInt(item, 1, 65535, ctx.err, "identifier");
      if (!id) return Outcome::kUsage;
      for (int i = 0; i < form.size(); ++i)
        if (form.reports()[static_cast<size_t>(i)].id == *id) form.SetSelected(i, true);
    }
  } else if (all) {
    form.SelectAll();
  }
  ctx.out << form.AvailableText() << "\n" << form.SelectedText() << "\n";
  form.SetCreditFromRemark(credit);
  for (int i = 0; i < form.size(); ++i) {
    const IncomingReport& in = form.reports()[static_cast<size_t>(i)];
    ctx.out << (form.selected(i) ? "posted " : "not selected ") << in.id << " "
            << MonthName(in.month) << " " << names[static_cast<size_t>(i)] << "\n";
  }
  // A value beyond the slip's refuses the import whole, before anything is posted.
  if (std::string why = form.Refusal(); !why.empty()) {
    ctx.err << "zarim-cli: " << why << "\n";
    return Outcome::kRefused;
  }
  ctx.out << Printf(Sid::kImportPostedFormat, form.ImportSelected()) << "\n";
  return Outcome::kDone;
}

namespace {

Outcome Collection(Context& ctx) {
  auto& args = ctx.args;
  if (args.empty()) {
    ctx.err << "zarim-cli: collection create|import\n";
    return Outcome::kUsage;
  }
  const std::string sub = args[0];
  args.erase(args.begin());
  if (sub == "create") {
    auto group = TakeOption(args, "--group");
    auto email = TakeOption(args, "--email");
    const bool next = TakeFlag(args, "--next-month");
    const bool send = TakeFlag(args, "--send");
    const bool assistant = TakeFlag(args, "--assistant");
    if (!group || !args.empty()) {
      ctx.err << "zarim-cli: collection create --group N [--next-month] [--email ADDR] [--send]\n";
      return Outcome::kUsage;
    }
    auto g = ParseInt(*group, 1, std::max<int>(1, ctx.doc.groups.count), ctx.err, "group");
    if (!g) return Outcome::kUsage;
    if (ctx.doc.history_view) {
      ctx.err << "zarim-cli: an old month is being viewed\n";
      return Outcome::kUsage;
    }
    CollectionListForm form(ctx.doc, *g);
    form.SetNextMonth(next);
    if (assistant) form.SetToAssistant(true);
    if (email) form.SetEmail(*email);
    if (send && form.RecipientEmail().empty()) ctx.err << form.NoEmailText() << "\n";
    XdgMailer mailer;
    const std::string path = form.Create(send ? &mailer : nullptr, nullptr);
    if (path.empty()) return Outcome::kNotWritten;
    ctx.out << path << "\n";
    return Outcome::kDone;
  }
  if (sub == "import") {
    auto ids = TakeOption(args, "--ids");
    const bool all = TakeFlag(args, "--all");
    const bool credit = TakeFlag(args, "--credit");
    if (args.size() != 1) {
      ctx.err << "zarim-cli: collection import FILE [--all | --ids ID,...] [--credit]\n";
      return Outcome::kUsage;
    }
    if (!CanPost(ctx)) return Outcome::kRefused;
    std::vector<IncomingReport> reports;
    if (!LoadCollectionImport(ctx.doc, args[0], &reports)) return Outcome::kRefused;
    return PostSelected(ctx, std::move(reports), all, ids, credit);
  }
  ctx.err << "zarim-cli: collection create|import\n";
  return Outcome::kUsage;
}

ZARIM_CLI_COMMAND("collection", Access::kWrites,
                  "collection create --group N [--next-month] [--email ADDR] [--assistant] "
                  "[--send]\n"
                  "      prints the path of the group's collection list (.t09)\n"
                  "  collection import FILE.t19 [--all | --ids ID,...] [--credit]",
                  Collection);

}  // namespace
}  // namespace zarim::cli
