// zarim-cli history and history-totals: one past month of a publisher, or one row of the
// stored monthly totals, changed as the History dialog changes them.
#include <ostream>

#include "cli/cli.h"
#include "core/strings.h"
#include "cycle/history_form.h"

namespace zarim::cli {
namespace {

constexpr const char* kHistoryUsage =
    "history ID --year YYYY --month M [--shared|--no-shared] [--hours H] [--studies N] "
    "[--placements N] [--videos N] [--return-visits N] [--less-than-hour] "
    "[--pioneer none|aux|regular|special] [--late|--no-late] [--credit N] [--remark TEXT]";
constexpr const char* kTotalsUsage =
    "history-totals --row (publishers|auxiliary|regular|special|active) --year YYYY --month M "
    "[--reports N] [--hours H] [--studies N] [--placements N] [--videos N] [--return-visits N] "
    "[--count N]";

// Chooses the year entry and the month in the form; false (with the message) when the
// History dialog does not offer that month.
bool ChooseMonth(Context& ctx, HistoryForm& form, const std::optional<std::string>& year_text,
                 const std::optional<std::string>& month_text) {
  if (!year_text || !month_text) {
    ctx.err << "zarim-cli: --year and --month are needed\n";
    return false;
  }
  const int first = 2000 + ctx.doc.working_year - 2;
  auto year = ParseInt(*year_text, first, first + 2, ctx.err, "year");
  auto month = ParseMonth(*month_text, ctx.err);
  if (!year || !month) return false;
  form.SetYear(*year - first);
  const auto& months = form.months();
  for (size_t i = 0; i < months.size(); ++i) {
    if (months[i] == *month - 1) {
      form.SetMonthPosition(static_cast<int>(i));
      return true;
    }
  }
  ctx.err << "zarim-cli: month " << *month << " of " << *year << " cannot be edited\n";
  return false;
}

// A number box from an option: hours as typed ("3.5"), counts as whole numbers.
bool SetBox(Context& ctx, HistoryForm& form, HistoryBox box, const std::optional<std::string>& text,
            const char* what) {
  if (!text) return true;
  if (box == HistoryBox::kHours) {
    for (char c : *text) {
      if ((c < '0' || c > '9') && c != '.') {
        ctx.err << "zarim-cli: --hours takes a number such as 3.5\n";
        return false;
      }
    }
    form.SetText(box, *text);
    form.LeaveHours();
    return true;
  }
  auto v = ParseInt(*text, 0, 65535, ctx.err, what);
  if (!v) return false;
  form.SetText(box, std::to_string(*v));
  return true;
}

void Show(Context& ctx, const HistoryForm& form) {
  static const char* const kNames[] = {"placements",    "videos",  "hours",
                                       "return_visits", "studies", "credit"};
  for (int b = 0; b < kHistoryBoxCount; ++b)
    ctx.out << kNames[b] << ": " << form.text(static_cast<HistoryBox>(b)) << "\n";
}

Outcome History(Context& ctx) {
  auto& args = ctx.args;
  auto year = TakeOption(args, "--year");
  auto month = TakeOption(args, "--month");
  bool shared = TakeFlag(args, "--shared");
  bool no_shared = TakeFlag(args, "--no-shared");
  auto hours = TakeOption(args, "--hours");
  auto studies = TakeOption(args, "--studies");
  auto placements = TakeOption(args, "--placements");
  auto videos = TakeOption(args, "--videos");
  auto visits = TakeOption(args, "--return-visits");
  bool less = TakeFlag(args, "--less-than-hour");
  auto pioneer = TakeOption(args, "--pioneer");
  bool late = TakeFlag(args, "--late");
  bool no_late = TakeFlag(args, "--no-late");
  auto credit = TakeOption(args, "--credit");
  auto remark = TakeOption(args, "--remark");
  if (args.size() != 1 || (shared && no_shared) || (late && no_late)) {
    ctx.err << "zarim-cli: usage: " << kHistoryUsage << "\n";
    return Outcome::kUsage;
  }
  int rec = 0;
  if (Outcome o = FindPublisher(ctx, args[0], &rec); o != Outcome::kDone) return o;
  const PubRecord* r = &ctx.doc.records[rec];
  if (!HistoryForm::Offers(*r)) {
    ctx.err << "zarim-cli: " << Fill(Sid::kHistoryNotOffered, args[0]) << "\n";
    return Outcome::kRefused;
  }
  HistoryForm form(ctx.doc, HistoryForm::Options{rec, r->status == kInactive});
  if (!ChooseMonth(ctx, form, year, month)) return Outcome::kUsage;
  if ((shared || no_shared) && !form.new_form()) {
    ctx.err << "zarim-cli: this month uses the older form without --shared\n";
    return Outcome::kUsage;
  }
  if (less && form.new_form()) {
    ctx.err << "zarim-cli: --less-than-hour belongs to months before the Shared in Ministry "
               "form\n";
    return Outcome::kUsage;
  }
  if (pioneer) {
    const char* words[] = {"none", "aux", "regular", "special"};
    int code = -1;
    for (int i = 0; i < 4; ++i)
      if (*pioneer == words[i]) code = i;
    if (code < 0) {
      ctx.err << "zarim-cli: --pioneer takes none, aux, regular or special\n";
      return Outcome::kUsage;
    }
    form.SetTicked(HistoryTick::kAux, code == kAuxiliary);
    form.SetTicked(HistoryTick::kRegular, code == kRegular);
    form.SetTicked(HistoryTick::kSpecial, code == kSpecial);
  }
  if (shared || no_shared) form.SetTicked(HistoryTick::kShared, shared);
  if (!SetBox(ctx, form, HistoryBox::kHours, hours, "hours") ||
      !SetBox(ctx, form, HistoryBox::kStudies, studies, "studies") ||
      !SetBox(ctx, form, HistoryBox::kPlacements, placements, "placements") ||
      !SetBox(ctx, form, HistoryBox::kVideos, videos, "videos") ||
      !SetBox(ctx, form, HistoryBox::kReturnVisits, visits, "return visits") ||
      !SetBox(ctx, form, HistoryBox::kCredit, credit, "credit"))
    return Outcome::kUsage;
  if (less) form.SetTicked(HistoryTick::kLessThanHour, true);
  if (late || no_late) form.SetTicked(HistoryTick::kLate, late);
  if (remark) form.SetRemark(*remark);
  // A value the month's cells cannot hold is refused, never cut or wrapped in silence.
  if (std::string why = form.Refusal(); !why.empty()) {
    ctx.err << "zarim-cli: " << why << "\n";
    return Outcome::kRefused;
  }
  form.Close();
  Show(ctx, form);
  return Outcome::kDone;
}

Outcome HistoryTotals(Context& ctx) {
  auto& args = ctx.args;
  auto row = TakeOption(args, "--row");
  auto year = TakeOption(args, "--year");
  auto month = TakeOption(args, "--month");
  auto reports = TakeOption(args, "--reports");
  auto hours = TakeOption(args, "--hours");
  auto studies = TakeOption(args, "--studies");
  auto placements = TakeOption(args, "--placements");
  auto videos = TakeOption(args, "--videos");
  auto visits = TakeOption(args, "--return-visits");
  auto count = TakeOption(args, "--count");
  if (!args.empty() || !row) {
    ctx.err << "zarim-cli: usage: " << kTotalsUsage << "\n";
    return Outcome::kUsage;
  }
  const char* rows[] = {"publishers", "auxiliary", "regular", "active", "special"};
  int entry = -1;
  for (int i = 0; i < 5; ++i)
    if (*row == rows[i]) entry = i;
  if (entry < 0) {
    ctx.err << "zarim-cli: --row takes publishers, auxiliary, regular, special or active\n";
    return Outcome::kUsage;
  }
  const bool active = entry == 3;
  if (active != static_cast<bool>(count) ||
      (active && (reports || hours || studies || placements || videos || visits))) {
    ctx.err << "zarim-cli: the active row takes only --count, the other rows no --count\n";
    return Outcome::kUsage;
  }
  HistoryForm form(ctx.doc);
  form.SetTotals(true);
  if (!ChooseMonth(ctx, form, year, month)) return Outcome::kUsage;
  form.SetPublisher(entry == 4 ? 2 : entry);
  if (entry >= 2 && entry != 3) form.SetSpecialRow(entry == 4);
  if (!SetBox(ctx, form, HistoryBox::kCredit, active ? count : reports, "number") ||
      !SetBox(ctx, form, HistoryBox::kHours, hours, "hours") ||
      !SetBox(ctx, form, HistoryBox::kStudies, studies, "studies") ||
      !SetBox(ctx, form, HistoryBox::kPlacements, placements, "placements") ||
      !SetBox(ctx, form, HistoryBox::kVideos, videos, "videos") ||
      !SetBox(ctx, form, HistoryBox::kReturnVisits, visits, "return visits"))
    return Outcome::kUsage;
  if (std::string why = form.Refusal(); !why.empty()) {
    ctx.err << "zarim-cli: " << why << "\n";
    return Outcome::kRefused;
  }
  Show(ctx, form);
  form.Close();
  return Outcome::kDone;
}

ZARIM_CLI_COMMAND("history", Access::kWrites, kHistoryUsage, History);
ZARIM_CLI_COMMAND("history-totals", Access::kWrites, kTotalsUsage, HistoryTotals);

}  // namespace
}  // namespace zarim::cli
