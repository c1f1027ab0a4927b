// zarim-cli backup, restore and catalog: the backup dialog's form with its choices given
// as options.
#include <algorithm>
#include <ostream>

#include "backup/backup_form.h"
#include "cli/cli.h"
#include "core/catalog.h"
#include "core/file_copier.h"
#include "core/file_io.h"
#include "core/file_names.h"
#include "core/settings.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "cycle/congregation.h"

namespace zarim::cli {
namespace {

struct Services {
  explicit Services(Context& ctx) : settings(ctx.owner->settings()) {
    form.time = &time;
    form.clock = &ctx.clock;
    form.read_setting = [this](const std::string& section, const std::string& key) {
      return settings.ini().GetString(section, key, "");
    };
    form.set_setting = [this, &ctx](const std::string& section, const std::string& key,
                                    const std::string& value) {
      settings.ini().SetString(section, key, value);
      if (ctx.doc.settings) ctx.doc.settings->ini().SetString(section, key, value);
    };
  }
  SettingsFile& settings;
  SystemTimeSource time;
  BackupServices form;
};

Outcome Backup(Context& ctx) {
  auto to = TakeOption(ctx.args, "--to");
  if (!ctx.args.empty()) {
    ctx.err << "zarim-cli: backup [--to PATH]\n";
    return Outcome::kUsage;
  }
  if (ctx.doc.history_view) return Outcome::kRefused;
  if (to && !IsFolder(*to)) {
    ctx.err << "zarim-cli: " << *to << " is not a folder\n";
    return Outcome::kUnknown;
  }
  Services services(ctx);
  BackupForm form(ctx.doc, BackupMode::kBackup, services.form);
  form.Open();
  if (to) form.ChooseFolder(*to);
  form.Ok();
  if (!form.done()) {
    ctx.err << "zarim-cli: " << (form.Status().empty() ? "the backup was not made" : form.Status())
            << "\n";
    return Outcome::kRefused;
  }
  Catalog catalog = Catalog::Read(ctx.doc.data_folder);
  ctx.out << form.Status() << "\n" << catalog.entries()[0].path << "\n";
  return Outcome::kDone;
}

Outcome Restore(Context& ctx) {
  bool latest = TakeFlag(ctx.args, "--latest");
  bool undo = TakeFlag(ctx.args, "--undo");
  auto from = TakeOption(ctx.args, "--from");
  auto set_password = TakeOption(ctx.args, "--set-password");
  if (!ctx.args.empty() || (latest + undo + (from ? 1 : 0)) != 1) {
    ctx.err << "zarim-cli: restore (--latest | --from PATH | --undo) [--set-password TEXT]\n";
    return Outcome::kUsage;
  }
  if (ctx.doc.history_view) return Outcome::kRefused;
  Services services(ctx);
  services.form.check_password = [&](const std::string& password) {
    if (!set_password) {
      ctx.err << "zarim-cli: the backup set is protected by a password; give --set-password\n";
      return false;
    }
    return FromUtf8(*set_password, ctx.doc.language_code) == password;
  };
  BackupForm form(ctx.doc, BackupMode::kRestore, services.form);
  form.Open();
  if (latest) {
    if (!form.has_catalog()) {
      ctx.err << "zarim-cli: the catalog lists no backup set that can be restored\n";
      return Outcome::kRefused;
    }
    if (!form.catalog_mode()) form.SwitchList();
    form.SetUseLatest(true);
  } else if (undo) {
    if (!form.UndoShown()) {
      ctx.err << "zarim-cli: there is no restore to undo\n";
      return Outcome::kRefused;
    }
    form.SetUndo(true);
  } else {
    std::string path = *from;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    if (!IsSetFolderName(path) || !IsFolder(path)) {
      ctx.err << "zarim-cli: " << path << " is not a backup set folder (Zr9_...)\n";
      return Outcome::kUnknown;
    }
    form.ChooseFolder(ParentFolder(path));
    std::string wanted =
        "[" + path.substr(path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1) + "]";
    auto items = form.ListItems();
    int index = -1;
    for (size_t i = 0; i < items.size(); ++i)
      if (items[i] == wanted) index = static_cast<int>(i);
    form.ChooseItem(index);
  }
  if (!form.OkShown()) {
    ctx.err << "zarim-cli: no backup set to restore\n";
    return Outcome::kRefused;
  }
  std::string source = form.Source();
  if (!form.Ok()) return Outcome::kRefused;  // the reason has been told
  ctx.out << "Restored from " << source << "\n";
  return Outcome::kDone;
}

Outcome CatalogCmd(Context& ctx) {
  if (!ctx.args.empty()) {
    ctx.err << "zarim-cli: catalog takes no arguments\n";
    return Outcome::kUsage;
  }
  Catalog catalog = Catalog::Read(ctx.doc.data_folder);
  auto usable = catalog.Usable();
  for (int i = 0; i < kCatalogEntries; ++i) {
    const CatalogEntry& e = catalog.entries()[i];
    if (e.empty()) continue;
    bool ok = std::find(usable.begin(), usable.end(), i) != usable.end();
    ctx.out << i + 1 << "\t" << (ok ? "usable" : "missing") << "\t" << Utf8(ctx.doc, e.label)
            << "\t" << Utf8(ctx.doc, e.path) << "\n";
  }
  std::string undo = JoinPath(ctx.doc.data_folder, kUndoFolder);
  if (HoldsBackupSet(undo))
    ctx.out << "undo\tusable\t" << Str(Sid::kUndoLastRestore) << "\t" << undo << "\n";
  return Outcome::kDone;
}

ZARIM_CLI_COMMAND("backup", Access::kWrites,
                  "backup [--to PATH]        make a backup set under the backup path (or PATH)",
                  Backup);
ZARIM_CLI_COMMAND(
    "restore", Access::kWrites,
    "restore (--latest | --from PATH | --undo) [--set-password TEXT]  restore a backup set",
    Restore);
ZARIM_CLI_COMMAND("catalog", Access::kReads,
                  "catalog                   the backup sets and monthly snapshots of the catalog",
                  CatalogCmd);

}  // namespace
}  // namespace zarim::cli
