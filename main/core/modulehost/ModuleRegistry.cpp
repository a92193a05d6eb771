#include "main/core/modulehost/ModuleRegistry.h"

#include "main/core/modulehost/LoadProbe.h"
#include "main/core/modulehost/LoadProbeProtocol.h"
#include "main/core/modulehost/ModuleCallGuard.h"
#include "main/core/modulehost/ProgramDirectory.h"

#define BRENMARK_HOST
#include "brenmark_module.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fnmatch.h>
#include <memory>

namespace brenmark {
namespace {

constexpr int kInfoTextSize = 50;
constexpr int kVersionSize = sizeof(ModuleInfo::version);
constexpr int kMaxButtonCaption = sizeof(ModuleButton::caption);

// A field of ModuleInfo: up to its first zero byte or its whole width.
std::string fieldBytes(const char *field, size_t width)
{
    return std::string(field, strnlen(field, width));
}

QString fieldText(const char *field, size_t width)
{
    return QString::fromLocal8Bit(field, static_cast<qsizetype>(strnlen(field, width)));
}

bool hasInterfaceVersion(const ModuleInfo &info)
{
    return fieldBytes(info.version, kVersionSize).ends_with(BRENMARK_INTERFACE_VERSION_SUFFIX);
}

bool isDisabled(const QString &fileName, const QStringList &disabledModules)
{
    const QString folded = fileName.toLower();
    return std::any_of(disabledModules.begin(), disabledModules.end(),
                       [&folded](const QString &line) { return line.toLower() == folded; });
}

QString buttonCaption(const ModuleButton &button)
{
    const int length = std::min<int>(button.length, kMaxButtonCaption);
    return QString::fromLocal8Bit(button.caption, length);
}

int addImage(ModuleImageSink *images, ModuleImageSink::List list, void *module, const std::string &resource)
{
    return images ? images->add(list, module, resource) : -1;
}

struct DirectoryCloser
{
    void operator()(DIR *directory) const { closedir(directory); }
};

} // namespace

// The state one scan shares between modules: the interface reuses the same
// ModuleInfo record and button count for all of them.
struct ModuleRegistry::Scan
{
    const ModuleLoadSettings &settings;
    std::string moduleDir;
    std::string languageFile;
    ModuleImageSink *images;
    ModuleInfo info {};
    int32_t buttonCount = 0;
};

void ModuleRegistry::LoadModules(const ModuleLoadSettings &settings, ModuleImageSink *images)
{
    clear();
    Scan scan {settings, settings.programDir + "Plugins/", languageFilePath(settings.programDir), images};
    std::memset(&scan.info, 0, sizeof scan.info);

    std::vector<std::string> fileNames;
    std::vector<std::string> paths;
    {
        std::unique_ptr<DIR, DirectoryCloser> directory(opendir(scan.moduleDir.c_str()));
        if (!directory)
            return;
        // The directory's own order, hidden entries included; nothing is sorted.
        while (const dirent *entry = readdir(directory.get())) {
            if (fnmatch("*.so", entry->d_name, 0) == 0) {
                fileNames.emplace_back(entry->d_name);
                paths.push_back(scan.moduleDir + entry->d_name);
            }
        }
    }
    // A library that crashes while it loads would take the host down at every
    // start, before any window: such libraries are found in a helper first.
    const std::vector<LoadVerdict> verdicts = probeLibraryLoading(paths, settings.programDir + kLoadProbeProgram);
    for (size_t index = 0; index < fileNames.size(); ++index) {
        if (verdicts[index].safe)
            loadModule(scan, fileNames[index]);
        else
            std::fprintf(stderr, "%s: модуль %s пропущен: %s\n", program_invocation_short_name,
                         fileNames[index].c_str(), verdicts[index].reason.c_str());
    }
}

void ModuleRegistry::loadModule(Scan &scan, const std::string &fileName)
{
    std::unique_ptr<ModuleLibrary> library = ModuleLibrary::open(scan.moduleDir + fileName);
    if (!library)
        return;
    void *const module = library->handle();
    const auto getInfo = moduleFunction<BrenmarkGetInfo>(module, "getInfo");
    const auto exportBtns = moduleFunction<BrenmarkExportBtns>(module, "exportBtns");
    if (!getInfo)
        return;

    // Everything of one module is gathered first and published only when all
    // its calls succeeded, so a module that fails half-way leaves no trace.
    using List = ModuleImageSink::List;
    const int addMenuImages = scan.images ? scan.images->count(List::AddMenu) : 0;
    const int moduleImages = scan.images ? scan.images->count(List::Commands) : 0;
    try {
        if (const auto setLanguage = moduleFunction<BrenmarkSetLanguage>(module, "setLanguage"))
            guardModuleCall(module, [&] { setLanguage(scan.languageFile.c_str()); });

        const QString caption = QFile::decodeName(QByteArray::fromStdString(fileName));
        const bool enabled = !isDisabled(caption, scan.settings.disabledModules);

        guardModuleCall(module, [&] { getInfo(&scan.info); });
        if (!hasInterfaceVersion(scan.info))
            return;

        ModuleListRow row;
        row.fileName = fileName;
        row.caption = caption;
        row.name = fieldText(scan.info.name, kInfoTextSize);
        row.version = fieldText(scan.info.version, kVersionSize);
        row.running = enabled ? kModuleEnabledText : kModuleDisabledText;
        row.author = fieldText(scan.info.author, kInfoTextSize);
        row.action = fieldText(scan.info.action, kInfoTextSize);
        row.mask = fieldText(scan.info.mask, kInfoTextSize);
        row.checked = enabled;
        if (!enabled) {
            m_moduleRows.push_back(std::move(row));
            return;
        }

        if (const auto setDir = moduleFunction<BrenmarkSetDir>(module, "setDir"))
            guardModuleCall(module, [&] { setDir(scan.settings.programDir.c_str()); });
        if (const auto initialize = moduleFunction<BrenmarkInitialize>(module, "initialize"))
            guardModuleCall(module, [&] { initialize(scan.settings.mainWindow); });

        ActionMenuItem item;
        item.module = module;
        item.fileName = fileName;
        item.imageIndex = addImage(scan.images, List::AddMenu, module, "ACTION");
        row.imageIndex = item.imageIndex;

        AboutRow about {fileName, caption, row.name, row.version, row.author, row.mask, item.imageIndex};

        std::vector<ModuleCommand> commands;
        if (exportBtns) {
            ModuleButton buttons[BRENMARK_MAX_BUTTONS] {};
            guardModuleCall(module, [&] { exportBtns(buttons, &scan.buttonCount); });
            // The array has room for ten: a larger count must not read past it.
            const int count = std::clamp<int>(scan.buttonCount, 0, BRENMARK_MAX_BUTTONS);
            if (!m_commands.empty())
                commands.push_back({true, QStringLiteral("-"), nullptr, -1, -1});
            for (int i = 0; i < count; ++i) {
                ModuleCommand command;
                command.caption = buttonCaption(buttons[i]);
                command.module = module;
                command.buttonNumber = i;
                command.imageIndex = addImage(scan.images, List::Commands, module, "BUTTON" + std::to_string(i));
                row.buttonCaptions.push_back(command.caption);
                commands.push_back(std::move(command));
            }
        }

        m_moduleRows.push_back(std::move(row));
        m_handles.append(std::move(library));
        m_actionMenu.placeAction(fieldText(scan.info.action, kInfoTextSize), scan.settings.grouping, std::move(item));
        m_aboutRows.push_back(std::move(about));
        m_commands.insert(m_commands.end(), std::make_move_iterator(commands.begin()),
                          std::make_move_iterator(commands.end()));
    } catch (const ModuleCallError &) {
        if (scan.images) {
            scan.images->truncate(List::AddMenu, addMenuImages);
            scan.images->truncate(List::Commands, moduleImages);
        }
    }
}

bool ModuleRegistry::modulesButtonEnabled() const
{
    return std::any_of(m_commands.begin(), m_commands.end(),
                       [](const ModuleCommand &command) { return !command.isSeparator; });
}

bool ModuleRegistry::unloadAll()
{
    if (activeModuleCalls() > 0)
        return false;
    clear();
    return true;
}

void ModuleRegistry::clear()
{
    m_actionMenu.clear();
    m_commands.clear();
    m_moduleRows.clear();
    m_aboutRows.clear();
    m_handles.unloadAll();
}

} // namespace brenmark
