// The clipboard port: plain text handed to and taken from the platform's clipboard.
// The desktop program supplies QClipboard; tests supply a recorder.
#pragma once

#include <string>
#include <string_view>

namespace zarim {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual void SetText(std::string_view utf8) = 0;
  virtual std::string Text() const = 0;
};

// A clipboard held in memory: for the command line and the tests.
class MemoryClipboard : public Clipboard {
 public:
  void SetText(std::string_view utf8) override {
    text_ = std::string(utf8);
    ++writes;
  }
  std::string Text() const override { return text_; }
  int writes = 0;

 private:
  std::string text_;
};

}  // namespace zarim
