#include "main/ui/BrenmarkApplication.h"

#include "main/ui/ErrorReport.h"
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
    bool handled = false;
    reportErrors([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

void showCommandError(const std::exception &error)
{
    BrenmarkApplication::showError(QString::fromUtf8(error.what()));
}

void showUnknownCommandError()
{
    BrenmarkApplication::showError(QStringLiteral("Unknown error"));
}

namespace {

BrenmarkApplication::ErrorPresenter &errorPresenter()
{
    static BrenmarkApplication::ErrorPresenter presenter;
    return presenter;
}

} // namespace

void BrenmarkApplication::setErrorPresenter(ErrorPresenter presenter)
{
    errorPresenter() = std::move(presenter);
}

void BrenmarkApplication::showError(const QString &text)
{
    if (errorPresenter()) {
        errorPresenter()(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Brenmark"), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

} // namespace brenmark
