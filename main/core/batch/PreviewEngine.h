#pragma once

#include <functional>
#include <string>
#include <vector>

namespace brenmark {

class ActionChainModel;
class BatchSink;
class FileListModel;

// The settings the preview reads, from the options dialog's check boxes.
struct PreviewSettings
{
    bool noPreview = false; // chb_main_preview: the preview is off
    bool showIcons = false; // chb_view_icons: rows get their file icon index
    // The window's: rows the run could not rename are marked after every
    // rebuild and drop (markCollisions).
    bool markCollisions = false;
};

// Computes new paths by handing a path through every enabled action's
// process export in preview mode (1). Argument 2 is always the row's current
// path. A module without process leaves the name as it is (as the run, which
// reports it and goes on). Module failures are not caught here: they leave as
// ModuleCallError for the window's general error handler.
class PreviewEngine
{
public:
    // Settings are asked for each time they are needed, so the window can read
    // its controls then.
    using SettingsSource = std::function<PreviewSettings()>;

    PreviewEngine(FileListModel &files, ActionChainModel &actions, BatchSink &sink,
                  SettingsSource settings);

    PreviewSettings settings() const;

    // The new path of `path` as file number `index`, or "" when no_preview is on.
    // Module texts are copied; the host never frees them.
    std::string PreviewFile(const std::string &path, int index);
    // The icon index for a path under the current settings (0 when icons are off).
    int iconIndexFor(const std::string &path) const;
    // Files dropped onto the window: each accepted one is appended at once
    // with its own new path (PreviewFile with the index its row takes) and
    // icon; nothing else is rebuilt. Gives the number of rows appended; a
    // failing module ends the drop with the files before it in the list.
    int appendDroppedFiles(const std::vector<std::string> &paths);

    // Rewrites every row of the file list as "%d|%s*%s" (icon index, current
    // path, new path), unless no_preview is on. A failure ends the rebuild at the
    // failing row: rows before it keep their new text, the others their old one,
    // and the error propagates; lbAction and pbAll then keep their state.
    // Asked again while it runs (a module that processes events), it finishes
    // and then rebuilds once more instead of nesting.
    void RebuildPreview();

    // Told, during a rebuild, the path each enabled action gives a row, in
    // chain order: the places a run moves the file through on its way to the
    // new path.
    using StepObserver = std::function<void(int row, const char *path)>;
    void setStepObserver(StepObserver observer) { m_stepObserver = std::move(observer); }

private:
    // Hands `path` through the enabled actions; the result stays valid until
    // the next module call.
    const char *runChain(const char *path, int index, void *progressBar);
    void rebuildOnce(const PreviewSettings &current);

    FileListModel &m_files;
    ActionChainModel &m_actions;
    BatchSink &m_sink;
    SettingsSource m_settings;
    StepObserver m_stepObserver;
    bool m_rebuilding = false;
    bool m_rebuildAgain = false;
};

} // namespace brenmark
