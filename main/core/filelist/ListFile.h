#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace brenmark {

// The lines of a list file (one path a line), read whole: LF, CRLF and CR
// each end a line, a last line without terminator counts, and lines are
// otherwise taken unchanged, empty ones included.
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
    size_t m_size = 0;
    std::unique_ptr<char[]> m_content;
    std::vector<std::string_view> m_lines;
};

} // namespace brenmark
