#pragma once

#include "main/core/batch/BatchSink.h"

#include <QElapsedTimer>

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
    // During a run the label takes at most one caption per kRunCaptionInterval:
    // a caption comes before every process call, and over small files painting
    // each one costs several times the renaming. A dropped caption is not kept;
    // the next one after the interval is shown, and the empty caption at the
    // run's end always is.
    void setStatusText(const QString &text) override;
    // Yes only when the next caption would reach the label, so the run builds
    // no caption that would be dropped.
    bool showsCallStatus() const override;
    void paintStatusNow() override;
    // Before every module call of a run: repaints, clicks and the stop button.
    // Over small files the message loop is visited at most once per
    // kRunEventsInterval (the first call of a run always visits it), which a
    // click cannot tell from every call.
    void processPendingEvents() override;
    void *progressBarHandle() const override;
    // Around a run (sbStartClick): sbStop takes sbStart's place and the exit
    // button waits, and the captions and the message loop are thinned out.
    void setRunning(bool running);

private:
    static constexpr qint64 kRunCaptionInterval = 40; // milliseconds, about 25 captions a second

    TForm1 &m_form;
    bool m_running = false;
    static constexpr qint64 kRunEventsInterval = 1; // milliseconds

    QElapsedTimer m_captionShown; // invalid until the run's first caption
    QElapsedTimer m_eventsProcessed; // invalid until the run's first visit of the loop
};

} // namespace brenmark
