#include "main/cli/BatchCommand.h"

#include "main/cli/CommandLine.h"
#include "main/cli/DryRun.h"
#include "main/cli/ExitCode.h"
#include "main/cli/ProgressDisplay.h"
#include "main/cli/RunReporter.h"
#include "main/cli/StopSignal.h"
#include "main/cli/UndoCommand.h"
#include "main/core/batch/BatchRunner.h"
#include "main/core/chain/ActionChainModel.h"
#include "main/core/filelist/FileListModel.h"
#include "main/core/filelist/FileListSort.h"
#include "main/core/filelist/FolderWalk.h"
#include "main/core/filelist/ListFile.h"
#include "main/core/modulehost/ModuleRegistry.h"
#include "main/core/modulehost/ProgramDirectory.h"
#include "main/core/modulehost/ProgramPaths.h"
#include "main/core/templates/TemplateChain.h"
#include "main/core/templates/TemplateFormat.h"
#include "main/core/templates/TemplateList.h"
#include "main/core/undo/RunRecorder.h"
#include "options/core/NameBytes.h"
#include "options/core/SettingsFile.h"

#include <QCoreApplication>

#include <sys/stat.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace brenmark {
namespace {

// A failure that ends the command before any file is touched; exit status 2.
class SetupError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

void printError(const std::string &text)
{
    std::fprintf(stderr, "brenmark-batch: %s\n", text.c_str());
}

std::string bytesOf(const QString &path)
{
    return bytesOfName(path).toStdString();
}

bool isRegularFile(const std::string &path)
{
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

std::string templateFileFor(const CommandLine &commandLine, const QString &programDir)
{
    std::string path;
    if (commandLine.templateArgument.empty()) {
        // The window does not follow a recorded name out of Templates either.
        const QString name = readTemplateName(optionsIniPath(programDir));
        if (const QString problem = templateNameProblem(name); !problem.isEmpty())
            throw SetupError(problem.toStdString() + " (" + bytesOf(optionsIniPath(programDir)) + ")");
        path = bytesOf(templatePath(programDir, name));
    } else if (isTemplateFile(commandLine.templateArgument)) {
        path = commandLine.templateArgument;
    } else {
        path = bytesOf(templatePath(programDir, nameFromBytes(QByteArray::fromStdString(commandLine.templateArgument))));
    }
    if (!isRegularFile(path))
        throw SetupError("шаблон не найден: " + path);
    return path;
}

// The files to work on, from the list file or the command line, through
// the file list's add rule.
void addGivenFiles(const CommandLine &commandLine, FileListModel &files)
{
    if (!commandLine.hasListFile) {
        files.appendListFiles(commandLine.recursive ? expandFolders(commandLine.files, commandLine.walk)
                                                    : commandLine.files);
        return;
    }
    try {
        if (commandLine.recursive) {
            std::string text;
            const std::vector<std::string_view> lines = readListLines(commandLine.listFile, text);
            files.appendListFiles(expandFolders(std::vector<std::string>(lines.begin(), lines.end()), commandLine.walk));
        } else {
            files.appendListFile(commandLine.listFile);
        }
    } catch (const ListFileTooLong &error) {
        throw SetupError(error.what()); // names the file
    } catch (const std::runtime_error &error) {
        throw SetupError(std::string(error.what()) + ": " + commandLine.listFile);
    }
}

int enabledActions(const ActionChainModel &chain)
{
    int enabled = 0;
    for (int row = 0; row < chain.count(); ++row)
        enabled += chain.isChecked(row);
    return enabled;
}

ExitCode run(FileListModel &files, ActionChainModel &chain, const QString &programDir)
{
    installStopSignalHandlers();
    ProgressDisplay display;
    RunReporter reporter(display, enabledActions(chain), [] {
        const int received = stopSignalCount();
        return received == 0 ? StopRequest::None : received == 1 ? StopRequest::AfterThisFile : StopRequest::AfterThisCall;
    });
    BatchRunner runner(files, chain, reporter);
    RunRecorder recorder(bytesOf(runJournalPath(programDir)));
    runner.setRecorder(&recorder);
    runner.run();
    display.finish(reporter.filesDone());
    const bool interrupted = stopSignalReceived() != 0 && reporter.filesDone() < reporter.total();
    if (reporter.failedCalls() > 0)
        printError("неудачных вызовов модулей: " + std::to_string(reporter.failedCalls()));
    if (interrupted) {
        printError("прервано: обработано " + std::to_string(reporter.filesDone()) + " из "
                   + std::to_string(reporter.total()) + " файлов");
        return ExitCode::Interrupted;
    }
    return reporter.failedCalls() > 0 ? ExitCode::CallsFailed : ExitCode::Done;
}

ExitCode runParsed(const CommandLine &commandLine)
{
    const QString programDir = programDirectory();
    if (commandLine.undo)
        return runUndo(bytesOf(runJournalPath(programDir)), commandLine.dryRun);
    const Settings settings = LoadSettings(optionsIniPath(programDir));
    const std::string templateFile = templateFileFor(commandLine, programDir);
    FileListModel files;
    addGivenFiles(commandLine, files);
    if (commandLine.sorted)
        sortFileList(files, commandLine.sort);

    ModuleRegistry registry;
    const ModuleLoadSettings loading {programDirectoryBytes(), settings.disabledModules, settings.actionGrouping, nullptr};
    registry.LoadModules(loading, nullptr); // nothing shows their images here

    ExitCode result;
    {
        ActionChainModel chain;
        TemplateLoadResult loaded;
        try {
            loaded = LoadTemplate(chain, nameFromBytes(QByteArray::fromStdString(templateFile)),
                                  [&registry](const std::string &moduleFile) { return registry.FindActionItem(moduleFile); });
        } catch (const TemplateFormatError &error) {
            throw SetupError(error.what()); // names the template and its file
        }
        if (loaded.missing) {
            std::fprintf(stderr, "brenmark-batch: %s", loaded.missingModulesMessage().toLocal8Bit().constData());
            if (!commandLine.ignoreMissing)
                throw SetupError("шаблон не выполнен; --ignore-missing выполнит его без этих модулей");
        }
        result = commandLine.dryRun ? runDryRun(files, chain) : run(files, chain, programDir);
    }
    // The window's shut-down order: modules unloaded in load order, no freeOpt.
    registry.unloadAll();
    return result;
}

} // namespace

int runBatchCommand(int argc, char *argv[])
{
    CommandLine commandLine;
    try {
        commandLine = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError &error) {
        printError(std::string(error.what()) + "\nПодробнее: brenmark-batch --help");
        return exitStatus(ExitCode::UsageError);
    }
    if (commandLine.help) {
        std::fputs(usageText().c_str(), stdout);
        return exitStatus(ExitCode::Done);
    }
    if (commandLine.version) {
        std::printf("brenmark-batch %s\n", BRENMARK_VERSION);
        return exitStatus(ExitCode::Done);
    }

    // Image formats of the modules' menu images are plug-ins found through the application.
    QCoreApplication application(argc, argv);
    try {
        return exitStatus(runParsed(commandLine));
    } catch (const std::exception &error) {
        printError(error.what());
        return exitStatus(ExitCode::UsageError);
    }
}

} // namespace brenmark
