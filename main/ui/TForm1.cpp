#include "main/ui/TForm1.h"

#include "main/core/look/ColorRules.h"
#include "main/core/look/HeaderSplit.h"
#include "main/core/look/SelectionImage.h"
#include "main/core/look/SystemColors.h"
#include "main/ui/ButtonIcons.h"
#include "main/ui/DesignLayout.h"
#include "main/ui/FileListDelegate.h"
#include "main/ui/FormFonts.h"
#include "main/ui/MenuLookStyle.h"
#include "main/ui/ProgramArt.h"

#include <QDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QStyle>

namespace brenmark {

TForm1::TForm1(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TForm1"));
    registerFallbackFonts();
    MenuLookStyle::install();
    setWindowTitle(QStringLiteral("Korvane Brenmark"));
    setFont(formFont());
    setMinimumSize(450, 350);

    for (int index = 0; index < kMenuImageCount; ++index)
        imlAddMenu.add(menuImage(index).pixmap(ImageList::kImageSize, ImageList::kImageSize).toImage());

    auto *windowLayout = new DesignLayout(this, QSize(489, 513));
    buildUpperHalf(windowLayout);
    buildLowerHalf(windowLayout);
    buildMenus();
    connectControls();

    resize(489, 513);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate()
{
    setAcceptDrops(true);
}

void TForm1::connectControls()
{
    HeaderControl1->installEventFilter(this);
    connect(HeaderControl1, &QHeaderView::sectionResized, this, [this](int section) {
        if (section == 0 && !m_sizingHeader)
            HeaderControl1SectionResize();
    });
    connect(lbFiles, &QWidget::customContextMenuRequested, this, [this](const QPoint &position) {
        pmFilesPopup();
        pmFiles->popup(lbFiles->viewport()->mapToGlobal(position));
    });
    connect(lvActions, &QWidget::customContextMenuRequested, this, [this](const QPoint &position) {
        pmActions->popup(lvActions->viewport()->mapToGlobal(position));
    });
    connect(bbAddAct, &QPushButton::clicked, this,
            [this] { pmAddAction->popup(bbAddAct->mapToGlobal(QPoint(0, bbAddAct->height()))); });
    connect(sbOptions, &QPushButton::clicked, this, &TForm1::sbOptionsClick);
    connect(sbAbout, &QPushButton::clicked, this, &TForm1::sbAboutClick);
    connect(btnExit, &QPushButton::clicked, this, &TForm1::sbExitClick);
}

void TForm1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TForm1::FormShow()
{
    setButtonIcons();
    tintSelectionImage();
}

void TForm1::setButtonIcons()
{
    constexpr int icon = static_cast<int>(ButtonImageKind::Icon);
    SetButtonIcon(btnExit, programIcon(103), icon, 32, 32, 2);
    SetButtonIcon(sbStart, programIcon(104), icon, 32, 32, 2);
    SetButtonIcon(sbStop, programIcon(104), icon, 32, 32, 2);
    SetButtonIcon(sbModules, programIcon(105), icon, 16, 16, 5);
    SetButtonIcon(sbOptions, programIcon(106), icon, 16, 16, 5);
    SetButtonIcon(sbAbout, programIcon(107), icon, 16, 16, 5);
}

void TForm1::tintSelectionImage()
{
    QImage picture = makeSelectionImage();
    TintSelectionImage(picture, MixColors(systemColor(SystemColor::Highlight), QColor(255, 255, 255), 1));
    imSelBG->setPixmap(QPixmap::fromImage(picture));
    if (MenuLookStyle *style = MenuLookStyle::current())
        style->setSelectionImage(picture);
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    // The header changes size exactly when the window does, and only after the layout
    // has given it its new width.
    if (watched == HeaderControl1 && event->type() == QEvent::Resize)
        FormResize();
    return QWidget::eventFilter(watched, event);
}

void TForm1::FormResize()
{
    const HeaderSplit split = headerSplitForResize(HeaderControl1->width());
    m_sizingHeader = true;
    HeaderControl1->resizeSection(0, split.first);
    m_sizingHeader = false;
    HeaderControl1SectionResize();
}

void TForm1::HeaderControl1SectionResize()
{
    const HeaderSplit split = headerSplitForDrag(HeaderControl1->width(), HeaderControl1->sectionSize(0));
    m_sizingHeader = true;
    HeaderControl1->resizeSection(1, split.second);
    m_sizingHeader = false;
    lbFiles->viewport()->update();
}

void TForm1::sbOptionsClick()
{
}

void TForm1::sbAboutClick()
{
}

void TForm1::sbExitClick()
{
    close();
}

} // namespace brenmark
