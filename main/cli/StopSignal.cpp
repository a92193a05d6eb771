#include "main/cli/StopSignal.h"

#include <csignal>

namespace brenmark {
namespace {

volatile std::sig_atomic_t g_stopSignal = 0;

void onStopSignal(int signal)
{
    g_stopSignal = signal;
}

} // namespace

void installStopSignalHandlers()
{
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    // Restarting keeps a module's interrupted read or write from failing with EINTR.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

int stopSignalReceived()
{
    return g_stopSignal;
}

void resetStopSignal()
{
    g_stopSignal = 0;
}

} // namespace brenmark
