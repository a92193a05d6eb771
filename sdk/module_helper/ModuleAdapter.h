#pragma once

#include "brenmark_module.h"
#include "module_helper/ModuleBase.h"

#include <string>

namespace brenmark::sdk {

// The exports of the C interface, done once over a ModuleBase. Owns the
// texts handed to the host: a computed path and a caption each stay valid
// until the next call of the same kind.
class ModuleAdapter
{
public:
    explicit ModuleAdapter(ModuleBase &module);

    void getInfo(ModuleInfo *info) const;
    void exportBtns(ModuleButton *buttons, int32_t *count) const;
    void setLanguage(const char *languageFile);
    void setDir(const char *programDir);
    void initialize(void *mainWindow);
    void process(const char **name, const char *actualPath, int32_t fileIndex, void *progressBar,
                 void **optionsSlot, int32_t mode);
    void newOpt(void **optionsSlot) const;
    void freeOpt(void *options) const;
    int32_t showOptions(uint8_t isNew, void **optionsSlot, const char **caption);
    void clickBtn(uint8_t button);
    void setFileCount(int32_t count);

    // A zero-filled block with the defaults, larger than optionsSize so that a
    // template written by a later version with a longer block still fits.
    void *allocateOptions() const;

private:
    ModuleBase &m_module;
    void *m_mainWindow = nullptr;
    std::string m_result;  // the path process last handed out
    std::string m_scratch; // built here first: the running name may be m_result itself
    std::string m_caption;
    int32_t m_fileCount = 0; // 0 until the host tells
};

} // namespace brenmark::sdk

// Defines the exports of a module over one instance of ModuleClass (a
// ModuleBase), created at the first call. Use it once, in one source file.
#define BRENMARK_MODULE(ModuleClass)                                                              \
    static ::brenmark::sdk::ModuleAdapter &brenmarkModuleAdapter()                               \
    {                                                                                              \
        static ModuleClass module;                                                                 \
        static ::brenmark::sdk::ModuleAdapter adapter(module);                                     \
        return adapter;                                                                            \
    }                                                                                              \
    BRENMARK_EXPORT void getInfo(ModuleInfo *info) { brenmarkModuleAdapter().getInfo(info); }      \
    BRENMARK_EXPORT void exportBtns(ModuleButton *buttons, int32_t *count)                         \
    {                                                                                              \
        brenmarkModuleAdapter().exportBtns(buttons, count);                                        \
    }                                                                                              \
    BRENMARK_EXPORT void setLanguage(const char *file) { brenmarkModuleAdapter().setLanguage(file); } \
    BRENMARK_EXPORT void setDir(const char *dir) { brenmarkModuleAdapter().setDir(dir); }          \
    BRENMARK_EXPORT void initialize(void *window) { brenmarkModuleAdapter().initialize(window); }  \
    BRENMARK_EXPORT void process(const char **name, const char *actualPath, int32_t fileIndex,     \
                                 void *progressBar, void **optionsSlot, int32_t mode)              \
    {                                                                                              \
        brenmarkModuleAdapter().process(name, actualPath, fileIndex, progressBar, optionsSlot, mode); \
    }                                                                                              \
    BRENMARK_EXPORT void newOpt(void **optionsSlot) { brenmarkModuleAdapter().newOpt(optionsSlot); } \
    BRENMARK_EXPORT void freeOpt(void *options) { brenmarkModuleAdapter().freeOpt(options); }      \
    BRENMARK_EXPORT int32_t showOptions(uint8_t isNew, void **optionsSlot, const char **caption)   \
    {                                                                                              \
        return brenmarkModuleAdapter().showOptions(isNew, optionsSlot, caption);                   \
    }                                                                                              \
    BRENMARK_EXPORT void clickBtn(uint8_t button) { brenmarkModuleAdapter().clickBtn(button); }  \
    BRENMARK_EXPORT void setFileCount(int32_t count) { brenmarkModuleAdapter().setFileCount(count); }
