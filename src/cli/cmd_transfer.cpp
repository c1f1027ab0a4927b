// zarim-cli transfer: writes the transfer file of a publisher who moves away (and marks
// him moved when asked), and adds a publisher who moved here from his transfer file.
#include <ostream>

#include "cli/cli.h"
#include "cycle/status_moves.h"
#include "exchange/transfer_file.h"
#include "records/placing.h"

namespace zarim::cli {
namespace {

constexpr const char* kUsage =
    "transfer export ID --to FILE [--moved [--month M]] | transfer import FILE";

Outcome Export(Context& ctx, const std::string& id_text, const std::string& file, bool moved,
               const std::optional<std::string>& month_text) {
  std::optional<int> month;
  if (month_text && !(month = ParseMonth(*month_text, ctx.err))) return Outcome::kUsage;
  int rec = 0;
  if (Outcome o = FindPublisher(ctx, id_text, &rec); o != Outcome::kDone) return o;
  // The move needs the file: it is marked only once the file is written.
  if (moved && RoomFor(ctx.doc, kMoved) != Room::kYes) {
    ctx.err << "zarim-cli: the list of moved publishers is full\n";
    return Outcome::kRefused;
  }
  if (!ExportTransferFile(ctx.doc, rec, file)) return Outcome::kNotWritten;
  ctx.out << file << "\n";
  if (!moved) return Outcome::kDone;
  MoveResult result = MoveOut(ctx.doc, rec, [&](SelectMonthForm& form) {
    if (month) form.set_month_index(*month - 1);
    return true;
  });
  if (result != MoveResult::kDone) {
    ctx.err << "zarim-cli: publisher " << id_text << " cannot be marked moved: wrong status\n";
    return Outcome::kRefused;
  }
  return Outcome::kDone;
}

Outcome Import(Context& ctx, const std::string& file) {
  std::string why;
  std::optional<TransferPublisher> t = ReadTransferFile(ctx.doc, file, &why);
  if (!t) {
    ctx.err << why << "\n";
    return Outcome::kRefused;
  }
  std::vector<std::string> left_out;
  const int rec = ImportTransfer(ctx.doc, *t, &left_out);
  if (rec == 0) return Outcome::kRefused;
  ctx.out << ctx.doc.records[rec].id << "\t"
          << Utf8(ctx.doc, ctx.doc.DisplayName(ctx.doc.records[rec])) << "\n";
  return Outcome::kDone;
}

Outcome Transfer(Context& ctx) {
  auto& args = ctx.args;
  auto to = TakeOption(args, "--to");
  auto month_text = TakeOption(args, "--month");
  const bool moved = TakeFlag(args, "--moved");
  if (args.size() == 2 && args[0] == "export" && to && (moved || !month_text))
    return Export(ctx, args[1], *to, moved, month_text);
  if (args.size() == 2 && args[0] == "import" && !to && !moved && !month_text)
    return Import(ctx, args[1]);
  ctx.err << "zarim-cli: usage: " << kUsage << "\n";
  return Outcome::kUsage;
}

ZARIM_CLI_COMMAND("transfer", Access::kWrites, kUsage, Transfer);

}  // namespace
}  // namespace zarim::cli
