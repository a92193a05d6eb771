#pragma once

// The optional C++ helper for module authors. A renaming module is a class
// derived from brenmark::sdk::RenamingModule<Options> plus one line
// BRENMARK_MODULE(TheClass) that defines the exports of
// brenmark_module.h; OptionsDialog is the frame of its options dialog.
// Link the target brenmark_module_helper (and Qt6::Widgets).

#include "module_helper/Counter.h"
#include "module_helper/Fields.h"
#include "module_helper/FileName.h"
#include "module_helper/ModuleAdapter.h"
#include "module_helper/ModuleError.h"
#include "module_helper/NamePattern.h"
#include "module_helper/OptionsDialog.h"
#include "module_helper/PreparedCache.h"
#include "module_helper/RenamingModule.h"
#include "module_helper/SafeRename.h"
#include "module_helper/Utf8.h"
