#include "options/ui/TfmOptions.h"

#include "information/ui/DialogParts.h"
#include "main/ui/ModuleListRows.h"
#include "options/core/ColorResolving.h"
#include "options/ui/ClickableLabel.h"
#include "options/ui/ColorSwatch.h"
#include "options/ui/OptionsArtwork.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QCursor>
#include <QFontDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QTreeWidget>

namespace brenmark {

namespace {

constexpr int listWidth = 137;
constexpr int bottomHeight = 53;
constexpr int headerHeight = 51;

struct PageEntry
{
    const char *caption;
    int icon;
    const char *firstLetter;
    const char *restOfTitle;
    const char *description;
};

const PageEntry pageEntries[] = {
    {"Основные", 0, "О", "сновные настройки", "Главные настройки программы"},
    {"Модули", 2, "М", "одули", "Управление работой модулей"},
    {"Внешний вид", 1, "В", "нешний вид", "Настройки внешнего вида"},
};

const char *const styleCaptions[] = {"Жирный", "Курсив", "Подчеркнутый", "Зачеркнутый"};
const char *const styleItemNames[] = {"pm_type_bold", "pm_type_italic", "pm_type_underline", "pm_type_strikeout"};

QFont tahomaPixels(int pixels, bool bold)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void setTextColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}

QCheckBox *createCheckBox(QWidget *parent, const char *name, const char *text, int x, int y, int width = 370)
{
    auto *box = new QCheckBox(QString::fromUtf8(text), parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(x, y, width, 19);
    return box;
}

QLabel *createLabel(QWidget *parent, const char *text, int x, int y)
{
    auto *label = new QLabel(QString::fromUtf8(text), parent);
    label->move(x, y);
    label->adjustSize();
    return label;
}

// A read-only field on a button-coloured background.
QLineEdit *createDetailField(QWidget *parent, const char *name, int x, int y)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setReadOnly(true);
    field->setGeometry(x, y, 140, 20);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    field->setPalette(palette);
    return field;
}

// The report list's grid lines, drawn over the style's own cell (an item style sheet
// would suppress the selection's colours, check boxes included).
class GridLineDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        painter->save();
        painter->setPen(option.palette.color(QPalette::Midlight));
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->restore();
    }
};

std::optional<QFont> platformFontChooser(const QFont &initial, QWidget *parent)
{
    bool confirmed = false;
    const QFont chosen = QFontDialog::getFont(&confirmed, initial, parent);
    return confirmed ? std::optional<QFont>(chosen) : std::nullopt;
}

std::optional<QColor> platformColorChooser(const QColor &initial, QWidget *parent)
{
    const QColor chosen = QColorDialog::getColor(initial, parent);
    return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
}

} // namespace

TfmOptions::TfmOptions(QString iniPath, QWidget *parent)
    : QDialog(parent)
    , m_iniPath(std::move(iniPath))
    , m_chooseFont(platformFontChooser)
    , m_chooseColor(platformColorChooser)
{
    m_reportError = [this](const QString &message) {
        QMessageBox::critical(this, QStringLiteral("Brenmark"), message);
    };
    setUpFixedDialog(this, QStringLiteral("fmOptions"), QStringLiteral("Настройки программы"), 534, 422);

    createPageList();
    createHeader();
    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("pages"));
    m_pages->setGeometry(listWidth, headerHeight + 2, width() - listWidth, height() - bottomHeight - headerHeight - 2);
    m_pageOfEntry = {createMainPage(), createModulesPage(), createViewPage()};
    for (QWidget *page : m_pageOfEntry)
        m_pages->addWidget(page);
    createButtons();
    createStyleMenu();
    showPage(0);
}

void TfmOptions::createPageList()
{
    m_lvMenu = new QListWidget(this);
    m_lvMenu->setObjectName(QStringLiteral("lvMenu"));
    m_lvMenu->setGeometry(0, 0, listWidth, height() - bottomHeight);
    m_lvMenu->setIconSize(QSize(24, 24));
    m_lvMenu->setFont(tahomaPixels(15, false));
    m_lvMenu->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lvMenu->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lvMenu->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_lvMenu->setTextElideMode(Qt::ElideRight);
    const QList<QIcon> ilOpt = optionsPageIcons();
    for (const PageEntry &entry : pageEntries)
        new QListWidgetItem(ilOpt.value(entry.icon), QString::fromUtf8(entry.caption), m_lvMenu);
    connect(m_lvMenu->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TfmOptions::lvMenuChange);
}

void TfmOptions::createHeader()
{
    const int headerWidth = width() - listWidth;
    auto *header = new QLabel(this);
    header->setObjectName(QStringLiteral("imgHeader"));
    header->setGeometry(listWidth, 0, headerWidth, headerHeight);
    header->setPixmap(optionsHeaderStrip(headerWidth, headerHeight));

    m_lbFL = new QLabel(header);
    m_lbFL->setObjectName(QStringLiteral("lbFL"));
    m_lbFL->setFont(tahomaPixels(32, true));
    setTextColor(m_lbFL, QColor(0, 133, 255));
    m_lbFL->move(8, 4);

    m_lbCap = new QLabel(header);
    m_lbCap->setObjectName(QStringLiteral("lbCap"));
    m_lbCap->setFont(tahomaPixels(12, true));
    setTextColor(m_lbCap, QColor(2, 105, 199));

    m_lbInfo = new QLabel(header);
    m_lbInfo->setObjectName(QStringLiteral("lbInfo"));
    m_lbInfo->setFont(tahomaPixels(9, false));
    setTextColor(m_lbInfo, QColor(79, 170, 253));
    m_lbInfo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_lbInfo->setGeometry(0, headerHeight - 18, headerWidth - 8, 14);

    auto *line = new QFrame(this);
    line->setObjectName(QStringLiteral("Bevel1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(listWidth, headerHeight, headerWidth, 2);
}

QWidget *TfmOptions::createMainPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("pnlMain"));
    m_chbMainAutosave = createCheckBox(page, "chb_main_autosave", "Автосохранение последнего шаблона", 10, 10);
    m_chbMainPreview =
        createCheckBox(page, "chb_main_preview", "Не использовать предпросмотр результата (быстрее)", 10, 34);
    m_chbMainRunFiles =
        createCheckBox(page, "chb_main_run_files", "Запускать файлы по двойному клику в списке", 10, 58);
    return page;
}

QWidget *TfmOptions::createModulesPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("pnlModules"));
    QLabel *note = createLabel(page, "Изменения в данном расделе требуют перезапуска программы!", 8, 6);
    QFont italic = note->font();
    italic.setItalic(true);
    note->setFont(italic);
    note->adjustSize();
    createLabel(page, "Найденные модули:", 8, 24);

    m_lvModules = new QTreeWidget(page);
    m_lvModules->setObjectName(QStringLiteral("lvModules"));
    m_lvModules->setGeometry(8, 40, 385, 150);
    m_lvModules->setRootIsDecorated(false);
    m_lvModules->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lvModules->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lvModules->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lvModules->setItemDelegate(new GridLineDelegate(m_lvModules));
    setModuleListColumns(m_lvModules);
    m_lvModules->header()->setStretchLastSection(false);
    const int widths[] = {136, 141, 48, 57};
    for (int column = 0; column < 4; ++column)
        m_lvModules->setColumnWidth(column, widths[column]);
    connect(m_lvModules, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) { lvModulesChange(current); });
    connect(m_lvModules, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem *item) { lvModulesChange(item); });

    auto *details = new QGroupBox(QStringLiteral("Инфо"), page);
    details->setObjectName(QStringLiteral("gbInfo"));
    details->setGeometry(8, 194, 385, 116);
    createLabel(details, "Автор:", 8, 22);
    m_edAUTHOR = createDetailField(details, "edAUTHOR", 70, 19);
    createLabel(details, "Действие:", 8, 50);
    m_edAction = createDetailField(details, "edAction", 70, 47);
    createLabel(details, "Маска:", 8, 78);
    m_edMask = createDetailField(details, "edMask", 70, 75);
    createLabel(details, "Импорт кнопок:", 220, 16);
    m_mmButtons = new QPlainTextEdit(details);
    m_mmButtons->setObjectName(QStringLiteral("mmButtons"));
    m_mmButtons->setReadOnly(true);
    m_mmButtons->setGeometry(220, 32, 157, 76);

    m_mmModulesOff = new QPlainTextEdit(page);
    m_mmModulesOff->setObjectName(QStringLiteral("mm_modules_off"));
    m_mmModulesOff->setVisible(false);
    return page;
}

QWidget *TfmOptions::createViewPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("pnlView"));
    m_chbViewGrouping = createCheckBox(page, "chb_view_grouping", "Разбивать список действий на категории", 10, 10);

    auto *fileList = new QGroupBox(QStringLiteral("Список файлов"), page);
    fileList->setObjectName(QStringLiteral("gbFileList"));
    fileList->setGeometry(8, 38, 385, 176);
    auto *button1 = new QPushButton(QStringLiteral("Шрифт"), fileList);
    button1->setObjectName(QStringLiteral("Button1"));
    button1->setGeometry(10, 22, 75, 25);
    connect(button1, &QPushButton::clicked, this, &TfmOptions::Button1Click);
    m_lbViewFont = new QLabel(fileList);
    m_lbViewFont->setObjectName(QStringLiteral("lb_view_font"));
    m_lbViewFont->setGeometry(95, 22, 280, 25);

    m_chbViewFname = createCheckBox(fileList, "chb_view_fname", "Показывать изменения названия файла:", 10, 62, 300);
    m_shpViewFnameCol = new ColorSwatch(fileList);
    m_shpViewFnameCol->setObjectName(QStringLiteral("shp_view_fname_col"));
    m_shpViewFnameCol->setGeometry(345, 63, 25, 17);
    connect(m_shpViewFnameCol, &ColorSwatch::released, this, &TfmOptions::shp_view_fname_colMouseUp);

    m_chbViewFpath = createCheckBox(fileList, "chb_view_fpath", "Выделять изменения пути файла:", 10, 90, 230);
    m_lbViewFpathSt = new ClickableLabel(fileList);
    m_lbViewFpathSt->setObjectName(QStringLiteral("lb_view_fpath_st"));
    m_lbViewFpathSt->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_lbViewFpathSt->setCursor(Qt::PointingHandCursor);
    m_lbViewFpathSt->setGeometry(240, 90, 130, 19);
    m_lbViewFpathSt->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_lbViewFpathSt, &ClickableLabel::clicked, this, &TfmOptions::lb_view_fpath_stClick);
    connect(m_lbViewFpathSt, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { m_pmType->popup(m_lbViewFpathSt->mapToGlobal(at)); });

    m_chbViewZebra = createCheckBox(fileList, "chb_view_zebra", "В стиле \"зебра\"", 10, 118);
    m_chbViewIcons = createCheckBox(fileList, "chb_view_icons", "Показывать иконки файлов в списке", 10, 146);
    return page;
}

void TfmOptions::createButtons()
{
    auto *frame = new QGroupBox(QStringLiteral("Talquist"), this);
    frame->setObjectName(QStringLiteral("GroupBox1"));
    frame->setGeometry(0, height() - bottomHeight, width(), bottomHeight);
    m_btnOK = new QPushButton(QStringLiteral("OK"), frame);
    m_btnOK->setObjectName(QStringLiteral("btnOK"));
    m_btnOK->setGeometry(width() - 2 * 89 - 14, 18, 89, 28);
    m_btnOK->setDefault(true);
    m_btnCancel = new QPushButton(QStringLiteral("Отмена"), frame);
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));
    m_btnCancel->setGeometry(width() - 89 - 8, 18, 89, 28);
    connect(m_btnOK, &QPushButton::clicked, this, &TfmOptions::btnOKClick);
    connect(m_btnCancel, &QPushButton::clicked, this, &TfmOptions::btnCancelClick);
}

void TfmOptions::createStyleMenu()
{
    m_pmType = new QMenu(this);
    m_pmType->setObjectName(QStringLiteral("pm_type"));
    m_pmTypeItems = new QActionGroup(m_pmType);
    m_pmTypeItems->setExclusive(true);
    for (int style = 0; style < 4; ++style) {
        QAction *item = m_pmType->addAction(QString::fromUtf8(styleCaptions[style]));
        item->setObjectName(QString::fromLatin1(styleItemNames[style]));
        item->setCheckable(true);
        m_pmTypeItems->addAction(item);
        connect(item, &QAction::triggered, this, [this, style] { N4Click(style); });
    }
    connect(m_pmType, &QMenu::aboutToShow, this, &TfmOptions::pm_typePopup);
    setPathStyle(0);
}

void TfmOptions::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TfmOptions::FormShow()
{
    LoadSettings();
}

void TfmOptions::lvMenuChange(const QItemSelection &selected, const QItemSelection &deselected)
{
    // The entry losing the selection first, the one gaining it last, so the
    // new entry's page ends in front; a cleared selection keeps its page.
    for (const QModelIndex &index : deselected.indexes())
        showPage(index.row());
    for (const QModelIndex &index : selected.indexes())
        showPage(index.row());
}

void TfmOptions::showPage(int entry)
{
    if (entry < 0 || entry >= m_pageOfEntry.size())
        return;
    const PageEntry &page = pageEntries[entry];
    m_lbFL->setText(QString::fromUtf8(page.firstLetter));
    m_lbFL->adjustSize();
    m_lbCap->setText(QString::fromUtf8(page.restOfTitle));
    m_lbCap->adjustSize();
    // Baselines aligned, so the large initial and the rest read as one word.
    const int baseline = m_lbFL->y() + m_lbFL->fontMetrics().ascent();
    m_lbCap->move(m_lbFL->x() + m_lbFL->width(), baseline - m_lbCap->fontMetrics().ascent());
    m_lbInfo->setText(QString::fromUtf8(page.description));
    m_pages->setCurrentWidget(m_pageOfEntry[entry]);
}

void TfmOptions::lvModulesChange(QTreeWidgetItem *item)
{
    if (!item || item->columnCount() < static_cast<int>(ModuleListColumn::FirstButton))
        return;
    m_edAUTHOR->setText(item->text(static_cast<int>(ModuleListColumn::Author)));
    m_edAction->setText(item->text(static_cast<int>(ModuleListColumn::Action)));
    m_edMask->setText(item->text(static_cast<int>(ModuleListColumn::Mask)));
    // A long action shows its categories, its start, rather than its end.
    for (QLineEdit *field : {m_edAUTHOR, m_edAction, m_edMask})
        field->setCursorPosition(0);
    const QStringList buttons = moduleRowButtonCaptions(item);
    m_mmButtons->setPlainText(buttons.isEmpty() ? QStringLiteral("<Пусто>") : buttons.join(QLatin1Char('\n')));
}

void TfmOptions::Button1Click()
{
    const QFont current = fileListFont();
    const std::optional<QFont> chosen = m_chooseFont(current, this);
    if (!chosen)
        return;
    // Only the name and size are taken; a style chosen in the chooser is not.
    setFileListFont(chosen->family(), chosen->pointSize());
}

void TfmOptions::shp_view_fname_colMouseUp()
{
    const std::optional<QColor> chosen = m_chooseColor(m_shpViewFnameCol->displayColor(), this);
    if (chosen)
        m_shpViewFnameCol->setColorValue(colorValueFromRgb(*chosen));
}

void TfmOptions::lb_view_fpath_stClick()
{
    m_pmType->popup(QCursor::pos());
}

void TfmOptions::pm_typePopup()
{
    m_pmTypeItems->actions().at(pathStyle())->setChecked(true);
}

void TfmOptions::N4Click(int style)
{
    setPathStyle(style);
}

void TfmOptions::btnOKClick()
{
    try {
        SaveSettings();
    } catch (const std::exception &error) {
        // The dialog stays open so nothing the user set is lost.
        m_reportError(QString::fromUtf8(error.what()));
        return;
    }
    accept();
}

void TfmOptions::btnCancelClick()
{
    reject();
}

} // namespace brenmark
