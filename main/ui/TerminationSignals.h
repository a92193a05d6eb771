#pragma once

class QWidget;

namespace brenmark {

// SIGTERM and SIGINT close `window` the ordinary way (so the chain is saved and the
// modules unloaded) instead of killing the process. The signal handler only writes
// to a pipe; the window is closed from the event loop.
void closeOnTerminationSignals(QWidget *window);

} // namespace brenmark
