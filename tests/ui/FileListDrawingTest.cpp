// lbFilesDrawItem rendered into images with a fixed palette.
#include "main/core/filelist/FileEntry.h"
#include "main/core/filelist/FileListModel.h"
#include "main/core/look/TextLine.h"
#include "main/ui/FileListDelegate.h"
#include "main/ui/FormFonts.h"

#include <QImage>
#include <QPainter>
#include <QTest>

using namespace brenmark;

namespace {

constexpr QRgb kWindow = 0xFFFAFAFA;   // clWindow, not white, so the zebra rows differ
constexpr QRgb kShadow = 0xFF808080;   // clBtnShadow (128, 128, 128)
constexpr QRgb kHighlight = 0xFF3399FF; // clHighlight (51, 153, 255)
constexpr QRgb kHighlightText = 0xFFFFFF00;
constexpr QRgb kIconColour = 0xFFFF00FF;
constexpr int kRowWidth = 300;
constexpr int kRowHeight = 16;
constexpr int kSplit = 150; // W1

QPalette fixedPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Base, QColor(kWindow));
    palette.setColor(QPalette::Dark, QColor(kShadow));
    palette.setColor(QPalette::Highlight, QColor(kHighlight));
    palette.setColor(QPalette::HighlightedText, QColor(kHighlightText));
    return palette;
}

// Without antialiasing every inked pixel has exactly the text colour.
QFont sharpFont()
{
    QFont font = formFont();
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

FileListDelegate::Row rowFromText(const std::string &text)
{
    const FileEntry entry = FileEntry::parse(text);
    FileListDelegate::Row row;
    row.hasNewPath = entry.hasNewPath;
    row.iconIndex = entry.iconIndex;
    row.currentPath = QString::fromStdString(entry.currentPath);
    row.newPath = QString::fromStdString(entry.newPath);
    return row;
}

// Columns [from, to) that hold a pixel of colour `ink`, or of any colour but the background.
struct Ink
{
    int left = -1;
    int right = -1;
    int pixels = 0;
};

Ink inkBetween(const QImage &image, int from, int to, QRgb background, QRgb ink = 0)
{
    Ink found;
    for (int x = from; x < to; ++x)
        for (int y = 0; y < image.height(); ++y) {
            const QRgb pixel = image.pixel(x, y);
            if (ink ? pixel == ink : pixel != background) {
                if (found.left < 0)
                    found.left = x;
                found.right = x;
                ++found.pixels;
            }
        }
    return found;
}

// Black pixels of `text` drawn in black where nothing clips it.
int inkOfText(const QString &text, const QFont &font)
{
    QImage image(kRowWidth * 2, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(10, 30, text);
    painter.end();
    return inkBetween(image, 0, image.width(), 0, qRgb(0, 0, 0)).pixels;
}

} // namespace

class FileListDrawingTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        registerFallbackFonts();
        const QFont font = sharpFont();
        m_delegate.setRowLayout(fileRowLayout(reportedTextLine(font), inkedTextLine(font), true));
    }

    void backgroundsByIndexZebraAndSelection_data();
    void backgroundsByIndexZebraAndSelection();
    void iconAtTheRowsCornerAndTextAfterIt();
    void changedNameTakesItsColourEvenWhenSelected();
    void folderChangeInCaseOnlyIsNoChange();
    void changedFolderDrawsTheSecondColumnBold();
    void rowWithoutNewPathRunsAcrossTheRow();
    void lettersWithMarksAndPathsWithSeparatorsShowWhole();
    void longNamesStayInsideTheirColumn();
    void markedRowsShowTheirNewNameInRedWhateverTheChangeColour_data();
    void markedRowsShowTheirNewNameInRedWhateverTheChangeColour();

private:
    QImage render(const std::string &text, int index = 1, bool selected = false,
                  FileListModel::RowMark mark = FileListModel::RowMark::None) const
    {
        QImage image(kRowWidth, kRowHeight, QImage::Format_RGB32);
        image.fill(Qt::red);
        QPainter painter(&image);
        FileListDelegate::Row row = rowFromText(text);
        row.mark = int(mark);
        m_delegate.lbFilesDrawItem(&painter, index, image.rect(), selected, row, sharpFont(), fixedPalette());
        return image;
    }

    Settings m_settings = [] {
        Settings settings;
        settings.nameChangeColor = 0x000000FF; // red: bytes red, green, blue, 0
        return settings;
    }();
    FileListDelegate m_delegate{[this] { return m_settings; }, [] { return kSplit; },
                                [](int index) {
                                    if (index != 7)
                                        return QIcon();
                                    QPixmap picture(16, 16);
                                    picture.fill(QColor(kIconColour));
                                    return QIcon(picture);
                                }};
};

void FileListDrawingTest::backgroundsByIndexZebraAndSelection_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("zebra");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QRgb>("background");
    const QRgb zebra = qRgb(236, 236, 236);    // 15 % of the way from white to (128, 128, 128)
    const QRgb selection = qRgb(112, 184, 255); // 70 % of the way from white to the highlight
    QTest::newRow("even with zebra") << 0 << true << false << zebra;
    QTest::newRow("odd with zebra") << 1 << true << false << kWindow;
    QTest::newRow("even without zebra") << 2 << false << false << kWindow;
    QTest::newRow("selected even") << 4 << true << true << selection;
    QTest::newRow("selected odd") << 3 << false << true << selection;
}

void FileListDrawingTest::backgroundsByIndexZebraAndSelection()
{
    QFETCH(int, index);
    QFETCH(bool, zebra);
    QFETCH(bool, selected);
    QFETCH(QRgb, background);
    m_settings.zebraStyle = zebra;
    const QImage image = render("0|/a/b.txt*/a/b.txt", index, selected);
    QCOMPARE(image.pixel(kRowWidth - 1, kRowHeight - 1), background);
    QCOMPARE(image.pixel(kSplit, 0), background);
    // The names are drawn in black, or in the highlight text colour when selected.
    const QRgb text = selected ? kHighlightText : qRgb(0, 0, 0);
    QVERIFY(inkBetween(image, 0, kSplit, background, text).pixels > 0);
    QVERIFY(inkBetween(image, kSplit, kRowWidth, background, text).pixels > 0);
}

void FileListDrawingTest::iconAtTheRowsCornerAndTextAfterIt()
{
    m_settings.zebraStyle = false;
    const QImage withIcon = render("7|/a/b.txt*/a/b.txt");
    QCOMPARE(withIcon.pixel(0, 0), kIconColour);
    QCOMPARE(withIcon.pixel(15, 15), kIconColour);
    QVERIFY(withIcon.pixel(16, 0) != kIconColour);

    // Icon index 0 draws no icon, but the text still starts after the icon's room.
    const QImage noIcon = render("0|/a/b.txt*/a/b.txt");
    QCOMPARE(noIcon.pixel(0, 0), kWindow);
    const Ink first = inkBetween(noIcon, 0, kSplit, kWindow);
    QVERIFY2(first.left >= 17 && first.left <= 19, qPrintable(QString::number(first.left)));

    m_settings.showIcons = false;
    const QImage iconsOff = render("7|/a/b.txt*/a/b.txt");
    QCOMPARE(iconsOff.pixel(0, 0), kWindow);
    const Ink plain = inkBetween(iconsOff, 0, kSplit, kWindow);
    QVERIFY2(plain.left >= 1 && plain.left <= 3, qPrintable(QString::number(plain.left)));
    // The second column starts 4 pixels right of the split.
    const Ink second = inkBetween(iconsOff, kSplit, kRowWidth, kWindow);
    QVERIFY2(second.left >= kSplit + 4 && second.left <= kSplit + 6, qPrintable(QString::number(second.left)));
    m_settings.showIcons = true;
}

void FileListDrawingTest::changedNameTakesItsColourEvenWhenSelected()
{
    m_settings.zebraStyle = false;
    const QImage plain = render("0|/a/b.txt*/a/B.txt");
    const QRgb red = qRgb(255, 0, 0);
    QCOMPARE(inkBetween(plain, 0, kSplit, kWindow, red).pixels, 0);
    QVERIFY(inkBetween(plain, kSplit, kRowWidth, kWindow, red).pixels > 0);
    QCOMPARE(inkBetween(plain, kSplit, kRowWidth, kWindow, qRgb(0, 0, 0)).pixels, 0);

    const QImage selected = render("0|/a/b.txt*/a/B.txt", 1, true);
    QVERIFY(inkBetween(selected, kSplit, kRowWidth, 0, red).pixels > 0);

    m_settings.showNameChanges = false;
    const QImage off = render("0|/a/b.txt*/a/B.txt");
    QCOMPARE(inkBetween(off, kSplit, kRowWidth, kWindow, red).pixels, 0);
    m_settings.showNameChanges = true;
}

void FileListDrawingTest::folderChangeInCaseOnlyIsNoChange()
{
    m_settings.zebraStyle = false;
    const QImage same = render("0|/a/b.txt*/a/b.txt");
    const QImage caseOnly = render("0|/a/b.txt*/A/b.txt");
    QCOMPARE(caseOnly, same);
}

void FileListDrawingTest::changedFolderDrawsTheSecondColumnBold()
{
    m_settings.zebraStyle = false;
    const QImage same = render("0|/a/b.txt*/a/b.txt");
    const QImage moved = render("0|/a/b.txt*/d/b.txt");
    const Ink regular = inkBetween(same, kSplit, kRowWidth, kWindow);
    const Ink bold = inkBetween(moved, kSplit, kRowWidth, kWindow);
    // Clearly heavier, also where the bold face draws the regular one's strokes.
    QVERIFY2(bold.pixels >= 1.3 * regular.pixels,
             qPrintable(QStringLiteral("%1 vs %2").arg(bold.pixels).arg(regular.pixels)));
    // In the normal text colour, and the first column untouched.
    QCOMPARE(inkBetween(moved, kSplit, kRowWidth, kWindow, qRgb(255, 0, 0)).pixels, 0);
    QCOMPARE(moved.copy(0, 0, kSplit, kRowHeight), same.copy(0, 0, kSplit, kRowHeight));

    m_settings.showPathChanges = false;
    QCOMPARE(render("0|/a/b.txt*/d/b.txt"), same);
    m_settings.showPathChanges = true;
}

void FileListDrawingTest::rowWithoutNewPathRunsAcrossTheRow()
{
    m_settings.zebraStyle = false;
    const QImage image = render("0|/dir/name.txt");
    const Ink ink = inkBetween(image, 0, kRowWidth, kWindow);
    QVERIFY2(ink.left >= 5 && ink.left <= 7, qPrintable(QString::number(ink.left)));
    // Only the name, not the folder: much narrower than the whole text would be.
    const int nameWidth = QFontMetrics(sharpFont()).horizontalAdvance(QStringLiteral("name.txt"));
    QVERIFY(ink.right - ink.left <= nameWidth + 1);

    // A long one crosses the column border; the icon room is not kept.
    const QImage wide = render("0|/dir/" + std::string(60, 'x'));
    const Ink across = inkBetween(wide, 0, kRowWidth, kWindow);
    QVERIFY(across.left < 16);
    QVERIFY(across.right > kSplit + 10);
}

void FileListDrawingTest::lettersWithMarksAndPathsWithSeparatorsShowWhole()
{
    m_settings.zebraStyle = false;
    const QRgb black = qRgb(0, 0, 0);
    m_settings.showNameChanges = false;
    const QImage marks = render(FileEntry::fullRow(0, "/a/ЁЖИК Å", "/a/Йогурт"));
    m_settings.showNameChanges = true;
    QCOMPARE(inkBetween(marks, 0, kSplit, kWindow, black).pixels, inkOfText(QString::fromUtf8("ЁЖИК Å"), sharpFont()));
    QCOMPARE(inkBetween(marks, kSplit, kRowWidth, kWindow, black).pixels,
             inkOfText(QString::fromUtf8("Йогурт"), sharpFont()));
    // A row without "*" draws the file's name, not the escaped form its row text holds.
    const QImage listed = render(FileEntry::listRow("/dir/pi|p*e.txt"));
    QCOMPARE(inkBetween(listed, 0, kRowWidth, kWindow, black).pixels, inkOfText(QStringLiteral("pi|p*e.txt"), sharpFont()));
}

void FileListDrawingTest::longNamesStayInsideTheirColumn()
{
    m_settings.zebraStyle = false;
    m_settings.showIcons = false;
    const std::string longName = "/a/" + std::string(80, 'W') + ".txt";
    const QImage image = render("0|" + longName + "*" + longName);
    const Ink first = inkBetween(image, 0, kSplit, kWindow);
    QVERIFY2(first.right <= kSplit - 4 - 1, qPrintable(QString::number(first.right)));
    const Ink second = inkBetween(image, kSplit, kRowWidth, kWindow);
    QVERIFY2(second.right <= kRowWidth - 2 - 1, qPrintable(QString::number(second.right)));
    // The shortened text ends in dots: the last inked columns are sparse.
    QVERIFY(first.right > kSplit - 40);
    m_settings.showIcons = true;
}

QTEST_MAIN(FileListDrawingTest)
#include "FileListDrawingTest.moc"

void FileListDrawingTest::markedRowsShowTheirNewNameInRedWhateverTheChangeColour_data()
{
    QTest::addColumn<int>("mark");
    QTest::addColumn<bool>("showNameChanges");
    QTest::addColumn<QByteArray>("text");
    const int collision = int(FileListModel::RowMark::Collision);
    const int failed = int(FileListModel::RowMark::Failed);
    QTest::newRow("collision, changed name") << collision << true << QByteArray("0|/a/b.txt*/a/c.txt");
    QTest::newRow("collision, change colour off") << collision << false << QByteArray("0|/a/b.txt*/a/c.txt");
    QTest::newRow("collision, moved only") << collision << true << QByteArray("0|/a/b.txt*/x/b.txt");
    QTest::newRow("failed") << failed << true << QByteArray("0|/a/b.txt*/a/c.txt");
}

void FileListDrawingTest::markedRowsShowTheirNewNameInRedWhateverTheChangeColour()
{
    QFETCH(int, mark);
    QFETCH(bool, showNameChanges);
    QFETCH(QByteArray, text);
    m_settings.zebraStyle = false;
    m_settings.showNameChanges = showNameChanges;
    const QImage image = render(text.toStdString(), 1, false, FileListModel::RowMark(mark));
    m_settings.showNameChanges = true;
    const QRgb background = image.pixel(kRowWidth - 1, kRowHeight - 1);
    const QRgb markRed = qRgb(200, 0, 0);
    QVERIFY(inkBetween(image, kSplit, kRowWidth, background, markRed).pixels > 0);
    QCOMPARE(inkBetween(image, kSplit, kRowWidth, background, qRgb(255, 0, 0)).pixels, 0);
    QCOMPARE(inkBetween(image, 0, kSplit, background, markRed).pixels, 0); // the current name stays black
    // A failed row stands out also on its ground.
    if (mark == int(FileListModel::RowMark::Failed))
        QVERIFY(qRed(background) > qGreen(background) && background != kWindow);
    else
        QCOMPARE(background, kWindow);
}
