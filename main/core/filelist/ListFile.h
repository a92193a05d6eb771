#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brenmark {

// The lines of a list file (one path a line), read whole: LF, CRLF and CR
// each end a line, a last line without terminator counts, and lines are
// otherwise taken unchanged, empty ones included.
//
// Reads the file onto the end of `storage` and returns its lines as views
// into it, valid until `storage` next changes. A caller that keeps paths in
// a byte store of its own (the file list) reads into that store, so that a
// long list's bytes are not copied a second time. Throws as ListFile does.
std::vector<std::string_view> readListLines(const std::string &path, std::string &storage);

class ListFile
{
public:
    // Throws std::runtime_error ("File not found", "File access denied",
    // "I/O error %d") when the file cannot be opened or read.
    explicit ListFile(const std::string &path);
    ListFile(const ListFile &) = delete;
    ListFile &operator=(const ListFile &) = delete;

    // Views into the file's content, valid as long as this object.
    const std::vector<std::string_view> &lines() const { return m_lines; }
    // The lines moved out, for a caller that keeps them; the views stay
    // valid as long as this object, which then has no lines.
    std::vector<std::string_view> takeLines() { return std::move(m_lines); }

private:
    std::string m_content;
    std::vector<std::string_view> m_lines;
};

} // namespace brenmark
