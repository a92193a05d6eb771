#pragma once

// The companion side of module_helper/WidgetsPart.h: one line
// BRENMARK_MODULE_WIDGETS(Options, Dialog) in a source of the companion
// library defines its two functions. Dialog is an OptionsDialog with a
// constructor (QWidget *parent, const Options &) and options().

#include "brenmark_module.h"
#include "module_helper/WidgetsPart.h"

#include <QDialog>
#include <QWidget>

#include <cstring>
#include <exception>

namespace brenmark::sdk {

// A message box over the active window (MessageKind as an integer).
int32_t showMessageBox(int32_t kind, const char *title, const char *text);

template <typename Options, typename Dialog>
int32_t editWithDialog(void *parent, void *block, char *error, int32_t errorSize)
{
    try {
        Options options;
        std::memcpy(&options, block, sizeof options);
        Dialog dialog(static_cast<QWidget *>(parent), options);
        if (dialog.exec() != QDialog::Accepted)
            return 0;
        options = dialog.options();
        std::memcpy(block, &options, sizeof options);
        return 1;
    } catch (const std::exception &failure) {
        if (error && errorSize > 0) {
            std::strncpy(error, failure.what(), size_t(errorSize) - 1);
            error[errorSize - 1] = '\0';
        }
        return -1;
    }
}

} // namespace brenmark::sdk

#define BRENMARK_MODULE_WIDGETS(Options, Dialog)                                                   \
    BRENMARK_EXPORT int32_t brenmark_widgets_edit(void *parent, void *options, int32_t, char *error, \
                                                  int32_t errorSize)                               \
    {                                                                                              \
        return ::brenmark::sdk::editWithDialog<Options, Dialog>(parent, options, error, errorSize); \
    }                                                                                              \
    BRENMARK_EXPORT int32_t brenmark_widgets_message(int32_t kind, const char *title, const char *text) \
    {                                                                                              \
        return ::brenmark::sdk::showMessageBox(kind, title, text);                                 \
    }
