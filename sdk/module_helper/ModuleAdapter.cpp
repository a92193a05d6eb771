#include "module_helper/ModuleAdapter.h"

#include "module_helper/FileName.h"
#include "module_helper/ModuleError.h"
#include "module_helper/Utf8.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>
#include <cstring>
#include <new>

namespace brenmark::sdk {

namespace {

// Room beyond the current block so that newOpt's block also takes the longer
// block a later version of the module may have stored in a template.
constexpr std::size_t kOptionsReserve = 4096;

// Copies at most `capacity` bytes of `text`, never cutting a UTF-8 character.
std::size_t copyText(char *target, std::size_t capacity, std::string_view text)
{
    std::size_t length = std::min(capacity, text.size());
    if (length < text.size()) {
        while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
            --length;
    }
    std::memcpy(target, text.data(), length);
    return length;
}

} // namespace

ModuleAdapter::ModuleAdapter(ModuleBase &module)
    : m_module(module)
{
}

void ModuleAdapter::getInfo(ModuleInfo *info) const
{
    if (!info)
        return;
    std::memset(info, 0, sizeof *info);
    const ModuleDescription description = m_module.description();
    copyText(info->version, sizeof info->version - 1, description.version);
    copyText(info->name, sizeof info->name, description.name);
    copyText(info->author, sizeof info->author, description.author);
    copyText(info->action, sizeof info->action, description.action);
    copyText(info->mask, sizeof info->mask, description.mask);
    info->optSize = int32_t(m_module.optionsSize());
}

void ModuleAdapter::exportBtns(ModuleButton *buttons, int32_t *count) const
{
    if (!count)
        return;
    *count = 0;
    if (!buttons)
        return;
    const std::vector<std::string> captions = m_module.buttons();
    const std::size_t used = std::min<std::size_t>(captions.size(), BRENMARK_MAX_BUTTONS);
    for (std::size_t i = 0; i < used; ++i) {
        std::memset(&buttons[i], 0, sizeof buttons[i]);
        buttons[i].length = uint8_t(copyText(buttons[i].caption, sizeof buttons[i].caption, captions[i]));
    }
    *count = int32_t(used);
}

void ModuleAdapter::setLanguage(const char *languageFile)
{
    m_module.setLanguageFile(languageFile ? languageFile : "");
}

void ModuleAdapter::setDir(const char *programDir)
{
    m_module.setProgramDir(programDir ? programDir : "");
}

void ModuleAdapter::initialize(void *mainWindow)
{
    m_mainWindow = mainWindow;
}

void ModuleAdapter::process(const char **name, const char *actualPath, int32_t fileIndex,
                            void *progressBar, void **optionsSlot, int32_t mode)
{
    if (!name || !*name)
        throw ModuleError("Модулю не передано имя файла.");
    if (!optionsSlot || !*optionsSlot)
        throw ModuleError("У действия нет параметров.");

    // Any mode but run is treated as a preview: when in doubt, touch nothing.
    const bool preview = mode != BRENMARK_MODE_RUN;
    const std::string_view path(*name);
    const PathParts parts = splitPath(path);
    const FileRequest request{path,      parts.folder, parts.fileName, actualPath ? actualPath : path,
                              fileIndex, preview,      progressBar,    m_fileCount};

    if (m_module.requiresUtf8Names())
        requireUtf8(parts.fileName);
    m_module.checkOptions(*optionsSlot);
    m_scratch.clear();
    try {
        m_module.computePath(*optionsSlot, request, m_scratch);
        checkFileName(splitPath(m_scratch).fileName);
        checkPathLength(m_scratch);
    } catch (const ModuleError &error) {
        throw ModuleError(quoted(parts.fileName) + ": " + error.what());
    }
    if (!preview)
        m_module.perform(*optionsSlot, request, m_scratch);

    // The running name may point into m_result: it is replaced only now.
    m_result.swap(m_scratch);
    *name = m_result.c_str();
}

void *ModuleAdapter::allocateOptions() const
{
    const std::size_t size = std::max(m_module.optionsSize(), kOptionsReserve);
    void *block = ::operator new(size);
    std::memset(block, 0, size);
    m_module.initOptions(block);
    return block;
}

void ModuleAdapter::newOpt(void **optionsSlot) const
{
    if (optionsSlot)
        *optionsSlot = allocateOptions();
}

void ModuleAdapter::freeOpt(void *options) const
{
    if (!options)
        return;
    m_module.optionsFreed(options);
    ::operator delete(options);
}

int32_t ModuleAdapter::showOptions(uint8_t isNew, void **optionsSlot, const char **caption)
{
    if (!optionsSlot || !caption)
        throw ModuleError("Окну параметров не передано место для параметров.");
    auto *parent = static_cast<QWidget *>(m_mainWindow);
    if (!parent && !qobject_cast<QApplication *>(QCoreApplication::instance()))
        throw ModuleError("Окно параметров нельзя показать: программа работает без окон.");

    if (isNew) {
        *optionsSlot = nullptr;
        void *block = allocateOptions();
        bool accepted = false;
        try {
            accepted = m_module.editOptions(parent, block, true);
            if (accepted)
                m_caption = m_module.caption(block);
        } catch (...) {
            freeOpt(block);
            throw;
        }
        if (!accepted) {
            freeOpt(block);
            return 0;
        }
        *optionsSlot = block;
        *caption = m_caption.c_str();
        return 1;
    }

    if (!*optionsSlot)
        *optionsSlot = allocateOptions();
    m_module.checkOptions(*optionsSlot);
    if (!m_module.editOptions(parent, *optionsSlot, false))
        return 0;
    m_caption = m_module.caption(*optionsSlot);
    *caption = m_caption.c_str();
    return 1;
}

void ModuleAdapter::clickBtn(uint8_t button)
{
    m_module.clickButton(button);
}

void ModuleAdapter::setFileCount(int32_t count)
{
    m_fileCount = std::max(count, 0);
}

} // namespace brenmark::sdk
