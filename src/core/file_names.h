// The names of the files and folders of a data folder, of a backup set and of the monthly
// snapshots. They are part of the data format, the same in every language: never
// translated and never taken from the string table.
#pragma once

#include <string_view>

namespace zarim {

// The data folder.
inline constexpr std::string_view kFilePublishers = "tdat9.bin";
inline constexpr std::string_view kFileTotals = "tcard.dat";
inline constexpr std::string_view kFileGroups = "bkstudy.dat";
inline constexpr std::string_view kFileMeetings = "meetin9.dat";
inline constexpr std::string_view kFileAppointments = "tappt.dat";
inline constexpr std::string_view kFileRemarks = "remark9.dat";
inline constexpr std::string_view kFileRemarkUndo = "rmkundo.dat";
inline constexpr std::string_view kFileExtension = "xten7.dat";
inline constexpr std::string_view kFileEmergency = "emerg.dat";
inline constexpr std::string_view kFileEmergencyNew = "emerg1.dat";
inline constexpr std::string_view kFileSpecialNeeds = "spneed.dat";
inline constexpr std::string_view kFileLessThanHour = "tlt15.dat";
inline constexpr std::string_view kFileFormatOptions = "zrxcfg.cfg";
inline constexpr std::string_view kFileSettings = "zarim.ini";
// The corrections log of the running service year; older years are rolled into
// "corrections-YYYY.log" (YYYY: the year the service year ends in).
inline constexpr std::string_view kFileCorrections = "corrections.log";
inline constexpr std::string_view kCorrectionsYearPrefix = "corrections-";
inline constexpr std::string_view kCorrectionsYearSuffix = ".log";

// Backup sets: the catalog of the sets made, the prefix of a set's folder name, the
// folders of a restore and its undo.
inline constexpr std::string_view kBackupCatalogFile = "buhist.dat";
inline constexpr std::string_view kUndoFolder = "unrestore";
inline constexpr std::string_view kUndoTmpSuffix = "_tmp";
inline constexpr std::string_view kSetPrefix = "Zr9";
inline constexpr std::string_view kSetPrefixUnderscore = "Zr9_";
inline constexpr std::string_view kRestoreStagingFolder = "restore_tmp";
// Files of older data folders that a restore deletes as well.
inline constexpr std::string_view kOldFilePublishers7 = "tdat7.bin";
inline constexpr std::string_view kOldFileRemarks7 = "remark7.dat";
inline constexpr std::string_view kOldFileOddMonths7 = "oddmo7.dat";
inline constexpr std::string_view kOldFileInactive7 = "tinac7.dat";
inline constexpr std::string_view kOldFileMoved7 = "tmove7.dat";
inline constexpr std::string_view kOldFileNonPublishers7 = "tnopu7.dat";
inline constexpr std::string_view kOldFileDeleted7 = "tdele7.dat";
inline constexpr std::string_view kOldFileTotals7 = "spcards.dat";
inline constexpr std::string_view kOldFileMeetings7 = "meeting.dat";
// The year before's totals of an older folder: "Roll/Zr7_8/spcards.dat".
inline constexpr std::string_view kOldRollFolder7 = "Zr7_8";

// The monthly snapshots: the folder under the data folder, and the prefix of the folder
// of month n (1..12) in it.
inline constexpr std::string_view kRollFolder = "Roll";
inline constexpr std::string_view kRollMonthFolderPrefix = "Zr9_";

// Exports, XML files and collection files: the one folder below the data folder that
// holds the program's output rather than data.
inline constexpr std::string_view kExportsFolder = "Exports";

}  // namespace zarim
