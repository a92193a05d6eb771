#include "main/ui/OpenDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QList>
#include <QPointer>
#include <QWidget>

namespace brenmark {

bool openDialogsRunning()
{
    return QApplication::activeModalWidget() || QApplication::activePopupWidget();
}

void endOpenDialogs()
{
    while (QWidget *popup = QApplication::activePopupWidget()) {
        if (!popup->close())
            break;
    }
    // Outer dialogs too: their loops end as soon as the inner ones return.
    // Guarded: ending one may delete another.
    QList<QPointer<QWidget>> windows;
    for (QWidget *window : QApplication::topLevelWidgets())
        windows.append(window);
    for (const QPointer<QWidget> &window : windows) {
        if (!window || !window->isVisible() || !window->isModal())
            continue;
        if (auto *dialog = qobject_cast<QDialog *>(window))
            dialog->done(QDialog::Rejected);
        else
            window->close();
    }
}

} // namespace brenmark
