#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>

namespace brenmark {

// A module call that failed: a C++ exception left the export, or the call
// raised a fault (SIGSEGV, SIGBUS, SIGFPE, SIGILL, or SIGABRT raised by the
// process itself, as abort() does). The text is what the user is shown: the
// module's own message, or for a fault one naming the module's library file.
class ModuleCallError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A call into a module, borrowed for the length of the guard: neither copied
// nor allocated, whatever it captures, since the preview and the run make
// one per file and module.
class ModuleCall
{
public:
    template<typename Call, typename = std::enable_if_t<!std::is_same_v<std::decay_t<Call>, ModuleCall>>>
    ModuleCall(Call &&call)
        : m_call(const_cast<void *>(static_cast<const void *>(std::addressof(call))))
        , m_invoke([](void *borrowed) { (*static_cast<std::remove_reference_t<Call> *>(borrowed))(); })
    {
    }

    void operator()() const { m_invoke(m_call); }

private:
    void *m_call;
    void (*m_invoke)(void *);
};

// Runs `call` (which calls into `module`, a library handle) so that a fault or
// exception inside it becomes a ModuleCallError instead of taking the host
// down. Guards nest. After a fault the signal mask is the one from before the
// call, and the module's own state may be damaged; the host only treats the
// call as failed. While the call runs, activeModuleCalls() counts it.
void guardModuleCall(void *module, ModuleCall call);
// The same for a call whose module is not known; messages then name none.
void guardModuleCall(ModuleCall call);

// Module calls under way on this thread (a module's dialog or its processing
// of window events may run host code inside one). No module may be unloaded
// while this is not 0.
int activeModuleCalls();

} // namespace brenmark
