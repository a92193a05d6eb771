#pragma once

#include <stdexcept>

namespace brenmark {

// A settings file that could not be written; the text is what the user sees.
class IniWriteError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

} // namespace brenmark
