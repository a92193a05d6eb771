#include "module_helper/ModuleBase.h"

#include "module_helper/SafeRename.h"

namespace brenmark::sdk {

void ModuleBase::perform(const void *block, const FileRequest &request, const std::string &newPath)
{
    (void)block;
    renameNoReplace(std::string(request.actualPath), newPath);
}

} // namespace brenmark::sdk
