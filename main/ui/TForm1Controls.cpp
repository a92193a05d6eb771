// The controls of the main window at their design places: positions and sizes are
// design pixels inside the parent, and DesignLayout keeps the anchored edges when the
// window is resized.
#include "main/ui/TForm1.h"

#include "main/core/chain/ActionChainModel.h"
#include "main/core/filelist/FileListModel.h"
#include "main/ui/ActionListDelegate.h"
#include "main/ui/DesignLayout.h"
#include "main/ui/FileListDelegate.h"
#include "main/ui/FormFonts.h"
#include "main/ui/ProgramArt.h"
#include "main/ui/TopSplitter.h"
#include "main/core/look/SelectionImage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStatusBar>

namespace brenmark {

namespace {

constexpr Qt::Edges kLeftTop = Qt::LeftEdge | Qt::TopEdge;
constexpr Qt::Edges kAllEdges = Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge | Qt::BottomEdge;

template<typename Widget>
Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QWidget *panel(QWidget *parent, const char *name)
{
    return named(new QWidget(parent), name);
}

// A group box with a bold caption; its contents get the regular font back.
QGroupBox *groupBox(QWidget *parent, const char *name, const QString &caption)
{
    auto *box = named(new QGroupBox(caption, parent), name);
    box->setFont(formFont(true));
    return box;
}

// Aligned children of a group box share the area below its caption (one design text
// line, 13 pixels) and inside its frame.
QMargins groupInset()
{
    return {2, 15, 2, 2};
}

QPushButton *imageButton(QWidget *parent, const char *name, const QString &hint, ButtonArt art)
{
    auto *button = named(new QPushButton(parent), name);
    button->setToolTip(hint);
    button->setIcon(buttonArt(art));
    button->setIconSize(QSize(16, 16));
    button->setFont(formFont());
    return button;
}

QPushButton *pushButton(QWidget *parent, const char *name, const QString &caption)
{
    auto *button = named(new QPushButton(caption, parent), name);
    button->setFont(formFont());
    return button;
}

} // namespace

void TForm1::buildUpperHalf(DesignLayout *windowLayout)
{
    Panel3 = panel(this, "Panel3");
    Panel3->setMinimumHeight(140);
    windowLayout->addAligned(Panel3, DesignLayout::Align::Top, 162);
    auto *panel3Layout = new DesignLayout(Panel3, QSize(489, 162));

    GroupBox1 = groupBox(Panel3, "GroupBox1", QStringLiteral("Порядок преобразований"));
    GroupBox1->setMinimumWidth(250);
    panel3Layout->addAnchored(GroupBox1, QRect(8, 6, 330, 154), kAllEdges);
    auto *group1Layout = new DesignLayout(GroupBox1, QSize(330, 154), groupInset());

    Panel1 = panel(GroupBox1, "Panel1");
    Panel1->setFont(formFont());
    group1Layout->addAligned(Panel1, DesignLayout::Align::Top, 26);
    auto *panel1Layout = new DesignLayout(Panel1, QSize(326, 26));
    Label2 = named(new QLabel(QStringLiteral("Шаблон:"), Panel1), "Label2");
    panel1Layout->addAnchored(Label2, QRect(QPoint(6, 7), Label2->sizeHint()), kLeftTop);
    cbProfile = named(new QComboBox(Panel1), "cbProfile");
    cbProfile->setEditable(false);
    panel1Layout->addAnchored(cbProfile, QRect(53, 3, 243, 21), Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge);
    bbSave = imageButton(Panel1, "bbSave", QStringLiteral("Сохранить шаблон"), ButtonArt::SaveTemplate);
    bbSave->setEnabled(false);
    panel1Layout->addAnchored(bbSave, QRect(299, 2, 25, 24), Qt::TopEdge | Qt::RightEdge);

    Panel2 = panel(GroupBox1, "Panel2");
    Panel2->setFont(formFont());
    group1Layout->addAligned(Panel2, DesignLayout::Align::Right, 29);
    auto *panel2Layout = new DesignLayout(Panel2, QSize(29, 111));
    bbAddAct = imageButton(Panel2, "bbAddAct", QStringLiteral("Добавить действие"), ButtonArt::AddAction);
    panel2Layout->addAnchored(bbAddAct, QRect(2, 1, 25, 25), kLeftTop);
    bbRemAct = imageButton(Panel2, "bbRemAct", QStringLiteral("Удалить действие"), ButtonArt::RemoveAction);
    bbRemAct->setEnabled(false);
    panel2Layout->addAnchored(bbRemAct, QRect(2, 27, 25, 25), kLeftTop);
    bbEditAct = imageButton(Panel2, "bbEditAct", QStringLiteral("Свойства действия"), ButtonArt::EditAction);
    bbEditAct->setEnabled(false);
    panel2Layout->addAnchored(bbEditAct, QRect(2, 82, 25, 25), Qt::LeftEdge | Qt::BottomEdge);

    lvActions = named(new QListView(GroupBox1), "lvActions");
    lvActions->setFont(formFont());
    lvActions->setSelectionMode(QAbstractItemView::SingleSelection);
    lvActions->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvActions->setDragDropMode(QAbstractItemView::InternalMove);
    lvActions->setDefaultDropAction(Qt::CopyAction);
    lvActions->setDragEnabled(true);
    lvActions->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvActions->setIconSize(QSize(16, 16));
    lvActions->setUniformItemSizes(true);
    lvActions->setContextMenuPolicy(Qt::CustomContextMenu);
    QPalette actionsPalette = lvActions->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        actionsPalette.setColor(QPalette::Inactive, role, actionsPalette.color(QPalette::Active, role));
    lvActions->setPalette(actionsPalette);
    m_chain = new ActionChainModel(this);
    lvActions->setModel(m_chain);
    lvActions->setItemDelegate(new ActionListDelegate(imlAddMenu, lvActions));
    group1Layout->addAnchored(lvActions, QRect(5, 42, 293, 107), kAllEdges);

    GroupBox2 = groupBox(Panel3, "GroupBox2", QStringLiteral("Дополнительно"));
    panel3Layout->addAnchored(GroupBox2, QRect(344, 6, 136, 154), Qt::TopEdge | Qt::RightEdge | Qt::BottomEdge);
    auto *group2Layout = new DesignLayout(GroupBox2, QSize(136, 154), groupInset());
    sbModules = pushButton(GroupBox2, "sbModules", QStringLiteral("Модули"));
    sbModules->setEnabled(false);
    group2Layout->addAnchored(sbModules, QRect(8, 18, 119, 25), Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge);
    sbOptions = pushButton(GroupBox2, "sbOptions", QStringLiteral("Настройки"));
    group2Layout->addAnchored(sbOptions, QRect(8, 49, 119, 25), Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge);
    sbAbout = pushButton(GroupBox2, "sbAbout", QStringLiteral("О программе.."));
    group2Layout->addAnchored(sbAbout, QRect(8, 118, 119, 25), Qt::LeftEdge | Qt::RightEdge | Qt::BottomEdge);

    Splitter1 = named(new TopSplitter(windowLayout, Panel3, this), "Splitter1");
    windowLayout->addAligned(Splitter1, DesignLayout::Align::Top, 3);
}

void TForm1::buildLowerHalf(DesignLayout *windowLayout)
{
    Panel4 = panel(this, "Panel4");
    windowLayout->addAligned(Panel4, DesignLayout::Align::Client);
    auto *panel4Layout = new DesignLayout(Panel4, QSize(489, 348));

    GroupBox3 = groupBox(Panel4, "GroupBox3", QStringLiteral("Список файлов (добавляются перетягиванием)"));
    panel4Layout->addAnchored(GroupBox3, QRect(8, 1, 472, 278), kAllEdges);
    auto *group3Layout = new DesignLayout(GroupBox3, QSize(472, 278), groupInset());

    sbFiles = named(new QStatusBar(GroupBox3), "sbFiles");
    sbFiles->setFont(formFont());
    sbFiles->setSizeGripEnabled(false);
    sbFiles->showMessage(QStringLiteral("0"));
    group3Layout->addAligned(sbFiles, DesignLayout::Align::Bottom, 19);

    Panel6 = panel(GroupBox3, "Panel6");
    Panel6->setFont(formFont());
    group3Layout->addAligned(Panel6, DesignLayout::Align::Right, 29);
    auto *panel6Layout = new DesignLayout(Panel6, QSize(29, 242));
    bbAddFiles = imageButton(Panel6, "bbAddFiles", QStringLiteral("Добавить файлы"), ButtonArt::AddFiles);
    panel6Layout->addAnchored(bbAddFiles, QRect(2, 20, 25, 25), kLeftTop);
    bbRemSel = imageButton(Panel6, "bbRemSel", QStringLiteral("Удалить выделенные файлы из списка"),
                           ButtonArt::RemoveFiles);
    panel6Layout->addAnchored(bbRemSel, QRect(2, 46, 25, 25), kLeftTop);
    BitBtn1 = imageButton(Panel6, "BitBtn1", QStringLiteral("Очистить список файлов"), ButtonArt::ClearFiles);
    panel6Layout->addAnchored(BitBtn1, QRect(2, 83, 25, 25), kLeftTop);
    // Below the design's buttons, which keep their places.
    bbAddFolder = imageButton(Panel6, "bbAddFolder", QStringLiteral("Добавить папку"), ButtonArt::AddFolder);
    panel6Layout->addAnchored(bbAddFolder, QRect(2, 120, 25, 25), kLeftTop);

    Panel5 = panel(GroupBox3, "Panel5");
    Panel5->setFont(formFont());
    group3Layout->addAligned(Panel5, DesignLayout::Align::Client);
    auto *panel5Layout = new DesignLayout(Panel5, QSize(439, 242));

    HeaderControl1 = named(new QHeaderView(Qt::Horizontal, Panel5), "HeaderControl1");
    auto *headerModel = new QStandardItemModel(0, 2, HeaderControl1);
    headerModel->setHorizontalHeaderLabels({QStringLiteral("Текущее имя"), QStringLiteral("Новое имя")});
    HeaderControl1->setModel(headerModel);
    HeaderControl1->setStretchLastSection(false);
    HeaderControl1->setMinimumSectionSize(0);
    HeaderControl1->setSectionsClickable(false);
    HeaderControl1->setSectionsMovable(false);
    HeaderControl1->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    HeaderControl1->setSectionResizeMode(0, QHeaderView::Interactive);
    HeaderControl1->setSectionResizeMode(1, QHeaderView::Fixed);
    HeaderControl1->resizeSection(0, 389);
    HeaderControl1->resizeSection(1, 50);
    panel5Layout->addAligned(HeaderControl1, DesignLayout::Align::Top, 20);

    lbFiles = named(new QListView(Panel5), "lbFiles");
    lbFiles->setFrameShape(QFrame::NoFrame);
    lbFiles->setUniformItemSizes(true);
    lbFiles->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lbFiles->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lbFiles->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lbFiles->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    lbFiles->setContextMenuPolicy(Qt::CustomContextMenu);
    lbFiles->setFont(formFont());
    m_fileListDelegate = new FileListDelegate(
        [this] { return currentSettings(); }, [this] { return HeaderControl1->sectionSize(0); },
        [this](int index) { return fileIcon(index); }, lbFiles);
    lbFiles->setItemDelegate(m_fileListDelegate);
    m_files = new FileListModel(this);
    lbFiles->setModel(m_files);
    panel5Layout->addAligned(lbFiles, DesignLayout::Align::Client);

    lbAction = named(new QLabel(QStringLiteral("Для запуска нажмите кнопку \"Старт\""), Panel4), "lbAction");
    panel4Layout->addAnchored(lbAction, QRect(9, 288, 261, 13), Qt::LeftEdge | Qt::RightEdge | Qt::BottomEdge);

    imSelBG = named(new QLabel(Panel4), "imSelBG");
    imSelBG->setPixmap(QPixmap::fromImage(makeSelectionImage()));
    imSelBG->setFixedSize(12, 23);
    imSelBG->hide();

    cbExitOnFinal = named(new QCheckBox(QStringLiteral("Выход по завершении"), Panel4), "cbExitOnFinal");
    cbExitOnFinal->setChecked(true);
    panel4Layout->addAnchored(cbExitOnFinal, QRect(307, 285, 136, 17), Qt::RightEdge | Qt::BottomEdge);
    pbAll = named(new QProgressBar(Panel4), "pbAll");
    pbAll->setTextVisible(false);
    pbAll->setValue(0);
    panel4Layout->addAnchored(pbAll, QRect(8, 304, 291, 16), Qt::LeftEdge | Qt::RightEdge | Qt::BottomEdge);
    pbNow = named(new QProgressBar(Panel4), "pbNow");
    pbNow->setTextVisible(false);
    pbNow->setValue(0);
    panel4Layout->addAnchored(pbNow, QRect(8, 325, 291, 16), Qt::LeftEdge | Qt::RightEdge | Qt::BottomEdge);
    btnExit = pushButton(Panel4, "btnExit", QStringLiteral("Выход"));
    panel4Layout->addAnchored(btnExit, QRect(403, 304, 78, 37), Qt::RightEdge | Qt::BottomEdge);
    sbStart = pushButton(Panel4, "sbStart", QStringLiteral("СТАРТ"));
    panel4Layout->addAnchored(sbStart, QRect(307, 304, 90, 37), Qt::RightEdge | Qt::BottomEdge);
    sbStop = pushButton(Panel4, "sbStop", QStringLiteral("СТОП"));
    panel4Layout->addAnchored(sbStop, QRect(307, 304, 90, 37), Qt::RightEdge | Qt::BottomEdge);
    sbStop->hide();
    sbStop->raise();

    setTabOrder(lbFiles, cbExitOnFinal);
    setTabOrder(cbExitOnFinal, btnExit);
    setTabOrder(btnExit, sbStart);
    setTabOrder(sbStart, sbStop);
}

} // namespace brenmark
