#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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
    // The listed entry's dirent type, or -1 when the listing has no such name.
    int listedType(std::string_view name) const;

    std::string m_folderPath;
    int m_folder = -1;
    int m_lookups = 0;
    bool m_listed = false;
    bool m_listingRefused = false;
    // The listing: names back to back in one pool (entry i spans
    // m_offsets[i] to m_offsets[i + 1]), their dirent types, and an
    // open-addressing index of entry numbers: no allocation per name, which
    // at 100,000 names is most of the cost of a hash map of strings.
    std::string m_names;
    std::vector<std::uint32_t> m_offsets;
    std::vector<unsigned char> m_types;
    std::vector<std::uint32_t> m_slots;
};

} // namespace brenmark
