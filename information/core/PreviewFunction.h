#pragma once

#include <functional>
#include <string>

namespace brenmark {

// The path the action chain gives a file (PreviewFile for the row at hand),
// as bytes; empty while the preview is off.
using PreviewFunction = std::function<std::string(const std::string &path)>;

} // namespace brenmark
