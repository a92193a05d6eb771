#pragma once

#include <exception>

namespace brenmark {

// Runs a user command; an exception that leaves it goes to the general error handler
// (BrenmarkApplication::showError) here, before it could unwind through the toolkit.
template<typename Command>
void reportErrors(Command &&command);

void showCommandError(const std::exception &error);
void showUnknownCommandError();

template<typename Command>
void reportErrors(Command &&command)
{
    try {
        command();
    } catch (const std::exception &error) {
        showCommandError(error);
    } catch (...) {
        showUnknownCommandError();
    }
}

} // namespace brenmark
