// The command catalog of the main window and the rules that enable its commands.
#include "core/command_catalog.h"

#include <algorithm>
#include <array>

#include "core/bytes.h"
#include "core/document.h"
#include "core/text_codec.h"

namespace zarim {

namespace {

int MonthIndex(int m) { return ((m % 12) + 12) % 12; }
std::string NameOfMonth(int m) { return std::string(StrByNumber(3 + MonthIndex(m))); }

constexpr CommandInfo kCatalog[] = {
    {57607, Menu::kFile, kNoSid, Sid::kMenuPrint, Sid::kTipPrint, Rule::kReportShown, "Ctrl+P"},  // Print
    {57609, Menu::kFile, kNoSid, Sid::kMenuPrintPreview, Sid::kTipPrintPreview, Rule::kReportShown, ""},  // PrintPreview
    {57606, Menu::kFile, kNoSid, Sid::kMenuPrintSetup, Sid::kTipPrintSetup, Rule::kAlways, ""},  // PrintSetup
    {32950, Menu::kFile, kNoSid, Sid::kSaveAsPdf, Sid::kSaveAsPdfStatus, Rule::kReportShown, ""},  // SaveAsPdf
    {57603, Menu::kFile, kNoSid, Sid::kMenuSave, Sid::kTipSave, Rule::kSave, "Ctrl+S"},  // Save
    {32863, Menu::kFile, Sid::kSubmenuBackupRestore, Sid::kMenuBackup, kNoSid, Rule::kNotHistory, ""},  // Backup
    {32864, Menu::kFile, Sid::kSubmenuBackupRestore, Sid::kMenuRestore, kNoSid, Rule::kNotHistory, ""},  // Restore
    {32829, Menu::kFile, Sid::kSubmenuExportImport, Sid::kMenuExportMonthlyReport, Sid::kTipExportMonthlyReport, Rule::kPublishers, ""},  // ExportMonthlyReport
    {32849, Menu::kFile, Sid::kSubmenuExportImport, Sid::kMenuExportContacts, Sid::kTipExportContacts, Rule::kAlways, ""},  // ExportContacts
    {32865, Menu::kFile, Sid::kSubmenuExportImport, Sid::kMenuExportEmergency, kNoSid, Rule::kAlways, ""},  // ExportEmergency
    {32869, Menu::kFile, Sid::kSubmenuExportImport, Sid::kMenuExportCardHeaders, kNoSid, Rule::kAlways, ""},  // ExportCardHeaders
    {32911, Menu::kFile, Sid::kSubmenuExportImport, Sid::kMenuExportAttendance, kNoSid, Rule::kNotHistory, ""},  // ExportAttendance
    {32912, Menu::kFile, Sid::kSubmenuExportImport, Sid::kMenuExportSummary, kNoSid, Rule::kNotHistory, ""},  // ExportSummary
    {32880, Menu::kFile, Sid::kSubmenuExportImport, Sid::kMenuExportXml, Sid::kTipExportXml, Rule::kAlways, ""},  // ExportXml
    {32878, Menu::kFile, Sid::kSubmenuExportImport, Sid::kMenuImportXml, Sid::kTipImportXml, Rule::kNotHistory, ""},  // ImportXml
    {32917, Menu::kFile, Sid::kSubmenuExportImport, Sid::kMenuExportCollectionCsv, Sid::kTipExportCollectionCsv, Rule::kAlways, ""},  // ExportCollectionCsv
    {32787, Menu::kFile, kNoSid, Sid::kMenuReturnToPanel, Sid::kTipReturnToPanel, Rule::kReportShown, "Esc"},  // ReturnToPanel
    {57665, Menu::kFile, kNoSid, Sid::kMenuExit, Sid::kTipExit, Rule::kAlways, ""},  // Exit
    {32768, Menu::kEdit, kNoSid, Sid::kMenuPublishers, Sid::kTipPublishers, Rule::kNotHistory, ""},  // Publishers
    {32769, Menu::kEdit, kNoSid, Sid::kMenuAuxPioneers, Sid::kTipAuxPioneers, Rule::kPublishersLive, ""},  // AuxPioneers
    {32770, Menu::kEdit, kNoSid, Sid::kMenuGroups, Sid::kTipGroups, Rule::kNotHistory, ""},  // Groups
    {32781, Menu::kEdit, kNoSid, Sid::kMenuMoveOuts, Sid::kTipMoveOuts, Rule::kPublishersLive, ""},  // MoveOuts
    {32782, Menu::kEdit, kNoSid, Sid::kMenuEditInactive, Sid::kTipEditInactive, Rule::kPublishersLive, ""},  // EditInactive
    {32786, Menu::kEdit, kNoSid, Sid::kMenuPassword, Sid::kTipPassword, Rule::kNotHistory, ""},  // Password
    {32833, Menu::kEdit, kNoSid, Sid::kMenuRegularPioneers, Sid::kTipRegularPioneers, Rule::kPublishersLive, ""},  // RegularPioneers
    {32839, Menu::kEdit, kNoSid, Sid::kMenuEditNonPublishers, Sid::kTipEditNonPublishers, Rule::kNotHistory, ""},  // EditNonPublishers
    {32881, Menu::kEdit, kNoSid, Sid::kMenuDeleted, Sid::kTipDeleted, Rule::kDeletedList, ""},  // Deleted
    {32887, Menu::kEdit, kNoSid, Sid::kMenuHistory, Sid::kTipHistory, Rule::kNotHistory, ""},  // History
    {32906, Menu::kEdit, kNoSid, Sid::kMenuCircuitOverseer, kNoSid, Rule::kPublishers, ""},  // CircuitOverseer
    {32777, Menu::kPost, kNoSid, Sid::kMenuReportSlips, Sid::kTipReportSlips, Rule::kPublishersLive, ""},  // ReportSlips
    {32778, Menu::kPost, kNoSid, Sid::kMenuPostAttendance, Sid::kTipPostAttendance, Rule::kNotHistory, ""},  // PostAttendance
    {32771, Menu::kView, kNoSid, Sid::kMenuPublisherRecords, Sid::kTipPublisherRecords, Rule::kAlways, ""},  // PublisherRecords
    {32772, Menu::kView, kNoSid, Sid::kMenuQuickOverview, Sid::kTipQuickOverview, Rule::kAlways, ""},  // QuickOverview
    {32838, Menu::kView, kNoSid, Sid::kMenuAttendanceRecord, Sid::kTipAttendanceRecord, Rule::kAlways, ""},  // AttendanceRecord
    {32837, Menu::kView, kNoSid, Sid::kMenuYtdSummary, Sid::kTipYtdSummary, Rule::kAlways, ""},  // YtdSummary
    {32773, Menu::kView, kNoSid, Sid::kMenuNoReport, Sid::kTipNoReport, Rule::kAlways, ""},  // NoReport
    {32774, Menu::kView, kNoSid, Sid::kMenuIrregular, Sid::kTipIrregular, Rule::kAlways, ""},  // Irregular
    {32795, Menu::kView, kNoSid, Sid::kMenuNewPublishers, Sid::kTipNewPublishers, Rule::kAlways, ""},  // NewPublishers
    {32783, Menu::kView, kNoSid, Sid::kMenuReactivated, Sid::kTipReactivated, Rule::kAlways, ""},  // Reactivated
    {32776, Menu::kView, kNoSid, Sid::kMenuEditInactive, Sid::kTipViewInactive, Rule::kAlways, ""},  // ViewInactive
    {32784, Menu::kView, kNoSid, Sid::kMenuViewMoveouts, Sid::kTipViewMoveouts, Rule::kAlways, ""},  // ViewMoveouts
    {32792, Menu::kView, kNoSid, Sid::kMenuRecentlyBaptized, Sid::kTipRecentlyBaptized, Rule::kAlways, ""},  // RecentlyBaptized
    {32815, Menu::kView, kNoSid, Sid::kMenuAuxPioneers, Sid::kTipViewAuxPioneers, Rule::kAlways, ""},  // ViewAuxPioneers
    {32775, Menu::kView, kNoSid, Sid::kMenuPioneerHours, Sid::kTipPioneerHours, Rule::kAlways, ""},  // PioneerHours
    {32820, Menu::kView, kNoSid, Sid::kMenuStudyConductors, Sid::kTipStudyConductors, Rule::kAlways, ""},  // StudyConductors
    {32828, Menu::kView, kNoSid, Sid::kMenuUnbaptized, Sid::kTipUnbaptized, Rule::kAlways, ""},  // Unbaptized
    {32842, Menu::kView, kNoSid, Sid::kMenuViewNonPublishers, Sid::kTipViewNonPublishers, Rule::kAlways, ""},  // ViewNonPublishers
    {32832, Menu::kView, kNoSid, Sid::kMenuCollectionForm, Sid::kTipCollectionForm, Rule::kAlways, ""},  // CollectionForm
    {32884, Menu::kView, kNoSid, Sid::kMenuPrivileges, Sid::kTipPrivileges, Rule::kAlways, ""},  // Privileges
    {32886, Menu::kView, kNoSid, Sid::kMenuGdprConsent, Sid::kTipGdprConsent, Rule::kAlways, ""},  // GdprConsent
    {32913, Menu::kView, kNoSid, Sid::kMenuNoGdprConsent, Sid::kMenuNoGdprConsent, Rule::kAlways, ""},  // NoGdprConsent
    {32914, Menu::kView, kNoSid, Sid::kMenuEmpty, kNoSid, Rule::kAlways, ""},  // ViewRuntime
    {32835, Menu::kView, kNoSid, Sid::kMenuViewCustom, kNoSid, Rule::kCustomCategory, ""},  // ViewCustom
    {32891, Menu::kReports, Sid::kSubmenuCongAnalysis, Sid::kMenuAnalysisPioneersGroups, kNoSid, Rule::kAlways, ""},  // AnalysisPioneersGroups
    {32892, Menu::kReports, Sid::kSubmenuCongAnalysis, Sid::kMenuAnalysisAtoZ, kNoSid, Rule::kAlways, ""},  // AnalysisAtoZ
    {32780, Menu::kReports, kNoSid, Sid::kMenuGroupAnalysis, kNoSid, Rule::kAlways, ""},  // GroupAnalysis
    {32793, Menu::kReports, kNoSid, Sid::kMenuCongSummary, kNoSid, Rule::kAlways, ""},  // CongSummary
    {32794, Menu::kReports, kNoSid, Sid::kMenuMeetingReport, kNoSid, Rule::kAlways, ""},  // MeetingReport
    {32944, Menu::kReports, kNoSid, Sid::kPostBranchReportMenu, Sid::kPostBranchReportTip, Rule::kAlways, ""},  // BranchReport
    {32796, Menu::kReports, Sid::kSubmenuAverages, Sid::kMenuCongregation, kNoSid, Rule::kAlways, ""},  // AvgCongregation
    {32797, Menu::kReports, Sid::kSubmenuAverages, Sid::kMenuFieldServiceGroup, kNoSid, Rule::kAlways, ""},  // AvgGroup
    {32798, Menu::kReports, Sid::kSubmenuAverages, Sid::kMenuRegularPioneers, kNoSid, Rule::kAlways, ""},  // AvgRegular
    {32799, Menu::kReports, Sid::kSubmenuAverages, Sid::kMenuAvgElders, kNoSid, Rule::kAlways, ""},  // AvgElders
    {32800, Menu::kReports, Sid::kSubmenuAverages, Sid::kMenuAvgServants, kNoSid, Rule::kAlways, ""},  // AvgServants
    {32801, Menu::kReports, Sid::kSubmenuAverages, Sid::kMenuBaptizedBrothers, kNoSid, Rule::kAlways, ""},  // AvgBrothers
    {32836, Menu::kReports, Sid::kSubmenuAverages, Sid::kMenuViewCustom, kNoSid, Rule::kCustomCategory, ""},  // AvgCustom
    {32802, Menu::kReports, kNoSid, Sid::kMenuStatistics, kNoSid, Rule::kAlways, ""},  // Statistics
    {32821, Menu::kReports, Sid::kSubmenuCardLabels, Sid::kMenuLabelsAll, kNoSid, Rule::kAlways, ""},  // LabelsAll
    {32822, Menu::kReports, Sid::kSubmenuCardLabels, Sid::kMenuLabelsSelected, kNoSid, Rule::kAlways, ""},  // LabelsSelected
    {32807, Menu::kReports, Sid::kSubmenuHourReport, Sid::kMenuCongregation, kNoSid, Rule::kAlways, ""},  // HoursCongregation
    {32808, Menu::kReports, Sid::kSubmenuHourReport, Sid::kMenuFieldServiceGroup, kNoSid, Rule::kAlways, ""},  // HoursGroup
    {32817, Menu::kReports, Sid::kSubmenuHourReport, Sid::kMenuRegularPioneersP, kNoSid, Rule::kAlways, ""},  // HoursRegular
    {32816, Menu::kReports, Sid::kSubmenuHourReport, Sid::kMenuAuxPioneers, kNoSid, Rule::kAlways, ""},  // HoursAux
    {32840, Menu::kReports, Sid::kSubmenuHourReport, Sid::kMenuEldersAndServants, kNoSid, Rule::kAlways, ""},  // HoursEldersMs
    {32851, Menu::kReports, Sid::kSubmenuHourReport, Sid::kMenuBaptizedBrothers, kNoSid, Rule::kAlways, ""},  // HoursBrothers
    {32844, Menu::kReports, Sid::kSubmenuHourReport, Sid::kMenuViewCustom, kNoSid, Rule::kCustomCategory, ""},  // HoursCustom
    {32806, Menu::kReports, kNoSid, Sid::kMenuPioneerHoursReport, kNoSid, Rule::kAlways, ""},  // PioneerHoursReport
    {32809, Menu::kReports, Sid::kSubmenuTelephoneList, Sid::kMenuCongregation, kNoSid, Rule::kAlways, ""},  // TelephoneCongregation
    {32810, Menu::kReports, Sid::kSubmenuTelephoneList, Sid::kMenuFieldServiceGroup, kNoSid, Rule::kAlways, ""},  // TelephoneGroup
    {32824, Menu::kReports, Sid::kSubmenuTelephoneList, Sid::kMenuRegularPioneersP, kNoSid, Rule::kAlways, ""},  // TelephonePioneers
    {32823, Menu::kReports, Sid::kSubmenuTelephoneList, Sid::kMenuEldersAndServants, kNoSid, Rule::kAlways, ""},  // TelephoneEldersMs
    {32871, Menu::kReports, Sid::kSubmenuTelephoneEmail, Sid::kMenuCongregation, kNoSid, Rule::kAlways, ""},  // TelEmailCongregation
    {32872, Menu::kReports, Sid::kSubmenuTelephoneEmail, Sid::kMenuFieldServiceGroup, kNoSid, Rule::kAlways, ""},  // TelEmailGroup
    {32873, Menu::kReports, Sid::kSubmenuTelephoneEmail, Sid::kMenuRegularPioneersP, kNoSid, Rule::kAlways, ""},  // TelEmailPioneers
    {32874, Menu::kReports, Sid::kSubmenuTelephoneEmail, Sid::kMenuEldersAndServants, kNoSid, Rule::kAlways, ""},  // TelEmailEldersMs
    {32811, Menu::kReports, Sid::kSubmenuAddressList, Sid::kMenuCongregation, kNoSid, Rule::kAlways, ""},  // AddressCongregation
    {32812, Menu::kReports, Sid::kSubmenuAddressList, Sid::kMenuFieldServiceGroup, kNoSid, Rule::kAlways, ""},  // AddressGroup
    {32825, Menu::kReports, Sid::kSubmenuAddressList, Sid::kMenuEditInactive, kNoSid, Rule::kAlways, ""},  // AddressInactive
    {32830, Menu::kReports, Sid::kSubmenuAddressList, Sid::kMenuRegularPioneersP, kNoSid, Rule::kAlways, ""},  // AddressPioneers
    {32831, Menu::kReports, Sid::kSubmenuAddressList, Sid::kMenuEldersAndServants, kNoSid, Rule::kAlways, ""},  // AddressEldersMs
    {32846, Menu::kReports, Sid::kSubmenuContactList, Sid::kMenuCongregation, kNoSid, Rule::kAlways, ""},  // ContactCongregation
    {32847, Menu::kReports, Sid::kSubmenuContactList, Sid::kMenuFieldServiceGroup, kNoSid, Rule::kAlways, ""},  // ContactGroup
    {32902, Menu::kReports, Sid::kSubmenuContactList, Sid::kMenuContactInactive, kNoSid, Rule::kAlways, ""},  // ContactInactive
    {32904, Menu::kReports, Sid::kSubmenuContactList, Sid::kMenuContactInactiveGroup, kNoSid, Rule::kAlways, ""},  // ContactInactiveGroup
    {32875, Menu::kReports, Sid::kSubmenuContactList, Sid::kMenuRegularPioneersP, kNoSid, Rule::kAlways, ""},  // ContactPioneers
    {32848, Menu::kReports, Sid::kSubmenuContactList, Sid::kMenuEldersAndServants, kNoSid, Rule::kAlways, ""},  // ContactEldersMs
    {32859, Menu::kReports, Sid::kSubmenuEmergencyData, Sid::kMenuCongregation, kNoSid, Rule::kAlways, ""},  // EmergencyCongregation
    {32860, Menu::kReports, Sid::kSubmenuEmergencyData, Sid::kMenuFieldServiceGroup, kNoSid, Rule::kAlways, ""},  // EmergencyGroup
    {32867, Menu::kReports, Sid::kSubmenuEmergencyData, Sid::kMenuEmergencyForms, kNoSid, Rule::kAlways, ""},  // EmergencyForms
    {32915, Menu::kReports, Sid::kSubmenuSpecialNeeds, Sid::kMenuCongregation, kNoSid, Rule::kAlways, ""},  // NeedsCongregation
    {32916, Menu::kReports, Sid::kSubmenuSpecialNeeds, Sid::kMenuFieldServiceGroup, kNoSid, Rule::kAlways, ""},  // NeedsGroup
    {32852, Menu::kReports, Sid::kSubmenuGroupList, Sid::kMenuGroupListActive, kNoSid, Rule::kAlways, ""},  // GroupListActive
    {32853, Menu::kReports, Sid::kSubmenuGroupList, Sid::kMenuGroupListStudents, kNoSid, Rule::kAlways, ""},  // GroupListStudents
    {32893, Menu::kReports, Sid::kSubmenuGroupList, Sid::kMenuGroupListInactive, kNoSid, Rule::kAlways, ""},  // GroupListInactive
    {32854, Menu::kReports, Sid::kSubmenuGroupList, Sid::kMenuGroupListAll, kNoSid, Rule::kAlways, ""},  // GroupListAll
    {32901, Menu::kReports, Sid::kSubmenuGroupList, Sid::kMenuGroupListGdpr, kNoSid, Rule::kAlways, ""},  // GroupListGdpr
    {32818, Menu::kReports, Sid::kSubmenuYearTotals, Sid::kMenuCongregation, kNoSid, Rule::kAlways, ""},  // TotalsCongregation
    {32819, Menu::kReports, Sid::kSubmenuYearTotals, Sid::kMenuRegularPioneersP, kNoSid, Rule::kAlways, ""},  // TotalsPioneers
    {32841, Menu::kReports, Sid::kSubmenuYearTotals, Sid::kMenuEldersAndServants, kNoSid, Rule::kAlways, ""},  // TotalsEldersMs
    {32788, Menu::kFonts, kNoSid, Sid::kMenuFontTitles, kNoSid, Rule::kAlways, ""},  // FontTitles
    {32789, Menu::kFonts, kNoSid, Sid::kMenuFontSubtitles, kNoSid, Rule::kAlways, ""},  // FontSubtitles
    {32790, Menu::kFonts, kNoSid, Sid::kMenuFontHeadings, kNoSid, Rule::kAlways, ""},  // FontHeadings
    {32791, Menu::kFonts, kNoSid, Sid::kMenuFontText, kNoSid, Rule::kAlways, ""},  // FontText
    {32803, Menu::kFonts, kNoSid, Sid::kMenuFontSmall, kNoSid, Rule::kAlways, ""},  // FontSmall
    {32813, Menu::kFonts, kNoSid, Sid::kMenuFontDefaults, kNoSid, Rule::kAlways, ""},  // FontDefaults
    {32804, Menu::kOptions, kNoSid, Sid::kMenuReportFormat, kNoSid, Rule::kAlways, ""},  // ReportFormat
    {32888, Menu::kOptions, kNoSid, Sid::kMenuCardOptions, kNoSid, Rule::kAlways, ""},  // CardOptions
    {32883, Menu::kOptions, kNoSid, Sid::kMenuAutoCaps, kNoSid, Rule::kAlways, ""},  // AutoCaps
    {32850, Menu::kOptions, kNoSid, Sid::kMenuNoStartupNotice, kNoSid, Rule::kAlways, ""},  // NoStartupNotice
    {32834, Menu::kOptions, kNoSid, Sid::kMenuCustomCategory, kNoSid, Rule::kNotHistory, ""},  // CustomCategory
    {32857, Menu::kOptions, kNoSid, Sid::kMenuEraseLate, Sid::kTipEraseLate, Rule::kEraseLate, ""},  // EraseLate
    {32945, Menu::kNone, kNoSid, Sid::kPostAllowEraseLate, kNoSid, Rule::kNotHistory, "F11"},  // AllowEraseLate
    {32895, Menu::kOptions, Sid::kSubmenuViewOldReports, Sid::kMenuEmpty, kNoSid, Rule::kOldReport, ""},  // OldReport1
    {32896, Menu::kOptions, Sid::kSubmenuViewOldReports, Sid::kMenuEmpty, kNoSid, Rule::kOldReport, ""},  // OldReport2
    {32897, Menu::kOptions, Sid::kSubmenuViewOldReports, Sid::kMenuEmpty, kNoSid, Rule::kOldReport, ""},  // OldReport3
    {32898, Menu::kOptions, Sid::kSubmenuViewOldReports, Sid::kMenuEmpty, kNoSid, Rule::kOldReport, ""},  // OldReport4
    {32899, Menu::kOptions, Sid::kSubmenuViewOldReports, Sid::kMenuEmpty, kNoSid, Rule::kOldReport, ""},  // OldReport5
    {32900, Menu::kOptions, Sid::kSubmenuViewOldReports, Sid::kMenuEmpty, kNoSid, Rule::kOldReport, ""},  // OldReport6
    {57666, Menu::kHelp, kNoSid, Sid::kMenuHelpSummary, kNoSid, Rule::kAlways, ""},  // HelpSummary
    {57667, Menu::kHelp, kNoSid, Sid::kMenuHelpIndex, kNoSid, Rule::kAlways, ""},  // HelpIndex
    {57669, Menu::kHelp, kNoSid, Sid::kMenuContextHelp, kNoSid, Rule::kAlways, ""},  // ContextHelp
    {57664, Menu::kHelp, kNoSid, Sid::kMenuAbout, kNoSid, Rule::kAlways, ""},  // About
    {kCmdSortFirstName, Menu::kNone, kNoSid, Sid::kSortFirstNameOption, kNoSid, Rule::kAlways, ""},
    {kCmdHistoryReturn, Menu::kNone, kNoSid, Sid::kPanelHistoryReturn, kNoSid, Rule::kAlways, ""},
};

constexpr int kToolbar[] = {kCmdReturnToPanel, 0, kCmdSave, 0, kCmdPrint, kCmdPrintPreview, 0,
                            kCmdAuxPioneers, kCmdReportSlips, kCmdPostAttendance, 0,
                            kCmdPublishers, kCmdGroups, 0, kCmdNoReport, kCmdIrregular,
                            kCmdEditInactive, 0, kCmdAbout, kCmdContextHelp};

constexpr PanelButton kPanel[] = {
    {Sid::kPanelMissingReports, kCmdNoReport, false},
    {Sid::kPanelIrregular, kCmdIrregular, false},
    {Sid::kPanelNewPublishers, kCmdNewPublishers, false},
    {Sid::kPanelReactivated, kCmdReactivated, false},
    {Sid::kPanelQuickOverview, kCmdQuickOverview, false},
    {Sid::kPanelCongregationAnalysis, kCmdAnalysisPioneersGroups, false},
    {Sid::kPanelPostReports, kCmdReportSlips, true},
    {Sid::kPanelMeetingAttendance, kCmdPostAttendance, true},
    {Sid::kPanelAuxiliaryPioneers, kCmdAuxPioneers, true},
    {Sid::kPanelEditPublishers, kCmdPublishers, true},
    {Sid::kPanelFieldServiceGroups, kCmdGroups, true},
    {Sid::kPanelExitProgram, kCmdExit, false},
    {Sid::kPanelStatistics, kCmdStatistics, false},
    {Sid::kPanelGroupAnalysis, kCmdGroupAnalysis, false},
    {Sid::kPanelSummary, kCmdCongSummary, false},
    {Sid::kPanelInactive, kCmdEditInactive, true},
    {Sid::kPanelMoveouts, kCmdMoveOuts, true},
    {Sid::kPanelPublisherRecords, kCmdPublisherRecords, false},
    {Sid::kPanelRecentlyBaptized, kCmdRecentlyBaptized, false},
    {Sid::kPanelAttendanceRecord, kCmdAttendanceRecord, false},
    {Sid::kPanelTelephoneList, kCmdTelephoneCongregation, false},
    {Sid::kPanelEditHistory, kCmdHistory, true},
};

}  // namespace

std::span<const CommandInfo> CommandCatalog() { return kCatalog; }

const CommandInfo* FindCommand(int id) {
  for (const CommandInfo& c : kCatalog)
    if (c.id == id) return &c;
  return nullptr;
}

bool HasPublishers(const CZarimDoc& doc) { return doc.count >= 2; }

bool CustomCategoryDefined(const CZarimDoc& doc) {
  return doc.options.custom_category_enabled != 0 &&
         !Trim(doc.options.custom_category_name).empty();
}

int OldReportItem(int id) {
  return id >= kCmdOldReport1 && id <= kCmdOldReport6 ? id - kCmdOldReport1 + 1 : 0;
}

int OldReportMonth(const CZarimDoc& doc, int k) {
  return MonthIndex(static_cast<int>(doc.live_working_month) - k);
}

bool AnyOldReport(const CZarimDoc& doc) { return (doc.history_month_mask & 0x7E) != 0; }

bool CommandEnabled(int id, const CZarimDoc& doc, const ViewState& view) {
  const CommandInfo* info = FindCommand(id);
  if (!info) return false;
  const bool history = doc.history_view != 0;
  switch (info->rule) {
    case Rule::kAlways: return true;
    case Rule::kNotHistory: return !history;
    case Rule::kSave: return doc.modified != 0 && !history;
    case Rule::kPublishersLive: return HasPublishers(doc) && !history;
    case Rule::kPublishers: return HasPublishers(doc);
    case Rule::kReportShown: return view.report_shown;
    case Rule::kCustomCategory: return CustomCategoryDefined(doc);
    case Rule::kEraseLate: return doc.erase_late_enabled != 0 && !history;
    case Rule::kOldReport: return (doc.history_month_mask >> OldReportItem(id)) & 1u;
    case Rule::kDeletedList: return doc.status_count[kDeleted] > 0;
  }
  return false;
}

bool CommandChecked(int id, const CZarimDoc& doc) {
  switch (id) {
    case kCmdNoStartupNotice: return doc.options.no_startup_notice != 0;
    case kCmdAutoCaps: return doc.options.autocaps != 0;
    case kCmdCustomCategory: return CustomCategoryDefined(doc);
    case kCmdSortFirstName: return doc.options.sort_first_name != 0;
    default: return false;
  }
}

std::string CommandCaption(int id, const CZarimDoc& doc) {
  const CommandInfo* info = FindCommand(id);
  if (!info) return {};
  if (info->rule == Rule::kCustomCategory) {
    if (!CustomCategoryDefined(doc)) return {};
    // A name holding '&' would otherwise underline the next letter.
    std::string name = ToUtf8(Trim(doc.options.custom_category_name), doc.language_code);
    std::string shown;
    for (char c : name) {
      shown += c;
      if (c == '&') shown += '&';
    }
    return shown;
  }
  if (int k = OldReportItem(id)) return NameOfMonth(OldReportMonth(doc, k));
  return std::string(Str(info->caption));
}

std::span<const int> ToolbarSlots() { return kToolbar; }

std::span<const PanelButton> PanelButtons() { return kPanel; }

bool PanelButtonEnabled(const PanelButton& button, const CZarimDoc& doc) {
  return !(button.off_in_history && doc.history_view);
}

bool HistoryReturnShown(const CZarimDoc& doc) { return doc.history_view != 0; }

std::string HistoryReturnCaption(const CZarimDoc& doc) {
  return Printf(std::string(Str(Sid::kPanelHistoryReturn)).c_str(),
                NameOfMonth(doc.live_working_month).c_str());
}

std::string WorkingMonthPaneText(const CZarimDoc& doc) {
  return Fill(Sid::kWorkingMonthStatus, NameOfMonth(doc.working_month));
}

}  // namespace zarim
