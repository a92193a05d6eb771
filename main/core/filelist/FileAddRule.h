#pragma once

#include <string>
#include <string_view>

namespace brenmark {

// The add rule of the file list: a path is added only when it names an
// existing file that is not a directory (symbolic links followed). A path
// holding a zero byte names nothing.
//
// Lists are mostly many files of few folders, so the folder of the last
// path stays open and each file is looked up relative to it: the system
// walks the folder's path once, not once per file. Every file is asked of
// the file system itself, so the verdict is the file system's own, also
// where it ignores letter case or the folder changes while the list is read.
class FileAddRule
{
public:
    FileAddRule() = default;
    ~FileAddRule();
    FileAddRule(const FileAddRule &) = delete;
    FileAddRule &operator=(const FileAddRule &) = delete;

    bool accepts(const std::string &path);

private:
    void openFolder(std::string_view folder);

    std::string m_folderPath;
    int m_folder = -1;
};

} // namespace brenmark
