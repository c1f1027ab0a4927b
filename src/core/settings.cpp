// Reading and writing the private-profile settings file and the settings table.
#include "core/settings.h"

#include <algorithm>
#include <climits>

#include "core/bytes.h"
#include "core/data_files.h"
#include "core/document.h"
#include "core/file_io.h"
#include "core/file_names.h"
#include "core/strings.h"
#include "core/text_codec.h"

namespace zarim {

namespace {

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// A value as the profile functions return it: trimmed, one pair of enclosing quotes off.
std::string CleanValue(std::string_view v) {
  v = Trim(v);
  if (v.size() >= 2 &&
      ((v.front() == '"' && v.back() == '"') || (v.front() == '\'' && v.back() == '\'')))
    v = v.substr(1, v.size() - 2);
  return std::string(v);
}

std::string OneLine(std::string_view v) {
  std::string out(v);
  for (char& c : out)
    if (c == '\r' || c == '\n') c = ' ';
  return out;
}

// A value that reading would change (blanks at its ends, enclosing quotes) is written in
// quotes, so that it reads back as it was.
std::string Quoted(std::string v) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  const bool quoted =
      v.size() >= 2 && v.front() == v.back() && (v.front() == '"' || v.front() == '\'');
  if (!v.empty() && (blank(v.front()) || blank(v.back()) || quoted)) return "\"" + v + "\"";
  return v;
}

std::string Bounded(std::string s, size_t limit) {
  if (s.size() > limit) s.resize(limit);
  return s;
}

// Section and key names of the settings table.
constexpr std::string_view kLabels = "Labels";
constexpr std::string_view kReports = "Reports";
constexpr std::string_view kEnabled = "Enabled";
constexpr std::string_view kCustom = "Custom Category";
constexpr std::string_view kEarly = "Early";
constexpr std::string_view kLanguageSection = "Language";
constexpr std::string_view kCodePageKey = "CodePage";
constexpr std::string_view kDefaultCodePage = "windows-1252";

}  // namespace

void IniFile::Parse(std::string_view bytes) {
  preamble_.clear();
  sections_.clear();
  size_t pos = 0;
  while (pos < bytes.size()) {
    size_t end = bytes.find('\n', pos);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view raw = bytes.substr(pos, end - pos);
    pos = end + 1;
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    if (raw.size() > kMaxLineLength) raw = raw.substr(0, kMaxLineLength);
    std::string_view t = Trim(raw);
    if (!t.empty() && t.front() == '[') {
      size_t close = t.find(']');
      std::string_view name =
          close == std::string_view::npos ? t.substr(1) : t.substr(1, close - 1);
      sections_.push_back(Section{std::string(Trim(name)), {}});
      continue;
    }
    Line line;
    size_t eq = t.find('=');
    if (!t.empty() && t.front() != ';' && eq != std::string_view::npos && eq > 0) {
      line.key = std::string(Trim(t.substr(0, eq)));
      // A lone carriage return inside a value reads as the blank a save would write.
      line.value = OneLine(CleanValue(t.substr(eq + 1)));
    } else {
      line.text = std::string(raw);
    }
    (sections_.empty() ? preamble_ : sections_.back().lines).push_back(std::move(line));
  }
}

std::string IniFile::Serialize() const {
  std::string out;
  auto put = [&out](const Line& l) {
    out += l.key.empty() ? l.text : l.key + "=" + l.value;
    out += "\r\n";
  };
  for (const Line& l : preamble_) put(l);
  for (const Section& s : sections_) {
    out += "[" + s.name + "]\r\n";
    for (const Line& l : s.lines) put(l);
  }
  return out;
}

const IniFile::Section* IniFile::FindSection(std::string_view name) const {
  for (const Section& s : sections_)
    if (SameName(s.name, name)) return &s;
  return nullptr;
}

IniFile::Section* IniFile::FindSection(std::string_view name) {
  for (Section& s : sections_)
    if (SameName(s.name, name)) return &s;
  return nullptr;
}

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const {
  const Section* s = FindSection(section);
  if (!s) return std::nullopt;
  for (const Line& l : s->lines)
    if (!l.key.empty() && SameName(l.key, key)) return l.value;
  return std::nullopt;
}

std::string IniFile::GetString(std::string_view section, std::string_view key,
                               std::string_view fallback) const {
  auto v = Get(section, key);
  return v ? *v : std::string(fallback);
}

int IniFile::GetInt(std::string_view section, std::string_view key, int fallback) const {
  auto v = Get(section, key);
  if (!v) return fallback;
  std::string_view t = Trim(*v);
  bool negative = false;
  size_t i = 0;
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) negative = t[i++] == '-';
  long long n = 0;
  for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) {
    n = n * 10 + (t[i] - '0');
    if (n > INT_MAX) n = INT_MAX;
  }
  return static_cast<int>(negative ? -n : n);
}

void IniFile::SetString(std::string_view section, std::string_view key, std::string_view value) {
  std::string v = Quoted(OneLine(value));
  Section* s = FindSection(section);
  if (!s) {
    // A blank line keeps a new section apart from the one before it.
    if (!sections_.empty()) {
      auto& lines = sections_.back().lines;
      if (lines.empty() || !lines.back().key.empty() || !Trim(lines.back().text).empty())
        lines.push_back(Line{});
    }
    sections_.push_back(Section{OneLine(section), {}});
    s = &sections_.back();
  }
  for (Line& l : s->lines) {
    if (!l.key.empty() && SameName(l.key, key)) {
      l.value = v;
      return;
    }
  }
  // After the section's last key, before any blank lines that end it.
  auto at = s->lines.end();
  while (at != s->lines.begin() && std::prev(at)->key.empty() && Trim(std::prev(at)->text).empty())
    --at;
  s->lines.insert(at, Line{"", OneLine(key), v});
}

void IniFile::SetInt(std::string_view section, std::string_view key, int value) {
  SetString(section, key, std::to_string(value));
}

SettingsFile::SettingsFile(std::string folder) : folder_(std::move(folder)) {}

std::string SettingsFile::path() const { return ResolvePath(folder_, kFileSettings); }

void SettingsFile::Load() {
  auto bytes = ReadFile(path());
  ini_.Parse(bytes ? std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size())
                   : std::string_view{});
}

std::string SettingsFile::Image() {
  for (auto& w : writers_) w(ini_);
  return ini_.Serialize();
}

bool SettingsFile::WriteNow() {
  std::string image = ini_.Serialize();
  return WriteFileAtomic(path(), image.data(), image.size());
}

std::string SettingsFileWith(const std::string& folder,
                             const std::function<void(IniFile&)>& change) {
  SettingsFile file(folder);
  file.Load();
  change(file.ini());
  return file.ini().Serialize();
}

namespace {
void WriteFolderCodePage(const CZarimDoc& doc, IniFile& ini) {
  // Folders in the default code page keep the settings file they always had.
  const std::string cp = CodePageForLanguage(doc.language_code);
  if (cp != kDefaultCodePage || ini.Get(kLanguageSection, kCodePageKey))
    ini.SetString(kLanguageSection, kCodePageKey, cp);
}
}  // namespace

void ReadSettings(const IniFile& ini, CZarimDoc& doc) {
  DocOptions& o = doc.options;
  o.label_birth_legend = ini.GetInt(kLabels, "Date of birth", 1);
  o.alternate_label = ini.GetInt(kLabels, "Alternate Label", 0);
  o.label_left_margin = ini.GetInt(kLabels, "Left Margin", 20);
  o.show_grid = ini.GetInt(kReports, "ShowGrid", 0);
  o.missing_report_boxes = ini.GetInt(kReports, "Missing Report Boxes", 0);
  o.emergency_jw = ini.GetInt(kReports, "EmergJw", 1);
  o.top_margin = ini.GetInt(kReports, "Top Margin", 50);
  o.datestamp = ini.GetInt(kReports, "Datestamp", 0);
  o.congregation_name = Bounded(ini.GetString(kReports, "CongName", ""), kMaxSettingText);
  o.autocaps = ini.GetInt("AutoCap", kEnabled, 1);
  o.no_startup_notice = ini.GetInt("Nag", kEnabled, 0);
  o.print_group = ini.GetInt("PrtGrp", kEnabled, 0);
  o.hide_averages = ini.GetInt("HideAvg", kEnabled, 0);
  o.one_per_page = ini.GetInt("OnePerPage", kEnabled, 0);
  o.hide_birth = ini.GetInt("HideBir", kEnabled, 0);
  o.hide_records = Bounded(ini.GetString("HideAvg", "Records", ""), kMaxHideRecordsText);
  o.custom_category_enabled = ini.GetInt(kCustom, kEnabled, 0);
  o.custom_category_name = Bounded(ini.GetString(kCustom, kCustom, ""), kMaxCustomCategoryName);
  o.secretary_email = Bounded(ini.GetString("Sec", "Email", ""), kMaxSettingText);
  if (doc.language_code == "ptg")
    o.sort_first_name = ini.GetInt(Str(Sid::kSortFirstNameOption), kEnabled, 0);
}

void WriteSettings(const CZarimDoc& doc, IniFile& ini) {
  const DocOptions& o = doc.options;
  ini.SetInt(kLabels, "Date of birth", o.label_birth_legend);
  ini.SetInt(kLabels, "Alternate Label", o.alternate_label);
  ini.SetInt(kLabels, "Left Margin", o.label_left_margin);
  ini.SetInt(kReports, "ShowGrid", o.show_grid);
  ini.SetInt(kReports, "Missing Report Boxes", o.missing_report_boxes);
  ini.SetInt(kReports, "EmergJw", o.emergency_jw);
  ini.SetInt(kReports, "Top Margin", o.top_margin);
  ini.SetInt(kReports, "Datestamp", o.datestamp);
  ini.SetString(kReports, "CongName", o.congregation_name);
  ini.SetInt("AutoCap", kEnabled, o.autocaps);
  ini.SetInt("Nag", kEnabled, o.no_startup_notice);
  ini.SetInt("PrtGrp", kEnabled, o.print_group);
  ini.SetInt("HideAvg", kEnabled, o.hide_averages);
  ini.SetInt("OnePerPage", kEnabled, o.one_per_page);
  ini.SetInt("HideBir", kEnabled, o.hide_birth);
  if (!o.hide_records.empty() || ini.Get("HideAvg", "Records"))
    ini.SetString("HideAvg", "Records", o.hide_records);
  ini.SetInt(kCustom, kEnabled, o.custom_category_enabled);
  ini.SetString(kCustom, kCustom, o.custom_category_name);
  ini.SetString("Sec", "Email", o.secretary_email);
  ini.SetInt(kEarly, "Year", static_cast<int>(doc.early_year));
  ini.SetInt(kEarly, "Month", static_cast<int>(doc.early_month));
  if (doc.language_code == "ptg")
    ini.SetInt(Str(Sid::kSortFirstNameOption), kEnabled, o.sort_first_name);
  WriteFolderCodePage(doc, ini);
}

std::string FolderCodePage(const IniFile& ini) {
  return ini.GetString(kLanguageSection, kCodePageKey, kDefaultCodePage);
}

std::optional<std::string> ForeignCodePage(const IniFile& ini, int record_count,
                                           std::string_view language_code) {
  // A folder without names takes the code page of the language it is used in.
  std::string folder = FolderCodePage(ini);
  if (record_count <= 1 || folder == CodePageForLanguage(language_code)) return std::nullopt;
  return folder;
}

void ReadEarlyStart(const IniFile& ini, CZarimDoc& doc) {
  int year = ini.GetInt(kEarly, "Year", 0);
  int month = ini.GetInt(kEarly, "Month", 0);
  // A damaged file must not move the working month to a month that does not exist.
  if (year <= 0 || year > 99 || month < 1 || month > 12) year = month = 0;
  doc.early_year = static_cast<uint32_t>(year);
  doc.early_month = static_cast<uint32_t>(month);
}

void ClearEarlyStart(IniFile& ini) {
  ini.SetInt(kEarly, "Year", 0);
  ini.SetInt(kEarly, "Month", 0);
}

void AttachSettings(CZarimDoc& doc, SettingsFile& settings) { doc.settings = &settings; }

}  // namespace zarim
