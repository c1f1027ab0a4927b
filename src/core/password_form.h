// The password dialogs as forms: "Password Required" (the check at start and before a
// change) and "Password Change", with the flows that use them.
#pragma once

#include <string>
#include <string_view>

namespace zarim {

class CZarimDoc;

// "Password Required": every change of the text is compared with the password; OK or a
// 14th character is a wrong attempt. The first wrong attempt shows "Sorry, Invalid
// Password ..."; after it any further change of the text (that is not the password) or a
// second OK ends the check with failure.
class PasswordForm {
 public:
  enum class Mode { kStart = 0, kChange = 1 };
  enum class State { kOpen, kAccepted, kRefused };
  // The text box takes this many characters; the last one counts as OK.
  static constexpr int kBoxLength = 14;

  // password: the stored password (record bytes); language: the code page of typed text.
  PasswordForm(std::string password, std::string language, Mode mode);

  std::string caption() const;
  const std::string& prompt() const { return prompt_; }  // UTF-8
  State state() const { return state_; }
  bool finished() const { return state_ != State::kOpen; }
  bool accepted() const { return state_ == State::kAccepted; }

  void TextChanged(std::string_view utf8);
  void Ok();
  // The dialog closed in any other way.
  void Cancel();

 private:
  void WrongAttempt();
  std::string password_;
  std::string language_;
  std::string prompt_;
  int wrong_ = 0;
  State state_ = State::kOpen;
};

// "Password Change": the new password twice. The box takes at most 13 characters; a 14th
// cuts the text to 13 and acts as OK. The first OK keeps the entry, clears the box and
// asks again; the second compares.
class PasswordChangeForm {
 public:
  enum class Result { kOpen, kChanged, kDisabled, kNotChanged };
  static constexpr int kMaxLength = 13;

  explicit PasswordChangeForm(std::string language);

  std::string caption() const;
  const std::string& prompt() const { return prompt_; }
  // The text the box shows now (the form cuts and clears it).
  const std::string& text() const { return text_; }
  Result result() const { return result_; }
  bool finished() const { return result_ != Result::kOpen; }
  // The new password in record bytes, valid once the result is kChanged.
  const std::string& new_password() const { return first_; }

  void TextChanged(std::string_view utf8);
  void Ok();
  void Cancel();

 private:
  std::string language_;
  std::string prompt_;
  std::string text_;   // UTF-8
  std::string first_;  // record bytes of the first entry
  bool second_ = false;
  Result result_ = Result::kOpen;
};

// Shows the dialogs: the desktop's adapter runs a modal dialog bound to the form until the
// form is finished; closing the dialog otherwise calls the form's Cancel().
class PasswordRunner {
 public:
  virtual ~PasswordRunner() = default;
  virtual void Run(PasswordForm& form) = 0;
  virtual void Run(PasswordChangeForm& form) = 0;
};

// True at once when no password is set; otherwise whatever the dialog ends with.
bool CheckPassword(CZarimDoc& doc, PasswordForm::Mode mode, PasswordRunner& runner);

// "Pass&word": the old password first, then the new one twice; tells the outcome.
void ChangePassword(CZarimDoc& doc, PasswordRunner& runner);

}  // namespace zarim
