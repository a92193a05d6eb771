#include "main/cli/BatchCommand.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    const int status = brenmark::runBatchCommand(argc, argv);
    // The modules are unloaded and every file is closed by now; what exit()
    // would add is the libraries' static destructors, several milliseconds of
    // Qt's for nothing a caller can see. Only the output must not be lost.
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(status);
}
