// zarim-cli commands of the working month: init-month, reopen, close-month and month,
// through the "Report Slip Posting" decision form as the desktop dialog uses it.
#include <ostream>

#include "cli/cli.h"
#include "core/month.h"
#include "core/strings.h"
#include "cycle/collection.h"
#include "cycle/congregation.h"
#include "cycle/posting_decision_form.h"

namespace zarim::cli {
namespace {

// Answers the confirmation question from the command line: OK with --yes, otherwise the
// question's default (Cancel). The question is shown on standard error either way.
class OptionPrompter : public Prompter {
 public:
  OptionPrompter(std::ostream& err, bool yes) : err_(err), yes_(yes) {}
  Answer Ask(std::string_view text, Buttons, Answer default_answer) override {
    err_ << text << "\n";
    asked_ = true;
    return yes_ ? Answer::kOk : default_answer;
  }
  bool asked() const { return asked_; }

 private:
  std::ostream& err_;
  bool yes_;
  bool asked_ = false;
};

bool NoArgsLeft(Context& ctx, const char* name) {
  if (ctx.args.empty()) return true;
  ctx.err << "zarim-cli: " << name << ": unexpected argument '" << ctx.args[0] << "'\n";
  return false;
}

bool RefuseInHistory(Context& ctx) {
  if (!ctx.doc.history_view) return false;
  ctx.err << "zarim-cli: an old report is on display\n";
  return true;
}

const char* StateName(MonthCollection s) {
  switch (s) {
    case MonthCollection::kOpen:
      return "open";
    case MonthCollection::kClosed:
      return "closed";
    default:
      return "not initialized";
  }
}

Outcome InitMonth(Context& ctx) {
  bool next = TakeFlag(ctx.args, "--next");
  bool yes = TakeFlag(ctx.args, "--yes");
  if (!NoArgsLeft(ctx, "init-month")) return Outcome::kUsage;
  if (RefuseInHistory(ctx)) return Outcome::kRefused;
  CZarimDoc& doc = ctx.doc;
  if (doc.count <= 1) {
    ctx.err << "zarim-cli: there are no publishers\n";
    return Outcome::kRefused;
  }
  if (WorkingMonthOpen(doc)) {
    ctx.err << "zarim-cli: the collection of " << MonthName(doc.working_month)
            << " is open; close it first (close-month)\n";
    return Outcome::kRefused;
  }
  PostingDecisionForm form(doc);
  OptionPrompter prompter(ctx.err, yes);
  if (next && !form.InitializeNextShown()) {
    ctx.err << "zarim-cli: the next month can be opened early only after the 24th, once\n";
    return Outcome::kRefused;
  }
  bool ok = next ? form.InitializeNext(prompter) : form.Initialize(prompter);
  if (!ok) {
    ctx.err << "zarim-cli: not initialized" << (prompter.asked() ? "; confirm with --yes" : "")
            << "\n";
    return Outcome::kRefused;
  }
  // The early month reaches the settings file with the save that follows, with the rest.
  ctx.out << form.Apply(doc) << "\n";
  return Outcome::kDone;
}

Outcome Reopen(Context& ctx) {
  if (!NoArgsLeft(ctx, "reopen")) return Outcome::kUsage;
  if (RefuseInHistory(ctx)) return Outcome::kRefused;
  if (WorkingMonthOpen(ctx.doc)) {
    ctx.err << "zarim-cli: the collection of " << MonthName(ctx.doc.working_month)
            << " is already open\n";
    return Outcome::kRefused;
  }
  PostingDecisionForm form(ctx.doc);
  if (!form.Reopen()) {
    ctx.err << "zarim-cli: " << MonthName(ctx.doc.working_month)
            << " is not closed; there is nothing to reopen (init-month initializes it)\n";
    return Outcome::kRefused;
  }
  ctx.out << form.Apply(ctx.doc) << "\n";
  return Outcome::kDone;
}

Outcome CloseMonth(Context& ctx) {
  if (!NoArgsLeft(ctx, "close-month")) return Outcome::kUsage;
  if (RefuseInHistory(ctx)) return Outcome::kRefused;
  if (!WorkingMonthOpen(ctx.doc)) {
    ctx.err << "zarim-cli: the collection of " << MonthName(ctx.doc.working_month)
            << " is not open\n";
    return Outcome::kRefused;
  }
  CloseCollection(ctx.doc);
  ctx.out << WorkingMonthStatusText(ctx.doc) << " (" << StateName(MonthCollection::kClosed)
          << ")\n";
  return Outcome::kDone;
}

Outcome Month(Context& ctx) {
  if (!NoArgsLeft(ctx, "month")) return Outcome::kUsage;
  const CZarimDoc& doc = ctx.doc;
  ctx.out << WorkingMonthStatusText(doc) << "\n";
  for (int m = 0; m < 12; ++m)
    ctx.out << "  " << MonthName(m) << ": " << StateName(CollectionStateOf(doc, m)) << "\n";
  if (!WorkingMonthOpen(doc)) {
    PostingDecisionForm form(doc);
    ctx.out << form.Title() << ":\n";
    if (form.ReopenShown()) ctx.out << "  reopen: " << form.ReopenCaption() << "\n";
    ctx.out << "  init-month: " << form.InitializeCaption() << "\n";
    if (form.InitializeNextShown())
      ctx.out << "  init-month --next: " << form.InitializeNextCaption() << "\n";
    if (form.SuggestionShown()) ctx.out << "  " << form.SuggestionText() << "\n";
  }
  return Outcome::kDone;
}

ZARIM_CLI_COMMAND(
    "init-month", Access::kWrites,
    "init-month [--next] [--yes] initialize the working month (--next: the month after, from the "
    "25th); --yes answers the confirmation",
    InitMonth);
ZARIM_CLI_COMMAND("reopen", Access::kWrites,
                  "reopen                    reopen the report collection of the offered month",
                  Reopen);
ZARIM_CLI_COMMAND("close-month", Access::kWrites,
                  "close-month               reporting is complete: close the working month",
                  CloseMonth);
ZARIM_CLI_COMMAND(
    "month", Access::kReads,
    "month                     the working month, the collection states and the choices", Month);

}  // namespace
}  // namespace zarim::cli
