// Document creation in its order, the dating of the working month and the locale.
#include "core/startup.h"

#include <cassert>
#include <clocale>

#include "core/app_options.h"
#include "core/data_files.h"
#include "core/document.h"
#include "core/password_form.h"
#include "core/ports.h"
#include "core/settings.h"
#include "core/strings.h"

namespace zarim {

namespace {

struct LocaleRow {
  std::string_view codes[3];
  std::string_view name;
};

// The comparisons run in this order; the first match names the locale.
constexpr LocaleRow kLocales[] = {
    {{"rus", "urk"}, "rus"},
    {{"turkish"}, "turkish"},
    {{"french"}, "french"},
    {{"czech"}, "czech"},
    {{"polish", "hrvatski", "slovenian"}, "polish"},
    {{"slovak"}, "slovak"},
    {{"greek"}, "greek"},
    {{"dutch"}, "dutch"},
    {{"tha"}, "tha"},
    {{"hun"}, "hun"},
    {{"lt"}, "lt"},
    {{"estonian"}, "et"},
    {{"rom"}, "romanian"},
    {{"vie"}, "vie"},
};

// The system locales that stand for each locale name of the table.
struct SystemRow {
  std::string_view name;
  std::string_view posix;
};
constexpr SystemRow kSystemLocales[] = {
    {"rus", "ru_RU"},      {"turkish", "tr_TR"}, {"french", "fr_FR"}, {"czech", "cs_CZ"},
    {"polish", "pl_PL"},   {"slovak", "sk_SK"},  {"greek", "el_GR"},  {"dutch", "nl_NL"},
    {"tha", "th_TH"},      {"hun", "hu_HU"},     {"lt", "lt_LT"},     {"et", "et_EE"},
    {"romanian", "ro_RO"}, {"vie", "vi_VN"},
};

}  // namespace

std::string LocaleNameForLanguage(std::string_view code) {
  for (const LocaleRow& row : kLocales)
    for (std::string_view c : row.codes)
      if (!c.empty() && c == code) return std::string(row.name);
  return {};
}

std::vector<std::string> SystemLocaleCandidates(std::string_view name) {
  for (const SystemRow& row : kSystemLocales) {
    if (row.name != name) continue;
    std::string base(row.posix);
    return {base + ".UTF-8", base + ".utf8", base};
  }
  return {};
}

std::string ApplyRuntimeLocale(std::string_view code) {
  std::string name = LocaleNameForLanguage(code);
  if (name.empty()) return {};
  for (const std::string& candidate : SystemLocaleCandidates(name))
    if (std::setlocale(LC_ALL, candidate.c_str())) return candidate;
  return {};
}

bool DateWorkingMonth(CZarimDoc& doc, const Date& today, SettingsFile& settings, bool write_now) {
  bool held = false;
  if (today.day < 25) {
    doc.early_year = 0;
    doc.early_month = 0;
    held = settings.ini().GetInt("Early", "Year", 0) != 0 ||
           settings.ini().GetInt("Early", "Month", 0) != 0;
    ClearEarlyStart(settings.ini());
    if (held && write_now) settings.WriteNow();
  } else if (doc.early_year == 0) {
    ReadEarlyStart(settings.ini(), doc);
  }
  doc.SetToday(today);
  return held;
}

bool CreateDocument(CZarimDoc& doc, const StartupOptions& options, const Clock& clock,
                    SettingsFile& settings, PasswordRunner& passwords) {
  // 1. The scalar state of a new document.
  doc.modified = 0;
  doc.history_view = 0;
  doc.history_month_mask = 0;
  doc.early_year = 0;
  doc.early_month = 0;
  doc.early_allowed = 1;
  doc.archive_folder.clear();
  // 2. Data folder, language, congregation name.
  doc.data_folder = options.data_folder;
  doc.language_code = options.language_code;
  doc.options.congregation_name.clear();
  // 3. Settings.
  settings.Load();
  ReadSettings(settings.ini(), doc);
  AttachSettings(doc, settings);
  // 4. Today and the working month (the format options are read with the data). Nothing
  // is written before the password is accepted.
  doc.read_only = options.read_only;
  // A partial load is for reading only: a document that may save is always loaded whole.
  assert(options.read_only || options.load_depth == LoadDepth::kWhole);
  doc.load_depth = options.read_only ? options.load_depth : LoadDepth::kWhole;
  const bool early_cleared = DateWorkingMonth(doc, clock.Today(), settings, false);
  // 5. The report form switch; the sort order is kept only for "ptg".
  doc.switch_serial = kReportFormSwitchSerial;
  if (doc.language_code != "ptg") doc.options.sort_first_name = 0;
  // 6. Counts and the late-report erase flag.
  doc.count = 0;
  doc.groups.count = 0;
  doc.erase_late_enabled = 0;
  // 7. Runtime locale.
  ApplyRuntimeLocale(doc.language_code);
  // 8-10. The tables exist with the document; load, check the password, finish.
  bool loaded = LoadAll(doc, clock, [&](CZarimDoc& d) {
    if (!CheckPassword(d, PasswordForm::Mode::kStart, passwords)) return false;
    if (options.after_password && !options.after_password(d)) return false;
    if (early_cleared && !options.read_only) settings.WriteNow();
    return true;
  });
  if (!loaded) {
    doc.ClearTables();
    return false;
  }
  if (options.after_load) options.after_load(doc);
  if (doc.options.no_startup_notice == 0) doc.prompter->Tell(StartupNoticeText());
  return true;
}

}  // namespace zarim
