#pragma once

#include <cstdint>
#include <vector>

namespace brenmark {

class FileListModel;

enum class SortKey {
    Name,             // the file-name part, natural order
    FolderAndName,    // the folder part, then the name, natural order
    ModificationTime, // of the file at the current path
    Size,             // of the file at the current path
};

struct SortOrder
{
    SortKey key = SortKey::Name;
    bool descending = false;
};

// The rows of `files` in sorted order: element k is the row that goes to
// position k. Rows that compare equal keep their order, in either
// direction. A row whose file cannot be read (gone since it was added) has
// no time or size and goes after all others, in either direction. Names
// are compared in place in the list's storage.
std::vector<std::uint32_t> sortedRows(const FileListModel &files, SortOrder order);

// Puts the rows of `files` in sorted order (FileListModel::reorderRows).
void sortFileList(FileListModel &files, SortOrder order);

} // namespace brenmark
