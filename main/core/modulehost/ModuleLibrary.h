#pragma once

#include <memory>
#include <string>

namespace brenmark {

// Owns one loaded module library. The only type in the program that calls
// dlopen/dlclose; symbol lookups by name go through moduleSymbol().
class ModuleLibrary
{
public:
    // Loads the library at `path` (RTLD_NOW | RTLD_LOCAL); null when it cannot be loaded,
    // with the loader's reason in `error` when given.
    static std::unique_ptr<ModuleLibrary> open(const std::string &path, std::string *error = nullptr);

    ~ModuleLibrary();
    ModuleLibrary(const ModuleLibrary &) = delete;
    ModuleLibrary &operator=(const ModuleLibrary &) = delete;

    // The handle the rest of the program keeps per module (the value dlopen returned).
    void *handle() const { return m_handle; }
    const std::string &path() const { return m_path; }

private:
    ModuleLibrary(void *handle, std::string path);

    void *m_handle;
    std::string m_path;
};

// Looks an export up by its exact name in a loaded library; null when the
// handle is null or the library does not export it. Modules' functions are
// looked up at every use, never cached.
void *moduleSymbol(void *handle, const char *name);

// The file name (no folder) of the loaded library behind `handle`, for
// messages; "" for a null handle.
std::string moduleFileName(void *handle);

template<typename Function>
Function moduleFunction(void *handle, const char *name)
{
    return reinterpret_cast<Function>(moduleSymbol(handle, name));
}

} // namespace brenmark
