#pragma once

#include <QApplication>

#include <functional>

namespace brenmark {

// The application object. It is also the general error handler: an exception that
// leaves an event handler is shown to the user (title "Brenmark", error icon, OK) and
// the program then waits for the next user action.
class BrenmarkApplication : public QApplication
{
    Q_OBJECT
public:
    BrenmarkApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // The general error handler: by default a message box titled "Brenmark" with an
    // error icon and an OK button. Tests replace the presentation.
    static void showError(const QString &text);
    using ErrorPresenter = std::function<void(const QString &text)>;
    static void setErrorPresenter(ErrorPresenter presenter);
};

// Qt's own texts (file, input, font and colour dialogs, message-box buttons) in
// Russian, from Qt's translations folder. Without them (Debian's
// qt6-translations-l10n not installed) those texts stay English: says so on
// standard error, naming the file, and returns false.
bool installQtTranslations(QCoreApplication &application);

} // namespace brenmark
