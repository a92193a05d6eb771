#include "main/ui/MainWindowSink.h"

#include "main/ui/TForm1.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>

namespace brenmark {

void MainWindowSink::setProgressMaximum(int maximum)
{
    // A range of 0 to 0 would make Qt animate a busy bar for ever: an empty list shows
    // an empty bar.
    m_form.pbAll->setMaximum(std::max(maximum, 1));
}

void MainWindowSink::setProgressPosition(int position)
{
    // Called once per file: the bar is only told when its drawn length would change.
    QProgressBar *bar = m_form.pbAll;
    const long long maximum = bar->maximum();
    const long long width = std::max(bar->width(), 1);
    if (maximum <= 0 || position <= 0 || position >= maximum
        || position * width / maximum != static_cast<long long>(bar->value()) * width / maximum)
        bar->setValue(position);
}

void MainWindowSink::expectCall(std::int64_t previousCallMs)
{
    m_callMayTakeLong = previousCallMs < 0 || previousCallMs >= kRunCaptionInterval;
}

bool MainWindowSink::showsCallStatus() const
{
    return !m_running || m_callMayTakeLong || !m_captionShown.isValid() || m_captionShown.hasExpired(kRunCaptionInterval);
}

void MainWindowSink::setStatusText(const QString &text)
{
    m_form.lbAction->setText(text);
    if (m_running)
        m_captionShown.start();
}

void MainWindowSink::paintStatusNow()
{
    m_form.lbAction->repaint();
    m_form.pbAll->repaint();
}

void MainWindowSink::processPendingEvents()
{
    if (m_running && !m_callMayTakeLong && m_eventsProcessed.isValid()
        && !m_eventsProcessed.hasExpired(kRunEventsInterval))
        return;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (m_running)
        m_eventsProcessed.start();
}

void MainWindowSink::callFailed(const std::string &, const std::string &, const std::string &)
{
    if (m_running && m_failureShown.isValid() && !m_failureShown.hasExpired(kRunCaptionInterval))
        return;
    m_form.lbAction->repaint();
    if (m_running)
        m_failureShown.start();
}

void *MainWindowSink::progressBarHandle() const
{
    return static_cast<QWidget *>(m_form.pbNow);
}

void MainWindowSink::setRunning(bool running)
{
    m_running = running;
    m_callMayTakeLong = false;
    m_captionShown.invalidate();
    m_eventsProcessed.invalidate();
    m_failureShown.invalidate();
    m_form.sbStop->setVisible(running);
    m_form.sbStart->setVisible(!running);
    m_form.sbStart->setEnabled(!running);
    m_form.btnExit->setEnabled(!running);
    if (running)
        m_form.sbStop->setFocus();
}

void MainWindowSink::undoUnavailable(const std::string &message)
{
    m_undoProblem = QString::fromStdString(message);
}

} // namespace brenmark
