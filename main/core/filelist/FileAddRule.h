#pragma once

#include "main/core/filelist/FolderNames.h"

#include <string>
#include <string_view>

namespace brenmark {

// The add rule of the file list: a path is added only when it names an
// existing file that is not a directory (symbolic links followed). A path
// holding a zero byte names nothing.
//
// Lists are mostly many files of few folders, so the folder of the last
// path stays open and each file is looked up relative to it. Once many
// files of one folder have been asked for, and the folder is not much
// larger than that, its plain files are listed once: a name found there is
// a file that existed during this add, which is all a lookup can tell too.
// Every other name (not listed, a link, a folder, a type the listing does
// not tell) is looked up, so a file made after the listing, or a spelling
// that a file system ignoring letter case accepts, is still found.
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
    bool shouldList() const;
    void listFolder();

    std::string m_folderPath;
    int m_folder = -1;
    int m_lookups = 0;
    bool m_listed = false; // listed, or tried to be
    FolderNames m_files;
};

} // namespace brenmark
