// Where the user guide is: "help/index.html" beside the program, else the installed or
// the source copy.
#pragma once

#include <string>

namespace zarim {

std::string HelpFileName();
// The full path of the guide, empty when no copy exists.
std::string HelpFilePath();

}  // namespace zarim
