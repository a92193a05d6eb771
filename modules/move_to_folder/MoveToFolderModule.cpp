// Moves files into a folder (absolute, or relative to the file's folder, with
// date parts), across file systems too. The program's own undo returns the
// files of a run; this module keeps no journal.
#include "brenmark_module_helper.h"
#include "modules/date_time/FileDateReader.h"
#include "modules/move_to_folder/FileMover.h"
#include "modules/move_to_folder/FolderTarget.h"
#include "modules/move_to_folder/MoveToFolderDialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QProgressBar>

#include <cstring>

namespace brenmark::movetofolder {
namespace {

const char *const kModuleName = "Перемещение в папку";

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
        datetime::DateParts date;
        if (needsDate(options)) {
            m_path.assign(request.actualPath);
            date = m_reader.read(m_path, options.dateSource);
        }
        out += targetPath(request.path, options, date);
    }

    void perform(const void *, const sdk::FileRequest &request, const std::string &newPath) override
    {
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
    }

    // Paths are moved as they are; only the folder text is the user's UTF-8.
    bool requiresUtf8Names() const override { return false; }

    std::vector<std::string> buttons() const override { return {"О модуле"}; }

    void clickButton(int) override { about(); }

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
                                          "Вернуть файлы последнего запуска на прежние места: «Инструменты» → "
                                          "«Отменить последний запуск» в меню списка файлов."));
    }

    datetime::FileDateReader m_reader;
    std::string m_path;
};

} // namespace
} // namespace brenmark::movetofolder

BRENMARK_MODULE(brenmark::movetofolder::MoveToFolderModule)
