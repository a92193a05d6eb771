// brenmark-probe: loads the module libraries named on its command line, in
// order, so that the program learns which of them take a process down while
// they load (see LoadProbe). A fresh process of its own, started by exec:
// a forked copy of the running program would inherit locks that its other
// threads held at the fork, and a library's initialisers taking one of them
// would hang for no fault of their own.
//
// Writes one byte to descriptor 3 when it has started and one for each
// library that loaded or failed to load; the host knows by the count where
// it stopped. The host starts it in its own process group, with default
// signal actions, an empty signal mask and its output sent to /dev/null.
#include "main/core/modulehost/LoadProbeProtocol.h"
#include "main/core/modulehost/ModuleLibrary.h"

#include <unistd.h>

namespace {

bool report()
{
    const char done = 1;
    return write(brenmark::kLoadReportDescriptor, &done, 1) == 1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (!report())
        return 2;
    for (int index = 1; index < argc; ++index) {
        // Kept loaded: unloading would run code the host never runs here.
        static_cast<void>(brenmark::ModuleLibrary::open(argv[index]).release());
        if (!report())
            _exit(2);
    }
    // Without exit handlers: the libraries stay as loading left them.
    _exit(0);
}
