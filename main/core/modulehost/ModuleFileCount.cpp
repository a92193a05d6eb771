#include "main/core/modulehost/ModuleFileCount.h"

#include "main/core/modulehost/ModuleCallGuard.h"
#include "main/core/modulehost/ModuleLibrary.h"

#define BRENMARK_HOST
#include "brenmark_module.h"

namespace brenmark {

bool tellFileCount(void *module, int32_t count)
{
    const auto setFileCount = moduleFunction<BrenmarkSetFileCount>(module, "setFileCount");
    if (!setFileCount)
        return false;
    guardModuleCall(module, [&] { setFileCount(count); });
    return true;
}

bool takesFileCount(void *module)
{
    return moduleSymbol(module, "setFileCount") != nullptr;
}

} // namespace brenmark
