// The numbers of the program's commands. Menus, the toolbar, the action panel and every
// feature that registers a handler name a command by these numbers.
#pragma once

namespace zarim {

inline constexpr int kCmdPrint = 57607;
inline constexpr int kCmdPrintPreview = 57609;
inline constexpr int kCmdPrintSetup = 57606;
// Not a historic command: the report shown saved as a PDF file, no printer needed.
inline constexpr int kCmdSaveAsPdf = 32950;
inline constexpr int kCmdSave = 57603;
inline constexpr int kCmdBackup = 32863;
inline constexpr int kCmdRestore = 32864;
inline constexpr int kCmdExportMonthlyReport = 32829;
inline constexpr int kCmdExportContacts = 32849;
inline constexpr int kCmdExportEmergency = 32865;
inline constexpr int kCmdExportCardHeaders = 32869;
inline constexpr int kCmdExportAttendance = 32911;
inline constexpr int kCmdExportSummary = 32912;
inline constexpr int kCmdExportXml = 32880;
inline constexpr int kCmdImportXml = 32878;
// Not a historic command: a publisher who moved here added from his transfer file.
inline constexpr int kCmdImportTransfer = 32967;
inline constexpr int kCmdExportCollectionCsv = 32917;
inline constexpr int kCmdReturnToPanel = 32787;
inline constexpr int kCmdExit = 57665;
inline constexpr int kCmdPublishers = 32768;
inline constexpr int kCmdAuxPioneers = 32769;
inline constexpr int kCmdGroups = 32770;
inline constexpr int kCmdMoveOuts = 32781;
inline constexpr int kCmdEditInactive = 32782;
inline constexpr int kCmdPassword = 32786;
inline constexpr int kCmdRegularPioneers = 32833;
inline constexpr int kCmdEditNonPublishers = 32839;
inline constexpr int kCmdDeleted = 32881;
inline constexpr int kCmdHistory = 32887;
inline constexpr int kCmdCircuitOverseer = 32906;
inline constexpr int kCmdReportSlips = 32777;
inline constexpr int kCmdPostAttendance = 32778;
inline constexpr int kCmdPublisherRecords = 32771;
inline constexpr int kCmdQuickOverview = 32772;
inline constexpr int kCmdAttendanceRecord = 32838;
inline constexpr int kCmdYtdSummary = 32837;
inline constexpr int kCmdNoReport = 32773;
inline constexpr int kCmdIrregular = 32774;
inline constexpr int kCmdNewPublishers = 32795;
inline constexpr int kCmdReactivated = 32783;
inline constexpr int kCmdViewInactive = 32776;
inline constexpr int kCmdViewMoveouts = 32784;
inline constexpr int kCmdRecentlyBaptized = 32792;
inline constexpr int kCmdViewAuxPioneers = 32815;
inline constexpr int kCmdPioneerHours = 32775;
inline constexpr int kCmdStudyConductors = 32820;
inline constexpr int kCmdUnbaptized = 32828;
inline constexpr int kCmdViewNonPublishers = 32842;
inline constexpr int kCmdCollectionForm = 32832;
inline constexpr int kCmdPrivileges = 32884;
inline constexpr int kCmdGdprConsent = 32886;
inline constexpr int kCmdNoGdprConsent = 32913;
inline constexpr int kCmdViewRuntime = 32914;
inline constexpr int kCmdViewCustom = 32835;
inline constexpr int kCmdAnalysisPioneersGroups = 32891;
inline constexpr int kCmdAnalysisAtoZ = 32892;
inline constexpr int kCmdGroupAnalysis = 32780;
inline constexpr int kCmdCongSummary = 32793;
inline constexpr int kCmdMeetingReport = 32794;
inline constexpr int kCmdAvgCongregation = 32796;
inline constexpr int kCmdAvgGroup = 32797;
inline constexpr int kCmdAvgRegular = 32798;
inline constexpr int kCmdAvgElders = 32799;
inline constexpr int kCmdAvgServants = 32800;
inline constexpr int kCmdAvgBrothers = 32801;
inline constexpr int kCmdAvgCustom = 32836;
inline constexpr int kCmdStatistics = 32802;
inline constexpr int kCmdLabelsAll = 32821;
inline constexpr int kCmdLabelsSelected = 32822;
inline constexpr int kCmdHoursCongregation = 32807;
inline constexpr int kCmdHoursGroup = 32808;
inline constexpr int kCmdHoursRegular = 32817;
inline constexpr int kCmdHoursAux = 32816;
inline constexpr int kCmdHoursEldersMs = 32840;
inline constexpr int kCmdHoursBrothers = 32851;
inline constexpr int kCmdHoursCustom = 32844;
inline constexpr int kCmdPioneerHoursReport = 32806;
inline constexpr int kCmdTelephoneCongregation = 32809;
inline constexpr int kCmdTelephoneGroup = 32810;
inline constexpr int kCmdTelephonePioneers = 32824;
inline constexpr int kCmdTelephoneEldersMs = 32823;
inline constexpr int kCmdTelEmailCongregation = 32871;
inline constexpr int kCmdTelEmailGroup = 32872;
inline constexpr int kCmdTelEmailPioneers = 32873;
inline constexpr int kCmdTelEmailEldersMs = 32874;
inline constexpr int kCmdAddressCongregation = 32811;
inline constexpr int kCmdAddressGroup = 32812;
inline constexpr int kCmdAddressInactive = 32825;
inline constexpr int kCmdAddressPioneers = 32830;
inline constexpr int kCmdAddressEldersMs = 32831;
inline constexpr int kCmdContactCongregation = 32846;
inline constexpr int kCmdContactGroup = 32847;
inline constexpr int kCmdContactInactive = 32902;
inline constexpr int kCmdContactInactiveGroup = 32904;
inline constexpr int kCmdContactPioneers = 32875;
inline constexpr int kCmdContactEldersMs = 32848;
inline constexpr int kCmdEmergencyCongregation = 32859;
inline constexpr int kCmdEmergencyGroup = 32860;
inline constexpr int kCmdEmergencyForms = 32867;
inline constexpr int kCmdNeedsCongregation = 32915;
inline constexpr int kCmdNeedsGroup = 32916;
inline constexpr int kCmdGroupListActive = 32852;
inline constexpr int kCmdGroupListStudents = 32853;
inline constexpr int kCmdGroupListInactive = 32893;
inline constexpr int kCmdGroupListAll = 32854;
inline constexpr int kCmdGroupListGdpr = 32901;
inline constexpr int kCmdTotalsCongregation = 32818;
inline constexpr int kCmdTotalsPioneers = 32819;
inline constexpr int kCmdTotalsEldersMs = 32841;
inline constexpr int kCmdFontTitles = 32788;
inline constexpr int kCmdFontSubtitles = 32789;
inline constexpr int kCmdFontHeadings = 32790;
inline constexpr int kCmdFontText = 32791;
inline constexpr int kCmdFontSmall = 32803;
inline constexpr int kCmdFontDefaults = 32813;
inline constexpr int kCmdReportFormat = 32804;
inline constexpr int kCmdCardOptions = 32888;
inline constexpr int kCmdAutoCaps = 32883;
inline constexpr int kCmdNoStartupNotice = 32850;
inline constexpr int kCmdCustomCategory = 32834;
inline constexpr int kCmdEraseLate = 32857;
inline constexpr int kCmdLanguage = 33600;
inline constexpr int kCmdOldReport1 = 32895;
inline constexpr int kCmdOldReport2 = 32896;
inline constexpr int kCmdOldReport3 = 32897;
inline constexpr int kCmdOldReport4 = 32898;
inline constexpr int kCmdOldReport5 = 32899;
inline constexpr int kCmdOldReport6 = 32900;
inline constexpr int kCmdHelpSummary = 57666;
inline constexpr int kCmdHelpIndex = 57667;
inline constexpr int kCmdContextHelp = 57669;
inline constexpr int kCmdAbout = 57664;
// The sort-order option has no menu entry of its own.
inline constexpr int kCmdSortFirstName = 32940;
// The action panel's button that returns from an old report to the current data.
inline constexpr int kCmdHistoryReturn = 32941;
// The report to the branch office on its own page of the report view.
inline constexpr int kCmdBranchReport = 32944;
// "Check the Branch Reports": the sent reports against the records now.
inline constexpr int kCmdCheckBranchReports = 32971;
// F11 in the main view: offers "Erase Late Reports" while late reports are listed.
inline constexpr int kCmdAllowEraseLate = 32945;
// View: the corrections log of months already reported to the branch.
inline constexpr int kCmdCorrections = 32970;

}  // namespace zarim
