// The mail hand-off of the desktop: xdg-email opens the user's mail program with the
// message filled in. zarim-cli and the desktop program both use it.
#pragma once

#include <string>
#include <vector>

#include "core/desktop_ports.h"

namespace zarim {

class XdgMailer : public Mailer {
 public:
  // program: the name looked up in PATH (tests name a stand-in).
  explicit XdgMailer(std::string program = "xdg-email") : program_(std::move(program)) {}

  // Runs the program with an argument vector, never through a shell: every recipient
  // follows "--to", so an address that begins with "-" stays an address. kNoService when
  // the program cannot be started, kFailed when it ends with a non-zero status.
  Result Send(const MailMessage& message) override;

  // The argument vector for message (without the program's name).
  static std::vector<std::string> Arguments(const MailMessage& message);

 private:
  std::string program_;
};

}  // namespace zarim
