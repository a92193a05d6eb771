#include "modules/music_tags/TagReader.h"

#include "module_helper/FileName.h"
#include "module_helper/FileStatus.h"
#include "module_helper/ModuleError.h"

#include <taglib/fileref.h>
#include <taglib/tfile.h>
#include <taglib/tfilestream.h>
#include <taglib/tpropertymap.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <initializer_list>

namespace brenmark::musictags {

namespace {

// Enough for any batch a user previews; beyond it the cache starts over.
constexpr std::size_t kMaxCacheEntries = 200000;

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The first non-empty value among `keys`, trimmed; several values of one
// key (two artists) are joined the way players show them.
std::string firstValue(const TagLib::PropertyMap &properties, std::initializer_list<const char *> keys)
{
    for (const char *key : keys) {
        const auto found = properties.find(key);
        if (found == properties.end())
            continue;
        std::string joined;
        for (const TagLib::String &value : found->second) {
            std::string text = value.to8Bit(true);
            std::size_t begin = 0;
            std::size_t end = text.size();
            while (begin < end && isBlank(text[begin]))
                ++begin;
            while (end > begin && isBlank(text[end - 1]))
                --end;
            if (begin == end)
                continue;
            if (!joined.empty())
                joined += ", ";
            joined.append(text, begin, end - begin);
        }
        if (!joined.empty())
            return joined;
    }
    return {};
}

TrackTags tagsOf(const TagLib::PropertyMap &properties)
{
    TrackTags tags;
    tags.artist = firstValue(properties, {"ARTIST"});
    tags.albumArtist = firstValue(properties, {"ALBUMARTIST", "ALBUM ARTIST"});
    tags.title = firstValue(properties, {"TITLE"});
    tags.album = firstValue(properties, {"ALBUM"});
    tags.genre = firstValue(properties, {"GENRE"});
    tags.track = TagReader::leadingNumber(firstValue(properties, {"TRACKNUMBER"}));
    tags.disc = TagReader::leadingNumber(firstValue(properties, {"DISCNUMBER"}));
    tags.year = TagReader::yearOf(firstValue(properties, {"DATE", "YEAR", "ORIGINALDATE"}));
    return tags;
}

} // namespace

int TagReader::leadingNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    int number = 0;
    const std::size_t first = i;
    // Nine digits at most: a longer run is no track number, and it must not overflow.
    while (i < text.size() && i - first < 9 && text[i] >= '0' && text[i] <= '9')
        number = number * 10 + (text[i++] - '0');
    if (i < text.size() && text[i] >= '0' && text[i] <= '9')
        return 0;
    return number;
}

int TagReader::yearOf(std::string_view text)
{
    if (text.size() < 4)
        return 0;
    int year = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return 0;
        year = year * 10 + (text[i] - '0');
    }
    if (text.size() > 4 && text[4] >= '0' && text[4] <= '9')
        return 0;
    return year;
}

TrackTags TagReader::readUncached(const std::string &path)
{
    // Only a regular file is read: looked at before opening, so that no
    // device is opened, then opened without blocking and checked again in
    // case a named pipe took its place meanwhile.
    struct stat status{};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return {};
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0)
        return {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return {};
    }
    // The stream owns the descriptor once it is open. Without a file name
    // TagLib tells the format by the contents, so a FLAC file named ".mp3"
    // is still read as FLAC.
    TagLib::FileStream stream(descriptor, true);
    if (!stream.isOpen()) {
        ::close(descriptor);
        return {};
    }
    const TagLib::FileRef file(&stream, false);
    if (file.isNull() || file.file() == nullptr || !file.file()->isValid())
        return {};
    return tagsOf(file.file()->properties());
}

const TrackTags &TagReader::read(const std::string &path)
{
    const struct stat status = sdk::statusOfFile(path);
    const int64_t modifiedNs = sdk::modifiedNanoseconds(status);
    const auto cached = m_cache.find(path);
    if (cached != m_cache.end() && cached->second.modifiedNs == modifiedNs && cached->second.size == status.st_size)
        return cached->second.tags;
    if (m_cache.size() >= kMaxCacheEntries)
        m_cache.clear();
    CacheEntry &entry = m_cache[path];
    entry = {modifiedNs, status.st_size, readUncached(path)};
    return entry.tags;
}

} // namespace brenmark::musictags
