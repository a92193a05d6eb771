#include "main/core/undo/UndoJournal.h"

#include "CRCunit/Crc32.h"
#include "module_helper/AtomicFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>

namespace brenmark {
namespace {

// "BMUJ": what reading looks for to find the next record after a damaged one.
constexpr char kMark[4] = {'B', 'M', 'U', 'J'};
constexpr std::size_t kHeaderSize = 12; // mark, payload length, CRC-32 of the payload
constexpr std::uint8_t kVersion = 1;

std::uint32_t checksum(std::string_view bytes)
{
    return ~Crc32UpdateFast(0xFFFFFFFFu, bytes.data(), bytes.size());
}

// Little-endian, so a program directory copied to another machine keeps its journal.
void putUnsigned(std::string &out, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(char((value >> (8 * i)) & 0xFF));
}

void putText(std::string &out, const std::string &text)
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

std::string journalRecord(const JournalRun &run)
{
    std::string payload;
    payload.push_back(char(kVersion));
    payload.push_back(char(run.undoTried ? 1 : 0));
    putUnsigned(payload, std::uint64_t(run.started), 8);
    putUnsigned(payload, run.moves.size(), 4);
    for (const JournalMove &move : run.moves) {
        putText(payload, move.from);
        // Most moves keep the start of the path (the folder, often more):
        // only the rest of the new path is written.
        std::size_t shared = 0;
        while (shared < move.from.size() && shared < move.to.size() && move.from[shared] == move.to[shared])
            ++shared;
        putUnsigned(payload, shared, 4);
        putText(payload, move.to.substr(shared));
        putIdentity(payload, move.identity);
    }
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

JournalContents readJournal(const std::string &path)
{
    const std::string bytes = readWhole(path);
    const std::string_view all(bytes);
    const std::string_view mark(kMark, sizeof kMark);
    JournalContents contents;
    std::size_t at = 0;
    while (at < all.size()) {
        if (all.size() - at >= kHeaderSize && all.substr(at, sizeof kMark) == mark) {
            Reader header(all.substr(at + sizeof kMark, 8));
            const std::uint64_t length = header.number(4);
            const std::uint32_t sum = std::uint32_t(header.number(4));
            if (length <= all.size() - at - kHeaderSize) {
                const std::string_view payload = all.substr(at + kHeaderSize, length);
                JournalRun run;
                if (checksum(payload) == sum && decodeRun(payload, run)) {
                    contents.runs.push_back(std::move(run));
                    at += kHeaderSize + length;
                    continue;
                }
            }
        }
        ++contents.damagedRecords;
        const std::size_t next = all.find(mark, at + 1);
        if (next == std::string_view::npos)
            break;
        at = next;
    }
    return contents;
}

int writeJournal(const std::string &path, const std::vector<JournalRun> &runs)
{
    std::vector<const JournalRun *> kept;
    for (auto run = runs.rbegin(); run != runs.rend() && kept.size() < kJournalRuns; ++run)
        if (!run->empty())
            kept.insert(kept.begin(), &*run);
    std::string bytes;
    for (const JournalRun *run : kept)
        bytes += journalRecord(*run);
    return sdk::replaceFileAtomically(path, bytes);
}

} // namespace brenmark
