#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brenmark {

// A folder's entries as one pass of reading it gives them: the names back to
// back, where each starts, and their dirent types.
struct DirectoryEntries
{
    std::string names;
    std::vector<std::uint32_t> starts;
    std::vector<unsigned char> types;

    std::string_view name(size_t entry) const
    {
        const size_t end = entry + 1 < starts.size() ? starts[entry + 1] : names.size();
        return std::string_view(names).substr(starts[entry], end - starts[entry]);
    }

    void add(std::string_view name, unsigned char type)
    {
        starts.push_back(std::uint32_t(names.size()));
        names.append(name);
        types.push_back(type);
    }
};

// Below this folder size (st_size) a folder is read by one thread.
constexpr std::int64_t kSplitReadingFrom = 256 * 1024;

enum class DirectoryRead { Failed, ByOneReader, ByTwoReaders };

// Appends the entries of the folder open for reading as `folder` (its read
// position at the start) to `into`, and tells how it went.
//
// A large folder on a file system where that is sound and faster (ext4) is
// read by two threads: a second descriptor starts halfway through the
// reading positions, and the first reader stops at the entry where the
// second one began. Whenever that does not add up (the folder changed under
// the readers, or its positions turn out not to follow the order), the
// first reader simply reads on to the end, so the result is always that of
// one plain pass. WhereSound also splits where it is sound but slower
// (tmpfs), so that both ways positions can run are tried.
enum class SplitWhere { WhereFaster, WhereSound };
DirectoryRead readDirectory(int folder, std::int64_t folderSize, DirectoryEntries &into,
                            std::int64_t splitFrom = kSplitReadingFrom,
                            SplitWhere where = SplitWhere::WhereFaster);

} // namespace brenmark
