// Where the user guide is: "help/index.html" beside the program, else the installed or
// the source copy; in the program's language ("help/fr/index.html") where the guide is
// translated.
#pragma once

#include <string>

namespace zarim {

// The guide's page in the program's language, relative to the guide's folder.
std::string HelpFileName();
// The full path of the guide, empty when no copy exists.
std::string HelpFilePath();

}  // namespace zarim
