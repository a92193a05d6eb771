#pragma once

#include <string>
#include <vector>

namespace brenmark {

class ActionChainModel;
class ModuleRegistry;

// Replaces `chain` with the template stored at `templateFile` (bytes of the
// path), every action enabled, and gives the library names of the stored
// actions whose module is not loaded, each once, in file order; their actions
// are left out. Throws for a file that cannot be read.
std::vector<std::string> loadChain(const std::string &templateFile, const ModuleRegistry &registry,
                                   ActionChainModel &chain);

} // namespace brenmark
