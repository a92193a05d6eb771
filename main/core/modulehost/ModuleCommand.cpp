#include "main/core/modulehost/ModuleCommand.h"

#include "main/core/modulehost/ModuleCallGuard.h"
#include "main/core/modulehost/ModuleLibrary.h"

#define BRENMARK_HOST
#include "brenmark_module.h"

#include <stdexcept>

namespace brenmark {

void runModuleCommand(void *module, int buttonNumber)
{
    const auto clickBtn = moduleFunction<BrenmarkClickBtn>(module, "clickBtn");
    if (!clickBtn)
        throw std::runtime_error("Модуль не выполняет команды: в нём нет функции clickBtn");
    guardModuleCall(module, [&] { clickBtn(static_cast<uint8_t>(buttonNumber)); });
}

} // namespace brenmark
