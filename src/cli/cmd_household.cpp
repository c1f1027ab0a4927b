// zarim-cli household add HEAD MEMBER: links a member to a family head's household.
#include <ostream>

#include "cli/cli.h"
#include "records/households.h"

namespace zarim::cli {
namespace {

Outcome Household(Context& ctx) {
  auto& args = ctx.args;
  if (args.size() != 3 || args[0] != "add") {
    ctx.err << "zarim-cli: household add HEAD MEMBER (publisher identifiers)\n";
    return Outcome::kUsage;
  }
  int head = 0, member = 0;
  if (Outcome o = FindPublisher(ctx, args[1], &head); o != Outcome::kDone) return o;
  if (Outcome o = FindPublisher(ctx, args[2], &member); o != Outcome::kDone) return o;
  if (!(ctx.doc.records[head].flags & kFamilyHead)) {
    ctx.err << "zarim-cli: " << args[1] << " is not marked as family head\n";
    return Outcome::kRefused;
  }
  HouseholdForm form(ctx.doc, head);
  if (!form.Add(member)) {
    ctx.err << "zarim-cli: " << args[2] << " cannot join this household (a family head cannot)\n";
    form.Cancel();
    return Outcome::kRefused;
  }
  form.Ok();
  return Outcome::kDone;
}

ZARIM_CLI_COMMAND("household", Access::kWrites,
                  "household add HEAD MEMBER  link a member to the family head's household",
                  Household);

}  // namespace
}  // namespace zarim::cli
