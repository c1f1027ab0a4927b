// Access keys for the entries of one menu: every caption gets an "&" letter, so each
// entry can be reached from the keyboard.
#pragma once

#include <string>
#include <vector>

namespace zarim {

// The captions with an access key added to each one that has none: before the first
// word-initial letter or digit no other caption of the list uses, else before any such
// character, else none. Captions are UTF-8: accented Latin, Greek and Cyrillic letters are
// keys too, and a capital and its small letter are one key. Keys already given stay; "&&"
// is a plain ampersand.
std::vector<std::string> WithAccessKeys(std::vector<std::string> captions);

}  // namespace zarim
