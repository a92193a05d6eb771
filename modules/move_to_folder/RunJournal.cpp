#include "modules/move_to_folder/RunJournal.h"

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
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    const int error = errno;
    ::close(fd);
    if (written != static_cast<ssize_t>(bytes.size()))
        throwFileError("Ошибка записи", m_file, written < 0 ? error : ENOSPC);
}

void RunJournal::startRun()
{
    auto existing = runs();
    if (existing.size() >= kMaxRuns) {
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
    while (at < data.size()) {
        const char mark = data[at++];
        if (mark == kRunMark) {
            result.emplace_back();
            continue;
        }
        if (mark == kFolderMark && !result.empty()) {
            std::string folder;
            if (!readText(folder))
                throw sdk::ModuleError("Журнал " + sdk::quoted(m_file) + " повреждён.");
            result.back().folders.push_back(std::move(folder));
            continue;
        }
        JournalMove move;
        if (mark != kMoveMark || result.empty() || !readText(move.from) || !readText(move.to))
            throw sdk::ModuleError("Журнал " + sdk::quoted(m_file) + " повреждён.");
        result.back().moves.push_back(std::move(move));
    }
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
    const std::string temporary = m_file + ".new";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        throwFileError("Ошибка записи", temporary, errno);
    const bool written = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size())
                         && ::fsync(fd) == 0;
    const int error = errno;
    if (::close(fd) != 0 || !written) {
        ::unlink(temporary.c_str());
        throwFileError("Ошибка записи", temporary, written ? errno : error);
    }
    if (::rename(temporary.c_str(), m_file.c_str()) != 0) {
        const int renameError = errno;
        ::unlink(temporary.c_str());
        throwFileError("Ошибка записи", m_file, renameError);
    }
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
