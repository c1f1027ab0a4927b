// The password check and change: the state machine of "Password Required" (13 and 14
// characters, the second wrong attempt) and the "Password Change" flow.
#include "core/password_form.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>

#include "core/bytes.h"
#include "core/document.h"
#include "core/password.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using Mode = PasswordForm::Mode;
using State = PasswordForm::State;

// Types text character by character, as the text box reports each change.
void Type(PasswordForm& form, const std::string& text) {
  for (size_t i = 1; i <= text.size() && !form.finished(); ++i) form.TextChanged(text.substr(0, i));
}

TEST(PasswordForm, PromptsByMode) {
  PasswordForm start("secret", "eng", Mode::kStart);
  EXPECT_EQ(start.caption(), "Password Required");
  EXPECT_EQ(start.prompt(), "Please Enter Password");
  PasswordForm change("secret", "eng", Mode::kChange);
  EXPECT_EQ(change.prompt(), "Please Enter Old Password");
}

TEST(PasswordForm, ClosesWithSuccessTheMomentTheTextEqualsThePassword) {
  PasswordForm form("Abc", "eng", Mode::kStart);
  form.TextChanged("A");
  form.TextChanged("Ab");
  EXPECT_EQ(form.state(), State::kOpen);
  form.TextChanged("Abc");
  EXPECT_EQ(form.state(), State::kAccepted);
}

TEST(PasswordForm, ComparisonIsCaseSensitive) {
  PasswordForm form("Abc", "eng", Mode::kStart);
  Type(form, "abc");
  EXPECT_EQ(form.state(), State::kOpen);
}

TEST(PasswordForm, FirstWrongOkWarnsAndAnyFurtherChangeFails) {
  PasswordForm form("secret", "eng", Mode::kStart);
  Type(form, "wrong");
  form.Ok();
  EXPECT_EQ(form.state(), State::kOpen);
  EXPECT_EQ(form.prompt(), "Sorry, Invalid Password ...");
  form.TextChanged("wrong2");
  EXPECT_EQ(form.state(), State::kRefused);
}

TEST(PasswordForm, AfterTheWarningTheRightTextStillSucceeds) {
  PasswordForm form("secret", "eng", Mode::kStart);
  form.Ok();
  form.TextChanged("secret");  // pasted whole
  EXPECT_EQ(form.state(), State::kAccepted);
}

TEST(PasswordForm, SecondOkFails) {
  PasswordForm form("secret", "eng", Mode::kStart);
  form.Ok();
  form.Ok();
  EXPECT_EQ(form.state(), State::kRefused);
}

TEST(PasswordForm, ThirteenCharactersAreEnteredAndAFourteenthIsAWrongAttempt) {
  const std::string thirteen = "abcdefghijklm";
  PasswordForm ok(thirteen, "eng", Mode::kStart);
  Type(ok, thirteen);
  EXPECT_EQ(ok.state(), State::kAccepted);

  PasswordForm over("short", "eng", Mode::kStart);
  Type(over, thirteen);
  EXPECT_EQ(over.state(), State::kOpen);
  over.TextChanged(thirteen + "n");
  EXPECT_EQ(over.state(), State::kOpen);
  EXPECT_EQ(over.prompt(), "Sorry, Invalid Password ...");
  over.Ok();
  EXPECT_EQ(over.state(), State::kRefused);
}

TEST(PasswordForm, CancelFailsAndNothingChangesAfterTheEnd) {
  PasswordForm form("secret", "eng", Mode::kStart);
  form.Cancel();
  EXPECT_EQ(form.state(), State::kRefused);
  form.TextChanged("secret");
  EXPECT_EQ(form.state(), State::kRefused);
}

TEST(PasswordForm, TypedTextIsComparedInTheRecordsCodePage) {
  PasswordForm form("caf\xe9", "eng", Mode::kStart);  // windows-1252 e acute
  form.TextChanged("caf\xc3\xa9");                    // typed as UTF-8
  EXPECT_EQ(form.state(), State::kAccepted);
}

TEST(PasswordChangeForm, TwoEqualEntriesChangeThePassword) {
  PasswordChangeForm form("eng");
  EXPECT_EQ(form.caption(), "Password Change");
  EXPECT_EQ(form.prompt(), "Please Enter New Password\nor Blank to Disable");
  form.TextChanged("newpass");
  form.Ok();
  EXPECT_EQ(form.text(), "");
  EXPECT_EQ(form.prompt(), "Please Enter New Password\nor Blank to Disable again.");
  EXPECT_FALSE(form.finished());
  form.TextChanged("newpass");
  form.Ok();
  EXPECT_EQ(form.result(), PasswordChangeForm::Result::kChanged);
  EXPECT_EQ(form.new_password(), "newpass");
}

TEST(PasswordChangeForm, AFourteenthCharacterCutsToThirteenAndActsAsOk) {
  PasswordChangeForm form("eng");
  form.TextChanged("abcdefghijklmn");
  EXPECT_EQ(form.text(), "");  // the first OK cleared the box
  form.TextChanged("abcdefghijklmX");
  EXPECT_EQ(form.result(), PasswordChangeForm::Result::kChanged);
  EXPECT_EQ(form.new_password(), "abcdefghijklm");
}

TEST(PasswordChangeForm, BlankOrLeadingBlankDisablesAndDifferentEntriesDoNot) {
  struct Case {
    std::string first, second;
    PasswordChangeForm::Result result;
  };
  const Case cases[] = {
      {"", "", PasswordChangeForm::Result::kDisabled},
      {" lead", " lead", PasswordChangeForm::Result::kDisabled},
      {"one", "two", PasswordChangeForm::Result::kNotChanged},
      {"one", "", PasswordChangeForm::Result::kNotChanged},
  };
  for (const Case& c : cases) {
    PasswordChangeForm form("eng");
    form.TextChanged(c.first);
    form.Ok();
    form.TextChanged(c.second);
    form.Ok();
    EXPECT_EQ(form.result(), c.result) << "'" << c.first << "' then '" << c.second << "'";
  }
}

// Plays a script of actions on whichever form the flow shows.
class ScriptedRunner : public PasswordRunner {
 public:
  std::deque<std::function<void(PasswordForm&)>> checks;
  std::deque<std::function<void(PasswordChangeForm&)>> changes;
  int shown = 0;
  void Run(PasswordForm& form) override {
    ++shown;
    if (!checks.empty()) {
      checks.front()(form);
      checks.pop_front();
    }
  }
  void Run(PasswordChangeForm& form) override {
    ++shown;
    if (!changes.empty()) {
      changes.front()(form);
      changes.pop_front();
    }
  }
};

class PasswordFlow : public ::testing::Test {
 protected:
  PasswordFlow() : doc_(&prompter_) { testing::StartEmpty(doc_, Date{2024, 3, 10}, dir_.path()); }
  testing::TempDir dir_;
  testing::ScriptedPrompter prompter_;
  CZarimDoc doc_;
  ScriptedRunner runner_;
};

TEST_F(PasswordFlow, NoPasswordSucceedsWithoutADialog) {
  EXPECT_TRUE(CheckPassword(doc_, Mode::kStart, runner_));
  EXPECT_EQ(runner_.shown, 0);
}

TEST_F(PasswordFlow, ADialogClosedWithoutAnEndIsAFailure) {
  SetPassword(doc_, "secret");
  runner_.checks.push_back([](PasswordForm&) {});
  EXPECT_FALSE(CheckPassword(doc_, Mode::kStart, runner_));
}

TEST_F(PasswordFlow, ChangeAsksOldThenNewTwiceAndTells) {
  SetPassword(doc_, "old");
  doc_.modified = 0;
  runner_.checks.push_back([](PasswordForm& f) { Type(f, "old"); });
  runner_.changes.push_back([](PasswordChangeForm& f) {
    f.TextChanged("fresh");
    f.Ok();
    f.TextChanged("fresh");
    f.Ok();
  });
  ChangePassword(doc_, runner_);
  EXPECT_EQ(FieldText(doc_.header().first_name), "fresh");
  ASSERT_EQ(prompter_.messages.size(), 1u);
  EXPECT_EQ(prompter_.messages[0], "Password has been changed.");
}

TEST_F(PasswordFlow, ChangeToBlankDisables) {
  SetPassword(doc_, "old");
  runner_.checks.push_back([](PasswordForm& f) { Type(f, "old"); });
  runner_.changes.push_back([](PasswordChangeForm& f) {
    f.Ok();
    f.Ok();
  });
  ChangePassword(doc_, runner_);
  EXPECT_FALSE(PasswordIsSet(doc_));
  EXPECT_EQ(prompter_.messages.back(), "Password has been disabled.");
}

TEST_F(PasswordFlow, WrongOldPasswordChangesNothingWithoutAMessage) {
  SetPassword(doc_, "old");
  doc_.modified = 0;
  runner_.checks.push_back([](PasswordForm& f) {
    f.Ok();
    f.Ok();
  });
  ChangePassword(doc_, runner_);
  EXPECT_EQ(FieldText(doc_.header().first_name), "old");
  EXPECT_FALSE(doc_.modified);
  EXPECT_TRUE(prompter_.messages.empty());
  EXPECT_EQ(runner_.shown, 1);
}

TEST_F(PasswordFlow, MismatchOrCloseTellsNotChanged) {
  runner_.changes.push_back([](PasswordChangeForm& f) {
    f.TextChanged("a");
    f.Ok();
    f.TextChanged("b");
    f.Ok();
  });
  runner_.changes.push_back([](PasswordChangeForm& f) { f.Cancel(); });
  doc_.modified = 0;
  ChangePassword(doc_, runner_);
  ChangePassword(doc_, runner_);
  EXPECT_EQ(prompter_.messages,
            (std::vector<std::string>{"Password NOT changed.", "Password NOT changed."}));
  EXPECT_FALSE(doc_.modified);
  EXPECT_FALSE(PasswordIsSet(doc_));
}

}  // namespace
}  // namespace zarim
