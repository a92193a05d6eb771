#include "about/ui/LinkLabel.h"

#include <QDesktopServices>
#include <QMouseEvent>

namespace brenmark {

LinkLabel::LinkLabel(const QString &text, QUrl address, QWidget *parent)
    : QLabel(text, parent)
    , m_address(std::move(address))
{
    setCursor(Qt::PointingHandCursor);
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Link));
    setPalette(palette);
    connect(this, &LinkLabel::clicked, this, [this] { QDesktopServices::openUrl(m_address); });
}

void LinkLabel::setUnderlined(bool underlined)
{
    QFont font = this->font();
    font.setUnderline(underlined);
    setFont(font);
}

void LinkLabel::enterEvent(QEnterEvent *event)
{
    setUnderlined(true);
    QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent *event)
{
    setUnderlined(false);
    QLabel::leaveEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

} // namespace brenmark
