// The chain's commands, the templates and the batch run.
#include "main/ui/TForm1.h"

#include "main/core/batch/BatchRunner.h"
#include "main/core/batch/PreviewEngine.h"
#include "main/core/batch/RunTexts.h"
#include "main/core/chain/ActionChainModel.h"
#include "main/core/chain/ChainControlStates.h"
#include "main/core/filelist/FileListModel.h"
#include "main/core/modulehost/ProgramPaths.h"
#include "main/core/templates/TemplateChain.h"
#include "main/core/templates/TemplateList.h"
#include "main/core/templates/TemplateTexts.h"
#include "main/core/undo/RunRecorder.h"
#include "main/ui/ErrorReport.h"
#include "main/ui/MainWindowSink.h"
#include "main/ui/ModuleMenus.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

#include <optional>

namespace brenmark {

namespace {

class WindowTemplateDialogs : public SaveTemplateDialogs
{
public:
    explicit WindowTemplateDialogs(QWidget *parent) : m_parent(parent) {}

    QString askTemplateName() override
    {
        bool accepted = false;
        const QString name = QInputDialog::getText(m_parent, saveTemplateTitle, saveTemplatePrompt,
                                                   QLineEdit::Normal, QString(), &accepted);
        return accepted ? name : QString();
    }

    ReplaceAnswer askReplaceTemplate(const QString &) override
    {
        switch (QMessageBox::question(m_parent, replaceTemplateTitle, replaceTemplateQuestion,
                                      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
        case QMessageBox::Yes:
            return ReplaceAnswer::Yes;
        case QMessageBox::No:
            return ReplaceAnswer::No;
        default:
            return ReplaceAnswer::Cancel;
        }
    }

private:
    QWidget *m_parent;
};

} // namespace

void TForm1::connectChainCommands()
{
    const auto command = [this](auto *sender, auto signal, void (TForm1::*handler)()) {
        connect(sender, signal, this, [this, handler] { reportErrors([&] { (this->*handler)(); }); });
    };
    command(bbEditAct, &QPushButton::clicked, &TForm1::bbEditActClick);
    command(N6, &QAction::triggered, &TForm1::bbEditActClick);
    command(bbRemAct, &QPushButton::clicked, &TForm1::bbRemActClick);
    command(N3, &QAction::triggered, &TForm1::bbRemActClick);
    command(N5, &QAction::triggered, &TForm1::N5Click);
    for (QAction *item : {N8, N9, N10, N11})
        connect(item, &QAction::triggered, this, [this, item] { reportErrors([&] { N8Click(item->data().toInt()); }); });
    command(bbSave, &QPushButton::clicked, &TForm1::bbSaveClick);
    connect(cbProfile, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_selectingTemplate)
            reportErrors([this] { cbProfileChange(); });
    });
    command(sbStart, &QPushButton::clicked, &TForm1::sbStartClick);
    command(sbStop, &QPushButton::clicked, &TForm1::sbStopClick);
    connect(lvActions, &QListView::doubleClicked, this, [this] {
        if (selectedActionRow() >= 0)
            reportErrors([this] { bbEditActClick(); });
    });
    connect(lvActions->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TForm1::refreshActionButtons);
    connect(m_chain, &ActionChainModel::templateSelectionReset, this, [this] { selectTemplateEntry(0); });
    connect(m_chain, &ActionChainModel::controlStatesChanged, this, &TForm1::refreshActionButtons);
    connect(m_chain, &ActionChainModel::previewRebuildRequested, this, [this] { reportErrors([this] { RebuildPreview(); }); });
    lvActions->installEventFilter(this);
    lvActions->viewport()->installEventFilter(this);
}

int TForm1::selectedActionRow() const
{
    const QModelIndexList rows = lvActions->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void TForm1::refreshActionButtons()
{
    const ActionButtonStates states = actionButtonStates(selectedActionRow() >= 0, m_chain->count());
    bbEditAct->setEnabled(states.editEnabled);
    bbRemAct->setEnabled(states.removeEnabled);
    bbSave->setEnabled(states.saveEnabled);
}

void TForm1::pmActionsPopup()
{
    const ActionsPopupStates states = actionsPopupStates(bbRemAct->isEnabled(), bbEditAct->isEnabled(), m_chain->count());
    N2->setEnabled(states.add);
    N3->setEnabled(states.remove);
    N5->setEnabled(states.clear);
    N6->setEnabled(states.properties);
    N7->setEnabled(states.onOff);
}

void TForm1::f1Click(QAction *item)
{
    const ModuleMenuItemData data = moduleItemData(item);
    if (!data.module)
        return;
    m_chain->addAction(data.module, data.fileName, m_modules.FindActionItem(data.fileName).imageIndex);
}

void TForm1::bbEditActClick()
{
    m_chain->editAction(selectedActionRow());
}

void TForm1::bbRemActClick()
{
    if (const int row = selectedActionRow(); row >= 0)
        m_chain->removeSelectedAction(row);
}

bool TForm1::lvActionsKeyDown(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Delete || event->modifiers() != Qt::NoModifier)
        return false;
    reportErrors([this] { bbRemActClick(); });
    return true;
}

// The chain model reorders by its own rule; the view's own move is not used.
bool TForm1::lvActionsDragDrop(QDropEvent *event)
{
    if (event->source() != lvActions)
        return false;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    const QPoint position = event->position().toPoint();
    reportErrors([&] { lvActionsDragDrop(position); });
    return true;
}

void TForm1::lvActionsDragDrop(const QPoint &position)
{
    const QModelIndex target = lvActions->indexAt(position);
    m_chain->moveByDrop(target.isValid() ? target.row() : -1, selectedActionRow());
}

void TForm1::N5Click()
{
    m_chain->clearChain();
}

void TForm1::N8Click(int tag)
{
    m_chain->applyEnableCommand(static_cast<ActionChainModel::EnableCommand>(tag), selectedActionRow());
}

void TForm1::selectTemplateEntry(int index)
{
    m_selectingTemplate = true;
    cbProfile->setCurrentIndex(index);
    m_selectingTemplate = false;
}

void TForm1::fillTemplateList()
{
    m_selectingTemplate = true;
    cbProfile->clear();
    cbProfile->addItems(FillTemplateList(templatesDirectory(m_programDir)));
    cbProfile->setCurrentIndex(-1);
    m_selectingTemplate = false;
}

void TForm1::LoadTemplate(const QString &path)
{
    const auto find = [this](const std::string &moduleFile) { return m_modules.FindActionItem(moduleFile); };
    brenmark::LoadTemplate(*m_chain, path, find, [this](const QString &message) {
        QMessageBox::critical(this, missingModulesTitle, message);
    });
}

void TForm1::bbSaveClick()
{
    WindowTemplateDialogs dialogs(this);
    const std::optional<QString> saved = saveTemplateAs(
        m_chain->count(), m_programDir, dialogs, [this](const QString &path) { SaveTemplate(*m_chain, path); });
    if (!saved)
        return;
    QStringList entries;
    for (int index = 0; index < cbProfile->count(); ++index)
        entries.append(cbProfile->itemText(index));
    const int index = selectSavedTemplate(entries, *saved);
    if (index >= cbProfile->count())
        cbProfile->addItem(entries.at(index));
    selectTemplateEntry(index);
}

void TForm1::cbProfileChange()
{
    const std::optional<QString> path =
        templateForPickedEntry(m_programDir, cbProfile->currentIndex(), cbProfile->currentText());
    if (!path)
        return;
    try {
        LoadTemplate(*path);
    } catch (...) {
        // The picked name does not hold the chain now: left selected, shut-down
        // would record it instead of saving the chain.
        selectTemplateEntry(0);
        throw;
    }
}

bool TForm1::collisionsAccepted()
{
    const int colliding = m_files->markedRows(FileListModel::RowMark::Collision);
    if (colliding == 0)
        return true;
    QStringList names;
    for (int row = 0; row < m_files->count() && names.size() <= 5; ++row)
        if (m_files->mark(row) == FileListModel::RowMark::Collision)
            names.append(m_files->data(m_files->index(row), FileListModel::CurrentPathRole).toString());
    QMessageBox box(QMessageBox::Question, QStringLiteral("Внимание"), collisionQuestion(colliding, names),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(QMessageBox::No);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Да"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Нет"));
    return box.exec() == QMessageBox::Yes;
}

void TForm1::sbStartClick()
{
    if (m_runner->isRunning() || !collisionsAccepted())
        return;
    std::optional<RunRecorder> recorder;
    if (const std::string journal = journalPath(); !journal.empty())
        m_runner->setRecorder(&recorder.emplace(journal));
    m_sink->setRunning(true);
    const bool complete = m_runner->run();
    m_sink->setRunning(false);
    m_runner->setRecorder(nullptr);
    const int failed = m_runner->failedFiles();
    if (complete || failed > 0)
        lbAction->setText(runSummary(failed, m_runner->filesRun()));
    if (const QString problem = m_sink->takeUndoProblem(); !problem.isEmpty())
        QMessageBox::warning(this, QStringLiteral("Brenmark"), problem);
    if (complete && failed == 0 && cbExitOnFinal->isChecked())
        close();
    UpdateFileCount();
    if (m_closeAfterRun) {
        m_closeAfterRun = false;
        close();
    }
}

void TForm1::sbStopClick()
{
    m_runner->requestStop();
}

} // namespace brenmark
