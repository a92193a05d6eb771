#include "main/ui/MenuLookStyle.h"

#include "main/core/look/ColorRules.h"
#include "main/core/look/SelectionImage.h"
#include "main/core/look/SystemColors.h"

#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOptionGroupBox>
#include <QStyleOptionMenuItem>

#include <algorithm>

namespace brenmark {

namespace {

const char kLookProperty[] = "brenmarkMenuLook";
const char kReferenceProperty[] = "brenmarkReferenceButton";
const char kIconMarginProperty[] = "brenmarkIconMargin";

QPointer<MenuLookStyle> g_installed;

// A captioned, framed group box without a check box: the kind the forms use.
const QStyleOptionGroupBox *designedGroupBox(const QStyleOptionComplex *option)
{
    const auto *box = qstyleoption_cast<const QStyleOptionGroupBox *>(option);
    if (!box || box->text.isEmpty() || box->features.testFlag(QStyleOptionFrame::Flat)
        || box->subControls.testFlag(QStyle::SC_GroupBoxCheckBox))
        return nullptr;
    return box;
}

const QWidget *referenceButton(const QWidget *menu)
{
    for (const QObject *object = menu; object; object = object->parent()) {
        if (!qobject_cast<const QMenu *>(object))
            break;
        if (auto *button = qvariant_cast<QObject *>(object->property(kReferenceProperty)))
            return qobject_cast<QWidget *>(button);
    }
    return nullptr;
}

} // namespace

MenuLookStyle::MenuLookStyle(QStyle *base) : QProxyStyle(base), m_selectionImage(makeSelectionImage())
{
}

MenuLookStyle *MenuLookStyle::install()
{
    if (g_installed && QApplication::style() == g_installed)
        return g_installed;
    auto *style = new MenuLookStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setStyle(style);
    g_installed = style;
    return style;
}

MenuLookStyle *MenuLookStyle::current()
{
    return g_installed && QApplication::style() == g_installed ? g_installed.data() : nullptr;
}

void MenuLookStyle::setMenuLook(QMenu *menu, MenuLook look)
{
    menu->setProperty(kLookProperty, static_cast<int>(look));
}

MenuLook MenuLookStyle::menuLook(const QWidget *menu)
{
    // Submenus are children of the menu they unfold from and share its look.
    for (const QObject *object = menu; object; object = object->parent()) {
        if (!qobject_cast<const QMenu *>(object))
            break;
        const QVariant look = object->property(kLookProperty);
        if (look.isValid())
            return static_cast<MenuLook>(look.toInt());
    }
    return MenuLook::None;
}

void MenuLookStyle::setReferenceButton(QMenu *menu, QWidget *button)
{
    menu->setProperty(kReferenceProperty, QVariant::fromValue<QObject *>(button));
}

void MenuLookStyle::setIconMargin(QWidget *button, int leftMargin)
{
    button->setProperty(kIconMarginProperty, leftMargin);
    button->update();
}

void MenuLookStyle::setSelectionImage(const QImage &image)
{
    m_selectionImage = image;
}

QSize MenuLookStyle::N1MeasureItem(QSize standard) const
{
    return {standard.width() + 20, m_selectionImage.height()};
}

QSize MenuLookStyle::N2MeasureItem(QSize standard, int referenceWidth) const
{
    const int width = referenceWidth > standard.width() ? referenceWidth - 15 : standard.width();
    return {width, m_selectionImage.height()};
}

void MenuLookStyle::N1DrawItem(QPainter *painter, const QStyleOptionMenuItem &item) const
{
    const QRect rect = item.rect;
    const int left = rect.left();
    const int top = rect.top();
    const int right = rect.left() + rect.width();
    const int bottom = rect.top() + rect.height();
    const QPalette &palette = item.palette;
    const bool enabled = item.state.testFlag(State_Enabled);
    const bool highlighted = enabled && item.state.testFlag(State_Selected);
    const QColor shadow = systemColor(palette, SystemColor::BtnShadow);
    const QColor light = systemColor(palette, SystemColor::BtnHighlight);

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    QFont font = item.font;
    font.setFamily(QStringLiteral("Tahoma"));
    painter->setFont(font);

    if (highlighted) {
        painter->fillRect(rect, light);
        const QImage &bar = m_selectionImage;
        const int barHeight = bar.height();
        painter->drawImage(QRect(left, top, 5, rect.height()), bar, QRect(0, 0, 5, barHeight));
        painter->drawImage(QRect(left + 5, top, right - 6 - (left + 5), rect.height()), bar,
                           QRect(5, 0, 1, barHeight));
        painter->drawImage(QRect(right - 6, top, 6, rect.height()), bar, QRect(6, 0, 6, barHeight));
    } else {
        painter->fillRect(QRect(left, top, 23, rect.height()), MixColors(QColor(255, 255, 255), shadow, 25));
        painter->fillRect(QRect(left + 24, top, right - (left + 24), rect.height()), light);
        painter->setPen(shadow);
        painter->drawLine(left + 23, top, left + 23, bottom - 1);
    }

    if (item.menuItemType == QStyleOptionMenuItem::Separator) {
        painter->setPen(shadow);
        painter->drawLine(left + 27, top + 2, right - 1, top + 2);
        painter->restore();
        return;
    }

    if (!item.icon.isNull()) {
        const int offset = highlighted ? 1 : 0;
        const QPixmap image = item.icon.pixmap(16, 16, enabled ? QIcon::Normal : QIcon::Disabled);
        painter->drawPixmap(left + 4 - offset, (bottom + top - 16) / 2 - offset, image);
    }

    painter->setPen(systemColor(palette, enabled ? SystemColor::BtnText : SystemColor::GrayText));
    const QFontMetrics metrics = painter->fontMetrics();
    const int textTop = (bottom + top - metrics.height()) / 2;
    const qsizetype tab = item.text.indexOf(QLatin1Char('\t'));
    const QString caption = tab < 0 ? item.text : item.text.left(tab);
    const QString shortcut = tab < 0 ? QString() : item.text.mid(tab + 1);
    const int flags = Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip;
    painter->drawText(QRect(left + 29, textTop, right - (left + 29), metrics.height()), flags | Qt::AlignLeft,
                      caption);
    if (!shortcut.isEmpty())
        painter->drawText(QRect(left, textTop, right - 5 - left, metrics.height()), flags | Qt::AlignRight,
                          shortcut);

    if (item.menuItemType == QStyleOptionMenuItem::SubMenu) {
        QStyleOption arrow = item;
        arrow.rect = QRect(right - 14, top, 10, rect.height());
        proxy()->drawPrimitive(PE_IndicatorArrowRight, &arrow, painter);
    }
    painter->restore();
}

void MenuLookStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                                const QWidget *widget) const
{
    if (element == CE_MenuItem) {
        const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
        const MenuLook look = menuLook(widget);
        const bool standardSeparator =
            item && look == MenuLook::Command && item->menuItemType == QStyleOptionMenuItem::Separator;
        if (item && look != MenuLook::None && !standardSeparator
            && item->menuItemType != QStyleOptionMenuItem::EmptyArea) {
            N1DrawItem(painter, *item);
            return;
        }
    }
    if (element == CE_PushButtonLabel && widget && widget->property(kIconMarginProperty).isValid()) {
        drawIconButtonLabel(option, painter, widget);
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

QSize MenuLookStyle::sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                                      const QWidget *widget) const
{
    const QSize standard = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (type != CT_MenuItem)
        return standard;
    const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
    const MenuLook look = menuLook(widget);
    if (!item || look == MenuLook::None)
        return standard;
    if (item->menuItemType == QStyleOptionMenuItem::Separator) {
        // Separators keep the style's size, but with room for their line two pixels down.
        if (look == MenuLook::Action)
            return {standard.width(), std::max(standard.height(), 5)};
        return standard;
    }
    if (look == MenuLook::Command) {
        const QWidget *button = referenceButton(widget);
        return N2MeasureItem(standard, button ? button->width() : 0);
    }
    return N1MeasureItem(standard);
}

int MenuLookStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    if (metric == PM_MenuPanelWidth && qobject_cast<const QMenu *>(widget) && menuLook(widget) != MenuLook::None)
        return 1;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

void MenuLookStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                  const QWidget *widget) const
{
    if (element == PE_FrameMenu && qobject_cast<const QMenu *>(widget) && menuLook(widget) != MenuLook::None) {
        painter->save();
        painter->setPen(systemColor(option->palette, SystemColor::BtnShadow));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

QRect MenuLookStyle::subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                                    SubControl subControl, const QWidget *widget) const
{
    const QStyleOptionGroupBox *box = control == CC_GroupBox ? designedGroupBox(option) : nullptr;
    if (!box || (subControl != SC_GroupBoxLabel && subControl != SC_GroupBoxFrame))
        return QProxyStyle::subControlRect(control, option, subControl, widget);
    const QFontMetrics &metrics = box->fontMetrics;
    if (subControl == SC_GroupBoxLabel) {
        const int width = metrics.size(Qt::TextShowMnemonic, box->text).width() + 1;
        return QRect(box->rect.left() + 8, box->rect.top(), std::min(width, box->rect.width() - 16),
                     metrics.height());
    }
    return box->rect.adjusted(0, metrics.height() / 2, 0, 0);
}

void MenuLookStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                       QPainter *painter, const QWidget *widget) const
{
    const QStyleOptionGroupBox *box = control == CC_GroupBox ? designedGroupBox(option) : nullptr;
    if (!box) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const QRect label = proxy()->subControlRect(CC_GroupBox, box, SC_GroupBoxLabel, widget);
    painter->save();
    if (box->subControls.testFlag(SC_GroupBoxFrame)) {
        // An etched line (the base style's frame would move itself below the caption
        // again), stopping two pixels either side of the caption.
        painter->setClipRegion(QRegion(box->rect).subtracted(label.adjusted(-2, 0, 2, 0)));
        const QRect frame = proxy()->subControlRect(CC_GroupBox, box, SC_GroupBoxFrame, widget);
        painter->setBrush(Qt::NoBrush);
        painter->setPen(systemColor(box->palette, SystemColor::BtnHighlight));
        painter->drawRect(frame.adjusted(1, 1, -1, -1));
        painter->setPen(systemColor(box->palette, SystemColor::BtnShadow));
        painter->drawRect(frame.adjusted(0, 0, -2, -2));
        painter->setClipping(false);
    }
    if (box->subControls.testFlag(SC_GroupBoxLabel)) {
        int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextSingleLine;
        if (!proxy()->styleHint(SH_UnderlineShortcut, box, widget))
            flags |= Qt::TextHideMnemonic;
        proxy()->drawItemText(painter, label, flags, box->palette, box->state.testFlag(State_Enabled), box->text,
                              QPalette::WindowText);
    }
    painter->restore();
}

void MenuLookStyle::drawIconButtonLabel(const QStyleOption *option, QPainter *painter,
                                        const QWidget *widget) const
{
    const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option);
    if (!button) {
        QProxyStyle::drawControl(CE_PushButtonLabel, option, painter, widget);
        return;
    }
    const int margin = widget->property(kIconMarginProperty).toInt();
    const QSize iconSize = button->iconSize;
    const QRect whole = widget->rect();
    const QRect iconRect(whole.left() + margin, whole.top() + (whole.height() - iconSize.height()) / 2,
                         iconSize.width(), iconSize.height());
    const bool enabled = button->state.testFlag(State_Enabled);
    QIcon::Mode mode = QIcon::Normal;
    if (!enabled)
        mode = QIcon::Disabled;
    else if (button->state.testFlag(State_Sunken))
        mode = QIcon::Selected;
    else if (button->state.testFlag(State_MouseOver))
        mode = QIcon::Active;
    painter->drawPixmap(iconRect.topLeft(), button->icon.pixmap(iconSize, widget->devicePixelRatioF(), mode));

    QStyleOptionButton text = *button;
    text.icon = QIcon();
    text.rect = QRect(iconRect.right() + 1, button->rect.top(), button->rect.right() - iconRect.right(),
                      button->rect.height());
    QProxyStyle::drawControl(CE_PushButtonLabel, &text, painter, widget);
}

} // namespace brenmark
