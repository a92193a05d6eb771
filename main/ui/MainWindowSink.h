#pragma once

#include "main/core/batch/BatchSink.h"

namespace brenmark {

class TForm1;

// The preview and the run report to the main window's controls: pbAll, lbAction,
// pbNow, the run buttons, "Выход по завершении" and the status line.
class MainWindowSink : public BatchSink
{
public:
    explicit MainWindowSink(TForm1 &form) : m_form(form) {}

    void setProgressMaximum(int maximum) override;
    void setProgressPosition(int position) override;
    void setStatusText(const QString &text) override;
    void paintStatusNow() override;
    // Before every module call of a run: repaints, clicks and the stop button.
    void processPendingEvents() override;
    void *progressBarHandle() const override;
    // sbStop takes sbStart's place while a run is under way; the exit button waits.
    void setRunning(bool running) override;
    bool exitOnFinal() const override;
    void closeWindow() override;
    void updateFileCount() override;

private:
    TForm1 &m_form;
};

} // namespace brenmark
