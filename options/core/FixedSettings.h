#pragma once

#include "options/core/SettingsSource.h"

namespace brenmark {

// Settings held as a plain value: for code that runs without the options
// dialog (command-line runs, tests).
class FixedSettings final : public SettingsSource
{
public:
    FixedSettings() = default;
    explicit FixedSettings(Settings settings) : m_settings(std::move(settings)) {}

    Settings settings() const override { return m_settings; }
    void setSettings(Settings settings) { m_settings = std::move(settings); }

private:
    Settings m_settings;
};

} // namespace brenmark
