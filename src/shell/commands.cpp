// The command table: handlers by command number.
#include "shell/commands.h"

#include "core/command_catalog.h"
#include "shell/feature_commands.h"
#include "shell/main_window.h"

namespace zarim {

bool CommandTable::Add(int id, CommandHandler run) {
  if (!FindCommand(id) || !run) return false;
  handlers_[id] = std::move(run);
  return true;
}

bool CommandTable::AddReport(int id, int report_kind) {
  return Add(id, [report_kind](CMainFrame& frame) { frame.ShowReport(report_kind); });
}

const CommandHandler* CommandTable::Find(int id) const {
  auto it = handlers_.find(id);
  return it == handlers_.end() ? nullptr : &it->second;
}

const CaptionProvider* CommandTable::FindCaption(int id) const {
  auto it = captions_.find(id);
  return it == captions_.end() ? nullptr : &it->second;
}

CommandTable BuildCommandTable() {
  CommandTable table;
  RegisterFrameCommands(table);
  RegisterFeatureCommands(table);
  return table;
}

}  // namespace zarim
