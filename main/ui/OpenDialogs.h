#pragma once

namespace brenmark {

// Whether a modal window (the program's or a module's) or a popup menu is
// up: the window behind it must not close while the dialog's loop runs.
bool openDialogsRunning();

// Ends every open modal window and popup menu as its Esc or close box would
// (a dialog with "rejected", a message box as if closed): the code that
// showed it goes on, and the loops return.
void endOpenDialogs();

} // namespace brenmark
