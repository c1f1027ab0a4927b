// Registration of the commands of each feature. Every feature declares its function
// here and calls it from RegisterFeatureCommands() in feature_commands.cpp; see
// commands.h for what a registration does.
#pragma once

namespace zarim {

class CMainFrame;
class CommandTable;

// Calls every feature's registration below.
void RegisterFeatureCommands(CommandTable& table);

// One line per feature, e.g.:
//   void RegisterPostingCommands(CommandTable& table);   // posting_commands.cpp
void RegisterReportCommands(CommandTable& table);    // report_commands.cpp
void RegisterRecordsCommands(CommandTable& table);   // records_commands.cpp
void RegisterPostingCommands(CommandTable& table);   // posting_commands.cpp
void RegisterMonthCommands(CommandTable& table);     // month_commands.cpp
void RegisterStatusCommands(CommandTable& table);    // status_commands.cpp
void RegisterListCommands(CommandTable& table);      // list_commands.cpp
void RegisterExchangeCommands(CommandTable& table);  // exchange_commands.cpp
void RegisterViewCommands(CommandTable& table);      // view_commands.cpp

// analysis_commands.cpp
void RegisterAnalysisCommands(CommandTable& table);

// A per-group report: the group picker first, then the report of the chosen group;
// nothing happens when the picker is cancelled or the group has no members
// (report_commands.cpp).
void ShowGroupReport(CMainFrame& frame, int kind);

}  // namespace zarim
