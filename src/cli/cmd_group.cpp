// zarim-cli groups and group set N: the field service groups through the group forms.
#include <ostream>

#include "cli/cli.h"
#include "core/strings.h"
#include "records/groups.h"

namespace zarim::cli {
namespace {

Outcome Groups(Context& ctx) {
  if (!ctx.args.empty()) {
    ctx.err << "zarim-cli: groups takes no arguments\n";
    return Outcome::kUsage;
  }
  for (int g = 1; g <= kMaxGroups; ++g) ctx.out << GroupListLine(ctx.doc, g) << "\n";
  return Outcome::kDone;
}

Outcome Group(Context& ctx) {
  auto& args = ctx.args;
  if (args.size() < 2 || args[0] != "set") {
    ctx.err << "zarim-cli: group set N [options]\n";
    return Outcome::kUsage;
  }
  auto n = ParseInt(args[1], 1, kMaxGroups, ctx.err, "group number");
  if (!n) return Outcome::kUsage;
  args.erase(args.begin(), args.begin() + 2);
  GroupDetailForm form(ctx.doc, *n);
  if (auto v = TakeOption(args, "--overseer-id")) {
    int rec = 0;
    if (Outcome o = FindPublisher(ctx, *v, &rec); o != Outcome::kDone) return o;
    form.SelectOverseer(rec);
  }
  if (auto v = TakeOption(args, "--assistant-id")) {
    int rec = 0;
    if (Outcome o = FindPublisher(ctx, *v, &rec); o != Outcome::kDone) return o;
    form.SelectAssistant(rec);
  }
  if (auto v = TakeOption(args, "--overseer")) form.overseer = *v;
  if (auto v = TakeOption(args, "--assistant")) form.assistant = *v;
  if (auto v = TakeOption(args, "--location")) form.location = *v;
  if (auto v = TakeOption(args, "--time")) form.time = *v;
  if (auto v = TakeOption(args, "--day")) {
    int day = -1;
    for (int d = 0; d < 7; ++d)
      if (DayName(d) == *v) day = d;
    if (day < 0) {
      auto num = ParseInt(*v, 0, 6, ctx.err, "day (0 Monday .. 6 Sunday, or the day's name)");
      if (!num) return Outcome::kUsage;
      day = *num;
    }
    form.day = day;
  }
  if (auto v = TakeOption(args, "--name")) {
    form.name = *v;
    form.use_name = !v->empty();
  }
  if (!args.empty()) {
    ctx.err << "zarim-cli: unknown argument '" << args.front() << "'\n";
    return Outcome::kUsage;
  }
  if (!form.Ok()) {
    ctx.err << "zarim-cli: the group could not be stored\n";
    return Outcome::kRefused;
  }
  ctx.out << GroupListLine(ctx.doc, *n) << "\n";
  return Outcome::kDone;
}

ZARIM_CLI_COMMAND(
    "groups", Access::kReads,
    "groups                    the field service groups (\"*\": not in the publisher file)",
    Groups);
ZARIM_CLI_COMMAND(
    "group", Access::kWrites,
    "group set N [--overseer-id ID|--overseer T] [--assistant-id ID|--assistant T] [--location T]\n"
    "      [--day NAME|0-6] [--time T] [--name T]",
    Group);

}  // namespace
}  // namespace zarim::cli
