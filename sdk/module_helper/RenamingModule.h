#pragma once

#include "module_helper/FileName.h"
#include "module_helper/ModuleBase.h"
#include "module_helper/ModuleError.h"

#include <cstddef>
#include <cstring>
#include <string>
#include <type_traits>

namespace brenmark::sdk {

// A renaming action whose options are the plain struct `Options`, which
// starts with `uint16_t version` (the layout's version, bumped whenever a
// field is added at the end). Blocks are created with the defaults first,
// so a shorter block from an earlier version keeps the defaults for the
// fields added since, and upgrade() only has to adjust the rest.
//
// A module implements: defaults(), describe() (the caption), edit() (the
// dialog) and appendNewName() (the new file name, without folder).
template<typename Options>
class RenamingModule : public ModuleBase
{
    static_assert(std::is_trivially_copyable_v<Options> && std::is_standard_layout_v<Options>,
                  "an options block is copied byte for byte: plain data only");

public:
    std::size_t optionsSize() const final { return sizeof(Options); }

    void initOptions(void *block) const final
    {
        const Options options = defaults();
        std::memcpy(block, &options, sizeof(Options));
    }

    void checkOptions(void *block) const final
    {
        static_assert(offsetof(Options, version) == 0, "the version field comes first");
        auto &options = *static_cast<Options *>(block);
        const auto current = defaults().version;
        if (options.version == current) {
            if (!validOptions(options))
                throw ModuleError(std::string("Параметры действия модуля «") + description().name
                                  + "» повреждены.");
            return;
        }
        if (options.version > current)
            throw ModuleError(std::string("Параметры действия записаны более новой версией модуля «")
                              + description().name + "»: обновите модуль.");
        if (!upgrade(options))
            throw ModuleError(std::string("Параметры действия модуля «") + description().name
                              + "» повреждены или не поддерживаются (версия "
                              + std::to_string(options.version) + ").");
        options.version = current;
        checkOptions(block);
    }

    std::string caption(const void *block) const final { return describe(typed(block)); }

    bool editOptions(QWidget *parent, void *block, bool isNew) final
    {
        Options options = typed(block);
        if (!edit(parent, options, isNew))
            return false;
        std::memcpy(block, &options, sizeof(Options));
        return true;
    }

    void computePath(const void *block, const FileRequest &request, std::string &out) final
    {
        const std::size_t folderLength = out.size() + request.folder.size();
        out.append(request.folder);
        appendNewName(typed(block), request, out);
        // A "/" from the user's text must not move the file elsewhere.
        checkFileName(std::string_view(out).substr(folderLength));
    }

protected:
    static const Options &typed(const void *block) { return *static_cast<const Options *>(block); }

    // The options of a new action, with `version` set to the current layout.
    virtual Options defaults() const = 0;
    // The action's caption: what this instance does, e.g. «Замена: "IMG_" → "Фото_"».
    virtual std::string describe(const Options &options) const = 0;
    // Edits `options` in a modal dialog over `parent`; true when accepted.
    virtual bool edit(QWidget *parent, Options &options, bool isNew) = 0;
    // Appends the new file name for request.fileName to `out`; throws
    // ModuleError when there is none. Keep it free of allocations where
    // possible: it runs for every file at every preview.
    virtual void appendNewName(const Options &options, const FileRequest &request,
                               std::string &out) = 0;
    // Whether a block of the current layout holds values the module knows
    // (enumerations in range...): bytes from a damaged template must not be
    // acted on.
    virtual bool validOptions(const Options &options) const
    {
        (void)options;
        return true;
    }
    // Adjusts a block of an earlier layout (options.version is older); the
    // fields added since already hold their defaults. False: cannot read it.
    virtual bool upgrade(Options &options) const
    {
        (void)options;
        return false;
    }
};

} // namespace brenmark::sdk
