#include "main/ui/MainWindowSink.h"

#include "main/ui/TForm1.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace brenmark {

void MainWindowSink::setProgressMaximum(int maximum)
{
    m_form.pbAll->setMaximum(maximum);
}

void MainWindowSink::setProgressPosition(int position)
{
    m_form.pbAll->setValue(position);
}

void MainWindowSink::setStatusText(const QString &text)
{
    m_form.lbAction->setText(text);
}

void MainWindowSink::paintStatusNow()
{
    m_form.lbAction->repaint();
    m_form.pbAll->repaint();
}

void MainWindowSink::processPendingEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void *MainWindowSink::progressBarHandle() const
{
    return static_cast<QWidget *>(m_form.pbNow);
}

void MainWindowSink::setRunning(bool running)
{
    m_form.sbStop->setVisible(running);
    m_form.sbStart->setVisible(!running);
    m_form.sbStart->setEnabled(!running);
    m_form.btnExit->setEnabled(!running);
    if (running)
        m_form.sbStop->setFocus();
}

bool MainWindowSink::exitOnFinal() const
{
    return m_form.cbExitOnFinal->isChecked();
}

void MainWindowSink::closeWindow()
{
    m_form.close();
}

void MainWindowSink::updateFileCount()
{
    m_form.UpdateFileCount();
}

} // namespace brenmark
