#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace brenmark {

// The template to load at start: its file, and the cbProfile entry to select
// (-1: none matches, select nothing).
struct TemplateRestore
{
    QString path;
    int entryIndex = -1;
};

// With automatic saving on, the template named by "template" of "MAIN" in
// options.ini ("~autosave" when the file or key is missing or unreadable),
// when its file exists. Nothing otherwise: the caller then only rebuilds the
// preview. A recorded name that could lead out of the templates folder is
// not followed.
std::optional<TemplateRestore> templateToRestore(bool autosave, const QString &programDir,
                                                 const QStringList &templateEntries);

// What shut-down needs to know of the window.
struct ShutdownChainState
{
    bool autosave = true;  // chb_main_autosave
    int chainRows = 0;     // rows of lvActions
    int selectedEntry = -1; // cbProfile's current index
    QString selectedText;  // and its text
};

// The automatic save at exit. With automatic saving on and rows in the
// chain: when the chain matches no saved template (the empty entry, or no
// entry, selected) it is written by `saveTemplate` to Templates/~autosave.ptp
// and "~autosave" recorded; otherwise only the selected template's name is
// recorded. Nothing is written with automatic saving off or an empty chain.
// Failures to write options.ini are ignored; those of `saveTemplate` go up,
// and then nothing is recorded.
void autosaveChain(const ShutdownChainState &state, const QString &programDir,
                   const std::function<void(const QString &path)> &saveTemplate);

} // namespace brenmark
