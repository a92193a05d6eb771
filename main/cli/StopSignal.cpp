#include "main/cli/StopSignal.h"

#include <csignal>
#include <unistd.h>

namespace brenmark {
namespace {

volatile std::sig_atomic_t g_stopSignal = 0;
volatile std::sig_atomic_t g_stopCount = 0;

constexpr int kSignalsToEndAtOnce = 3;

void onStopSignal(int signal)
{
    if (!g_stopSignal)
        g_stopSignal = signal;
    g_stopCount = g_stopCount + 1;
    if (g_stopCount < kSignalsToEndAtOnce)
        return;
    // Only async-signal-safe calls from here on.
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal);
    sigprocmask(SIG_UNBLOCK, &only, nullptr);
    raise(signal);
    _exit(128 + signal);
}

} // namespace

void installStopSignalHandlers()
{
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    // Restarting keeps a module's interrupted read or write from failing with EINTR.
    action.sa_flags = SA_RESTART;
    // One handler at a time, so that the count is exact.
    sigemptyset(&action.sa_mask);
    sigaddset(&action.sa_mask, SIGINT);
    sigaddset(&action.sa_mask, SIGTERM);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

int stopSignalReceived()
{
    return g_stopSignal;
}

int stopSignalCount()
{
    return g_stopCount;
}

void resetStopSignal()
{
    g_stopSignal = 0;
    g_stopCount = 0;
}

} // namespace brenmark
