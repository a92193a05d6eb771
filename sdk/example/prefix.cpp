// Example module: puts a fixed prefix in front of every file name.
//
// It uses nothing but the plain interface of brenmark_module.h: no Qt, no
// helper library. It shows the contracts a real module keeps: one options
// block per action, texts that stay valid after returning, failures as
// exceptions, and a preview that never touches the file.
#include "brenmark_module.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <string>

namespace {

// The options block: plain bytes only, since the host stores them in
// templates and copies them back byte for byte.
struct PrefixOptions
{
    char prefix[32];
};

constexpr const char *kDefaultPrefix = "new_";

// Texts handed back must outlive the call. One buffer per kind is enough:
// the host copies a caption at once and a path before this module's next call.
std::string g_caption;
std::string g_newPath;

PrefixOptions *newOptions()
{
    auto *options = static_cast<PrefixOptions *>(std::calloc(1, sizeof(PrefixOptions)));
    if (!options)
        throw std::bad_alloc();
    std::strncpy(options->prefix, kDefaultPrefix, sizeof options->prefix - 1);
    return options;
}

// The prefix of a block read from a template: never trust a terminator.
std::string prefixOf(const PrefixOptions *options)
{
    if (!options)
        return kDefaultPrefix;
    return std::string(options->prefix, strnlen(options->prefix, sizeof options->prefix));
}

void copyField(char *field, size_t width, const char *text)
{
    std::memset(field, 0, width);
    std::memcpy(field, text, std::min(width, std::strlen(text)));
}

} // namespace

BRENMARK_EXPORT void getInfo(ModuleInfo *info)
{
    copyField(info->version, sizeof info->version, "1.02");
    copyField(info->name, sizeof info->name, "Приставка");
    copyField(info->author, sizeof info->author, "Brenmark");
    copyField(info->action, sizeof info->action, "Примеры\\Приставка к имени");
    copyField(info->mask, sizeof info->mask, "*");
    std::memset(info->reserved, 0, sizeof info->reserved);
    info->optSize = sizeof(PrefixOptions);
}

BRENMARK_EXPORT void newOpt(void **optionsSlot)
{
    *optionsSlot = newOptions();
}

BRENMARK_EXPORT void freeOpt(void *options)
{
    std::free(options);
}

BRENMARK_EXPORT int32_t showOptions(uint8_t isNew, void **optionsSlot, const char **caption)
{
    // The prefix is fixed, so there is nothing to ask: adding always succeeds,
    // editing changes nothing and leaves the caption as it was.
    if (!isNew)
        return 0;
    auto *options = newOptions();
    *optionsSlot = options;
    g_caption = "Приставка «" + prefixOf(options) + "»";
    *caption = g_caption.c_str();
    return 1;
}

BRENMARK_EXPORT void process(const char **name, const char *actualPath, int32_t, void *, void **optionsSlot,
                             int32_t mode)
{
    // Copy first: *name may be this module's own buffer from an earlier action in the chain.
    const std::string current = *name;
    const size_t slash = current.rfind('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    g_newPath = current.substr(0, nameStart) + prefixOf(static_cast<PrefixOptions *>(*optionsSlot))
        + current.substr(nameStart);

    if (mode == BRENMARK_MODE_RUN) {
        // Never replace another file, as a user expects of a rename.
        if (renameat2(AT_FDCWD, actualPath, AT_FDCWD, g_newPath.c_str(), RENAME_NOREPLACE) != 0)
            throw std::runtime_error("Не удалось переименовать " + std::string(actualPath) + ": "
                                     + std::strerror(errno));
    }
    *name = g_newPath.c_str();
}
