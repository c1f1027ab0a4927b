// The command catalog of the main window and the rules that enable its commands.
#include "core/command_catalog.h"

#include <algorithm>
#include <array>

#include "core/app_options.h"
#include "core/bytes.h"
#include "core/document.h"
#include "core/month.h"
#include "core/text_codec.h"

namespace zarim {

namespace {

int MonthIndex(int m) { return ((m % 12) + 12) % 12; }
// The serial of the live working month: while a snapshot is viewed, the working month is
// the viewed one and the live month lies one to six months after it.
int LiveSerial(const CZarimDoc& doc) {
  return Serial(doc.working_year, doc.working_month) +
         MonthIndex(doc.live_working_month - doc.working_month);
}

// One line per command, named by its id of command_ids.h.
// clang-format off
constexpr CommandInfo kCatalog[] = {
    {kCmdPrint, Menu::kFile, kNoSid, Sid::kMenuPrint, Sid::kTipPrint, Rule::kReportShown, "Ctrl+P"},
    {kCmdPrintPreview, Menu::kFile, kNoSid, Sid::kMenuPrintPreview, Sid::kTipPrintPreview, Rule::kReportShown, ""},
    {kCmdPrintSetup, Menu::kFile, kNoSid, Sid::kMenuPrintSetup, Sid::kTipPrintSetup, Rule::kAlways, ""},
    {kCmdSaveAsPdf, Menu::kFile, kNoSid, Sid::kSaveAsPdf, Sid::kSaveAsPdfStatus, Rule::kReportShown, ""},
    {kCmdSave, Menu::kFile, kNoSid, Sid::kMenuSave, Sid::kTipSave, Rule::kSave, "Ctrl+S"},
    {kCmdBackup, Menu::kFile, Sid::kSubmenuBackupRestore, Sid::kMenuBackup, kNoSid, Rule::kNotHistory, ""},
    {kCmdRestore, Menu::kFile, Sid::kSubmenuBackupRestore, Sid::kMenuRestore, kNoSid, Rule::kNotHistory, ""},
    {kCmdExportMonthlyReport, Menu::kFile, Sid::kSubmenuExportImport, Sid::kMenuExportMonthlyReport, Sid::kTipExportMonthlyReport, Rule::kPublishers, ""},
    {kCmdExportContacts, Menu::kFile, Sid::kSubmenuExportImport, Sid::kMenuExportContacts, Sid::kTipExportContacts, Rule::kAlways, ""},
    {kCmdExportEmergency, Menu::kFile, Sid::kSubmenuExportImport, Sid::kMenuExportEmergency, kNoSid, Rule::kAlways, ""},
    {kCmdExportCardHeaders, Menu::kFile, Sid::kSubmenuExportImport, Sid::kMenuExportCardHeaders, kNoSid, Rule::kAlways, ""},
    {kCmdExportAttendance, Menu::kFile, Sid::kSubmenuExportImport, Sid::kMenuExportAttendance, kNoSid, Rule::kNotHistory, ""},
    {kCmdExportSummary, Menu::kFile, Sid::kSubmenuExportImport, Sid::kMenuExportSummary, kNoSid, Rule::kNotHistory, ""},
    {kCmdExportXml, Menu::kFile, Sid::kSubmenuExportImport, Sid::kMenuExportXml, Sid::kTipExportXml, Rule::kAlways, ""},
    {kCmdImportXml, Menu::kFile, Sid::kSubmenuExportImport, Sid::kMenuImportXml, Sid::kTipImportXml, Rule::kNotHistory, ""},
    {kCmdImportTransfer, Menu::kFile, Sid::kSubmenuExportImport, Sid::kMenuImportTransfer, Sid::kTipImportTransfer, Rule::kNotHistory, ""},
    {kCmdExportCollectionCsv, Menu::kFile, Sid::kSubmenuExportImport, Sid::kMenuExportCollectionCsv, Sid::kTipExportCollectionCsv, Rule::kAlways, ""},
    {kCmdReturnToPanel, Menu::kFile, kNoSid, Sid::kMenuReturnToPanel, Sid::kTipReturnToPanel, Rule::kReportShown, "Esc"},
    {kCmdExit, Menu::kFile, kNoSid, Sid::kMenuExit, Sid::kTipExit, Rule::kAlways, ""},
    {kCmdPublishers, Menu::kEdit, kNoSid, Sid::kMenuPublishers, Sid::kTipPublishers, Rule::kNotHistory, ""},
    {kCmdAuxPioneers, Menu::kEdit, kNoSid, Sid::kMenuAuxPioneers, Sid::kTipAuxPioneers, Rule::kPublishersLive, ""},
    {kCmdGroups, Menu::kEdit, kNoSid, Sid::kMenuGroups, Sid::kTipGroups, Rule::kNotHistory, ""},
    {kCmdMoveOuts, Menu::kEdit, kNoSid, Sid::kMenuMoveOuts, Sid::kTipMoveOuts, Rule::kPublishersLive, ""},
    {kCmdEditInactive, Menu::kEdit, kNoSid, Sid::kMenuEditInactive, Sid::kTipEditInactive, Rule::kPublishersLive, ""},
    {kCmdPassword, Menu::kEdit, kNoSid, Sid::kMenuPassword, Sid::kTipPassword, Rule::kNotHistory, ""},
    {kCmdRegularPioneers, Menu::kEdit, kNoSid, Sid::kMenuRegularPioneers, Sid::kTipRegularPioneers, Rule::kPublishersLive, ""},
    {kCmdEditNonPublishers, Menu::kEdit, kNoSid, Sid::kMenuEditNonPublishers, Sid::kTipEditNonPublishers, Rule::kNotHistory, ""},
    {kCmdDeleted, Menu::kEdit, kNoSid, Sid::kMenuDeleted, Sid::kTipDeleted, Rule::kDeletedList, ""},
    {kCmdHistory, Menu::kEdit, kNoSid, Sid::kMenuHistory, Sid::kTipHistory, Rule::kNotHistory, ""},
    {kCmdCircuitOverseer, Menu::kEdit, kNoSid, Sid::kMenuCircuitOverseer, kNoSid, Rule::kPublishers, ""},
    {kCmdReportSlips, Menu::kPost, kNoSid, Sid::kMenuReportSlips, Sid::kTipReportSlips, Rule::kPublishersLive, ""},
    {kCmdPostAttendance, Menu::kPost, kNoSid, Sid::kMenuPostAttendance, Sid::kTipPostAttendance, Rule::kNotHistory, ""},
    {kCmdPublisherRecords, Menu::kView, kNoSid, Sid::kMenuPublisherRecords, Sid::kTipPublisherRecords, Rule::kAlways, ""},
    {kCmdQuickOverview, Menu::kView, kNoSid, Sid::kMenuQuickOverview, Sid::kTipQuickOverview, Rule::kAlways, ""},
    {kCmdAttendanceRecord, Menu::kView, kNoSid, Sid::kMenuAttendanceRecord, Sid::kTipAttendanceRecord, Rule::kAlways, ""},
    {kCmdYtdSummary, Menu::kView, kNoSid, Sid::kMenuYtdSummary, Sid::kTipYtdSummary, Rule::kAlways, ""},
    {kCmdNoReport, Menu::kView, kNoSid, Sid::kMenuNoReport, Sid::kTipNoReport, Rule::kAlways, ""},
    {kCmdIrregular, Menu::kView, kNoSid, Sid::kMenuIrregular, Sid::kTipIrregular, Rule::kAlways, ""},
    {kCmdNewPublishers, Menu::kView, kNoSid, Sid::kMenuNewPublishers, Sid::kTipNewPublishers, Rule::kAlways, ""},
    {kCmdReactivated, Menu::kView, kNoSid, Sid::kMenuReactivated, Sid::kTipReactivated, Rule::kAlways, ""},
    {kCmdViewInactive, Menu::kView, kNoSid, Sid::kMenuEditInactive, Sid::kTipViewInactive, Rule::kAlways, ""},
    {kCmdViewMoveouts, Menu::kView, kNoSid, Sid::kMenuViewMoveouts, Sid::kTipViewMoveouts, Rule::kAlways, ""},
    {kCmdRecentlyBaptized, Menu::kView, kNoSid, Sid::kMenuRecentlyBaptized, Sid::kTipRecentlyBaptized, Rule::kAlways, ""},
    {kCmdViewAuxPioneers, Menu::kView, kNoSid, Sid::kMenuAuxPioneers, Sid::kTipViewAuxPioneers, Rule::kAlways, ""},
    {kCmdPioneerHours, Menu::kView, kNoSid, Sid::kMenuPioneerHours, Sid::kTipPioneerHours, Rule::kAlways, ""},
    {kCmdStudyConductors, Menu::kView, kNoSid, Sid::kMenuStudyConductors, Sid::kTipStudyConductors, Rule::kAlways, ""},
    {kCmdUnbaptized, Menu::kView, kNoSid, Sid::kMenuUnbaptized, Sid::kTipUnbaptized, Rule::kAlways, ""},
    {kCmdViewNonPublishers, Menu::kView, kNoSid, Sid::kMenuViewNonPublishers, Sid::kTipViewNonPublishers, Rule::kAlways, ""},
    {kCmdCollectionForm, Menu::kView, kNoSid, Sid::kMenuCollectionForm, Sid::kTipCollectionForm, Rule::kAlways, ""},
    {kCmdPrivileges, Menu::kView, kNoSid, Sid::kMenuPrivileges, Sid::kTipPrivileges, Rule::kAlways, ""},
    {kCmdGdprConsent, Menu::kView, kNoSid, Sid::kMenuGdprConsent, Sid::kTipGdprConsent, Rule::kAlways, ""},
    {kCmdNoGdprConsent, Menu::kView, kNoSid, Sid::kMenuNoGdprConsent, Sid::kMenuNoGdprConsent, Rule::kAlways, ""},
    {kCmdViewRuntime, Menu::kView, kNoSid, Sid::kMenuEmpty, kNoSid, Rule::kAlways, ""},
    {kCmdViewCustom, Menu::kView, kNoSid, Sid::kMenuViewCustom, kNoSid, Rule::kCustomCategory, ""},
    {kCmdCorrections, Menu::kView, kNoSid, Sid::kMenuCorrections, Sid::kTipCorrections, Rule::kAlways, ""},
    {kCmdAnalysisPioneersGroups, Menu::kReports, Sid::kSubmenuCongAnalysis, Sid::kMenuAnalysisPioneersGroups, kNoSid, Rule::kAlways, ""},
    {kCmdAnalysisAtoZ, Menu::kReports, Sid::kSubmenuCongAnalysis, Sid::kMenuAnalysisAtoZ, kNoSid, Rule::kAlways, ""},
    {kCmdGroupAnalysis, Menu::kReports, kNoSid, Sid::kMenuGroupAnalysis, kNoSid, Rule::kAlways, ""},
    {kCmdCongSummary, Menu::kReports, kNoSid, Sid::kMenuCongSummary, kNoSid, Rule::kAlways, ""},
    {kCmdMeetingReport, Menu::kReports, kNoSid, Sid::kMenuMeetingReport, kNoSid, Rule::kAlways, ""},
    {kCmdBranchReport, Menu::kReports, kNoSid, Sid::kPostBranchReportMenu, Sid::kPostBranchReportTip, Rule::kAlways, ""},
    {kCmdCheckBranchReports, Menu::kReports, kNoSid, Sid::kMenuCheckBranchReports, Sid::kTipCheckBranchReports, Rule::kAlways, ""},
    {kCmdAvgCongregation, Menu::kReports, Sid::kSubmenuAverages, Sid::kMenuCongregation, kNoSid, Rule::kAlways, ""},
    {kCmdAvgGroup, Menu::kReports, Sid::kSubmenuAverages, Sid::kMenuFieldServiceGroup, kNoSid, Rule::kAlways, ""},
    {kCmdAvgRegular, Menu::kReports, Sid::kSubmenuAverages, Sid::kMenuRegularPioneers, kNoSid, Rule::kAlways, ""},
    {kCmdAvgElders, Menu::kReports, Sid::kSubmenuAverages, Sid::kMenuAvgElders, kNoSid, Rule::kAlways, ""},
    {kCmdAvgServants, Menu::kReports, Sid::kSubmenuAverages, Sid::kMenuAvgServants, kNoSid, Rule::kAlways, ""},
    {kCmdAvgBrothers, Menu::kReports, Sid::kSubmenuAverages, Sid::kMenuBaptizedBrothers, kNoSid, Rule::kAlways, ""},
    {kCmdAvgCustom, Menu::kReports, Sid::kSubmenuAverages, Sid::kMenuViewCustom, kNoSid, Rule::kCustomCategory, ""},
    {kCmdStatistics, Menu::kReports, kNoSid, Sid::kMenuStatistics, kNoSid, Rule::kAlways, ""},
    {kCmdLabelsAll, Menu::kReports, Sid::kSubmenuCardLabels, Sid::kMenuLabelsAll, kNoSid, Rule::kAlways, ""},
    {kCmdLabelsSelected, Menu::kReports, Sid::kSubmenuCardLabels, Sid::kMenuLabelsSelected, kNoSid, Rule::kAlways, ""},
    {kCmdHoursCongregation, Menu::kReports, Sid::kSubmenuHourReport, Sid::kMenuCongregation, kNoSid, Rule::kAlways, ""},
    {kCmdHoursGroup, Menu::kReports, Sid::kSubmenuHourReport, Sid::kMenuFieldServiceGroup, kNoSid, Rule::kAlways, ""},
    {kCmdHoursRegular, Menu::kReports, Sid::kSubmenuHourReport, Sid::kMenuRegularPioneersP, kNoSid, Rule::kAlways, ""},
    {kCmdHoursAux, Menu::kReports, Sid::kSubmenuHourReport, Sid::kMenuAuxPioneers, kNoSid, Rule::kAlways, ""},
    {kCmdHoursEldersMs, Menu::kReports, Sid::kSubmenuHourReport, Sid::kMenuEldersAndServants, kNoSid, Rule::kAlways, ""},
    {kCmdHoursBrothers, Menu::kReports, Sid::kSubmenuHourReport, Sid::kMenuBaptizedBrothers, kNoSid, Rule::kAlways, ""},
    {kCmdHoursCustom, Menu::kReports, Sid::kSubmenuHourReport, Sid::kMenuViewCustom, kNoSid, Rule::kCustomCategory, ""},
    {kCmdPioneerHoursReport, Menu::kReports, kNoSid, Sid::kMenuPioneerHoursReport, kNoSid, Rule::kAlways, ""},
    {kCmdTelephoneCongregation, Menu::kReports, Sid::kSubmenuTelephoneList, Sid::kMenuCongregation, kNoSid, Rule::kAlways, ""},
    {kCmdTelephoneGroup, Menu::kReports, Sid::kSubmenuTelephoneList, Sid::kMenuFieldServiceGroup, kNoSid, Rule::kAlways, ""},
    {kCmdTelephonePioneers, Menu::kReports, Sid::kSubmenuTelephoneList, Sid::kMenuRegularPioneersP, kNoSid, Rule::kAlways, ""},
    {kCmdTelephoneEldersMs, Menu::kReports, Sid::kSubmenuTelephoneList, Sid::kMenuEldersAndServants, kNoSid, Rule::kAlways, ""},
    {kCmdTelEmailCongregation, Menu::kReports, Sid::kSubmenuTelephoneEmail, Sid::kMenuCongregation, kNoSid, Rule::kAlways, ""},
    {kCmdTelEmailGroup, Menu::kReports, Sid::kSubmenuTelephoneEmail, Sid::kMenuFieldServiceGroup, kNoSid, Rule::kAlways, ""},
    {kCmdTelEmailPioneers, Menu::kReports, Sid::kSubmenuTelephoneEmail, Sid::kMenuRegularPioneersP, kNoSid, Rule::kAlways, ""},
    {kCmdTelEmailEldersMs, Menu::kReports, Sid::kSubmenuTelephoneEmail, Sid::kMenuEldersAndServants, kNoSid, Rule::kAlways, ""},
    {kCmdAddressCongregation, Menu::kReports, Sid::kSubmenuAddressList, Sid::kMenuCongregation, kNoSid, Rule::kAlways, ""},
    {kCmdAddressGroup, Menu::kReports, Sid::kSubmenuAddressList, Sid::kMenuFieldServiceGroup, kNoSid, Rule::kAlways, ""},
    {kCmdAddressInactive, Menu::kReports, Sid::kSubmenuAddressList, Sid::kMenuEditInactive, kNoSid, Rule::kAlways, ""},
    {kCmdAddressPioneers, Menu::kReports, Sid::kSubmenuAddressList, Sid::kMenuRegularPioneersP, kNoSid, Rule::kAlways, ""},
    {kCmdAddressEldersMs, Menu::kReports, Sid::kSubmenuAddressList, Sid::kMenuEldersAndServants, kNoSid, Rule::kAlways, ""},
    {kCmdContactCongregation, Menu::kReports, Sid::kSubmenuContactList, Sid::kMenuCongregation, kNoSid, Rule::kAlways, ""},
    {kCmdContactGroup, Menu::kReports, Sid::kSubmenuContactList, Sid::kMenuFieldServiceGroup, kNoSid, Rule::kAlways, ""},
    {kCmdContactInactive, Menu::kReports, Sid::kSubmenuContactList, Sid::kMenuContactInactive, kNoSid, Rule::kAlways, ""},
    {kCmdContactInactiveGroup, Menu::kReports, Sid::kSubmenuContactList, Sid::kMenuContactInactiveGroup, kNoSid, Rule::kAlways, ""},
    {kCmdContactPioneers, Menu::kReports, Sid::kSubmenuContactList, Sid::kMenuRegularPioneersP, kNoSid, Rule::kAlways, ""},
    {kCmdContactEldersMs, Menu::kReports, Sid::kSubmenuContactList, Sid::kMenuEldersAndServants, kNoSid, Rule::kAlways, ""},
    {kCmdEmergencyCongregation, Menu::kReports, Sid::kSubmenuEmergencyData, Sid::kMenuCongregation, kNoSid, Rule::kAlways, ""},
    {kCmdEmergencyGroup, Menu::kReports, Sid::kSubmenuEmergencyData, Sid::kMenuFieldServiceGroup, kNoSid, Rule::kAlways, ""},
    {kCmdEmergencyForms, Menu::kReports, Sid::kSubmenuEmergencyData, Sid::kMenuEmergencyForms, kNoSid, Rule::kAlways, ""},
    {kCmdNeedsCongregation, Menu::kReports, Sid::kSubmenuSpecialNeeds, Sid::kMenuCongregation, kNoSid, Rule::kAlways, ""},
    {kCmdNeedsGroup, Menu::kReports, Sid::kSubmenuSpecialNeeds, Sid::kMenuFieldServiceGroup, kNoSid, Rule::kAlways, ""},
    {kCmdGroupListActive, Menu::kReports, Sid::kSubmenuGroupList, Sid::kMenuGroupListActive, kNoSid, Rule::kAlways, ""},
    {kCmdGroupListStudents, Menu::kReports, Sid::kSubmenuGroupList, Sid::kMenuGroupListStudents, kNoSid, Rule::kAlways, ""},
    {kCmdGroupListInactive, Menu::kReports, Sid::kSubmenuGroupList, Sid::kMenuGroupListInactive, kNoSid, Rule::kAlways, ""},
    {kCmdGroupListAll, Menu::kReports, Sid::kSubmenuGroupList, Sid::kMenuGroupListAll, kNoSid, Rule::kAlways, ""},
    {kCmdGroupListGdpr, Menu::kReports, Sid::kSubmenuGroupList, Sid::kMenuGroupListGdpr, kNoSid, Rule::kAlways, ""},
    {kCmdTotalsCongregation, Menu::kReports, Sid::kSubmenuYearTotals, Sid::kMenuCongregation, kNoSid, Rule::kAlways, ""},
    {kCmdTotalsPioneers, Menu::kReports, Sid::kSubmenuYearTotals, Sid::kMenuRegularPioneersP, kNoSid, Rule::kAlways, ""},
    {kCmdTotalsEldersMs, Menu::kReports, Sid::kSubmenuYearTotals, Sid::kMenuEldersAndServants, kNoSid, Rule::kAlways, ""},
    {kCmdFontTitles, Menu::kFonts, kNoSid, Sid::kMenuFontTitles, kNoSid, Rule::kAlways, ""},
    {kCmdFontSubtitles, Menu::kFonts, kNoSid, Sid::kMenuFontSubtitles, kNoSid, Rule::kAlways, ""},
    {kCmdFontHeadings, Menu::kFonts, kNoSid, Sid::kMenuFontHeadings, kNoSid, Rule::kAlways, ""},
    {kCmdFontText, Menu::kFonts, kNoSid, Sid::kMenuFontText, kNoSid, Rule::kAlways, ""},
    {kCmdFontSmall, Menu::kFonts, kNoSid, Sid::kMenuFontSmall, kNoSid, Rule::kAlways, ""},
    {kCmdFontDefaults, Menu::kFonts, kNoSid, Sid::kMenuFontDefaults, kNoSid, Rule::kAlways, ""},
    {kCmdReportFormat, Menu::kOptions, kNoSid, Sid::kMenuReportFormat, kNoSid, Rule::kAlways, ""},
    {kCmdCardOptions, Menu::kOptions, kNoSid, Sid::kMenuCardOptions, kNoSid, Rule::kAlways, ""},
    {kCmdAutoCaps, Menu::kOptions, kNoSid, Sid::kMenuAutoCaps, kNoSid, Rule::kAlways, ""},
    {kCmdNoStartupNotice, Menu::kOptions, kNoSid, Sid::kMenuNoStartupNotice, kNoSid, Rule::kAlways, ""},
    {kCmdCustomCategory, Menu::kOptions, kNoSid, Sid::kMenuCustomCategory, kNoSid, Rule::kNotHistory, ""},
    {kCmdEraseLate, Menu::kOptions, kNoSid, Sid::kMenuEraseLate, Sid::kTipEraseLate, Rule::kEraseLate, ""},
    {kCmdLanguage, Menu::kOptions, kNoSid, Sid::kMenuLanguage, Sid::kTipLanguage, Rule::kAlways, ""},
    {kCmdAllowEraseLate, Menu::kNone, kNoSid, Sid::kPostAllowEraseLate, kNoSid, Rule::kNotHistory, "F11"},
    {kCmdOldReport1, Menu::kOptions, Sid::kSubmenuViewOldReports, Sid::kMenuEmpty, kNoSid, Rule::kOldReport, ""},
    {kCmdOldReport2, Menu::kOptions, Sid::kSubmenuViewOldReports, Sid::kMenuEmpty, kNoSid, Rule::kOldReport, ""},
    {kCmdOldReport3, Menu::kOptions, Sid::kSubmenuViewOldReports, Sid::kMenuEmpty, kNoSid, Rule::kOldReport, ""},
    {kCmdOldReport4, Menu::kOptions, Sid::kSubmenuViewOldReports, Sid::kMenuEmpty, kNoSid, Rule::kOldReport, ""},
    {kCmdOldReport5, Menu::kOptions, Sid::kSubmenuViewOldReports, Sid::kMenuEmpty, kNoSid, Rule::kOldReport, ""},
    {kCmdOldReport6, Menu::kOptions, Sid::kSubmenuViewOldReports, Sid::kMenuEmpty, kNoSid, Rule::kOldReport, ""},
    {kCmdHelpSummary, Menu::kHelp, kNoSid, Sid::kMenuHelpSummary, kNoSid, Rule::kAlways, ""},
    {kCmdHelpIndex, Menu::kHelp, kNoSid, Sid::kMenuHelpIndex, kNoSid, Rule::kAlways, ""},
    {kCmdContextHelp, Menu::kHelp, kNoSid, Sid::kMenuContextHelp, kNoSid, Rule::kAlways, ""},
    {kCmdAbout, Menu::kHelp, kNoSid, Sid::kMenuAbout, kNoSid, Rule::kAlways, ""},
    {kCmdSortFirstName, Menu::kNone, kNoSid, Sid::kSortFirstNameOption, kNoSid, Rule::kAlways, ""},
    {kCmdHistoryReturn, Menu::kNone, kNoSid, Sid::kPanelHistoryReturn, kNoSid, Rule::kAlways, ""},
};
// clang-format on

constexpr int kToolbar[] = {kCmdReturnToPanel,
                            0,
                            kCmdSave,
                            0,
                            kCmdPrint,
                            kCmdPrintPreview,
                            0,
                            kCmdAuxPioneers,
                            kCmdReportSlips,
                            kCmdPostAttendance,
                            0,
                            kCmdPublishers,
                            kCmdGroups,
                            0,
                            kCmdNoReport,
                            kCmdIrregular,
                            kCmdEditInactive,
                            0,
                            kCmdAbout,
                            kCmdContextHelp};

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
    {Sid::kPostBranchReportMenu, kCmdBranchReport, false},
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
    case Rule::kAlways:
      return true;
    case Rule::kNotHistory:
      return !history;
    case Rule::kSave:
      return doc.modified != 0 && !history;
    case Rule::kPublishersLive:
      return HasPublishers(doc) && !history;
    case Rule::kPublishers:
      return HasPublishers(doc);
    case Rule::kReportShown:
      return view.report_shown;
    case Rule::kCustomCategory:
      return CustomCategoryDefined(doc);
    case Rule::kEraseLate:
      return doc.erase_late_enabled != 0 && !history;
    case Rule::kOldReport:
      return (doc.history_month_mask >> OldReportItem(id)) & 1u;
    case Rule::kDeletedList:
      return doc.status_count[kDeleted] > 0;
  }
  return false;
}

bool CommandChecked(int id, const CZarimDoc& doc) {
  switch (id) {
    case kCmdNoStartupNotice:
      return doc.options.no_startup_notice != 0;
    case kCmdAutoCaps:
      return doc.options.autocaps != 0;
    case kCmdCustomCategory:
      return CustomCategoryDefined(doc);
    case kCmdSortFirstName:
      return doc.options.sort_first_name != 0;
    default:
      return false;
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
  if (int k = OldReportItem(id)) return MonthYearOfSerial(LiveSerial(doc) - k);
  return std::string(Str(info->caption));
}

std::span<const int> ToolbarSlots() { return kToolbar; }

std::span<const PanelButton> PanelButtons() { return kPanel; }

bool PanelButtonEnabled(const PanelButton& button, const CZarimDoc& doc) {
  return !(button.off_in_history && doc.history_view);
}

bool HistoryReturnShown(const CZarimDoc& doc) { return doc.history_view != 0; }

std::string HistoryReturnCaption(const CZarimDoc& doc) {
  return Printf(Sid::kPanelHistoryReturn, MonthYearOfSerial(LiveSerial(doc)).c_str());
}

std::string WorkingMonthPaneText(const CZarimDoc& doc) {
  return Fill(Sid::kWorkingMonthStatus, MonthYearName(doc.working_month, doc.working_year));
}

std::string MainWindowTitle(const CZarimDoc& doc) {
  std::string name = ToUtf8(TrimRight(doc.options.congregation_name), doc.language_code);
  if (name.empty()) {
    // "." or "data/" names the folder by its own name, as the file manager shows it.
    const std::string folder = AbsoluteFolder(doc.data_folder);
    name = folder.substr(folder.rfind('/') + 1);
    if (name.empty()) return std::string(Str(Sid::kAppName));
  }
  return Fill(Sid::kMainWindowTitle, Str(Sid::kAppName), name);
}

std::string CommandPlainCaption(int id, const CZarimDoc& doc) {
  const std::string caption = CommandCaption(id, doc);
  std::string plain;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size() && caption[i + 1] != '&') continue;
    if (caption[i] == '&') ++i;  // "&&" is one ampersand
    plain += caption[i];
  }
  if (plain.size() >= 3 && plain.ends_with("...")) plain.resize(plain.size() - 3);
  return plain;
}

}  // namespace zarim
