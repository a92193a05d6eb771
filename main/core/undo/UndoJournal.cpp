#include "main/core/undo/UndoJournal.h"

#include "CRCunit/Crc32.h"
#include "module_helper/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace brenmark {
namespace {

// "BMUJ": the start of every run file.
constexpr char kMark[4] = {'B', 'M', 'U', 'J'};
constexpr std::string_view kPrefix = "run-";
constexpr std::string_view kSuffix = ".journal";
constexpr std::size_t kHeaderSize = 12; // mark, payload length, CRC-32 of the payload
constexpr std::uint8_t kVersion = 1;

std::uint32_t checksum(std::string_view bytes)
{
    return ~Crc32UpdateFast(0xFFFFFFFFu, bytes.data(), bytes.size());
}

// Little-endian, so a program directory copied to another machine keeps its journal.
void putUnsigned(std::string &out, std::uint64_t value, int bytes)
{
    char little[8];
    for (int i = 0; i < bytes; ++i)
        little[i] = char((value >> (8 * i)) & 0xFF);
    out.append(little, std::size_t(bytes));
}

void putText(std::string &out, std::string_view text)
{
    putUnsigned(out, text.size(), 4);
    out += text;
}

void putIdentity(std::string &out, const FileIdentity &identity)
{
    putUnsigned(out, identity.device, 8);
    putUnsigned(out, identity.inode, 8);
    putUnsigned(out, std::uint64_t(identity.size), 8);
    putUnsigned(out, std::uint64_t(identity.modified), 8);
    putUnsigned(out, std::uint64_t(identity.changed), 8);
    putUnsigned(out, std::uint64_t(identity.born), 8);
    putUnsigned(out, identity.mode, 4);
}

class Reader
{
public:
    explicit Reader(std::string_view bytes) : m_bytes(bytes) {}

    bool ok() const { return m_ok; }
    bool atEnd() const { return m_at == m_bytes.size(); }

    std::uint64_t number(int bytes)
    {
        if (!m_ok || m_bytes.size() - m_at < std::size_t(bytes)) {
            m_ok = false;
            return 0;
        }
        std::uint64_t value = 0;
        for (int i = 0; i < bytes; ++i)
            value |= std::uint64_t(std::uint8_t(m_bytes[m_at + i])) << (8 * i);
        m_at += std::size_t(bytes);
        return value;
    }

    std::string text()
    {
        const std::uint64_t length = number(4);
        if (!m_ok || m_bytes.size() - m_at < length) {
            m_ok = false;
            return {};
        }
        std::string result(m_bytes.substr(m_at, length));
        m_at += length;
        return result;
    }

    FileIdentity identity()
    {
        FileIdentity result;
        result.device = number(8);
        result.inode = number(8);
        result.size = std::int64_t(number(8));
        result.modified = std::int64_t(number(8));
        result.changed = std::int64_t(number(8));
        result.born = std::int64_t(number(8));
        result.mode = std::uint32_t(number(4));
        return result;
    }

    // A count of items of at least `smallest` bytes each: never more than the bytes left could hold.
    std::size_t count(std::size_t smallest)
    {
        const std::uint64_t value = number(4);
        if (value > (m_bytes.size() - m_at) / smallest)
            m_ok = false;
        return m_ok ? std::size_t(value) : 0;
    }

private:
    std::string_view m_bytes;
    std::size_t m_at = 0;
    bool m_ok = true;
};

constexpr std::size_t kIdentityBytes = 6 * 8 + 4;

bool decodeRun(std::string_view payload, JournalRun &run)
{
    Reader reader(payload);
    if (reader.number(1) != kVersion)
        return false;
    run.undoTried = (reader.number(1) & 1) != 0;
    run.started = std::int64_t(reader.number(8));
    run.moves.resize(reader.count(12 + kIdentityBytes));
    for (JournalMove &move : run.moves) {
        move.from = reader.text();
        const std::uint64_t shared = reader.number(4);
        if (shared > move.from.size())
            return false;
        move.to = move.from.substr(0, shared) + reader.text();
        move.identity = reader.identity();
    }
    run.folders.resize(reader.count(4 + kIdentityBytes));
    for (JournalFolder &folder : run.folders) {
        folder.path = reader.text();
        folder.identity = reader.identity();
    }
    return reader.ok() && reader.atEnd();
}

// The bytes of a run file; empty when it vanished meanwhile (an undo elsewhere).
std::string readWhole(const std::string &path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT)
            return {};
        throw JournalError("Журнал отмены «" + path + "» не прочитан: " + std::strerror(errno) + ".");
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            throw JournalError("Журнал отмены «" + path + "» не прочитан: " + std::strerror(error) + ".");
        }
        if (got == 0)
            break;
        bytes.append(buffer, std::size_t(got));
    }
    ::close(fd);
    return bytes;
}

} // namespace

void appendJournalMove(std::string &out, std::string_view from, std::string_view to, const FileIdentity &identity)
{
    putText(out, from);
    // Most moves keep the start of the path (the folder, often more): only
    // the rest of the new path is written.
    std::size_t shared = 0;
    while (shared < from.size() && shared < to.size() && from[shared] == to[shared])
        ++shared;
    putUnsigned(out, shared, 4);
    putText(out, to.substr(shared));
    putIdentity(out, identity);
}

std::string journalRecord(const JournalRun &run, std::string_view encodedMoves, std::size_t encodedCount)
{
    std::string payload;
    payload.reserve(64 + encodedMoves.size());
    payload.push_back(char(kVersion));
    payload.push_back(char(run.undoTried ? 1 : 0));
    putUnsigned(payload, std::uint64_t(run.started), 8);
    putUnsigned(payload, encodedCount + run.moves.size(), 4);
    payload += encodedMoves;
    for (const JournalMove &move : run.moves)
        appendJournalMove(payload, move.from, move.to, move.identity);
    putUnsigned(payload, run.folders.size(), 4);
    for (const JournalFolder &folder : run.folders) {
        putText(payload, folder.path);
        putIdentity(payload, folder.identity);
    }
    std::string record(kMark, sizeof kMark);
    putUnsigned(record, payload.size(), 4);
    putUnsigned(record, checksum(payload), 4);
    return record + payload;
}

namespace {

bool decodeRecord(std::string_view all, JournalRun &run)
{
    if (all.size() < kHeaderSize || all.substr(0, sizeof kMark) != std::string_view(kMark, sizeof kMark))
        return false;
    Reader header(all.substr(sizeof kMark, 8));
    const std::uint64_t length = header.number(4);
    const std::uint32_t sum = std::uint32_t(header.number(4));
    if (length != all.size() - kHeaderSize)
        return false;
    const std::string_view payload = all.substr(kHeaderSize);
    return checksum(payload) == sum && decodeRun(payload, run);
}

} // namespace

std::vector<std::string> journalRunFiles(const std::string &folder)
{
    std::vector<std::string> names;
    DIR *listing = ::opendir(folder.c_str());
    if (!listing) {
        if (errno == ENOENT)
            return names;
        throw JournalError("Журнал отмены «" + folder + "» не прочитан: " + std::strerror(errno) + ".");
    }
    while (const dirent *entry = ::readdir(listing)) {
        const std::string_view name(entry->d_name);
        if (name.size() > kPrefix.size() + kSuffix.size() && name.substr(0, kPrefix.size()) == kPrefix
            && name.substr(name.size() - kSuffix.size()) == kSuffix)
            names.emplace_back(name);
    }
    ::closedir(listing);
    std::sort(names.begin(), names.end());
    return names;
}

std::string journalRunFileName(std::int64_t started)
{
    // Zero-padded, so that names sort by time; the process tells apart two
    // programs that start a run in the same tick.
    char name[64];
    std::snprintf(name, sizeof name, "run-%020lld-%d.journal", static_cast<long long>(started), int(::getpid()));
    return name;
}

JournalContents readJournal(const std::string &folder)
{
    JournalContents contents;
    for (const std::string &name : journalRunFiles(folder)) {
        const std::string bytes = readWhole(folder + name);
        JournalRun run;
        if (bytes.empty())
            continue;
        if (!decodeRecord(bytes, run)) {
            ++contents.damagedRuns;
            continue;
        }
        run.file = name;
        contents.runs.push_back(std::move(run));
    }
    return contents;
}

int writeJournalRun(const std::string &folder, const JournalRun &run, std::string_view encodedMoves,
                    std::size_t encodedCount)
{
    const std::string path = folder + run.file;
    if (run.empty() && encodedCount == 0)
        return ::unlink(path.c_str()) == 0 || errno == ENOENT ? 0 : errno;
    if (::mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST)
        return errno;
    return sdk::replaceFileAtomically(path, journalRecord(run, encodedMoves, encodedCount));
}

void pruneJournal(const std::string &folder, std::size_t keep)
{
    const std::vector<std::string> names = journalRunFiles(folder);
    for (std::size_t i = 0; i + keep < names.size(); ++i)
        ::unlink((folder + names[i]).c_str());
}

} // namespace brenmark
