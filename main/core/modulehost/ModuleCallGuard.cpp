#include "main/core/modulehost/ModuleCallGuard.h"

#include "main/core/modulehost/ModuleLibrary.h"

#include <csetjmp>
#include <csignal>
#include <cstring>
#include <exception>
#include <mutex>
#include <unistd.h>
#include <vector>

namespace brenmark {
namespace {

constexpr int kGuardedSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};

// The innermost active guard's jump target on this thread; null outside guards.
thread_local sigjmp_buf *t_activeGuard = nullptr;
// Module calls under way on this thread, nested ones counted each.
thread_local int t_activeCalls = 0;

// A SIGABRT is the module's only when this process raised it (abort() or
// raise()); one sent by another process is no fault of the call under way.
bool raisedHere(int signal, const siginfo_t *info)
{
    return signal != SIGABRT || (info && info->si_pid == getpid());
}

void onFault(int signal, siginfo_t *info, void *)
{
    if (t_activeGuard && raisedHere(signal, info))
        siglongjmp(*t_activeGuard, signal);
    // A fault outside any module call is the host's own: die as we would have.
    // A fault recurs on return; an abort is raised again, to arrive on return.
    std::signal(signal, SIG_DFL);
    if (signal == SIGABRT)
        raise(signal);
}

void installHandlersOnce()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // A module that overflows its stack faults on a stack we can still run on.
        static std::vector<char> alternateStack(1 << 16);
        stack_t stack {};
        stack.ss_sp = alternateStack.data();
        stack.ss_size = alternateStack.size();
        sigaltstack(&stack, nullptr);

        struct sigaction action {};
        action.sa_sigaction = onFault;
        action.sa_flags = SA_SIGINFO | SA_ONSTACK;
        sigemptyset(&action.sa_mask);
        for (int signal : kGuardedSignals)
            sigaction(signal, &action, nullptr);
    });
}

std::string moduleName(void *module)
{
    const std::string name = module ? moduleFileName(module) : std::string();
    return name.empty() ? std::string("Модуль") : "Модуль " + name;
}

std::string faultText(void *module, int signal)
{
    const char *name = strsignal(signal);
    return moduleName(module) + " вызвал сбой: " + (name ? name : "signal " + std::to_string(signal));
}

} // namespace

void guardModuleCall(void *module, ModuleCall call)
{
    installHandlersOnce();
    sigjmp_buf guard;
    sigjmp_buf *outer = t_activeGuard;
    // Leaving the module, by any way: the outer guard takes over again.
    auto leave = [outer] {
        t_activeGuard = outer;
        --t_activeCalls;
    };
    // The mask is saved so that a jump out of the handler restores it: the
    // faulting signal is unblocked again, and so is whatever the module blocked
    // (SIGINT, SIGTERM) before it faulted.
    if (int signal = sigsetjmp(guard, 1)) {
        leave();
        throw ModuleCallError(faultText(module, signal));
    }
    t_activeGuard = &guard;
    ++t_activeCalls;
    try {
        call();
    } catch (const std::exception &error) {
        leave();
        throw ModuleCallError(error.what());
    } catch (...) {
        leave();
        throw ModuleCallError(moduleName(module) + " сообщил об ошибке");
    }
    leave();
}

void guardModuleCall(ModuleCall call)
{
    guardModuleCall(nullptr, call);
}

int activeModuleCalls()
{
    return t_activeCalls;
}

} // namespace brenmark
