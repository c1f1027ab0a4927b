// Access keys for a menu's captions.
#include "core/access_keys.h"

#include <cctype>
#include <set>

namespace zarim {
namespace {

// Position of the character after the access-key "&", or npos.
size_t KeyPosition(const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return i + 1;
    ++i;  // "&&"
  }
  return std::string::npos;
}

bool IsKeyChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }
char Folded(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

}  // namespace

std::vector<std::string> WithAccessKeys(std::vector<std::string> captions) {
  std::set<char> used;
  for (const std::string& c : captions)
    if (size_t p = KeyPosition(c); p != std::string::npos) used.insert(Folded(c[p]));
  for (std::string& caption : captions) {
    if (KeyPosition(caption) != std::string::npos) continue;
    size_t chosen = std::string::npos;
    for (bool word_start : {true, false}) {
      for (size_t i = 0; i < caption.size() && chosen == std::string::npos; ++i) {
        if (caption[i] == '&') {
          ++i;  // "&&" stands for itself
          continue;
        }
        const bool starts = i == 0 || !IsKeyChar(caption[i - 1]);
        if (IsKeyChar(caption[i]) && (starts || !word_start) && !used.count(Folded(caption[i])))
          chosen = i;
      }
    }
    if (chosen == std::string::npos) continue;
    used.insert(Folded(caption[chosen]));
    caption.insert(chosen, 1, '&');
  }
  return captions;
}

}  // namespace zarim
