#pragma once

#include "main/core/batch/BatchSink.h"

#include <QElapsedTimer>

#include <utility>

namespace brenmark {

class TForm1;

// The preview and the run report to the main window's controls: pbAll,
// lbAction and pbNow; the window's message loop is the event pump.
class MainWindowSink : public BatchSink
{
public:
    explicit MainWindowSink(TForm1 &form) : m_form(form) {}

    void setProgressMaximum(int maximum) override;
    void setProgressPosition(int position) override;
    void setStatusText(const QString &text) override;
    // During a run the label takes a call's caption at most once per
    // kRunCaptionInterval: a caption comes before every process call, and over
    // small files painting each one costs several times the renaming. A call
    // that may last long enough to be seen (expectCall) always gets its own.
    bool showsCallStatus() const override;
    void expectCall(std::int64_t previousCallMs) override;
    void paintStatusNow() override;
    // Before every module call of a run: repaints, clicks and the stop button.
    // Over small files the message loop is visited at most once per
    // kRunEventsInterval, which a click cannot tell from every call; before a
    // call that may last long it always is, so its caption is painted.
    void processPendingEvents() override;
    void *progressBarHandle() const override;
    // "Ошибка!" is painted at once, so the next call's caption cannot hide it;
    // over many failures at most once per kRunCaptionInterval.
    void callFailed(const std::string &path, const std::string &caption, const std::string &message) override;
    // Around a run (sbStartClick): sbStop takes sbStart's place and the exit
    // button waits, and the captions and the message loop are thinned out.
    void setRunning(bool running);
    // The journal could not be read or written: kept for the window to show
    // after the run, which a message box now would hold up.
    void undoUnavailable(const std::string &message) override;
    QString takeUndoProblem() { return std::exchange(m_undoProblem, QString()); }

private:
    static constexpr qint64 kRunCaptionInterval = 40; // milliseconds, about 25 captions a second

    TForm1 &m_form;
    bool m_running = false;
    bool m_callMayTakeLong = false;
    static constexpr qint64 kRunEventsInterval = 1; // milliseconds

    QString m_undoProblem;
    QElapsedTimer m_captionShown; // invalid until the run's first caption
    QElapsedTimer m_eventsProcessed;
    QElapsedTimer m_failureShown; // invalid until the run's first failure // invalid until the run's first visit of the loop
};

} // namespace brenmark
