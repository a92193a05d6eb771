#include "main/core/modulehost/ModuleCallGuard.h"

#include <csetjmp>
#include <csignal>
#include <cstring>
#include <exception>
#include <mutex>
#include <vector>

namespace brenmark {
namespace {

constexpr int kGuardedSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL};

// The innermost active guard's jump target on this thread; null outside guards.
thread_local sigjmp_buf *t_activeGuard = nullptr;

void onFault(int signal)
{
    if (t_activeGuard)
        siglongjmp(*t_activeGuard, signal);
    // A fault outside any module call is the host's own: die as we would have.
    std::signal(signal, SIG_DFL);
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
        action.sa_handler = onFault;
        // NODEFER keeps the signal unblocked after the jump, so sigsetjmp need not
        // save the mask (a system call) on every guarded call.
        action.sa_flags = SA_NODEFER | SA_ONSTACK;
        sigemptyset(&action.sa_mask);
        for (int signal : kGuardedSignals)
            sigaction(signal, &action, nullptr);
    });
}

std::string faultText(int signal)
{
    const char *name = strsignal(signal);
    return std::string("Модуль вызвал сбой: ") + (name ? name : "signal " + std::to_string(signal));
}

} // namespace

void guardModuleCall(ModuleCall call)
{
    installHandlersOnce();
    sigjmp_buf guard;
    sigjmp_buf *outer = t_activeGuard;
    // Leaving the module, by any way: the outer guard takes over again.
    auto leave = [outer] { t_activeGuard = outer; };
    if (int signal = sigsetjmp(guard, 0)) {
        leave();
        throw ModuleCallError(faultText(signal));
    }
    t_activeGuard = &guard;
    try {
        call();
    } catch (const std::exception &error) {
        leave();
        throw ModuleCallError(error.what());
    } catch (...) {
        leave();
        throw ModuleCallError("Модуль сообщил об ошибке");
    }
    leave();
}

} // namespace brenmark
