#pragma once

#include "main/core/filelist/FileListSort.h"
#include "main/core/filelist/FolderWalk.h"
#include "main/core/look/ImageList.h"
#include "main/core/modulehost/ModuleRegistry.h"
#include "options/core/Settings.h"

#include <QHash>
#include <QIcon>
#include <QWidget>

#include <memory>
#include <string>

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
class QCloseEvent;
class QDragEnterEvent;
class QDropEvent;
class QKeyEvent;
class QResizeEvent;
class QAction;

namespace brenmark {

class ActionChainModel;
class BatchRunner;
class DesignLayout;
class FileListDelegate;
class FileListModel;
class MainWindowSink;
class PreviewEngine;
class RowSelection;
class TfmAbout;
class TfmInfo;
class TfmOptions;
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
    QPushButton *bbAddFolder = nullptr;
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
            *N20 = nullptr, *N23 = nullptr, *N21 = nullptr, *N25 = nullptr, *N29 = nullptr, *N22 = nullptr;
    // Added to pmFiles after N22: sorting the rows (one item per key and
    // direction, its SortOrder in data()) and adding a folder.
    QAction *mmFileListSeparator = nullptr, *mmSort = nullptr, *mmAddFolder = nullptr;
    QList<QAction *> mmSortItems;
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
    FileListModel &files() const { return *m_files; }
    ActionChainModel &chain() const { return *m_chain; }
    ModuleRegistry &modules() { return m_modules; }
    PreviewEngine &preview() const { return *m_preview; }
    BatchRunner &runner() const { return *m_runner; }

    // The other windows, created after this one and before it is first shown.
    void setDialogs(TfmAbout *about, TfmOptions *options, TfmInfo *info);
    TfmOptions *optionsDialog() const { return m_options; }
    // The program directory (with a trailing "/") and the command line's first
    // argument (bytes; empty when absent), for the start sequence.
    void setStartup(QString programDir, std::string firstArgument);
    const QString &programDir() const { return m_programDir; }

    // The settings in force: the options dialog's controls (defaults without it).
    Settings currentSettings() const;

    // Operations other windows and the engines call.
    void RebuildPreview();
    void UpdateFileCount();
    void ApplyFileListFont(const QFont &font);
    // The row selection of lbFiles as the file-list operations take it, and back.
    RowSelection fileSelection() const;
    void setFileSelection(const RowSelection &selection);
    // The row "Информация", "Переименовать" and "Запустить" act on: the list's
    // current row (the one with the focus frame), whatever is selected; -1 for none.
    int fileToolRow() const;
    // Adds dropped local files (the drop handler's work).
    void addDroppedFiles(const std::vector<std::string> &paths);

    // Enables the items of pmFiles for the list's present selection.
    void pmFilesPopup();
    // Re-divides the header between the two columns (half the width less 10 for the first).
    void FormResize();
    // Gives the second header section the rest of the width and repaints the list.
    void HeaderControl1SectionResize();

    void sbOptionsClick();
    void sbAboutClick();
    void sbExitClick();

    // File list commands.
    void bbAddFilesClick();
    void N1Click();
    void N13Click();
    void N15Click(int tag);
    void N27Click(int tag);
    void N18Click();
    void N19Click();
    void N21Click();
    void N25Click();
    // "Отменить последний запуск" (Инструменты): undo of the last run.
    void N29Click();
    void N22Click();
    void lbFilesDblClick();
    // Sorting and adding folders. The list is not sorted while a run is
    // under way. Adding a folder rebuilds the preview as the file dialog does.
    void sortFiles(SortOrder order);
    void bbAddFolderClick();
    void addFolder(const std::string &folder, FolderWalkOptions options);
    // Chain and template commands.
    void f1Click(QAction *item);
    void bbEditActClick();
    void bbRemActClick();
    void N5Click();
    void N8Click(int tag);
    void pmActionsPopup();
    // A row of lvActions dropped at `position` (viewport coordinates) by the user's drag.
    void lvActionsDragDrop(const QPoint &position);
    void bbSaveClick();
    void cbProfileChange();
    // Run. Rows that collide are announced first, and No starts nothing.
    // After a complete run without failures the window closes when
    // cbExitOnFinal is checked; lbAction tells how the run went, and the file
    // count is shown again after every run.
    void sbStartClick();
    void sbStopClick();

    // The start sequence's steps owned by the window (run by FormShow).
    void setButtonIcons();
    void tintSelectionImage();
    void LoadModules();
    void fillTemplateList();
    void LoadTemplate(const QString &path);
    void selectTemplateEntry(int index);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void buildUpperHalf(DesignLayout *windowLayout);
    void buildLowerHalf(DesignLayout *windowLayout);
    void buildMenus();
    void buildFileListAdditions();
    void connectFileListAdditions();
    void connectControls();
    void connectFileCommands();
    void connectChainCommands();
    void FormCreate();
    void FormShow();
    void FormClose();
    bool lbFilesKeyDown(QKeyEvent *event);
    bool lvActionsKeyDown(QKeyEvent *event);
    bool lvActionsDragDrop(QDropEvent *event);
    void refreshActionButtons();
    bool collisionsAccepted();
    // The undo journal's path (bytes); empty without a program directory.
    std::string journalPath() const;
    bool canUndo() const;
    // After rows were removed: a row may no longer meet a removed one.
    void refreshCollisions();
    int selectedActionRow() const;
    QIcon fileIcon(int index);

    FileListDelegate *m_fileListDelegate = nullptr;
    FileListModel *m_files = nullptr;
    ActionChainModel *m_chain = nullptr;
    ModuleRegistry m_modules;
    std::unique_ptr<MainWindowSink> m_sink;
    std::unique_ptr<PreviewEngine> m_preview;
    std::unique_ptr<BatchRunner> m_runner;
    TfmAbout *m_about = nullptr;
    TfmOptions *m_options = nullptr;
    TfmInfo *m_info = nullptr;
    QString m_programDir;
    std::string m_firstArgument;
    QHash<int, QIcon> m_fileIcons;
    bool m_shown = false;
    bool m_sizingHeader = false;
    bool m_selectingTemplate = false;
    bool m_closeAfterRun = false;
    // A close waits for module calls and dialogs to return; it is tried again this often.
    static constexpr int kCloseRetryMs = 50;
    bool m_closeRetryPending = false;
    bool m_closed = false;
    // What "Добавить папку" offers next time in this session.
    QString m_lastFolder;
    FolderWalkOptions m_folderOptions;
};

} // namespace brenmark
