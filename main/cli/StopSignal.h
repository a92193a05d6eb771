#pragma once

namespace brenmark {

// SIGINT and SIGTERM ask the run to stop, as the window's stop button does;
// the handler only counts them. The first lets the file under way go through
// the rest of its chain, so that no file is left half-way between its old and
// its new name; the second stops after the call under way; a third ends the
// process at once with the signal's default action, for a module that never
// returns.
void installStopSignalHandlers();

// The first signal's number since installation (or the last reset), 0 for none.
int stopSignalReceived();
// How many of them arrived.
int stopSignalCount();

void resetStopSignal();

} // namespace brenmark
