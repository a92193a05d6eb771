#include "information/ui/DialogParts.h"

#include <QDialog>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QScreen>

#include <algorithm>

namespace brenmark {

namespace {

// Qt opens a dialog centred on its parent; these open centred on the screen
// whichever way the main window was moved. Every showing, not just the first.
class ScreenCentring : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && !event->spontaneous())
            centreOnScreen(static_cast<QWidget *>(watched));
        return false;
    }
};

} // namespace

void centreOnScreen(QWidget *dialog)
{
    const QWidget *owner = dialog->parentWidget() ? dialog->parentWidget()->window() : dialog;
    const QScreen *screen = owner->screen();
    if (!screen)
        return;
    QRect frame = dialog->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    dialog->move(frame.topLeft());
}

void setUpFixedDialog(QDialog *dialog, const QString &name, const QString &title, int width, int height)
{
    dialog->setObjectName(name);
    dialog->setWindowTitle(title);
    dialog->setFixedSize(width, height);
    dialog->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                           | Qt::WindowCloseButtonHint);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(8);
    dialog->setFont(font);
    dialog->installEventFilter(new ScreenCentring(dialog));
}

QFrame *createWhiteBand(QWidget *dialog, const QString &name, int height)
{
    auto *band = new QFrame(dialog);
    band->setObjectName(name);
    band->setFrameShape(QFrame::NoFrame);
    band->setAutoFillBackground(true);
    QPalette palette = band->palette();
    palette.setColor(QPalette::Window, Qt::white);
    band->setPalette(palette);
    band->setGeometry(0, 0, dialog->width(), height);
    return band;
}

QFrame *createBevel(QWidget *parent, const QString &name, int x, int y, int length, bool horizontal)
{
    auto *line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameShape(horizontal ? QFrame::HLine : QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    if (horizontal)
        line->setGeometry(x, y, length, 2);
    else
        line->setGeometry(x, y, 2, length);
    return line;
}

QLabel *createLabel(QWidget *parent, const QString &name, const QString &text, int x, int y)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->move(x, y);
    label->adjustSize();
    return label;
}

void setTitleFont(QLabel *label)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(14);
    font.setBold(true);
    label->setFont(font);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->adjustSize();
    const int room = label->parentWidget()->width() - 4;
    if (label->x() + label->width() > room)
        label->move(std::max(0, room - label->width()), label->y());
}

} // namespace brenmark
