#pragma once

#include <string>

#include <sys/stat.h>

namespace brenmark {

// Opens the file at `path` for reading its contents, and only when it is a
// regular file: a named pipe would block until a writer comes, a device may
// never end (/dev/zero) or act on being opened, so neither is even opened.
// Returns the descriptor, which the caller closes, and fills `status` from
// it. Throws std::runtime_error with the user's message: "Cannot open file
// ..." when the file cannot be opened, a Russian text naming the file and
// its kind when it is not a regular file.
int openRegularFile(const std::string &path, struct stat &status);

// "именованный канал", "папка", ...: the kind of a file that is not regular.
std::string fileKindText(mode_t mode);

} // namespace brenmark
