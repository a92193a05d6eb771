#pragma once

#include <cstdint>
#include <string>

// A module built with the helper keeps everything that needs Qt Widgets (its
// options dialog, the message boxes of its buttons) in a companion library
// beside it: "name.widgets" for "name.so", not itself a module, since the
// host loads only "*.so". The companion is loaded the first time a window is
// wanted, so a module loaded only to process files (the command line) never
// brings Qt Widgets and Qt Gui with it. Both sides speak through the two C
// functions below; the companion defines them with BRENMARK_MODULE_WIDGETS
// (module_helper/WidgetsExports.h).

extern "C" {
// Edits the options block in the module's dialog over `parent` (a QWidget,
// may be null): 1 accepted (the block rewritten), 0 cancelled, -1 failed
// with the reason (UTF-8) written to `error`.
typedef int32_t (*BrenmarkWidgetsEdit)(void *parent, void *options, int32_t isNew, char *error,
                                       int32_t errorSize);
// A message box over the active window; 1 when a question is answered yes.
typedef int32_t (*BrenmarkWidgetsMessage)(int32_t kind, const char *title, const char *text);
}

namespace brenmark::sdk {

// Whether the host runs a widget application, so that windows can be shown.
bool canShowWindows();

// BrenmarkWidgetsEdit of the companion; throws ModuleError saying which
// file is missing or failed.
bool editInWidgetsPart(void *parent, void *options, bool isNew);

enum class MessageKind : std::int32_t { Information, Warning, Question, About };
// Shows a message when windows can be shown (false otherwise); for a
// question, whether it was answered yes. Throws ModuleError when the
// companion cannot be loaded.
bool showMessage(MessageKind kind, const std::string &title, const std::string &text);

} // namespace brenmark::sdk
