// Enter and Esc in a form: Enter clicks the form's default button, Esc its cancel
// button, when no control on the way took the key.
#pragma once

#include <QKeyEvent>

class TForm;

// Clicks the button that answers the key and returns true; false when the key is
// neither Enter nor Esc or no visible, enabled button answers it.
bool HandleDialogKey(TForm& Form, const QKeyEvent& Event);
