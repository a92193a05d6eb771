#pragma once

#include <QLabel>
#include <QUrl>

namespace brenmark {

// A label that opens an address with the desktop's default action when
// clicked, drawn in the palette's link colour and underlined while the mouse
// is over it. The outcome of opening is not checked.
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    LinkLabel(const QString &text, QUrl address, QWidget *parent = nullptr);

    const QUrl &address() const { return m_address; }

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void setUnderlined(bool underlined);

    QUrl m_address;
};

} // namespace brenmark
