#pragma once

#include "main/core/modulehost/ImageList.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QHeaderView;
class QLabel;
class QListView;
class QMenu;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QStandardItemModel;
class QStringListModel;
class QAction;

namespace brenmark {

class DesignLayout;
class FileListDelegate;
class TopSplitter;

// The main window: the chain of actions and the extra commands above, the file list
// with its two-column header, the progress bars and the start, stop and exit buttons
// below. It owns the controls (public, under their design names, which are also their
// object names) and wires them to the operations of the headless library.
class TForm1 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // Upper half.
    QWidget *Panel3 = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    QWidget *Panel1 = nullptr;
    QLabel *Label2 = nullptr;
    QComboBox *cbProfile = nullptr;
    QPushButton *bbSave = nullptr;
    QWidget *Panel2 = nullptr;
    QPushButton *bbAddAct = nullptr;
    QPushButton *bbRemAct = nullptr;
    QPushButton *bbEditAct = nullptr;
    QListView *lvActions = nullptr;
    QGroupBox *GroupBox2 = nullptr;
    QPushButton *sbModules = nullptr;
    QPushButton *sbOptions = nullptr;
    QPushButton *sbAbout = nullptr;
    TopSplitter *Splitter1 = nullptr;

    // Lower half.
    QWidget *Panel4 = nullptr;
    QGroupBox *GroupBox3 = nullptr;
    QWidget *Panel5 = nullptr;
    QHeaderView *HeaderControl1 = nullptr;
    QListView *lbFiles = nullptr;
    QWidget *Panel6 = nullptr;
    QPushButton *bbAddFiles = nullptr;
    QPushButton *bbRemSel = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QStatusBar *sbFiles = nullptr;
    QLabel *lbAction = nullptr;
    QLabel *imSelBG = nullptr;
    QCheckBox *cbExitOnFinal = nullptr;
    QProgressBar *pbAll = nullptr;
    QProgressBar *pbNow = nullptr;
    QPushButton *sbStart = nullptr;
    QPushButton *sbStop = nullptr;
    QPushButton *btnExit = nullptr;

    // Context menus. A submenu item is the submenu's menuAction().
    QMenu *pmFiles = nullptr;
    QAction *N1 = nullptr, *N13 = nullptr, *N12 = nullptr, *N14 = nullptr, *N15 = nullptr, *N16 = nullptr,
            *N17 = nullptr, *N26 = nullptr, *N27 = nullptr, *N28 = nullptr, *N18 = nullptr, *N19 = nullptr,
            *N20 = nullptr, *N23 = nullptr, *N21 = nullptr, *N25 = nullptr, *N22 = nullptr;
    QMenu *pmActions = nullptr;
    QAction *N2 = nullptr, *N3 = nullptr, *N6 = nullptr, *N4 = nullptr, *N5 = nullptr, *N7 = nullptr,
            *N8 = nullptr, *N9 = nullptr, *N10 = nullptr, *N11 = nullptr;
    QMenu *pmAddAction = nullptr;
    QMenu *pmModules = nullptr;

    // Menu images: the design pictures first, then one per module action.
    ImageList imlAddMenu;
    // The pictures of the modules' command buttons.
    ImageList imlModules;

    FileListDelegate *fileListDelegate() const { return m_fileListDelegate; }

    // Enables the items of pmFiles for the list's present selection.
    void pmFilesPopup();
    // Re-divides the header between the two columns (half the width less 10 for the first).
    void FormResize();
    // Gives the second header section the rest of the width and repaints the list.
    void HeaderControl1SectionResize();

    void sbOptionsClick();
    void sbAboutClick();
    void sbExitClick();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildUpperHalf(DesignLayout *windowLayout);
    void buildLowerHalf(DesignLayout *windowLayout);
    void buildMenus();
    void connectControls();
    void FormCreate();
    void FormShow();
    void setButtonIcons();
    void tintSelectionImage();

    FileListDelegate *m_fileListDelegate = nullptr;
    QStringListModel *m_fileRows = nullptr;
    QStandardItemModel *m_actionRows = nullptr;
    bool m_shown = false;
    bool m_sizingHeader = false;
};

} // namespace brenmark
