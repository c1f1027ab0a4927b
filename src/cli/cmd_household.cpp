// zarim-cli household add HEAD MEMBER: links a member to a family head's household.
#include <ostream>

#include "cli/cli.h"
#include "records/households.h"

namespace zarim::cli {
namespace {

int Household(Context& ctx) {
  auto& args = ctx.args;
  if (args.size() != 3 || args[0] != "add") {
    ctx.err << "zarim-cli: household add HEAD MEMBER (publisher identifiers)\n";
    return 2;
  }
  PubRecord* head = RecordOrError(ctx, args[1]);
  if (!head) return 1;
  PubRecord* member = RecordOrError(ctx, args[2]);
  if (!member) return 1;
  if (!(head->flags & kFamilyHead)) {
    ctx.err << "zarim-cli: " << args[1] << " is not marked as family head\n";
    return 1;
  }
  HouseholdForm form(ctx.doc, ctx.doc.RecordNumberById(head->id));
  if (!form.Add(ctx.doc.RecordNumberById(member->id))) {
    ctx.err << "zarim-cli: " << args[2] << " cannot join this household (a family head cannot)\n";
    form.Cancel();
    return 1;
  }
  form.Ok();
  return 0;
}

ZARIM_CLI_COMMAND("household",
                  "household add HEAD MEMBER  link a member to the family head's household",
                  Household);

}  // namespace
}  // namespace zarim::cli
