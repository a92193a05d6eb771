#include "main/ui/BrenmarkApplication.h"

#include "main/ui/ErrorReport.h"
#include "main/ui/FormFonts.h"
#include "main/ui/MenuLookStyle.h"
#include "main/ui/ProgramArt.h"

#include <QFile>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

#include <cerrno>
#include <cstdio>
#include <exception>

namespace brenmark {

BrenmarkApplication::BrenmarkApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    // No display name: the window system would append it to every caption.
    setApplicationName(QStringLiteral("Brenmark"));
    installQtTranslations(*this);
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

bool installQtTranslations(QCoreApplication &application)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto *translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_ru"), folder) && application.installTranslator(translator))
        return true;
    delete translator;
    std::fprintf(stderr, "%s: нет перевода Qt %s/qtbase_ru.qm (пакет qt6-translations-l10n): "
                         "стандартные диалоги будут на английском\n",
                 program_invocation_short_name, QFile::encodeName(folder).constData());
    return false;
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
