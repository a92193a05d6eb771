#include "main/core/undo/RunRecorder.h"

#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace brenmark {
namespace {

constexpr std::int64_t kWriteEveryMs = 2000;

std::int64_t coarseMilliseconds()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    return std::int64_t(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// A folder stamped at or after the start of the run was made during it. New
// files are stamped with the coarse clock, or (when a time was asked for
// since) with the precise one; the coarse one lags the precise one by up to
// a tick or two. So the start is the first coarse time later than the
// precise time now: everything made before is stamped no later than that
// precise time, everything made after no earlier than the coarse one.
// Waiting for it costs a few milliseconds per run.
std::int64_t runStartStamp()
{
    auto read = [](clockid_t clock) {
        timespec now {};
        clock_gettime(clock, &now);
        return std::int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
    };
    const std::int64_t precise = read(CLOCK_REALTIME);
    std::int64_t coarse = read(CLOCK_REALTIME_COARSE);
    // Bounded, should the clock be set back meanwhile.
    for (int wait = 0; coarse <= precise && wait < 1000; ++wait) {
        const timespec pause {0, 100000};
        nanosleep(&pause, nullptr);
        coarse = read(CLOCK_REALTIME_COARSE);
    }
    return coarse;
}

std::string workingFolder()
{
    std::string folder(4096, '\0');
    while (::getcwd(folder.data(), folder.size()) == nullptr) {
        if (errno != ERANGE)
            return {};
        folder.resize(folder.size() * 2);
    }
    folder.resize(std::strlen(folder.c_str()));
    if (folder.empty() || folder.back() != '/')
        folder.push_back('/');
    return folder;
}

// The folder part without its final slash ("/" for a file at the root).
std::string_view folderOf(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

// `folder` is `inner` or holds it.
bool contains(std::string_view folder, std::string_view inner)
{
    if (folder == "/")
        return true;
    return inner.substr(0, folder.size()) == folder && (inner.size() == folder.size() || inner[folder.size()] == '/');
}

} // namespace

RunRecorder::RunRecorder(std::string journalPath)
    : m_path(std::move(journalPath))
{
}

void RunRecorder::absolutePath(std::string &result, std::string_view path, std::string_view folder)
{
    result.clear();
    auto append = [&result](std::string_view text) {
        std::size_t at = 0;
        while (at <= text.size()) {
            std::size_t end = text.find('/', at);
            if (end == std::string_view::npos)
                end = text.size();
            const std::string_view part = text.substr(at, end - at);
            if (!part.empty() && part != ".") {
                result.push_back('/');
                result.append(part);
            }
            at = end + 1;
        }
    };
    if (path.empty() || path.front() != '/')
        append(folder);
    append(path);
    if (result.empty())
        result.push_back('/');
}

void RunRecorder::beginRun()
{
    m_run = JournalRun {};
    m_moves.clear();
    m_moveCount = 0;
    m_run.started = runStartStamp();
    m_runStart = m_run.started;
    m_createdFolders.clear();
    m_broken = false;
    m_written = false;
    m_problem.clear();
    m_tracking = false;
    m_run.file = journalRunFileName(m_run.started);
    m_workingFolder = workingFolder();
}

void RunRecorder::beginFile(std::string_view path, const FileIdentity &identity)
{
    if (m_broken)
        return;
    if (m_workingFolder.empty() && (path.empty() || path.front() != '/')) {
        fail("Рабочая папка недоступна, а путь «" + std::string(path) + "» задан относительно неё.");
        return;
    }
    m_tracking = true;
    m_given.assign(path);
    absolutePath(m_first, path, m_workingFolder);
    m_last.assign(m_first);
    m_identity = identity;
}

bool RunRecorder::movedTo(const FileIdentity &now) const
{
    if (now.isFolder())
        return false;
    if (now.device == m_identity.device) {
        // A rename keeps the link count; a new link that leaves the old
        // name in place raises it.
        return now.sameInodeAs(m_identity) && now.links <= m_identity.links;
    }
    // Across file systems the file is a copy: same size and time, and the
    // old name is gone (or names another file).
    if (!now.sameContentStamp(m_identity))
        return false;
    FileIdentity old;
    return !readIdentity(m_last, old) || !old.sameAs(m_identity);
}

void RunRecorder::afterCall(const char *runningName)
{
    if (!m_tracking || std::strcmp(runningName, m_given.c_str()) == 0)
        return;
    m_given.assign(runningName);
    FileIdentity now;
    if (!readIdentity(m_given, now) || !movedTo(now))
        return;
    absolutePath(m_next, m_given, m_workingFolder);
    if (folderOf(m_next) != folderOf(m_last))
        noteCreatedFolders(m_next, m_last);
    m_last.swap(m_next);
    m_identity = now;
}

void RunRecorder::noteCreatedFolders(const std::string &newPath, const std::string &oldPath)
{
    // The host cannot see a folder being made, but it can see when: a folder
    // born after the run began, on the way from a folder the file did not
    // leave to its new place, was made by this run. The first older folder
    // ends the walk, since everything above it is older still. Without a
    // birth time nothing is taken as made: undo then leaves the folder.
    const std::string_view oldFolder = folderOf(oldPath);
    std::string_view folder = folderOf(newPath);
    while (folder.size() > 1 && !contains(folder, oldFolder)) {
        const std::string path(folder);
        if (path.size() >= 3 && path.compare(path.size() - 3, 3, "/..") == 0)
            return;
        if (m_createdFolders.count(path) != 0)
            return;
        FileIdentity identity;
        if (!readIdentity(path, identity) || !identity.isFolder() || identity.born == FileIdentity::kNoTime
            || identity.born < m_runStart)
            return;
        m_createdFolders.insert(path);
        m_run.folders.push_back({path, identity});
        folder = folderOf(folder);
    }
}

void RunRecorder::endFile()
{
    if (!m_tracking)
        return;
    m_tracking = false;
    if (m_broken || m_last == m_first)
        return;
    appendJournalMove(m_moves, m_first, m_last, m_identity);
    ++m_moveCount;
    if (!m_written || coarseMilliseconds() - m_lastWriteMs >= kWriteEveryMs)
        write();
}

void RunRecorder::endRun()
{
    m_tracking = false;
    if (!m_broken && (m_written || m_moveCount > 0 || !m_run.empty()))
        write();
}

void RunRecorder::write()
{
    const int error = writeJournalRun(m_path, m_run, m_moves, m_moveCount);
    if (error != 0) {
        fail("Журнал отмены «" + m_path + m_run.file + "» не записан: " + std::strerror(error) + ".");
        return;
    }
    if (!m_written) {
        // Only a run that moved something pushes the oldest one out.
        try {
            pruneJournal(m_path, kJournalRuns);
        } catch (const JournalError &) {
            // Listed a moment ago for writing: kept as it is, nothing lost.
        }
    }
    m_written = true;
    m_lastWriteMs = coarseMilliseconds();
}

void RunRecorder::fail(const std::string &message)
{
    m_broken = true;
    m_tracking = false;
    m_problem = message + " Этот запуск нельзя будет отменить.";
}

std::string RunRecorder::takeProblem()
{
    return std::exchange(m_problem, std::string());
}

} // namespace brenmark
