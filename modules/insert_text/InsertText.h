#pragma once

#include "modules/insert_text/InsertOptions.h"

#include <string>
#include <string_view>

namespace brenmark::modules {

// Appends `fileName` (valid UTF-8) with the options' text inserted to `out`.
void insertText(const InsertOptions &options, std::string_view fileName, std::string &out);

// The action's caption, e.g. «Вставка: "Фото_" в начало».
std::string insertCaption(const InsertOptions &options);

} // namespace brenmark::modules
