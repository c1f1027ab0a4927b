// The password check and change forms.
#include "core/password_form.h"

#include "core/bytes.h"
#include "core/document.h"
#include "core/password.h"
#include "core/strings.h"
#include "core/text_codec.h"

namespace zarim {

namespace {

// Number of characters of UTF-8 text (each becomes one byte of the record's code page).
size_t CharCount(std::string_view utf8) {
  size_t n = 0;
  for (unsigned char c : utf8)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

std::string FirstChars(std::string_view utf8, size_t count) {
  size_t n = 0;
  for (size_t i = 0; i < utf8.size(); ++i) {
    if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) {
      if (n == count) return std::string(utf8.substr(0, i));
      ++n;
    }
  }
  return std::string(utf8);
}

}  // namespace

PasswordForm::PasswordForm(std::string password, std::string language, Mode mode)
    : password_(std::move(password)),
      language_(std::move(language)),
      prompt_(
          Str(mode == Mode::kStart ? Sid::kPleaseEnterPassword : Sid::kPleaseEnterOldPassword)) {}

std::string PasswordForm::caption() const { return std::string(Str(Sid::kPasswordRequired)); }

void PasswordForm::TextChanged(std::string_view utf8) {
  if (finished()) return;
  if (FromUtf8(utf8, language_) == password_) {
    state_ = State::kAccepted;
    return;
  }
  if (wrong_ > 0) {
    state_ = State::kRefused;
    return;
  }
  if (CharCount(utf8) >= static_cast<size_t>(kBoxLength)) WrongAttempt();
}

void PasswordForm::Ok() {
  if (!finished()) WrongAttempt();
}

void PasswordForm::Cancel() {
  if (!finished()) state_ = State::kRefused;
}

void PasswordForm::WrongAttempt() {
  if (wrong_++ > 0) {
    state_ = State::kRefused;
    return;
  }
  prompt_ = Str(Sid::kInvalidPassword);
}

PasswordChangeForm::PasswordChangeForm(std::string language)
    : language_(std::move(language)), prompt_(Str(Sid::kEnterNewPassword)) {}

std::string PasswordChangeForm::caption() const { return std::string(Str(Sid::kPasswordChange)); }

void PasswordChangeForm::TextChanged(std::string_view utf8) {
  if (finished()) return;
  text_ = std::string(utf8);
  if (CharCount(text_) > static_cast<size_t>(kMaxLength)) {
    text_ = FirstChars(text_, kMaxLength);
    Ok();
  }
}

void PasswordChangeForm::Ok() {
  if (finished()) return;
  std::string entry = FromUtf8(text_, language_);
  if (!second_) {
    first_ = entry;
    second_ = true;
    text_.clear();
    prompt_ =
        std::string(Str(Sid::kEnterNewPassword)) + " " + std::string(Str(Sid::kPasswordAgain));
    return;
  }
  if (entry != first_) {
    result_ = Result::kNotChanged;
  } else {
    result_ = first_.empty() || first_.front() == ' ' ? Result::kDisabled : Result::kChanged;
  }
}

void PasswordChangeForm::Cancel() {
  if (!finished()) result_ = Result::kNotChanged;
}

bool CheckPassword(CZarimDoc& doc, PasswordForm::Mode mode, PasswordRunner& runner) {
  if (!PasswordIsSet(doc)) return true;
  PasswordForm form(FieldText(doc.header().first_name), doc.language_code, mode);
  runner.Run(form);
  form.Cancel();  // a dialog that returned without an end is a failure
  return form.accepted();
}

void ChangePassword(CZarimDoc& doc, PasswordRunner& runner) {
  if (!CheckPassword(doc, PasswordForm::Mode::kChange, runner)) return;
  PasswordChangeForm form(doc.language_code);
  runner.Run(form);
  form.Cancel();
  switch (form.result()) {
    case PasswordChangeForm::Result::kDisabled:
      SetPassword(doc, "");
      doc.prompter->Tell(Str(Sid::kPasswordDisabled));
      break;
    case PasswordChangeForm::Result::kChanged:
      SetPassword(doc, form.new_password());
      doc.prompter->Tell(Str(Sid::kPasswordChanged));
      break;
    default:
      doc.prompter->Tell(Str(Sid::kPasswordNotChanged));
      break;
  }
}

}  // namespace zarim
