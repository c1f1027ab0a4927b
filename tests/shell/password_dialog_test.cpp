// The password dialogs bound to their forms: typing the password accepts, two OKs refuse,
// Esc refuses, and the change dialog cuts a 14th character and asks again.
#include "shell/dialogs/password_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "core/password_form.h"

namespace zarim {
namespace {

TEST(PasswordDialog, TypingThePasswordAccepts) {
  PasswordForm form("secret", "eng", PasswordForm::Mode::kStart);
  PasswordDialog dialog(form);
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), "Password Required");
  EXPECT_EQ(dialog.prompt()->text().remove(u'&'), "Please Enter Password");  // may carry a key
  EXPECT_EQ(dialog.edit()->echoMode(), QLineEdit::Password);
  EXPECT_FALSE(dialog.edit()->accessibleName().isEmpty());
  QTest::keyClicks(dialog.edit(), "secret");
  EXPECT_TRUE(form.accepted());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(dialog.isVisible());
}

TEST(PasswordDialog, TwoOksRefuseAfterTheWarning) {
  PasswordForm form("secret", "eng", PasswordForm::Mode::kChange);
  PasswordDialog dialog(form);
  dialog.show();
  EXPECT_EQ(dialog.prompt()->text().remove(u'&'), "Please Enter Old Password");
  QTest::keyClicks(dialog.edit(), "guess");
  QTest::keyClick(dialog.edit(), Qt::Key_Return);  // Enter presses the default OK
  EXPECT_EQ(dialog.prompt()->text(), "Sorry, Invalid Password ...");
  EXPECT_TRUE(dialog.isVisible());
  dialog.ok_button()->click();
  EXPECT_EQ(form.state(), PasswordForm::State::kRefused);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST(PasswordDialog, EscapeRefuses) {
  PasswordForm form("secret", "eng", PasswordForm::Mode::kStart);
  PasswordDialog dialog(form);
  dialog.show();
  QTest::keyClick(dialog.edit(), Qt::Key_Escape);
  EXPECT_EQ(form.state(), PasswordForm::State::kRefused);
  EXPECT_FALSE(dialog.isVisible());
}

TEST(PasswordDialog, TheFourteenthCharacterEndsTheFirstAttempt) {
  PasswordForm form("secret", "eng", PasswordForm::Mode::kStart);
  PasswordDialog dialog(form);
  dialog.show();
  QTest::keyClicks(dialog.edit(), "abcdefghijklmn");
  EXPECT_EQ(dialog.prompt()->text(), "Sorry, Invalid Password ...");
  QTest::keyClicks(dialog.edit(), "x");  // the box is full: no change, still open
  EXPECT_TRUE(dialog.isVisible());
  QTest::keyClick(dialog.edit(), Qt::Key_Backspace);
  EXPECT_EQ(form.state(), PasswordForm::State::kRefused);
}

TEST(PasswordChangeDialog, AFourteenthCharacterActsAsOkAndTheBoxIsCleared) {
  PasswordChangeForm form("eng");
  PasswordDialog dialog(form);
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), "Password Change");
  QTest::keyClicks(dialog.edit(), "abcdefghijklmn");
  EXPECT_EQ(dialog.edit()->text(), "");
  EXPECT_EQ(dialog.prompt()->text(), "Please Enter New Password\nor Blank to Disable again.");
  QTest::keyClicks(dialog.edit(), "abcdefghijklm");
  dialog.ok_button()->click();
  EXPECT_EQ(form.result(), PasswordChangeForm::Result::kChanged);
  EXPECT_EQ(form.new_password(), "abcdefghijklm");
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace zarim
