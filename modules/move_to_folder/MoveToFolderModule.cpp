// Moves files into a folder (absolute, or relative to the file's folder, with
// date parts), across file systems too; keeps a journal of its runs so that
// the last one can be undone with a command button.
#include "brenmark_module_helper.h"
#include "modules/date_time/FileDateReader.h"
#include "modules/move_to_folder/FileMover.h"
#include "modules/move_to_folder/FolderTarget.h"
#include "modules/move_to_folder/RunJournal.h"
#include "modules/move_to_folder/UndoRun.h"

#include <QMetaObject>
#include <QScopeGuard>
#include <QVariant>

#include <chrono>
#include <cstring>
#include <optional>

namespace brenmark::movetofolder {
namespace {

const char *const kModuleName = "Перемещение в папку";

enum Button { UndoButton = 0, AboutButton = 1 };

// Longer than the host normally takes between two files of one run, shorter
// than a user takes to gather files for the next run.
constexpr std::chrono::seconds kRunPause{20};

using sdk::MessageKind;

class MoveToFolderModule final : public sdk::ModuleBase
{
public:
    sdk::ModuleDescription description() const override
    {
        return {"1.02", kModuleName, "Brenmark", "Перемещение\\В папку", "*"};
    }

    std::size_t optionsSize() const override { return sizeof(MoveOptions); }

    void initOptions(void *block) const override
    {
        MoveOptions options;
        sdk::setFieldText(options.folder, "%Y/%m");
        std::memcpy(block, &options, sizeof options);
    }

    void checkOptions(void *block) const override
    {
        const auto &options = *static_cast<const MoveOptions *>(block);
        if (options.version > kOptionsVersion)
            throw sdk::ModuleError(std::string("Параметры действия записаны более новой версией модуля «")
                                   + kModuleName + "»: обновите модуль.");
        if (options.version != kOptionsVersion)
            throw sdk::ModuleError(std::string("Параметры действия модуля «") + kModuleName
                                   + "» повреждены или не поддерживаются (версия "
                                   + std::to_string(options.version) + ").");
    }

    std::string caption(const void *block) const override { return describe(typed(block)); }

    bool editOptions(QWidget *parent, void *block, bool isNew) override
    {
        return sdk::editInWidgetsPart(parent, block, isNew);
    }

    void computePath(const void *block, const sdk::FileRequest &request, std::string &out) override
    {
        const MoveOptions &options = typed(block);
        validateOptions(options);
        if (request.preview) {
            m_previewSinceRun = true;
        } else {
            // With the host's preview switched off no preview call separates
            // two runs: a pause between run calls does.
            const auto now = std::chrono::steady_clock::now();
            if (now - m_lastRunCall > kRunPause)
                m_previewSinceRun = true;
            m_lastRunCall = now;
        }
        datetime::DateParts date;
        if (needsDate(options)) {
            m_path.assign(request.actualPath);
            date = m_reader.read(m_path, options.dateSource);
        }
        out += targetPath(request.path, options, date);
    }

    void perform(const void *, const sdk::FileRequest &request, const std::string &newPath) override
    {
        const auto touch = qScopeGuard([this] { m_lastRunCall = std::chrono::steady_clock::now(); });
        const std::string from(request.actualPath);
        if (from == newPath)
            return;
        const CopyProgress progress = progressReporter(request.progressBar);
        const std::vector<std::string> created = createFolders(std::string(sdk::splitPath(newPath).folder));
        try {
            moveFile(from, newPath, progress);
        } catch (...) {
            removeCreatedFolders(created);
            throw;
        }
        remember(from, newPath, created);
    }

    // Paths are moved as they are; only the folder text is the user's UTF-8.
    bool requiresUtf8Names() const override { return false; }

    std::vector<std::string> buttons() const override { return {"Отменить", "О модуле"}; }

    void clickButton(int button) override
    {
        if (button == UndoButton)
            undo();
        else if (button == AboutButton)
            about();
    }

    void setProgramDir(std::string_view directory) override
    {
        if (!directory.empty())
            m_journal.emplace(std::string(directory) + "move_to_folder.journal");
    }

private:
    static const MoveOptions &typed(const void *block) { return *static_cast<const MoveOptions *>(block); }

    // The host's progress bar is driven through Qt's meta-objects, so that
    // this library needs no Qt Widgets (its windows are in the companion).
    // A QWidget starts with its QObject, so the handle is that QObject too.
    static CopyProgress progressReporter(void *progressBar)
    {
        auto *bar = static_cast<QObject *>(progressBar);
        if (bar == nullptr || !bar->inherits("QProgressBar"))
            return {};
        // The host handles no events during the call: paint each new percent at once.
        return [bar](int percent) {
            if (bar->property("maximum").toInt() != 100)
                QMetaObject::invokeMethod(bar, "setRange", Q_ARG(int, 0), Q_ARG(int, 100));
            if (bar->property("value").toInt() == percent)
                return;
            QMetaObject::invokeMethod(bar, "setValue", Q_ARG(int, percent));
            QMetaObject::invokeMethod(bar, "repaint");
        };
    }

    // The batch run calls process in run mode only; any preview in between,
    // or a pause, means the next move belongs to a new run.
    void remember(const std::string &from, const std::string &to, const std::vector<std::string> &created)
    {
        if (!m_journal)
            return;
        try {
            if (m_previewSinceRun) {
                m_journal->startRun();
                m_previewSinceRun = false;
            }
            for (const std::string &folder : created)
                m_journal->recordFolder(folder);
            m_journal->record(from, to);
        } catch (const sdk::ModuleError &error) {
            // The file has moved: failing the call now would make the host
            // carry on with its old path. The loss is only the undo, told then.
            m_journalError = error.what();
        }
    }

    // Messages need a running widget application; a host without windows
    // still gets the work done, silently (showMessage then shows nothing).
    void undo()
    {
        const std::string title = kModuleName;
        if (!m_journal) {
            sdk::showMessage(MessageKind::Warning, title, "Журнал перемещений недоступен: программа не сообщила свою папку.");
            return;
        }
        std::vector<JournalRun> runs;
        try {
            runs = m_journal->runs();
        } catch (const sdk::ModuleError &error) {
            sdk::showMessage(MessageKind::Warning, title, error.what());
            return;
        }
        if (runs.empty()) {
            sdk::showMessage(MessageKind::Information, title, "Отменять нечего: журнал перемещений пуст." + journalProblem());
            return;
        }
        const bool windows = sdk::canShowWindows();
        if (windows
            && !sdk::showMessage(MessageKind::Question, title,
                                 "Вернуть файлы последнего запуска (" + std::to_string(runs.back().moves.size())
                                     + ") на прежние места?\n"
                                       "Занятые места не освобождаются: такие файлы останутся, где они есть."))
            return;

        UndoReport report;
        try {
            report = undoLastRun(*m_journal);
        } catch (const sdk::ModuleError &error) {
            sdk::showMessage(MessageKind::Warning, title, error.what());
            return;
        }
        m_previewSinceRun = true;
        if (!windows)
            return;
        std::string text = "Возвращено файлов: " + std::to_string(report.restored) + ".";
        if (!report.failures.empty()) {
            text += "\nНе возвращено: " + std::to_string(report.failures.size()) + " (остались в журнале):";
            for (std::size_t i = 0; i < report.failures.size() && i < 10; ++i)
                text += "\n• " + report.failures[i];
        }
        text += journalProblem();
        sdk::showMessage(report.failures.empty() ? MessageKind::Information : MessageKind::Warning, title, text);
    }

    std::string journalProblem() const
    {
        if (m_journalError.empty())
            return {};
        return "\nЖурнал записан не полностью: " + m_journalError;
    }

    void about() const
    {
        sdk::showMessage(MessageKind::About, kModuleName,
                         "Перемещение в папку 1.02\n\n"
                         "Переносит файлы в папку, заданную от корня или от папки файла; "
                         "в пути можно указать год, месяц и день даты файла (%Y, %m, %d). "
                         "Недостающие папки создаются при запуске. На другой диск файл "
                         "копируется, копия сверяется с оригиналом, и только потом оригинал "
                         "удаляется. Существующие файлы никогда не заменяются.\n\n"
                         "«Отменить» возвращает файлы последнего запуска на прежние места.");
    }

    datetime::FileDateReader m_reader;
    std::string m_path;
    std::optional<RunJournal> m_journal;
    bool m_previewSinceRun = true;
    std::chrono::steady_clock::time_point m_lastRunCall;
    std::string m_journalError;
};

} // namespace
} // namespace brenmark::movetofolder

BRENMARK_MODULE(brenmark::movetofolder::MoveToFolderModule)
