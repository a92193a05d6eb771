#include "main/ui/BrenmarkApplication.h"

#include "main/ui/FormFonts.h"
#include "main/ui/MenuLookStyle.h"
#include "main/ui/ProgramArt.h"

#include <QMessageBox>

#include <exception>

namespace brenmark {

BrenmarkApplication::BrenmarkApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Brenmark"));
    setApplicationDisplayName(QStringLiteral("Brenmark"));
    registerFallbackFonts();
    setFont(formFont());
    chooseIconTheme();
    MenuLookStyle::install();
}

bool BrenmarkApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        showError(QString::fromUtf8(error.what()));
    } catch (...) {
        showError(QStringLiteral("Unknown error"));
    }
    return false;
}

void BrenmarkApplication::showError(const QString &text)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Brenmark"), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

} // namespace brenmark
