#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>

namespace brenmark {

// A module call that failed: a C++ exception left the export, or the call
// raised a memory fault (SIGSEGV, SIGBUS, SIGFPE, SIGILL). The text is what
// the user is shown.
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

// Runs `call` (which calls into a module) so that a fault or exception inside
// it becomes a ModuleCallError instead of taking the host down. Guards nest.
// After a fault the module's own state may be damaged; the host only treats
// the call as failed.
void guardModuleCall(ModuleCall call);

} // namespace brenmark
