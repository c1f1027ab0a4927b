// Finding the captions a window shows cut: a label, button, tick box or frame narrower
// than its text needs, a wrapped label lower than its lines, or one lying partly outside
// the window. The tests run it over every dialog in every language the program ships;
// with ZARIM_CHECK_LAYOUT set in the environment, the program reports on standard error
// the cut captions of each dialog it shows (for translators trying their language).
#pragma once

#include <string>
#include <vector>

class QWidget;

namespace zarim {

// The cut captions of a shown window, one line each: the caption in quotes and what cuts
// it. The pages of its tab widgets are each brought to the front in turn.
std::vector<std::string> CutCaptions(QWidget* window);

// True when ZARIM_CHECK_LAYOUT asks for the report of each dialog shown.
bool CheckingLayout();

}  // namespace zarim
