#pragma once

// The optional C++ helper for module authors. A renaming module is a class
// derived from brenmark::sdk::RenamingModule<Options> plus one line
// BRENMARK_MODULE(TheClass) that defines the ten exports of
// brenmark_module.h. Link the target brenmark_module_helper (Qt Core only).
// The module's windows live in its companion library (WidgetsPart.h):
// an OptionsDialog subclass and one line BRENMARK_MODULE_WIDGETS(Options,
// Dialog) from module_helper/WidgetsExports.h, linked with
// brenmark_module_widgets.

#include "module_helper/Fields.h"
#include "module_helper/FileName.h"
#include "module_helper/ModuleAdapter.h"
#include "module_helper/ModuleError.h"
#include "module_helper/PreparedCache.h"
#include "module_helper/RenamingModule.h"
#include "module_helper/SafeRename.h"
#include "module_helper/Utf8.h"
#include "module_helper/WidgetsPart.h"
