#include "main/ui/UndoDialog.h"

#include "main/core/undo/UndoRun.h"

#include <QMessageBox>

namespace brenmark {
namespace {

const QString kTitle = QStringLiteral("Отменить последний запуск");
// More lines would push the buttons off the screen; all are in the details.
constexpr int kProblemsShown = 15;

QString text(const std::string &bytes)
{
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}

} // namespace

void undoLastRunWithDialogs(QWidget *parent, const std::string &journalPath)
{
    const UndoPlan plan = planUndo(journalPath);
    if (plan.empty()) {
        QMessageBox::information(parent, kTitle, QStringLiteral("Отменять нечего: в журнале нет запусков."));
        return;
    }
    const QString question = QStringLiteral("Вернуть на прежние места файлов: %1?\n"
                                            "Файлы, чьё прежнее место занято или которые заменены другими, "
                                            "останутся, где они есть; ничего не заменяется.")
                                 .arg(plan.files);
    if (QMessageBox::question(parent, kTitle, question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        != QMessageBox::Yes)
        return;

    const UndoResult result = undoLastRun(journalPath);
    QString report = QStringLiteral("Возвращено файлов: %1 из %2.")
                         .arg(result.returned)
                         .arg(result.returned + int(result.notReturned.size()));
    QString details;
    if (!result.notReturned.empty()) {
        report += QStringLiteral("\n\nНе возвращены (%1):").arg(result.notReturned.size());
        for (std::size_t i = 0; i < result.notReturned.size(); ++i) {
            if (int(i) < kProblemsShown)
                report += QStringLiteral("\n• ") + text(result.notReturned[i]);
            details += text(result.notReturned[i]) + QLatin1Char('\n');
        }
        if (int(result.notReturned.size()) > kProblemsShown)
            report += QStringLiteral("\n… (все — в подробностях)");
    }
    if (!result.foldersKept.empty())
        report += QLatin1Char('\n');
    for (const std::string &folder : result.foldersKept)
        report += QStringLiteral("\nПапка «%1» не пуста и оставлена.").arg(text(folder));
    if (!result.journalProblem.empty())
        report += QStringLiteral("\n\n") + text(result.journalProblem);

    QMessageBox box(result.allReturned() && result.journalProblem.empty() ? QMessageBox::Information : QMessageBox::Warning,
                    kTitle, report, QMessageBox::Ok, parent);
    if (int(result.notReturned.size()) > kProblemsShown)
        box.setDetailedText(details);
    box.exec();
}

} // namespace brenmark
