// The part of the settings file the reports need: integers and texts by section and
// key. The settings file of the program implements it; MemoryProfile serves tests and
// batch use.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace zarim {

class Profile {
 public:
  virtual ~Profile() = default;
  virtual int GetInt(std::string_view section, std::string_view key, int fallback) const = 0;
  virtual std::string GetString(std::string_view section, std::string_view key,
                                std::string_view fallback) const = 0;
  virtual void SetInt(std::string_view section, std::string_view key, int value) = 0;
  virtual void SetString(std::string_view section, std::string_view key,
                         std::string_view value) = 0;
};

// Section and key names match without regard to case, as in the settings file.
class MemoryProfile : public Profile {
 public:
  int GetInt(std::string_view section, std::string_view key, int fallback) const override;
  std::string GetString(std::string_view section, std::string_view key,
                        std::string_view fallback) const override;
  void SetInt(std::string_view section, std::string_view key, int value) override;
  void SetString(std::string_view section, std::string_view key, std::string_view value) override;
  bool Has(std::string_view section, std::string_view key) const;

 private:
  static std::string Key(std::string_view section, std::string_view key);
  std::map<std::string, std::string> values_;
};

}  // namespace zarim
