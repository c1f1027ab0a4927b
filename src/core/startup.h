// Creating the document at program start: the data folder and language, the settings,
// today's date and the working month with the early start, the runtime locale, loading
// the data with the password check, and the start-up notice.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/document.h"

namespace zarim {

class Clock;
class PasswordRunner;
class SettingsFile;
struct Date;

struct StartupOptions {
  std::string data_folder = ".";
  std::string language_code = "eng";
  // Run after the data are loaded and before the start-up notice: the steps of the
  // later subsystems (archives of past months, the working totals, tidying exports).
  std::function<void(CZarimDoc&)> after_load;
  // Run when the password was accepted, before the rest is loaded; false ends the start
  // (the owner of the folder completes an interrupted save here).
  std::function<bool(CZarimDoc&)> after_password;
  // Open for reading only: nothing is written, not even the early-start keys.
  bool read_only = false;
  // How much is loaded; anything but kWhole is taken only together with read_only.
  LoadDepth load_depth = LoadDepth::kWhole;
};

// Document creation. False when the program must end (the password was refused). The
// settings file is read from the data folder and attached to the document's saves.
bool CreateDocument(CZarimDoc& doc, const StartupOptions& options, const Clock& clock,
                    SettingsFile& settings, PasswordRunner& passwords);

// Today's date and the working month. Before the 25th the early-start keys are cleared
// (in the document and, with write_now, at once in the file, so that an old early start
// can never come back on a later 25th); from the 25th on they are read when none is held.
// True when keys were cleared that the file still holds.
bool DateWorkingMonth(CZarimDoc& doc, const Date& today, SettingsFile& settings,
                      bool write_now = true);

// The locale name the table gives a language code ("hrvatski" -> "polish"); empty when
// the code keeps the default locale.
std::string LocaleNameForLanguage(std::string_view language_code);
// The names under which a system may have installed that locale, best first.
std::vector<std::string> SystemLocaleCandidates(std::string_view locale_name);
// Sets the runtime locale (all categories) for a language code. Returns the system
// locale that was set, or empty when the code keeps the default or none is installed.
std::string ApplyRuntimeLocale(std::string_view language_code);

}  // namespace zarim
