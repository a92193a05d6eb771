#pragma once

#include <stdexcept>

namespace brenmark::sdk {

// A failed module call. The text (UTF-8) is what the user is shown, so it
// says in Russian what went wrong and with which file.
class ModuleError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

} // namespace brenmark::sdk
