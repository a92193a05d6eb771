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
// long list's bytes are not copied a second time. Throws std::runtime_error
// ("File not found", "File access denied", "I/O error %d") when the file
// cannot be opened or read; `storage` is then as it was.
std::vector<std::string_view> readListLines(const std::string &path, std::string &storage);

} // namespace brenmark
