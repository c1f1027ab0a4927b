// Access keys for the controls of a dialog that have none: every check box, radio button
// and field label (a label that names a field) can be reached with Alt and a letter.
#pragma once

class QWidget;

namespace zarim {

// Gives each check box, radio button and field label of the window that has no access key
// one no other control of the window uses (the keys of buttons and tabs stay as they are).
void GiveControlAccessKeys(QWidget* window);

}  // namespace zarim
