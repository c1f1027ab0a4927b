// zarim-cli lists: the status lists (irregular, new, reactivated, inactive, moveouts and
// the candidates for the inactive list), one line each.
#include <algorithm>
#include <ostream>

#include "cli/cli.h"
#include "cycle/status_lists.h"

namespace zarim::cli {
namespace {

// A period by position (0..4) or by word.
std::optional<int> ParsePeriod(const std::string& text, bool inactive_list, std::ostream& err) {
  const char* words[] = {"six", "service-year", "twelve", inactive_list ? "over-twelve" : "24",
                         "all"};
  int positions = inactive_list ? 5 : 4;
  for (int i = 0; i < positions; ++i)
    if (text == words[i]) return i;
  return ParseInt(text, 0, positions - 1, err, "period");
}

Outcome Lists(Context& ctx) {
  auto& args = ctx.args;
  auto period_text = TakeOption(args, "--period");
  auto group_text = TakeOption(args, "--group");
  if (args.size() != 1) {
    ctx.err << "zarim-cli: usage: lists (irregular|new|reactivated|inactive|moveouts|candidates) "
               "[--period P] "
               "[--group G]\n";
    return Outcome::kUsage;
  }
  const std::string& kind = args[0];
  bool inactive_list = kind == "inactive";
  int period = 0;
  if (period_text) {
    auto p = ParsePeriod(*period_text, inactive_list, ctx.err);
    if (!p) return Outcome::kUsage;
    period = *p;
  }
  int group = 0;
  if (group_text) {
    auto g = ParseInt(*group_text, 0, kMaxGroups, ctx.err, "group");
    if (!g) return Outcome::kUsage;
    group = *g;
  }
  std::vector<StatusLine> lines;
  if (kind == "irregular")
    lines = IrregularList(ctx.doc, group);
  else if (kind == "new")
    lines = NewPublishersList(ctx.doc, period, group);
  else if (kind == "reactivated")
    lines = ReactivatedList(ctx.doc, period, group);
  else if (inactive_list)
    lines = InactiveViewList(ctx.doc, period, group);
  else if (kind == "moveouts")
    lines = MoveoutsList(ctx.doc, period, group);
  else if (kind == "candidates")
    lines = CandidateList(ctx.doc, group);
  else {
    ctx.err << "zarim-cli: unknown list '" << kind << "'\n";
    return Outcome::kUsage;
  }
  for (const StatusLine& l : lines) ctx.out << ctx.doc.records[l.rec].id << "\t" << l.text << "\n";
  return Outcome::kDone;
}

ZARIM_CLI_COMMAND(
    "lists", Access::kReads,
    "lists (irregular|new|reactivated|inactive|moveouts|candidates) [--period P] [--group G]",
    Lists);

}  // namespace
}  // namespace zarim::cli
