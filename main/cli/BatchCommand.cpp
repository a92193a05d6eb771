#include "main/cli/BatchCommand.h"

#include "main/cli/CommandLine.h"
#include "main/cli/ExitCode.h"

#include <cstdio>
#include <string>
#include <vector>

namespace brenmark {

int runBatchCommand(int argc, char *argv[])
{
    CommandLine commandLine;
    try {
        commandLine = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError &error) {
        std::fprintf(stderr, "brenmark-batch: %s\nПодробнее: brenmark-batch --help\n", error.what());
        return exitStatus(ExitCode::UsageError);
    }
    if (commandLine.help) {
        std::fputs(usageText().c_str(), stdout);
        return exitStatus(ExitCode::Done);
    }
    if (commandLine.version) {
        std::printf("brenmark-batch %s\n", BRENMARK_VERSION);
        return exitStatus(ExitCode::Done);
    }
    return exitStatus(ExitCode::UsageError);
}

} // namespace brenmark
