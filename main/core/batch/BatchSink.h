#pragma once

#include <QString>

#include <cstdint>
#include <string>

namespace brenmark {

// What the preview and run engines report to, and ask of, whoever drives
// them: the main window (pbAll, lbAction, pbNow, the message loop) or a
// command-line front end. Progress, status, the event pump and the stop
// test; nothing here closes or rearranges a window. Every method is called
// on the engine's thread, the user-interface thread.
class BatchSink
{
public:
    virtual ~BatchSink() = default;

    // pbAll: the number of files and how many have been started. Called once
    // per file, a million times in a big rebuild: keep it cheap.
    virtual void setProgressMaximum(int maximum) = 0;
    virtual void setProgressPosition(int position) = 0;
    // lbAction. The preview loop does not yield, so it asks for the label to
    // be painted at once after setting it.
    virtual void setStatusText(const QString &text) = 0;
    virtual void paintStatusNow() {}
    // Whether the next call's text (file name " / " caption) would be shown:
    // asked before every call, and a sink that would not show it (at all, or
    // not so soon again) says no, so the run builds no text for it. The other
    // texts ("Ошибка!", the empty text at the end) always come.
    virtual bool showsCallStatus() const { return true; }
    // The run only, before each call's caption: how long the same action's
    // previous call in this run took, in milliseconds, or -1 before its first.
    // A sink that thins out its captions and event visits still shows the
    // caption of a call that may last long enough to be seen.
    virtual void expectCall(std::int64_t previousCallMs) { (void)previousCallMs; }
    // The run only: a process call is about to be made, right after the
    // events were processed (so the action is still there and checked).
    virtual void callStarting() {}

    // The run only: let the window process all pending events (repaints,
    // clicks, the stop button). Rows and actions may change meanwhile.
    virtual void processPendingEvents() {}
    // An outside stop request (e.g. a signal in a command-line run), tested
    // together with BatchRunner::requestStop's flag.
    virtual bool stopRequested() const { return false; }
    // Handle of pbNow handed to every process call: the QProgressBar's address, or null.
    virtual void *progressBarHandle() const { return nullptr; }

    // The run only: a process call failed (right after the "Ошибка!" status).
    // `path` is where the file lay for that call, `caption` the action's
    // caption, `message` the module's error text. The window shows nothing
    // more; a command-line front end reports it.
    virtual void callFailed(const std::string &path, const std::string &caption, const std::string &message)
    {
        (void)path;
        (void)caption;
        (void)message;
    }
    // The run only, at most once: the undo journal cannot be read or
    // written, so this run cannot be undone (the run goes on). The window
    // says so after the run; a command-line front end at once.
    virtual void undoUnavailable(const std::string &message) { (void)message; }
};

} // namespace brenmark
