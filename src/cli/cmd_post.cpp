// zarim-cli post: one report slip through the slip form, so every rule of the slip
// dialog applies; and the late-report list.
#include <ostream>

#include "cli/cli.h"
#include "core/month.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "cycle/branch_totals.h"
#include "cycle/collection_state.h"
#include "cycle/congregation.h"
#include "cycle/late_reports.h"
#include "cycle/slip_form.h"

namespace zarim::cli {
namespace {

bool NumberText(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text) {
    SlipKey key = c >= '0' && c <= '9' ? SlipKey::kDigit
                  : c == '.'           ? SlipKey::kPeriod
                                       : SlipKey::kOther;
    if (SlipForm::NumberKey(NumberBox::kHours, key) != KeyAction::kAccept) return false;
  }
  return true;
}

Outcome Post(Context& ctx) {
  CZarimDoc& doc = ctx.doc;
  auto& args = ctx.args;
  auto month_text = TakeOption(args, "--month");
  auto hours = TakeOption(args, "--hours");
  auto studies = TakeOption(args, "--studies");
  auto remark = TakeOption(args, "--remark");
  bool shared = TakeFlag(args, "--shared");
  bool aux = TakeFlag(args, "--aux");
  bool no_aux = TakeFlag(args, "--no-aux");
  if (args.size() != 1) {
    ctx.err << "zarim-cli: post takes one publisher identifier\n";
    return Outcome::kUsage;
  }
  int rec = 0;
  if (Outcome o = FindPublisher(ctx, args[0], &rec); o != Outcome::kDone) return o;
  const PubRecord* r = &doc.records[rec];
  if (r->status != kActive) {
    ctx.err << "zarim-cli: only active publishers report\n";
    return Outcome::kRefused;
  }
  if (doc.history_view || !WorkingMonthOpen(doc)) {
    ctx.err << "zarim-cli: the report collection for " << MonthName(doc.working_month)
            << " is not open\n";
    return Outcome::kRefused;
  }
  if ((hours && !NumberText(*hours)) || (studies && !NumberText(*studies))) {
    ctx.err << "zarim-cli: --hours and --studies take digits\n";
    return Outcome::kUsage;
  }

  SlipForm form(doc, rec);
  if (month_text) {
    auto m = ParseMonth(*month_text, ctx.err);
    if (!m) return Outcome::kUsage;
    form.BeginChangeMonth();
    form.ChooseMonth(*m - 1);
    form.EndChangeMonth();
  }
  if (aux || no_aux) {
    if (!form.AuxBoxShown()) {
      ctx.err << "zarim-cli: " << form.PioneerLabel() << ": no auxiliary pioneer box\n";
      return Outcome::kUsage;
    }
    form.SetAux(aux);
  }
  if (shared || hours || studies) form.SetShared(true);
  if (hours) {
    if (!form.HoursShown()) {
      ctx.err << "zarim-cli: hours are taken only from pioneers and field missionaries\n";
      return Outcome::kUsage;
    }
    form.SetHoursText(*hours);
  }
  if (studies) form.SetStudiesText(*studies);
  if (remark) {
    form.BeginRemark();
    form.SetRemark(*remark);
    form.EndRemark();
  }
  ctx.out << form.name() << ", " << form.MonthText() << "\n";
  if (!form.warning().empty()) ctx.out << form.warning() << "\n";
  switch (form.Save()) {
    case SlipForm::SaveResult::kRefused:
      return Outcome::kRefused;
    case SlipForm::SaveResult::kUnchanged:
      ctx.out << "unchanged\n";
      break;
    case SlipForm::SaveResult::kSaved:
      ctx.out << "posted" << (form.late() && !form.excluded() ? " (late report)" : "") << "\n";
      break;
  }
  if (!form.CreditText().empty()) ctx.out << form.CreditText() << "\n";
  return Outcome::kDone;
}

Outcome LateList(Context& ctx) {
  const CZarimDoc& doc = ctx.doc;
  for (const LateReportEntry& e : ctx.owner->View().LateReports()) {
    const PubRecord* r = doc.FindById(e.id);
    ctx.out << e.id << "\t" << (r ? Utf8(doc, doc.DisplayName(*r)) : std::string()) << "\t"
            << MonthName(e.month) << "\t"
            << (e.posted >= 1 && e.posted <= 12 ? MonthName(e.posted - 1) : std::string()) << "\n";
  }
  return Outcome::kDone;
}

// Answers the question with OK after showing it, for --yes.
class AgreeingPrompter : public Prompter {
 public:
  explicit AgreeingPrompter(std::ostream& out) : out_(out) {}
  Answer Ask(std::string_view text, Buttons, Answer) override {
    out_ << text << "\n";
    return Answer::kOk;
  }

 private:
  std::ostream& out_;
};

Outcome EraseLate(Context& ctx) {
  CZarimDoc& doc = ctx.doc;
  bool yes = TakeFlag(ctx.args, "--yes");
  if (doc.late_count == 0) {
    ctx.out << "no late reports\n";
    return Outcome::kDone;
  }
  AgreeingPrompter agree(ctx.out);
  Prompter* before = doc.prompter;
  if (yes) doc.prompter = &agree;
  AllowEraseLateReports(doc);  // the desktop's F11
  bool erased = EraseLateReports(doc);
  doc.prompter = before;
  doc.erase_late_enabled = 0;
  if (!erased) {
    ctx.err << "zarim-cli: nothing erased (give --yes to answer OK)\n";
    return Outcome::kRefused;
  }
  return Outcome::kDone;
}

ZARIM_CLI_COMMAND(
    "post", Access::kWrites,
    "post ID [--month M] [--shared] [--hours H] [--studies N] [--aux|--no-aux] [--remark TEXT]\n"
    "                            post a report slip (a late report with --month)",
    Post);
ZARIM_CLI_COMMAND("late-list", Access::kReads,
                  "late-list                 the late reports posted in the working month",
                  LateList);
ZARIM_CLI_COMMAND("erase-late", Access::kWrites,
                  "erase-late --yes          erase the late-report list", EraseLate);

}  // namespace
}  // namespace zarim::cli
