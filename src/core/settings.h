// The settings file "zarim.ini" of the data folder, with the semantics of a Windows
// private profile: section and key names match without regard to case, a missing key
// gives the caller's default, values are plain text, lines end with CRLF. ReadSettings and
// WriteSettings move the settings table between the file and the document.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarim {

class CZarimDoc;
class SaveTransaction;

// One profile file held in memory. Text that is not a section or a key line (comments,
// blank lines) is kept as it was; sections and keys the program does not know survive a
// write unchanged.
class IniFile {
 public:
  // A file is read whole, whatever its size, so a save keeps every section; a line
  // longer than this is cut.
  static constexpr size_t kMaxLineLength = 1024;

  void Parse(std::string_view bytes);
  std::string Serialize() const;

  // The value of the first key of that name in the first section of that name.
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  std::string GetString(std::string_view section, std::string_view key,
                        std::string_view fallback) const;
  // The number at the start of the value (blanks, an optional sign, digits); a value
  // without digits gives 0, a missing key the fallback.
  int GetInt(std::string_view section, std::string_view key, int fallback) const;

  // Overwrites the key where it stands, or adds it at the end of its section, or adds the
  // section at the end of the file. Line breaks in a value become blanks.
  void SetString(std::string_view section, std::string_view key, std::string_view value);
  void SetInt(std::string_view section, std::string_view key, int value);

 private:
  struct Line {
    std::string text;  // the line as read, for lines that are not keys
    std::string key;   // empty for such lines
    std::string value;
  };
  struct Section {
    std::string name;
    std::vector<Line> lines;
  };
  const Section* FindSection(std::string_view name) const;
  Section* FindSection(std::string_view name);
  std::vector<Line> preamble_;  // lines before the first section
  std::vector<Section> sections_;
};

// The settings file of a data folder for the whole run: read once when the document is
// created, written with every save. Other parts of the program that keep sections in it
// (the report fonts) read them from ini() and add a writer that puts their values back
// before each save.
class SettingsFile {
 public:
  explicit SettingsFile(std::string folder);

  // Reads the file; a missing or unreadable file leaves every key at its default.
  void Load();
  // Writes the file at once (atomically); false when it cannot be written.
  bool WriteNow();
  // The file's bytes as a save writes them, after running the writers.
  std::string Image();

  IniFile& ini() { return ini_; }
  const IniFile& ini() const { return ini_; }
  const std::string& folder() const { return folder_; }
  std::string path() const;

  void AddSaveWriter(std::function<void(IniFile&)> writer) {
    writers_.push_back(std::move(writer));
  }

 private:
  std::string folder_;
  IniFile ini_;
  std::vector<std::function<void(IniFile&)>> writers_;
};

// The settings file of folder as it is on disk with change applied, for a change that
// reaches the disk in a transaction of its own (a backup's date, a collection file's
// sender) rather than with the document's save.
std::string SettingsFileWith(const std::string& folder,
                             const std::function<void(IniFile&)>& change);

// The settings table into the document (all keys except the early start, which the dating
// of the working month reads) and back (all keys, in the order of the table).
void ReadSettings(const IniFile& ini, CZarimDoc& doc);
void WriteSettings(const CZarimDoc& doc, IniFile& ini);
// The code page the names and remarks of a folder are written in ("Language"/"CodePage",
// written by WriteSettings for the language in use; windows-1252 when the key is absent).
std::string FolderCodePage(const IniFile& ini);
// The code page of a folder (or backup set) that holds names, `record_count` counting the
// header record, in another code page than the one of `language_code`: read under that
// language its names would be shown and saved garbled. Nothing when they fit.
std::optional<std::string> ForeignCodePage(const IniFile& ini, int record_count,
                                           std::string_view language_code);

// The early-start keys ("Early"/"Year" and "Month").
void ReadEarlyStart(const IniFile& ini, CZarimDoc& doc);
void ClearEarlyStart(IniFile& ini);

// Makes every save of the document write the settings file in the same atomic save.
void AttachSettings(CZarimDoc& doc, SettingsFile& settings);

// The longest custom category name; a longer one is cut when read.
inline constexpr size_t kMaxCustomCategoryName = 15;
// Texts of the settings are bounded so that no file can grow them without end.
inline constexpr size_t kMaxSettingText = 255;
// The record cards' hide flags of single records ("ID:FLAGS" pairs) fit one line.
inline constexpr size_t kMaxHideRecordsText = 1000;

}  // namespace zarim
