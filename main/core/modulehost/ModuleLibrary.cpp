#include "main/core/modulehost/ModuleLibrary.h"

#include <dlfcn.h>
#include <link.h>

namespace brenmark {

std::unique_ptr<ModuleLibrary> ModuleLibrary::open(const std::string &path, std::string *error)
{
    void *handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        if (error) {
            const char *reason = dlerror();
            *error = reason ? reason : "cannot load " + path;
        }
        return nullptr;
    }
    return std::unique_ptr<ModuleLibrary>(new ModuleLibrary(handle, path));
}

ModuleLibrary::ModuleLibrary(void *handle, std::string path)
    : m_handle(handle)
    , m_path(std::move(path))
{
}

ModuleLibrary::~ModuleLibrary()
{
    dlclose(m_handle);
}

void *moduleSymbol(void *handle, const char *name)
{
    return handle ? dlsym(handle, name) : nullptr;
}

std::string moduleFileName(void *handle)
{
    link_map *map = nullptr;
    if (!handle || dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || !map || !map->l_name)
        return {};
    const std::string path = map->l_name;
    return path.substr(path.rfind('/') + 1);
}

} // namespace brenmark
