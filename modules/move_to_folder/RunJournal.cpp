#include "modules/move_to_folder/RunJournal.h"

#include "module_helper/AtomicFile.h"
#include "module_helper/FileName.h"
#include "module_helper/ModuleError.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace brenmark::movetofolder {

namespace {

constexpr char kRunMark = 'R';
constexpr char kMoveMark = 'M';
constexpr char kFolderMark = 'D';

void appendText(std::string &out, const std::string &text)
{
    const auto length = static_cast<uint32_t>(text.size());
    char bytes[4];
    std::memcpy(bytes, &length, 4);
    out.append(bytes, 4);
    out += text;
}

std::string moveRecord(const JournalMove &move)
{
    std::string out(1, kMoveMark);
    appendText(out, move.from);
    appendText(out, move.to);
    return out;
}

std::string folderRecord(const std::string &folder)
{
    std::string out(1, kFolderMark);
    appendText(out, folder);
    return out;
}

[[noreturn]] void throwFileError(const std::string &what, const std::string &file, int error)
{
    throw sdk::ModuleError(what + " журнала " + sdk::quoted(file) + ": " + std::strerror(error) + ".");
}

} // namespace

RunJournal::RunJournal(std::string file) : m_file(std::move(file)) {}

void RunJournal::append(const std::string &bytes) const
{
    const int fd = ::open(m_file.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        throwFileError("Ошибка записи", m_file, errno);
    struct stat before {};
    int error = ::fstat(fd, &before) == 0 ? 0 : errno;
    std::size_t done = 0;
    if (error == 0)
        error = sdk::writeAll(fd, bytes, done);
    // A record cut off by a full disk would make the whole journal unreadable:
    // take its first part back.
    if (error != 0 && done > 0)
        (void)::ftruncate(fd, before.st_size);
    ::close(fd);
    if (error != 0)
        throwFileError("Ошибка записи", m_file, error);
}

void RunJournal::startRun()
{
    bool cutOff = false;
    auto existing = readRuns(&cutOff);
    // New records must not follow the remains of one that was cut off.
    if (cutOff || existing.size() >= kMaxRuns) {
        if (existing.size() >= kMaxRuns)
            existing.erase(existing.begin(), existing.end() - (kMaxRuns - 1));
        existing.emplace_back();
        writeRuns(existing);
        return;
    }
    append(std::string(1, kRunMark));
}

void RunJournal::record(const std::string &from, const std::string &to)
{
    append(moveRecord({from, to}));
}

void RunJournal::recordFolder(const std::string &folder)
{
    append(folderRecord(folder));
}

std::vector<JournalRun> RunJournal::runs() const
{
    return readRuns(nullptr);
}

std::vector<JournalRun> RunJournal::readRuns(bool *cutOff) const
{
    std::vector<JournalRun> result;
    const int fd = ::open(m_file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return result;
        throwFileError("Ошибка чтения", m_file, errno);
    }
    std::string data;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            throwFileError("Ошибка чтения", m_file, error);
        }
        if (got == 0)
            break;
        data.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);

    std::size_t at = 0;
    bool cut = false;
    // A record that runs past the end was cut off (a crash, a full disk):
    // the records before it still hold.
    auto readText = [&](std::string &text) {
        uint32_t length = 0;
        if (data.size() - at < 4)
            return false;
        std::memcpy(&length, data.data() + at, 4);
        at += 4;
        if (data.size() - at < length)
            return false;
        text.assign(data, at, length);
        at += length;
        return true;
    };
    while (!cut && at < data.size()) {
        const char mark = data[at++];
        if (mark == kRunMark) {
            result.emplace_back();
            continue;
        }
        if (mark == kFolderMark && !result.empty()) {
            std::string folder;
            if (!(cut = !readText(folder)))
                result.back().folders.push_back(std::move(folder));
            continue;
        }
        JournalMove move;
        if (mark != kMoveMark || result.empty())
            throw sdk::ModuleError("Журнал " + sdk::quoted(m_file) + " повреждён.");
        if (!(cut = !readText(move.from) || !readText(move.to)))
            result.back().moves.push_back(std::move(move));
    }
    if (cutOff)
        *cutOff = cut;
    return result;
}

void RunJournal::writeRuns(const std::vector<JournalRun> &runs) const
{
    std::string bytes;
    for (const auto &run : runs) {
        bytes.push_back(kRunMark);
        for (const auto &folder : run.folders)
            bytes += folderRecord(folder);
        for (const auto &move : run.moves)
            bytes += moveRecord(move);
    }
    if (const int error = sdk::replaceFileAtomically(m_file, bytes); error != 0)
        throwFileError("Ошибка записи", m_file, error);
}

void RunJournal::replaceLastRun(const JournalRun &remaining)
{
    auto existing = runs();
    if (existing.empty())
        return;
    existing.pop_back();
    if (!remaining.empty())
        existing.push_back(remaining);
    writeRuns(existing);
}

} // namespace brenmark::movetofolder
