// zarim-cli status: moves a publisher between the lists (inactive, reactivated, moved
// away and back, Bible student to publisher, restore of a deleted publisher).
#include <ostream>

#include "cli/cli.h"
#include "cycle/status_moves.h"
#include "records/placing.h"

namespace zarim::cli {
namespace {

using MoveFn = MoveResult (*)(CZarimDoc&, int, const MonthAsker&);

struct Action {
  const char* name;
  MoveFn fn;
  uint8_t joins;  // the list the publisher enters
};

constexpr Action kActions[] = {
    {"inactive", TransferToInactive, kInactive},
    {"reactivate", Reactivate, kActive},
    {"move", MoveOut, kMoved},
    {"return", ReturnMoved, kActive},
    {"undo-move", UndoMoveOut, kActive},
    {"publish", MakePublisher, kActive},
    {"restore", RestoreDeleted, kActive},
};

Outcome Status(Context& ctx) {
  auto& args = ctx.args;
  auto month_text = TakeOption(args, "--month");
  auto year_text = TakeOption(args, "--year");
  bool regular = TakeFlag(args, "--regular");
  if (args.size() != 2 || !month_text) {
    ctx.err << "zarim-cli: usage: status PUBLISHER-ID "
               "(inactive|reactivate|move|return|undo-move|publish|restore) "
               "--month M [--year Y] [--regular]\n";
    return Outcome::kUsage;
  }
  const Action* action = nullptr;
  for (const Action& a : kActions)
    if (args[1] == a.name) action = &a;
  if (!action) {
    ctx.err << "zarim-cli: unknown status action '" << args[1] << "'\n";
    return Outcome::kUsage;
  }
  auto month = ParseMonth(*month_text, ctx.err);
  if (!month) return Outcome::kUsage;
  std::optional<int> year;
  if (year_text) {
    year = ParseInt(*year_text, SelectMonthForm::kFirstYear, 2000 + ctx.doc.working_year, ctx.err,
                    "year");
    if (!year) return Outcome::kUsage;
  }
  int rec = 0;
  if (Outcome o = FindPublisher(ctx, args[0], &rec); o != Outcome::kDone) return o;
  bool asked = false;
  MoveResult result = action->fn(ctx.doc, rec, [&](SelectMonthForm& form) {
    asked = true;
    form.set_month_index(*month - 1);
    if (year && form.has_years()) form.SelectYear(*year);
    form.set_ticked(regular);
    return true;
  });
  if (result == MoveResult::kRefused) {
    if (Room room = RoomFor(ctx.doc, action->joins); room != Room::kYes)
      ctx.err << "zarim-cli: " << RoomMessage(room, action->joins) << "\n";
    else
      ctx.err << "zarim-cli: publisher " << args[0] << " cannot be moved so from its status\n";
    return Outcome::kRefused;
  }
  if (result == MoveResult::kCancelled) {
    ctx.err << "zarim-cli: cancelled\n";
    return Outcome::kRefused;
  }
  const PubRecord& after = ctx.doc.records[rec];
  ctx.out << Utf8(ctx.doc, ctx.doc.DisplayName(after)) << ": status "
          << static_cast<int>(after.status) << ", status month " << (after.status_month >> 4)
          << " flags " << (after.status_month & 0x0F)
          << (asked ? "" : " (back to the inactive list with the old month)") << "\n";
  return Outcome::kDone;
}

ZARIM_CLI_COMMAND(
    "status", Access::kWrites,
    "status ID (inactive|reactivate|move|return|undo-move|publish|restore) --month M [--year Y] "
    "[--regular]",
    Status);

}  // namespace
}  // namespace zarim::cli
