#pragma once

namespace brenmark {

// SIGINT and SIGTERM ask the run to stop, as the window's stop button does:
// the handler only records the signal, and the run tests it before each
// module call, so the call under way always finishes. A second signal of the
// same kind is no longer caught and ends the process at once, for a user who
// really wants out.
void installStopSignalHandlers();

// The signal number received since installation (or the last reset), 0 for none.
int stopSignalReceived();

void resetStopSignal();

} // namespace brenmark
