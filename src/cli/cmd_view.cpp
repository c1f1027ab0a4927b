// zarim-cli view: one list of the View lists dialog with its selections, the title and
// the lines as the dialog shows them, or the list printed to a PDF file as its Print
// button prints it. "report view-list TYPE ..." is the same command.
#include <ostream>

#include "cli/cli.h"
#include "cli/json.h"
#include "cli/report_pdf.h"
#include "cycle/view_lists.h"
#include "reports/view_list_report.h"

namespace zarim::cli {
namespace {

constexpr const char* kUsage =
    "view TYPE [--group N] [--month M] [--period P] [--bracket B] [--privilege P] "
    "[--circumstance C] [--json | --pdf FILE]";

// Sets a selector from an option when given; false (with the message) when the list type
// has no such selector or the value is out of range.
bool ApplyOption(Context& ctx, const std::optional<std::string>& text, const char* what, bool fits,
                 int entries, bool second, ViewListForm& form, int offset = 0) {
  if (!text) return true;
  if (!fits) {
    ctx.err << "zarim-cli: this list has no " << what << " choice\n";
    return false;
  }
  auto v = ParseInt(*text, offset, entries - 1 + offset, ctx.err, what);
  if (!v) return false;
  if (second)
    form.SetSecond(*v - offset);
  else
    form.SetThird(*v - offset);
  return true;
}

}  // namespace

Outcome ViewList(Context& ctx) {
  auto& args = ctx.args;
  auto group = TakeOption(args, "--group");
  auto month = TakeOption(args, "--month");
  auto period = TakeOption(args, "--period");
  auto bracket = TakeOption(args, "--bracket");
  auto privilege = TakeOption(args, "--privilege");
  auto circumstance = TakeOption(args, "--circumstance");
  bool json = TakeFlag(args, "--json");
  TakeFlag(args, "--text");
  std::optional<std::string> pdf = TakeOption(args, "--pdf");
  if (args.size() != 1 || (json && pdf)) {
    ctx.err << "zarim-cli: usage: " << kUsage << "\n";
    return Outcome::kUsage;
  }
  auto type = ParseViewType(args[0]);
  if (!type) {
    ctx.err << "zarim-cli: unknown list type '" << args[0] << "'\n";
    return Outcome::kUsage;
  }
  ViewListForm form(ctx.doc, *type);
  if (form.type() != *type) {
    ctx.err << "zarim-cli: this folder has no list of type '" << args[0] << "'\n";
    return Outcome::kUsage;
  }
  const int seconds = static_cast<int>(form.SecondEntries().size());
  const int thirds = static_cast<int>(form.ThirdEntries().size());
  const ViewSelector second = form.second_kind(), third = form.third_kind();
  if (!ApplyOption(ctx, group, "group", second == ViewSelector::kGroup, seconds, true, form) ||
      !ApplyOption(ctx, bracket, "bracket", second == ViewSelector::kBracket, seconds, true,
                   form) ||
      !ApplyOption(ctx, privilege, "privilege", second == ViewSelector::kPrivilege, seconds, true,
                   form) ||
      !ApplyOption(ctx, circumstance, "circumstance", second == ViewSelector::kCircumstance,
                   seconds, true, form) ||
      !ApplyOption(ctx, month, "month", third == ViewSelector::kMonth, thirds, false, form, 1) ||
      !ApplyOption(ctx, period, "period", third == ViewSelector::kPeriod, thirds, false, form))
    return Outcome::kUsage;

  if (pdf) {
    std::string error;
    const int selection = EncodeViewListSelection({form.type(), form.second(), form.third()});
    if (!WriteReportPdfFile(ctx.doc, kViewListReportKind, ctx.clock.Today(), *pdf, &error,
                            selection)) {
      ctx.err << "zarim-cli: " << error << "\n";
      return Outcome::kNotWritten;
    }
    return Outcome::kDone;
  }
  if (json) {
    Json j(ctx.out);
    j.BeginObject();
    j.Field("type", static_cast<int>(form.type()));
    j.Field("title", form.Title());
    j.Field("caption", form.GroupCaption());
    j.Key("lines").BeginArray();
    for (const StatusLine& l : form.lines()) {
      j.BeginObject();
      j.Field("id", static_cast<int>(ctx.doc.records[l.rec].id));
      j.Field("text", l.text);
      j.EndObject();
    }
    j.EndArray();
    j.EndObject();
    return Outcome::kDone;
  }
  ctx.out << form.Title() << "\n";
  if (!form.GroupCaption().empty()) ctx.out << form.GroupCaption() << "\n";
  for (const StatusLine& l : form.lines()) ctx.out << l.text << "\n";
  return Outcome::kDone;
}

namespace {

ZARIM_CLI_COMMAND("view", Access::kReads, kUsage, ViewList);

}  // namespace
}  // namespace zarim::cli
