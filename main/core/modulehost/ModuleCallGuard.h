#pragma once

#include <functional>
#include <stdexcept>
#include <string>

namespace brenmark {

// A module call that failed: a C++ exception left the export, or the call
// raised a memory fault (SIGSEGV, SIGBUS, SIGFPE, SIGILL). The text is what
// the user is shown.
class ModuleCallError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Runs `call` (which calls into a module) so that a fault or exception inside
// it becomes a ModuleCallError instead of taking the host down. Guards nest.
// After a fault the module's own state may be damaged; the host only treats
// the call as failed.
void guardModuleCall(const std::function<void()> &call);

} // namespace brenmark
