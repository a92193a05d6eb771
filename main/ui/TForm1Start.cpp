// The window's first show (the start sequence) and its close (the automatic save of
// the chain, then the modules unloaded).
#include "main/ui/TForm1.h"

#include "about/ui/TfmAbout.h"
#include "information/ui/TfmInfo.h"
#include "main/core/batch/BatchRunner.h"
#include "main/core/batch/PreviewEngine.h"
#include "main/core/chain/ActionChainModel.h"
#include "main/core/filelist/FileIconList.h"
#include "main/core/filelist/FileListModel.h"
#include "main/core/modulehost/ModuleCallGuard.h"
#include "main/core/shell/ChainAutosave.h"
#include "main/core/shell/StartSequence.h"
#include "main/core/templates/TemplateChain.h"
#include "main/ui/ButtonIcons.h"
#include "main/ui/ErrorReport.h"
#include "main/ui/ModuleListRows.h"
#include "main/ui/ModuleMenus.h"
#include "main/ui/OpenDialogs.h"
#include "main/ui/ProgramArt.h"
#include "options/ui/TfmOptions.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

namespace brenmark {

namespace {

class FormShowSteps : public StartSequenceHost
{
public:
    explicit FormShowSteps(TForm1 &form) : m_form(form) {}

    void setButtonImages() override { m_form.setButtonIcons(); }
    void loadSettings() override
    {
        if (TfmOptions *options = m_form.optionsDialog())
            options->LoadSettings();
    }
    void createFileIconList() override { FileIconList::instance(); }
    void computeSelectionTint() override { m_form.tintSelectionImage(); }
    void setExitOnFinal(bool checked) override { m_form.cbExitOnFinal->setChecked(checked); }
    void appendListFile(const std::string &path) override { m_form.files().appendListFile(path); }
    void updateFileCount() override { m_form.UpdateFileCount(); }
    void loadModules() override { m_form.LoadModules(); }
    QStringList fillTemplateList() override
    {
        m_form.fillTemplateList();
        QStringList entries;
        for (int index = 0; index < m_form.cbProfile->count(); ++index)
            entries.append(m_form.cbProfile->itemText(index));
        return entries;
    }
    bool autosaveEnabled() const override { return m_form.currentSettings().autosave; }
    void selectTemplateEntry(int index) override { m_form.selectTemplateEntry(index); }
    void loadTemplate(const QString &path) override { m_form.LoadTemplate(path); }
    void rebuildPreview() override { m_form.RebuildPreview(); }

private:
    TForm1 &m_form;
};

QPushButton *dialogButton(QWidget *dialog, const char *name)
{
    return dialog ? dialog->findChild<QPushButton *>(QString::fromLatin1(name)) : nullptr;
}

} // namespace

void TForm1::FormShow()
{
    FormShowSteps steps(*this);
    reportErrors([&] { runStartSequence(steps, m_programDir, m_firstArgument); });
}

void TForm1::setButtonIcons()
{
    constexpr int icon = static_cast<int>(ButtonImageKind::Icon);
    if (QPushButton *button = dialogButton(m_about, "Button1"))
        SetButtonIcon(button, programIcon(108), icon, 24, 24, 2);
    SetButtonIcon(btnExit, programIcon(103), icon, 32, 32, 2);
    SetButtonIcon(sbStart, programIcon(104), icon, 32, 32, 2);
    SetButtonIcon(sbStop, programIcon(104), icon, 32, 32, 2);
    SetButtonIcon(sbModules, programIcon(105), icon, 16, 16, 5);
    SetButtonIcon(sbOptions, programIcon(106), icon, 16, 16, 5);
    SetButtonIcon(sbAbout, programIcon(107), icon, 16, 16, 5);
    if (QPushButton *button = dialogButton(m_options, "btnOK"))
        SetButtonIcon(button, programIcon(108), icon, 24, 24, 10);
    if (QPushButton *button = dialogButton(m_options, "btnCancel"))
        SetButtonIcon(button, programIcon(109), icon, 24, 24, 10);
    // The information dialog's OK is a picture button of its own kind: the same picture
    // as the other OK buttons, at the size its height leaves.
    if (auto *button = m_info ? m_info->findChild<QToolButton *>(QStringLiteral("SpeedButton1")) : nullptr)
        button->setIcon(programIcon(108));
}

void TForm1::LoadModules()
{
    ModuleLoadSettings settings;
    settings.programDir = QFile::encodeName(m_programDir).toStdString();
    if (m_options)
        settings.disabledModules = m_options->DisabledModuleList();
    settings.grouping = currentSettings().actionGrouping;
    settings.mainWindow = static_cast<QWidget *>(this);
    m_modules.LoadModules(settings, imlAddMenu, imlModules);

    const AddActionHandler add = [this](QAction *item) { reportErrors([&] { f1Click(item); }); };
    pmAddAction->clear();
    N2->menu()->clear();
    fillAddActionMenu(pmAddAction, m_modules.actionMenu(), imlAddMenu, add);
    fillAddActionMenu(N2->menu(), m_modules.actionMenu(), imlAddMenu, add);
    pmModules->clear();
    fillModulesMenu(pmModules, m_modules.moduleCommands(), imlModules,
                    [](const std::exception &error) { showCommandError(error); });
    sbModules->setEnabled(m_modules.modulesButtonEnabled());
    if (m_options)
        fillModuleList(m_options->modulesList(), m_modules.moduleListRows(), imlAddMenu);
    if (m_about)
        fillAboutList(m_about->modulesList(), m_modules.aboutRows(), imlAddMenu);
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // Modules cannot be unloaded under a running batch: stop it and close when it returns.
    if (m_runner->isRunning()) {
        m_runner->requestStop();
        m_closeAfterRun = true;
        endOpenDialogs();
        event->ignore();
        return;
    }
    // Nor under a call into one (a dialog of its own, or its processing of
    // window events), nor while a dialog's loop would return into a closed
    // window: the dialogs are ended, and the close comes back once every
    // call has returned.
    if (activeModuleCalls() > 0 || openDialogsRunning()) {
        endOpenDialogs();
        event->ignore();
        if (!m_closeRetryPending) {
            m_closeRetryPending = true;
            QTimer::singleShot(kCloseRetryMs, this, [this] {
                m_closeRetryPending = false;
                close();
            });
        }
        return;
    }
    if (!m_closed) {
        m_closed = true;
        FormClose();
    }
    QWidget::closeEvent(event);
}

void TForm1::FormClose()
{
    ShutdownChainState state;
    state.autosave = currentSettings().autosave;
    state.chainRows = m_chain->count();
    state.selectedEntry = cbProfile->currentIndex();
    state.selectedText = cbProfile->currentText();
    reportErrors([&] {
        autosaveChain(state, m_programDir, [this](const QString &path) { SaveTemplate(*m_chain, path); });
    });
    // The rows keep no module alive: drop them (no freeOpt) before the libraries go.
    m_chain->discardAll();
    pmAddAction->clear();
    N2->menu()->clear();
    pmModules->clear();
    // Never refused here: no module call is under way (see closeEvent).
    m_modules.unloadAll();
}

} // namespace brenmark
