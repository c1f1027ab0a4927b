// The settings file seen through the reports' Profile interface, so the report fonts
// read and write their sections of "zarim.ini".
#pragma once

#include "core/settings.h"
#include "reports/profile.h"

namespace zarim {

class IniProfile : public Profile {
 public:
  explicit IniProfile(IniFile& ini) : ini_(ini) {}
  int GetInt(std::string_view section, std::string_view key, int fallback) const override {
    return ini_.GetInt(section, key, fallback);
  }
  std::string GetString(std::string_view section, std::string_view key,
                        std::string_view fallback) const override {
    return ini_.GetString(section, key, fallback);
  }
  void SetInt(std::string_view section, std::string_view key, int value) override {
    ini_.SetInt(section, key, value);
  }
  void SetString(std::string_view section, std::string_view key, std::string_view value) override {
    ini_.SetString(section, key, value);
  }

 private:
  IniFile& ini_;
};

}  // namespace zarim
