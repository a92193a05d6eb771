#pragma once

#include <QImage>
#include <QProxyStyle>

class QMenu;
class QStyleOptionMenuItem;

namespace brenmark {

// How a menu's items are measured; the drawing is the same for both.
enum class MenuLook {
    None = 0,       // the platform's own look
    Action = 1,     // N1MeasureItem: one picture high, 20 pixels wider; separators standard size
    Command = 2,    // N2MeasureItem: at least as wide as a reference button less 15; separators standard look
};

// The application's style: the platform style plus the program's own menus, the
// icon placement of buttons that SetButtonIcon prepared, and group boxes framed as
// the forms were designed. A menu takes its look from the
// dynamic property set by setMenuLook() on it or on any menu it is a submenu of.
class MenuLookStyle : public QProxyStyle
{
    Q_OBJECT
public:
    explicit MenuLookStyle(QStyle *base = nullptr);

    // Installs one instance as the application style (once) and returns it.
    static MenuLookStyle *install();
    // The installed instance, or null.
    static MenuLookStyle *current();

    static void setMenuLook(QMenu *menu, MenuLook look);
    static MenuLook menuLook(const QWidget *menu);
    // N2MeasureItem compares item widths with this button's width.
    static void setReferenceButton(QMenu *menu, QWidget *button);
    // A push button with this margin shows its icon that many pixels from its left edge
    // and its caption centred in the rest.
    static void setIconMargin(QWidget *button, int leftMargin);

    // The (tinted) highlight picture the selection bar is cut from. Its height is the
    // height of every measured item.
    void setSelectionImage(const QImage &image);
    const QImage &selectionImage() const { return m_selectionImage; }

    void N1DrawItem(QPainter *painter, const QStyleOptionMenuItem &item) const;
    QSize N1MeasureItem(QSize standard) const;
    QSize N2MeasureItem(QSize standard, int referenceWidth) const;

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget = nullptr) const override;
    // The program's menus get a one-pixel frame in the button-shadow colour around the
    // items, so a menu over a white list keeps its edge.
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    // Group boxes as the forms were designed: the caption at the top edge, 8 pixels in,
    // and the frame's top line through the caption's middle, so contents placed a text
    // line below the box's top stay clear of the frame.
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl subControl,
                         const QWidget *widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget = nullptr) const override;

private:
    void drawIconButtonLabel(const QStyleOption *option, QPainter *painter, const QWidget *widget) const;

    QImage m_selectionImage;
};

} // namespace brenmark
