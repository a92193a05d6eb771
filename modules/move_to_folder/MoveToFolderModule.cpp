// Moves files into a folder (absolute, or relative to the file's folder, with
// date parts), across file systems too; keeps a journal of its runs so that
// the last one can be undone with a command button.
#include "brenmark_module_helper.h"
#include "modules/date_time/FileDateReader.h"
#include "modules/move_to_folder/FileMover.h"
#include "modules/move_to_folder/FolderTarget.h"
#include "modules/move_to_folder/MoveToFolderDialog.h"
#include "modules/move_to_folder/RunJournal.h"
#include "modules/move_to_folder/UndoRun.h"

#include <QApplication>
#include <QMessageBox>
#include <QProgressBar>
#include <QScopeGuard>

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

// Message boxes need a running widget application; a host without windows
// still gets the work done, silently.
bool canShowWindows()
{
    return qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr;
}

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

    bool editOptions(QWidget *parent, void *block, bool) override
    {
        MoveToFolderDialog dialog(parent, typed(block));
        if (dialog.exec() != QDialog::Accepted)
            return false;
        const MoveOptions edited = dialog.options();
        std::memcpy(block, &edited, sizeof edited);
        return true;
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

    static CopyProgress progressReporter(void *progressBar)
    {
        auto *bar = qobject_cast<QProgressBar *>(static_cast<QWidget *>(progressBar));
        if (bar == nullptr)
            return {};
        // The host handles no events during the call: paint each new percent at once.
        return [bar](int percent) {
            if (bar->maximum() != 100)
                bar->setRange(0, 100);
            if (bar->value() == percent)
                return;
            bar->setValue(percent);
            bar->repaint();
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

    void undo()
    {
        const bool windows = canShowWindows();
        QWidget *parent = windows ? QApplication::activeWindow() : nullptr;
        const QString title = QString::fromUtf8(kModuleName);
        if (!m_journal) {
            if (windows)
                QMessageBox::warning(parent, title, QStringLiteral("Журнал перемещений недоступен: программа не сообщила свою папку."));
            return;
        }
        std::vector<JournalRun> runs;
        try {
            runs = m_journal->runs();
        } catch (const sdk::ModuleError &error) {
            if (windows)
                QMessageBox::warning(parent, title, QString::fromUtf8(error.what()));
            return;
        }
        if (runs.empty()) {
            if (windows)
                QMessageBox::information(parent, title, QStringLiteral("Отменять нечего: журнал перемещений пуст.")
                                                            + journalProblem());
            return;
        }
        if (windows
            && QMessageBox::question(parent, title,
                                     QStringLiteral("Вернуть файлы последнего запуска (%1) на прежние места?\n"
                                                    "Занятые места не освобождаются: такие файлы останутся, где они есть.")
                                         .arg(runs.back().moves.size()))
                   != QMessageBox::Yes)
            return;

        UndoReport report;
        try {
            report = undoLastRun(*m_journal);
        } catch (const sdk::ModuleError &error) {
            if (windows)
                QMessageBox::warning(parent, title, QString::fromUtf8(error.what()));
            return;
        }
        m_previewSinceRun = true;
        if (!windows)
            return;
        QString text = QStringLiteral("Возвращено файлов: %1.").arg(report.restored);
        if (!report.failures.empty()) {
            text += QStringLiteral("\nНе возвращено: %1 (остались в журнале):").arg(report.failures.size());
            for (std::size_t i = 0; i < report.failures.size() && i < 10; ++i)
                text += QStringLiteral("\n• ") + QString::fromUtf8(report.failures[i]);
        }
        text += journalProblem();
        if (report.failures.empty())
            QMessageBox::information(parent, title, text);
        else
            QMessageBox::warning(parent, title, text);
    }

    QString journalProblem() const
    {
        if (m_journalError.empty())
            return {};
        return QStringLiteral("\nЖурнал записан не полностью: ") + QString::fromUtf8(m_journalError);
    }

    void about() const
    {
        if (!canShowWindows())
            return;
        QMessageBox::about(QApplication::activeWindow(), QString::fromUtf8(kModuleName),
                           QStringLiteral("Перемещение в папку 1.02\n\n"
                                          "Переносит файлы в папку, заданную от корня или от папки файла; "
                                          "в пути можно указать год, месяц и день даты файла (%Y, %m, %d). "
                                          "Недостающие папки создаются при запуске. На другой диск файл "
                                          "копируется, копия сверяется с оригиналом, и только потом оригинал "
                                          "удаляется. Существующие файлы никогда не заменяются.\n\n"
                                          "«Отменить» возвращает файлы последнего запуска на прежние места."));
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
