#pragma once

namespace brenmark {

// The whole of brenmark-batch: parses the arguments, loads settings, modules,
// template and files from the program directory, then runs or previews the
// chain. Returns the process exit status (ExitCode).
int runBatchCommand(int argc, char *argv[]);

} // namespace brenmark
