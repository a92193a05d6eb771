#include "module_helper/WidgetsExports.h"

#include <QApplication>
#include <QMessageBox>

namespace brenmark::sdk {

int32_t showMessageBox(int32_t kind, const char *title, const char *text)
{
    QWidget *parent = QApplication::activeWindow();
    const QString caption = QString::fromUtf8(title);
    const QString message = QString::fromUtf8(text);
    switch (static_cast<MessageKind>(kind)) {
    case MessageKind::Information:
        QMessageBox::information(parent, caption, message);
        return 0;
    case MessageKind::Warning:
        QMessageBox::warning(parent, caption, message);
        return 0;
    case MessageKind::Question:
        return QMessageBox::question(parent, caption, message) == QMessageBox::Yes ? 1 : 0;
    case MessageKind::About:
        QMessageBox::about(parent, caption, message);
        return 0;
    }
    return 0;
}

} // namespace brenmark::sdk
