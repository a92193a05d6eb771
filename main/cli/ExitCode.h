#pragma once

namespace brenmark {

// The process exit status of brenmark-batch; documented for scripts.
enum class ExitCode : int {
    Done = 0,          // every call succeeded (or, in a dry run, no collision)
    CallsFailed = 1,   // the run finished but at least one module call failed
    NotAllReturned = 1, // --undo: some files could not be returned
    UsageError = 2,    // bad arguments, unreadable list or template, missing modules
    Collisions = 3,    // dry run only: two files would meet, or a target exists
    Interrupted = 130, // SIGINT or SIGTERM stopped the run
};

inline int exitStatus(ExitCode code)
{
    return static_cast<int>(code);
}

} // namespace brenmark
