#pragma once

#include <QWidget>

namespace brenmark {

class DesignLayout;

// A thin bar under a top-aligned strip; dragging it changes that strip's height
// between the strip's minimum height and what leaves `m_keepBelow` pixels below.
class TopSplitter : public QWidget
{
    Q_OBJECT
public:
    TopSplitter(DesignLayout *layout, QWidget *strip, QWidget *parent);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    DesignLayout *m_layout;
    QWidget *m_strip;
    int m_pressY = -1;
    int m_pressThickness = 0;
    int m_keepBelow = 30;
};

} // namespace brenmark
