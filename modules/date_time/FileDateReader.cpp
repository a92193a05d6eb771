#include "modules/date_time/FileDateReader.h"

#include "module_helper/FileName.h"
#include "module_helper/FileStatus.h"
#include "module_helper/ModuleError.h"

#include <exiv2/exiv2.hpp>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

namespace brenmark::datetime {

namespace {

// Enough for any batch a user previews; beyond it the cache starts over.
constexpr std::size_t kMaxCacheEntries = 200000;

DateParts localDate(const timespec &time)
{
    std::tm local{};
    const time_t seconds = time.tv_sec;
    localtime_r(&seconds, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

bool parseNumber(std::string_view text, std::size_t at, std::size_t width, int &value)
{
    value = 0;
    for (std::size_t i = at; i < at + width; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

// The capture date in the open regular file; exiv2 reads that very file
// through the descriptor's name.
std::optional<DateParts> exifDateOf(int descriptor)
{
    static const bool muted = [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        return true;
    }();
    (void)muted;
    try {
        auto image = Exiv2::ImageFactory::open("/proc/self/fd/" + std::to_string(descriptor));
        image->readMetadata();
        const Exiv2::ExifData &exif = image->exifData();
        for (const char *key : {"Exif.Photo.DateTimeOriginal", "Exif.Photo.DateTimeDigitized"}) {
            const auto found = exif.findKey(Exiv2::ExifKey(key));
            if (found == exif.end())
                continue;
            if (auto date = FileDateReader::parseExifDate(found->toString()))
                return date;
        }
    } catch (const std::exception &) {
        // Not an image exiv2 knows, or a damaged one: it simply has no capture date.
    }
    return std::nullopt;
}

} // namespace

std::optional<DateParts> FileDateReader::parseExifDate(std::string_view text)
{
    if (text.size() < 19 || text[4] != ':' || text[7] != ':' || text[10] != ' ' || text[13] != ':'
        || text[16] != ':')
        return std::nullopt;
    DateParts date;
    if (!parseNumber(text, 0, 4, date.year) || !parseNumber(text, 5, 2, date.month)
        || !parseNumber(text, 8, 2, date.day) || !parseNumber(text, 11, 2, date.hour)
        || !parseNumber(text, 14, 2, date.minute) || !parseNumber(text, 17, 2, date.second))
        return std::nullopt;
    if (date.year == 0 || date.month < 1 || date.month > 12 || date.day < 1 || date.day > 31
        || date.hour > 23 || date.minute > 59 || date.second > 60)
        return std::nullopt;
    return date;
}

std::optional<DateParts> FileDateReader::readExifDate(const std::string &path)
{
    // Only a regular file is read: looked at before opening, so that no
    // device is opened, then opened without blocking and checked again in
    // case a named pipe took its place meanwhile.
    struct stat status{};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0)
        return std::nullopt;
    std::optional<DateParts> date;
    if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode))
        date = exifDateOf(descriptor);
    ::close(descriptor);
    return date;
}

DateParts FileDateReader::read(const std::string &path, DateSource source)
{
    const struct stat status = sdk::statusOfFile(path);
    if (source == DateSource::Exif && S_ISREG(status.st_mode)) {
        const int64_t modifiedNs = sdk::modifiedNanoseconds(status);
        const auto cached = m_exifCache.find(path);
        if (cached != m_exifCache.end() && cached->second.modifiedNs == modifiedNs
            && cached->second.size == status.st_size) {
            if (cached->second.exif)
                return *cached->second.exif;
        } else {
            if (m_exifCache.size() >= kMaxCacheEntries)
                m_exifCache.clear();
            CacheEntry &entry = m_exifCache[path];
            entry = {modifiedNs, status.st_size, readExifDate(path)};
            if (entry.exif)
                return *entry.exif;
        }
    }
    return localDate(status.st_mtim);
}

} // namespace brenmark::datetime
