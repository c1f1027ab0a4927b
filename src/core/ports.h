// The ports through which the library reaches the user and the platform. The desktop
// program supplies the real adapters; tests supply scripted or recording ones.
#pragma once

#include <string>
#include <string_view>

namespace zarim {

enum class Buttons { kOk, kOkCancel, kYesNo, kYesNoCancel };
enum class Answer { kOk, kCancel, kYes, kNo };

// Message boxes and questions.
class Prompter {
 public:
  virtual ~Prompter() = default;
  // Shows text with the given buttons and returns the button pressed. The default
  // answer is the one Enter chooses.
  virtual Answer Ask(std::string_view text, Buttons buttons, Answer default_answer) = 0;
  void Tell(std::string_view text) { Ask(text, Buttons::kOk, Answer::kOk); }

  // A small waiting window for long work (saving, checking the backup catalog).
  virtual void BeginBusy(std::string_view /*caption*/, std::string_view /*text*/) {}
  virtual void EndBusy() {}
  // Reports progress of long work, done of total steps; keeps a window responsive.
  virtual void Progress(int /*done*/, int /*total*/) {}
};

// A prompter that shows nothing and answers with the default; for batch use.
class SilentPrompter : public Prompter {
 public:
  Answer Ask(std::string_view, Buttons, Answer default_answer) override { return default_answer; }
};

struct Date {
  int year = 0;   // four digits
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  friend bool operator==(const Date&, const Date&) = default;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual Date Today() const = 0;
};

class SystemClock : public Clock {
 public:
  Date Today() const override;
};

class FixedClock : public Clock {
 public:
  explicit FixedClock(Date d) : date_(d) {}
  Date Today() const override { return date_; }
  void Set(Date d) { date_ = d; }

 private:
  Date date_;
};

// Parses "YYYY-MM-DD"; false when the text is no valid date.
bool ParseIsoDate(std::string_view text, Date* out);
int DaysInMonth(int year, int month);

}  // namespace zarim
