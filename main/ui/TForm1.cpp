#include "main/ui/TForm1.h"

#include "about/ui/TfmAbout.h"
#include "main/core/batch/BatchRunner.h"
#include "main/core/batch/PreviewEngine.h"
#include "main/core/chain/ActionChainModel.h"
#include "main/core/filelist/FileIconList.h"
#include "main/core/filelist/FileListModel.h"
#include "main/core/look/ColorRules.h"
#include "main/core/look/HeaderSplit.h"
#include "main/core/look/SelectionImage.h"
#include "main/core/look/SystemColors.h"
#include "main/core/look/TextLine.h"
#include "main/ui/DesignLayout.h"
#include "main/ui/ErrorReport.h"
#include "main/ui/FileListDelegate.h"
#include "main/ui/FormFonts.h"
#include "main/ui/MainWindowSink.h"
#include "main/ui/MenuLookStyle.h"
#include "main/ui/ModuleMenus.h"
#include "main/ui/ProgramArt.h"
#include "options/ui/TfmOptions.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QDragMoveEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QScreen>

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

    m_sink = std::make_unique<MainWindowSink>(*this);
    m_preview = std::make_unique<PreviewEngine>(*m_files, *m_chain, *m_sink, [this] {
        const Settings settings = currentSettings();
        return PreviewSettings{settings.noPreview, settings.showIcons, true};
    });
    m_runner = std::make_unique<BatchRunner>(*m_files, *m_chain, *m_sink);
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

void TForm1::setDialogs(TfmAbout *about, TfmOptions *options, TfmInfo *info)
{
    m_about = about;
    m_options = options;
    m_info = info;
    if (m_options)
        connect(m_options, &TfmOptions::fileListFontChanged, this, &TForm1::ApplyFileListFont);
}

void TForm1::setStartup(QString programDir, std::string firstArgument)
{
    m_programDir = std::move(programDir);
    m_firstArgument = std::move(firstArgument);
}

Settings TForm1::currentSettings() const
{
    return m_options ? m_options->settings() : Settings{};
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
        pmActionsPopup();
        pmActions->popup(lvActions->viewport()->mapToGlobal(position));
    });
    connect(bbAddAct, &QPushButton::clicked, this,
            [this] { pmAddAction->popup(bbAddAct->mapToGlobal(QPoint(0, bbAddAct->height()))); });
    connect(sbModules, &QPushButton::clicked, this, [this] { sbModulesClick(sbModules, pmModules); });
    connect(sbOptions, &QPushButton::clicked, this, [this] { reportErrors([this] { sbOptionsClick(); }); });
    connect(sbAbout, &QPushButton::clicked, this, &TForm1::sbAboutClick);
    connect(btnExit, &QPushButton::clicked, this, &TForm1::sbExitClick);
    connectFileCommands();
    connectChainCommands();
}

void TForm1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
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
    // The header may get its new width only after the window's own resize event.
    if (watched == HeaderControl1 && event->type() == QEvent::Resize)
        FormResize();
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (watched == lbFiles && lbFilesKeyDown(key))
            return true;
        if (watched == lvActions && lvActionsKeyDown(key))
            return true;
    }
    if (watched == lvActions->viewport()) {
        if (event->type() == QEvent::Drop && lvActionsDragDrop(static_cast<QDropEvent *>(event)))
            return true;
        // A row dragged within the list may always be dropped on it; the model offers
        // no move of its own, so the drag is carried as a copy and the drop reorders.
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto *drag = static_cast<QDragMoveEvent *>(event);
            if (drag->source() == lvActions) {
                drag->setDropAction(Qt::CopyAction);
                drag->accept();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    FormResize();
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

void TForm1::RebuildPreview()
{
    // The status line counts the rows the rebuild marked as colliding.
    try {
        m_preview->RebuildPreview();
    } catch (...) {
        UpdateFileCount();
        throw;
    }
    UpdateFileCount();
}

void TForm1::ApplyFileListFont(const QFont &font)
{
    QFont listFont = lbFiles->font();
    listFont.setFamily(font.family());
    if (font.pointSize() > 0)
        listFont.setPointSize(font.pointSize());
    else if (font.pixelSize() > 0)
        listFont.setPixelSize(font.pixelSize());
    lbFiles->setFont(listFont);
    // A line of text in that font, as high as its glyphs really reach.
    m_fileListDelegate->setRowLayout(
        fileRowLayout(reportedTextLine(listFont), inkedTextLine(listFont), currentSettings().showIcons));
    lbFiles->doItemsLayout();
    lbFiles->viewport()->update();
}

QIcon TForm1::fileIcon(int index)
{
    const auto cached = m_fileIcons.constFind(index);
    if (cached != m_fileIcons.constEnd())
        return *cached;
    const FileIconList &icons = FileIconList::instance();
    QIcon icon;
    if (index > 0 && index < icons.count())
        icon = QIcon::fromTheme(icons.iconName(index), QIcon::fromTheme(icons.genericIconName(index)));
    m_fileIcons.insert(index, icon);
    return icon;
}

void TForm1::sbOptionsClick()
{
    if (m_options && m_options->exec() == QDialog::Accepted)
        RebuildPreview();
}

void TForm1::sbAboutClick()
{
    if (m_about)
        m_about->exec();
}

void TForm1::sbExitClick()
{
    close();
}

} // namespace brenmark
