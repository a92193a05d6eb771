#pragma once

#include "options/core/Settings.h"

namespace brenmark {

// Where the rest of the program reads the settings in force. The options
// dialog answers from its controls, so a setting acts as soon as the dialog
// is confirmed; headless code and tests use FixedSettings. Callers ask at the
// moment they need a value and keep no copy.
class SettingsSource
{
public:
    virtual ~SettingsSource() = default;
    virtual Settings settings() const = 0;
};

} // namespace brenmark
