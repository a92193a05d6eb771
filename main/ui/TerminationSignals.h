#pragma once

class QWidget;

namespace brenmark {

// SIGTERM and SIGINT close `window` the ordinary way (so the chain is saved and the
// modules unloaded) instead of killing the process, also while a dialog of the
// program or of a module is open. The signal handler only writes to a pipe; the
// window is closed from whichever event loop runs. When the program has not
// ended a few seconds after the first signal (a module that never returns), or
// at a second SIGTERM or SIGINT, it ends at once with the signal's default action.
void closeOnTerminationSignals(QWidget *window);

} // namespace brenmark
