// The one place where the features' commands join the main window.
#include "shell/feature_commands.h"

#include "shell/commands.h"

namespace zarim {

void RegisterFeatureCommands(CommandTable& table) {
  RegisterReportCommands(table);
  RegisterRecordsCommands(table);
  RegisterMonthCommands(table);
  RegisterPostingCommands(table);
  RegisterStatusCommands(table);
  RegisterListCommands(table);
  RegisterExchangeCommands(table);
  RegisterViewCommands(table);
  RegisterAnalysisCommands(table);
  // One call per feature, e.g. RegisterPostingCommands(table);
}

}  // namespace zarim
