#pragma once

#include <QApplication>

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

    // The message box of the general error handler.
    static void showError(const QString &text);
};

} // namespace brenmark
