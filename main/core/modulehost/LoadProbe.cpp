#include "main/core/modulehost/LoadProbe.h"

#include "main/core/modulehost/ModuleLibrary.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace brenmark {
namespace {

// A library's initialisers that take longer than this would freeze the host
// at every start just the same.
constexpr auto kLoadTimeLimit = std::chrono::seconds(5);

// The child: loads the libraries from `first` on and reports each one that
// loaded (or failed to load) with one byte. It never returns.
[[noreturn]] void probeInChild(const std::vector<std::string> &paths, size_t first, int report)
{
    // Its own process group: a Ctrl+C at the terminal is meant for the host,
    // and must not be taken for a library that killed the child.
    setpgid(0, 0);
    // The host's handlers (module call guard, closing on signals) have no
    // business here: every signal takes its default action.
    for (int signal = 1; signal < NSIG; ++signal) {
        if (signal != SIGKILL && signal != SIGSTOP)
            std::signal(signal, SIG_DFL);
    }
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    // What the libraries print while they load is printed again by the host.
    if (int null = open("/dev/null", O_WRONLY); null >= 0) {
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
    }
    for (size_t index = first; index < paths.size(); ++index) {
        // Kept loaded: unloading would run code the host never runs here.
        static_cast<void>(ModuleLibrary::open(paths[index]).release());
        const char done = 1;
        if (write(report, &done, 1) != 1)
            _exit(2);
    }
    _exit(0);
}

std::string endOfChild(int status)
{
    if (WIFSIGNALED(status)) {
        const char *name = strsignal(WTERMSIG(status));
        return std::string("загрузка обрушивает процесс (") + (name ? name : "сигнал") + ")";
    }
    if (WIFEXITED(status))
        return "загрузка завершает процесс (код " + std::to_string(WEXITSTATUS(status)) + ")";
    return "загрузка обрывает процесс";
}

// How many reports arrive from `report` before it closes or a library takes
// longer than the limit; `timedOut` tells which.
size_t readReports(int report, size_t expected, bool &timedOut)
{
    using Clock = std::chrono::steady_clock;
    size_t reports = 0;
    auto deadline = Clock::now() + kLoadTimeLimit;
    timedOut = false;
    while (reports < expected) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            timedOut = true;
            return reports;
        }
        pollfd waiting {report, POLLIN, 0};
        const int ready = poll(&waiting, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            return reports;
        if (ready == 0)
            continue;
        char bytes[64];
        const ssize_t got = read(report, bytes, sizeof bytes);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return reports;
        reports += static_cast<size_t>(got);
        deadline = Clock::now() + kLoadTimeLimit;
    }
    return reports;
}

} // namespace

std::vector<LoadVerdict> probeLibraryLoading(const std::vector<std::string> &paths)
{
    std::vector<LoadVerdict> verdicts(paths.size());
    size_t next = 0;
    while (next < paths.size()) {
        int report[2];
        if (pipe2(report, O_CLOEXEC) != 0)
            break;
        // The child must not write out what the host has buffered.
        std::fflush(nullptr);
        const pid_t child = fork();
        if (child < 0) {
            close(report[0]);
            close(report[1]);
            break;
        }
        if (child == 0)
            probeInChild(paths, next, report[1]);
        close(report[1]);
        bool timedOut = false;
        const size_t loaded = readReports(report[0], paths.size() - next, timedOut);
        close(report[0]);
        if (timedOut)
            kill(child, SIGKILL);
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        next += loaded;
        if (next >= paths.size())
            break;
        verdicts[next].safe = false;
        verdicts[next].reason = timedOut ? "загрузка не кончилась за "
                                               + std::to_string(std::chrono::seconds(kLoadTimeLimit).count()) + " с"
                                         : endOfChild(status);
        ++next;
    }
    return verdicts;
}

} // namespace brenmark
