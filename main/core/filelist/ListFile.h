#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <sys/stat.h>

namespace brenmark {

// The most a list file is read: some two million paths of 128 bytes, more
// than any run takes, and the end for a source that never ends (/dev/zero).
inline constexpr std::size_t maxListFileBytes = std::size_t(256) << 20;

// A list file that goes on past maxListFileBytes; the text names the file.
class ListFileTooLong : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A list file, opened once: a pipe (`--list <(...)`, a named pipe,
// /dev/stdin) can be read only once, so whoever looks at the list before
// reading it looks through this object instead of opening the path again.
// Opening a named pipe waits for its writer, as reading from it has to.
class ListFile
{
public:
    // Throws std::runtime_error ("File not found", "File access denied",
    // "I/O error %d") when the file cannot be opened.
    explicit ListFile(const std::string &path);
    ~ListFile();
    ListFile(const ListFile &) = delete;
    ListFile &operator=(const ListFile &) = delete;

    const std::string &path() const { return m_path; }
    int descriptor() const { return m_descriptor; }
    // A regular file's size can be known before reading; a pipe's cannot.
    bool isRegular() const { return S_ISREG(m_status.st_mode); }
    long long size() const { return isRegular() ? m_status.st_size : 0; }

    // The lines of the list (one path a line), read whole: LF, CRLF and CR
    // each end a line, a last line without terminator counts, and lines are
    // otherwise taken unchanged, empty ones included.
    //
    // Reads the file onto the end of `storage` and returns its lines as
    // views into it, valid until `storage` next changes. A caller that keeps
    // paths in a byte store of its own (the file list) reads into that
    // store, so that a long list's bytes are not copied a second time.
    // Throws std::runtime_error when the file cannot be read, ListFileTooLong
    // past `limit` bytes; `storage` is then as it was.
    std::vector<std::string_view> readLines(std::string &storage, std::size_t limit = maxListFileBytes);

private:
    std::string m_path;
    int m_descriptor = -1;
    struct stat m_status {};
};

// ListFile(path).readLines(storage).
std::vector<std::string_view> readListLines(const std::string &path, std::string &storage);

} // namespace brenmark
