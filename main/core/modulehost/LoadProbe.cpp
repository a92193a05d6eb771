#include "main/core/modulehost/LoadProbe.h"

#include "main/core/modulehost/LoadProbeProtocol.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace brenmark {
namespace {

// A library's initialisers that take longer than this would freeze the host
// at every start just the same.
constexpr auto kLoadTimeLimit = std::chrono::seconds(5);

// Starts brenmark-probe on the libraries from `first` on, its reports going
// to `report`; -1 with errno set when it cannot be started.
pid_t startProbe(const std::string &helper, const std::vector<std::string> &paths, size_t first, int report)
{
    std::vector<char *> arguments {const_cast<char *>(helper.c_str())};
    for (size_t index = first; index < paths.size(); ++index)
        arguments.push_back(const_cast<char *>(paths[index].c_str()));
    arguments.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
    // dup2 clears close-on-exec on the copy, so the report (and not its
    // other end) survives the exec.
    posix_spawn_file_actions_adddup2(&actions, report, kLoadReportDescriptor);
    // What the libraries print while they load is printed again by the host.
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    // Its own process group: a Ctrl+C at the terminal is meant for the host,
    // and must not be taken for a library that killed the helper. Signals the
    // host ignores or blocks take their default action there.
    sigset_t all;
    sigset_t none;
    sigfillset(&all);
    sigdelset(&all, SIGKILL);
    sigdelset(&all, SIGSTOP);
    sigemptyset(&none);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

    pid_t child = -1;
    const int failure = posix_spawn(&child, helper.c_str(), &actions, &attributes, arguments.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (failure != 0) {
        errno = failure;
        return -1;
    }
    return child;
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

std::vector<LoadVerdict> probeLibraryLoading(const std::vector<std::string> &paths, const std::string &helper)
{
    std::vector<LoadVerdict> verdicts(paths.size());
    size_t next = 0;
    while (next < paths.size()) {
        int report[2];
        if (pipe2(report, O_CLOEXEC) != 0)
            break;
        const pid_t child = startProbe(helper, paths, next, report[1]);
        const int startError = errno;
        close(report[1]);
        if (child < 0) {
            close(report[0]);
            std::fprintf(stderr, "%s: не удалось запустить %s (%s): модули загружаются без проверки\n",
                         program_invocation_short_name, helper.c_str(), std::strerror(startError));
            break;
        }
        bool timedOut = false;
        // The helper's first report says it started; the others count libraries.
        const size_t reports = readReports(report[0], paths.size() - next + 1, timedOut);
        close(report[0]);
        if (timedOut)
            kill(child, SIGKILL);
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        if (reports == 0) {
            // It never got as far as loading anything: the helper itself is
            // broken (not executable, a library of its own missing).
            std::fprintf(stderr, "%s: %s завершился, не начав проверку: модули загружаются без проверки\n",
                         program_invocation_short_name, helper.c_str());
            break;
        }
        next += reports - 1;
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
