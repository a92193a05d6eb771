#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

namespace brenmark {

// The add rule of the file list: a path is added only when it names an
// existing file that is not a directory (symbolic links followed). A path
// holding a zero byte names nothing.
//
// Lists are mostly many files of few folders, so the folder of the last
// path stays open and each file is looked up relative to it; once many
// files of one folder have been asked for, and the folder is not much
// larger than that, it is listed once and its entries answer the rest
// (entries whose type the listing does not tell are still looked up).
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
    void closeFolder();
    bool shouldList() const;
    void listFolder();

    std::string m_folderPath;
    int m_folder = -1;
    int m_lookups = 0;
    bool m_listed = false;
    bool m_listingRefused = false;
    std::unordered_map<std::string, unsigned char> m_entries; // name -> dirent type
    std::string m_key;
};

} // namespace brenmark
