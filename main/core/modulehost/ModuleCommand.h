#pragma once

#include <QString>

#include <vector>

namespace brenmark {

// One item of pmModules: a module's command button or a separator ("-")
// between the commands of two modules.
struct ModuleCommand
{
    bool isSeparator = false;
    QString caption;        // the button's caption (may be empty); "-" for a separator
    void *module = nullptr; // Tag: library handle; null for a separator
    int buttonNumber = -1;  // 0-based position in its own module's exportBtns array
    int imageIndex = -1;    // into imlModules; -1 = no image
};

// What a command item does when clicked (ModulesClick): looks clickBtn up in
// `module` and calls it with `buttonNumber`. Raises ModuleCallError when the
// module fails or faults, std::runtime_error (with the user's message) when
// it has no clickBtn.
void runModuleCommand(void *module, int buttonNumber);
inline void runModuleCommand(const ModuleCommand &item) { runModuleCommand(item.module, item.buttonNumber); }

} // namespace brenmark
