// The owner-drawn menu items, their measuring, and the button icons.
#include "main/core/look/SelectionImage.h"
#include "main/ui/ButtonIcons.h"
#include "main/ui/FormFonts.h"
#include "main/ui/MenuLookStyle.h"
#include "main/ui/TForm1.h"

#include "main/core/look/ColorRules.h"

#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionMenuItem>
#include <QTest>

using namespace brenmark;

namespace {

constexpr QRgb kLight = 0xFFFFFFFF;   // clBtnHighlight
constexpr QRgb kShadow = 0xFFA0A0A0;  // clBtnShadow (160, 160, 160)
constexpr QRgb kText = 0xFF000000;
constexpr QRgb kGrey = 0xFF6D6D6D;
constexpr int kWidth = 120;
constexpr int kHeight = 23;

QPalette fixedPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Light, QColor(kLight));
    palette.setColor(QPalette::Dark, QColor(kShadow));
    palette.setColor(QPalette::ButtonText, QColor(kText));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(kGrey));
    return palette;
}

QIcon solidIcon(QRgb colour)
{
    QPixmap picture(16, 16);
    picture.fill(QColor(colour));
    return QIcon(picture);
}

int countColour(const QImage &image, QRect area, QRgb colour)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixel(x, y) == colour;
    return count;
}

} // namespace

class MenuLookTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        registerFallbackFonts();
        m_style = MenuLookStyle::install();
        m_bar = makeSelectionImage();
        TintSelectionImage(m_bar, QColor(53, 154, 255));
        m_style->setSelectionImage(m_bar);
    }

    void plainItemHasStripeLineAndLightBackground();
    void highlightedItemIsCutFromThePicture();
    void disabledItemUnderTheMouseLooksUnselected();
    void imageMovesUpAndLeftWhenHighlighted();
    void separatorIsALineAfterTheStripe();
    void captionAndShortcutPlaces();
    void measuring();
    void menusTakeTheirLookFromTheirParents();
    void setButtonIconKindsAndDisabledLook();
    void windowMenuIsDrawnByTheRoutine();

private:
    QImage draw(const QString &text, bool selected, bool enabled = true, const QIcon &icon = {},
                QStyleOptionMenuItem::MenuItemType type = QStyleOptionMenuItem::Normal) const
    {
        QStyleOptionMenuItem item;
        item.rect = QRect(0, 0, kWidth, kHeight);
        item.palette = fixedPalette();
        item.text = text;
        item.icon = icon;
        item.menuItemType = type;
        item.font = formFont();
        item.font.setStyleStrategy(QFont::NoAntialias);
        item.state = QStyle::State_None;
        if (enabled)
            item.state |= QStyle::State_Enabled;
        if (selected)
            item.state |= QStyle::State_Selected;
        QImage image(kWidth, kHeight, QImage::Format_RGB32);
        image.fill(Qt::red);
        QPainter painter(&image);
        m_style->N1DrawItem(&painter, item);
        return image;
    }

    MenuLookStyle *m_style = nullptr;
    QImage m_bar;
};

void MenuLookTest::plainItemHasStripeLineAndLightBackground()
{
    const QImage image = draw(QString(), false);
    const QRgb stripe = qRgb(231, 231, 231); // 25 % from white to (160, 160, 160)
    QCOMPARE(countColour(image, QRect(0, 0, 23, kHeight), stripe), 23 * kHeight);
    QCOMPARE(countColour(image, QRect(23, 0, 1, kHeight), kShadow), kHeight);
    QCOMPARE(countColour(image, QRect(24, 0, kWidth - 24, kHeight), kLight), (kWidth - 24) * kHeight);
}

void MenuLookTest::highlightedItemIsCutFromThePicture()
{
    const QImage image = draw(QString(), true);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < 5; ++x)
            QCOMPARE(image.pixel(x, y), m_bar.pixel(x, y));
        for (int x = 5; x < kWidth - 6; ++x) // the middle column stretched over 109 pixels
            QCOMPARE(image.pixel(x, y), m_bar.pixel(5, y));
        for (int x = 0; x < 6; ++x)
            QCOMPARE(image.pixel(kWidth - 6 + x, y), m_bar.pixel(6 + x, y));
    }
    QCOMPARE(image.pixel(0, 2), qRgb(103, 205, 255));
}

void MenuLookTest::disabledItemUnderTheMouseLooksUnselected()
{
    QCOMPARE(draw(QStringLiteral("Удалить"), true, false, solidIcon(0xFF00AA00)),
             draw(QStringLiteral("Удалить"), false, false, solidIcon(0xFF00AA00)));
    const QImage disabled = draw(QStringLiteral("Удалить"), false, false);
    QVERIFY(countColour(disabled, disabled.rect(), kGrey) > 0);
    QCOMPARE(countColour(disabled, disabled.rect(), kText), 0);
    const QImage enabled = draw(QStringLiteral("Удалить"), false, true);
    QCOMPARE(countColour(enabled, enabled.rect(), kGrey), 0);
    QVERIFY(countColour(enabled, enabled.rect(), kText) > 0);
}

void MenuLookTest::imageMovesUpAndLeftWhenHighlighted()
{
    const QRgb green = 0xFF00AA00;
    const QImage plain = draw(QString(), false, true, solidIcon(green));
    // (B + T - 16) / 2 = 3
    QCOMPARE(plain.pixel(4, 3), green);
    QCOMPARE(plain.pixel(19, 18), green);
    QVERIFY(plain.pixel(3, 3) != green);
    QVERIFY(plain.pixel(4, 2) != green);
    const QImage highlighted = draw(QString(), true, true, solidIcon(green));
    QCOMPARE(highlighted.pixel(3, 2), green);
    QCOMPARE(highlighted.pixel(18, 17), green);
    QVERIFY(highlighted.pixel(19, 18) != green);
}

void MenuLookTest::separatorIsALineAfterTheStripe()
{
    const QImage image = draw(QString(), false, true, {}, QStyleOptionMenuItem::Separator);
    QCOMPARE(countColour(image, QRect(27, 2, kWidth - 27, 1), kShadow), kWidth - 27);
    QCOMPARE(image.pixel(26, 2), kLight);
    QCOMPARE(countColour(image, QRect(24, 3, kWidth - 24, kHeight - 3), kLight), (kWidth - 24) * (kHeight - 3));
}

void MenuLookTest::captionAndShortcutPlaces()
{
    const QImage caption = draw(QStringLiteral("Ш"), false);
    int left = kWidth;
    for (int x = 24; x < kWidth; ++x)
        if (countColour(caption, QRect(x, 0, 1, kHeight), kText)) {
            left = x;
            break;
        }
    QVERIFY2(left >= 29 && left <= 31, qPrintable(QString::number(left)));

    const QImage shortcut = draw(QStringLiteral("Очистить\tCtrl+N"), false);
    int right = -1;
    for (int x = kWidth - 1; x > 0; --x)
        if (countColour(shortcut, QRect(x, 0, 1, kHeight), kText)) {
            right = x;
            break;
        }
    QVERIFY2(right <= kWidth - 6 && right >= kWidth - 9, qPrintable(QString::number(right)));
}

void MenuLookTest::measuring()
{
    QCOMPARE(m_style->N1MeasureItem(QSize(100, 20)), QSize(120, 23));
    QCOMPARE(m_style->N2MeasureItem(QSize(114, 20), 119), QSize(104, 23)); // 5 narrower becomes 15 narrower
    QCOMPARE(m_style->N2MeasureItem(QSize(119, 20), 119), QSize(119, 23));
    QCOMPARE(m_style->N2MeasureItem(QSize(150, 20), 119), QSize(150, 23));
}

void MenuLookTest::menusTakeTheirLookFromTheirParents()
{
    QMenu menu;
    MenuLookStyle::setMenuLook(&menu, MenuLook::Action);
    QAction *item = menu.addAction(QStringLiteral("Удалить"));
    QMenu *submenu = menu.addMenu(QStringLiteral("Категория"));
    QAction *inner = submenu->addAction(QStringLiteral("Действие"));
    QCOMPARE(MenuLookStyle::menuLook(submenu), MenuLook::Action);
    QCOMPARE(menu.actionGeometry(item).height(), 23);
    QCOMPARE(submenu->actionGeometry(inner).height(), 23);

    QMenu plain;
    QAction *standard = plain.addAction(QStringLiteral("Удалить"));
    QVERIFY(plain.actionGeometry(standard).height() != 23 || MenuLookStyle::menuLook(&plain) == MenuLook::None);
    QCOMPARE(MenuLookStyle::menuLook(&plain), MenuLook::None);

    QPushButton button;
    button.resize(300, 25);
    QMenu commands;
    MenuLookStyle::setMenuLook(&commands, MenuLook::Command);
    MenuLookStyle::setReferenceButton(&commands, &button);
    QAction *command = commands.addAction(QStringLiteral("Команда"));
    QCOMPARE(commands.actionGeometry(command).height(), 23);
    QVERIFY(commands.sizeHint().width() >= 285);
}

void MenuLookTest::setButtonIconKindsAndDisabledLook()
{
    QPushButton button(QStringLiteral("СТАРТ"));
    QCOMPARE(SetButtonIcon(&button, solidIcon(0xFF000000), 2, 32, 32, 2), 0);
    QVERIFY(button.icon().isNull());
    QCOMPARE(SetButtonIcon(&button, solidIcon(0xFF000000), -1, 32, 32, 2), 0);
    QVERIFY(button.icon().isNull());

    QVERIFY(SetButtonIcon(&button, solidIcon(0xFF000000), 1, 32, 32, 2) != 0);
    QCOMPARE(button.iconSize(), QSize(32, 32));
    QCOMPARE(button.icon().pixmap(32, QIcon::Normal).toImage().pixel(5, 5), qRgb(0, 0, 0));
    const QColor highlight = QApplication::palette().color(QPalette::Highlight);
    const QRgb disabled = button.icon().pixmap(32, QIcon::Disabled).toImage().pixel(5, 5);
    QCOMPARE(qRed(disabled), highlight.red() / 2);
    QCOMPARE(qBlue(disabled), highlight.blue() / 2);
    QVERIFY(SetButtonIcon(&button, solidIcon(0xFF000000), 0, 16, 16, 5) != 0);
    QCOMPARE(button.iconSize(), QSize(16, 16));

    // The icon sits at its margin from the left edge.
    button.resize(90, 37);
    QVERIFY(SetButtonIcon(&button, solidIcon(0xFF00AA00), 1, 32, 32, 2) != 0);
    const QImage shown = button.grab().toImage();
    QCOMPARE(shown.pixel(2, 3), qRgb(0, 0xAA, 0));
    QVERIFY(shown.pixel(1, 18) != qRgb(0, 0xAA, 0));
    QCOMPARE(shown.pixel(33, 18), qRgb(0, 0xAA, 0));
}

void MenuLookTest::windowMenuIsDrawnByTheRoutine()
{
    TForm1 form;
    QMenu *menu = form.pmFiles;
    menu->popup(QPoint(10, 10));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    const QRect clear = menu->actionGeometry(form.N13);
    QCOMPARE(clear.height(), 23);
    menu->setActiveAction(form.N13);
    const QImage image = menu->grab().toImage();
    image.save(QStringLiteral("menu.png"));
    const QPalette palette = QApplication::palette();
    // An item that is not highlighted: the icon stripe in the mix of white and shadow.
    const QRect info = menu->actionGeometry(form.N22);
    const QColor stripe = MixColors(Qt::white, palette.color(QPalette::Dark), 25);
    QCOMPARE(image.pixel(info.left() + 1, info.top() + 1), stripe.rgb());
    QCOMPARE(image.pixel(info.left() + 23, info.center().y()), palette.color(QPalette::Dark).rgb());
    // The highlighted one: its middle is the tinted bar's middle column.
    QCOMPARE(image.pixel(clear.center().x(), clear.top() + 5), m_bar.pixel(5, 5));
    // Separators: one crisp line in the shadow colour, two pixels below their top.
    const QRect separator = menu->actionGeometry(form.N12);
    QCOMPARE(image.pixel(separator.left() + 40, separator.top() + 2), palette.color(QPalette::Dark).rgb());
    QCOMPARE(image.pixel(separator.left() + 40, separator.top() + 3), palette.color(QPalette::Light).rgb());
    menu->close();
}

QTEST_MAIN(MenuLookTest)
#include "MenuLookTest.moc"
