// Starting xdg-email for one message.
#include "exchange/xdg_mailer.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

extern char** environ;

namespace zarim {

std::vector<std::string> XdgMailer::Arguments(const MailMessage& message) {
  std::vector<std::string> args{"--utf8"};
  for (const std::string& to : message.to) {
    if (to.empty()) continue;
    args.push_back("--to");
    args.push_back(to);
  }
  if (!message.subject.empty()) {
    args.push_back("--subject");
    args.push_back(message.subject);
  }
  if (!message.text.empty()) {
    args.push_back("--body");
    args.push_back(message.text);
  }
  if (!message.attachment.empty()) {
    args.push_back("--attach");
    args.push_back(message.attachment);
  }
  return args;
}

Mailer::Result XdgMailer::Send(const MailMessage& message) {
  std::vector<std::string> args = Arguments(message);
  args.insert(args.begin(), program_);
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, program_.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
    return Result::kNoService;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return Result::kFailed;
  }
  // 127: the program was found but could not be run.
  if (WIFEXITED(status) && WEXITSTATUS(status) == 127) return Result::kNoService;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? Result::kHandedOver : Result::kFailed;
}

}  // namespace zarim
