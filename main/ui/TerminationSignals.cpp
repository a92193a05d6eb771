#include "main/ui/TerminationSignals.h"

#include <QPointer>
#include <QSocketNotifier>
#include <QWidget>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace brenmark {

namespace {

// How long the ordinary close may take before the program ends at once.
constexpr unsigned kGraceSeconds = 5;

int g_signalPipe[2] = {-1, -1};
volatile std::sig_atomic_t g_firstSignal = 0;

// Everything here runs in a signal handler: only async-signal-safe calls.
[[noreturn]] void endWithDefaultAction(int signal)
{
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal);
    // A module may have blocked it; the handler itself blocks it too.
    ::sigprocmask(SIG_UNBLOCK, &only, nullptr);
    ::raise(signal);
    ::_exit(128 + signal);
}

void onGraceOver(int)
{
    endWithDefaultAction(g_firstSignal);
}

void onTerminationSignal(int signal)
{
    if (g_firstSignal)
        endWithDefaultAction(signal);
    g_firstSignal = signal;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[0], &byte, 1);
    // Whatever keeps the close from happening (a module that never returns,
    // and so no event loop that reads the pipe) cannot keep the program alive.
    // The alarm is taken only now: until then it is the modules' to use.
    struct sigaction grace = {};
    grace.sa_handler = onGraceOver;
    sigemptyset(&grace.sa_mask);
    ::sigaction(SIGALRM, &grace, nullptr);
    ::alarm(kGraceSeconds);
}

} // namespace

void closeOnTerminationSignals(QWidget *window)
{
    if (g_signalPipe[0] >= 0)
        return;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_signalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(g_signalPipe[1], QSocketNotifier::Read, window);
    QPointer<QWidget> target(window);
    QObject::connect(notifier, &QSocketNotifier::activated, window, [target] {
        char bytes[16];
        while (::read(g_signalPipe[1], bytes, sizeof bytes) > 0) {
        }
        // The window's close ends open dialogs and waits for module calls.
        if (target)
            target->close();
    });
    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    // Either signal is blocked while the other's handler runs, so two at
    // once are still a first and a second.
    sigaddset(&action.sa_mask, SIGTERM);
    sigaddset(&action.sa_mask, SIGINT);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}

} // namespace brenmark
