#include "module_helper/ModuleBase.h"

#include "module_helper/SafeRename.h"

namespace brenmark::sdk {

void ModuleBase::perform(const void *block, const FileRequest &request, const std::string &newPath)
{
    (void)block;
    // Kept between calls: a run renames file after file, and a fresh copy of
    // each path would cost an allocation per file. Modules are called from
    // one thread at a time.
    static std::string from;
    from.assign(request.actualPath);
    renameNoReplace(from, newPath);
}

} // namespace brenmark::sdk
