// The mail hand-off starts its program with an argument vector: what it receives, and
// the two failures the user is told about.
#include "exchange/xdg_mailer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "support/test_support.h"

namespace zarim::testing {
namespace {

std::string Script(const TempDir& dir, const char* name, const char* body) {
  const std::string path = dir.File(name);
  std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
  ::chmod(path.c_str(), 0755);
  return path;
}

TEST(XdgMailer, HandsEachArgumentOverUnchangedAndReportsFailures) {
  TempDir dir;
  const std::string args_file = dir.File("args");
  const std::string recorder = Script(
      dir, "mail-ok", ("for a in \"$@\"; do echo \"[$a]\"; done > '" + args_file + "'").c_str());
  MailMessage m{SplitRecipients("-x@evil.org; b@c.de"), "A - June - $(id)", "Text; `x`",
                dir.File("Group1.t09"), ""};
  EXPECT_EQ(XdgMailer(recorder).Send(m), Mailer::Result::kHandedOver);
  std::ifstream in(args_file);
  std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(all,
            "[--utf8]\n[--to]\n[-x@evil.org]\n[--to]\n[b@c.de]\n[--subject]\n"
            "[A - June - $(id)]\n[--body]\n[Text; `x`]\n[--attach]\n[" +
                dir.File("Group1.t09") + "]\n");

  EXPECT_EQ(XdgMailer(Script(dir, "mail-fails", "exit 4")).Send(m), Mailer::Result::kFailed);
  EXPECT_EQ(XdgMailer(dir.File("no-such-mailer")).Send(m), Mailer::Result::kNoService);

  ScriptedPrompter prompter;
  XdgMailer missing(dir.File("no-such-mailer"));
  EXPECT_FALSE(SendMail(missing, prompter, m));
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0], "Unable to load mail system support.");
}

}  // namespace
}  // namespace zarim::testing
