#pragma once

#include "modules/music_tags/TrackTags.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace brenmark::musictags {

// Reads a file's music tags with TagLib. Tags are cached per path and reused
// while the file's size and modification time stay the same, so rebuilding a
// preview opens each file once.
class TagReader {
public:
    // The tags of the file at `path` (empty ones for a file TagLib cannot
    // read). Throws sdk::ModuleError (Russian text) when the file cannot be
    // examined at all. The reference stays valid until the next call.
    const TrackTags &read(const std::string &path);

    // The tags of the file at `path`, uncached; empty for anything but a
    // regular file (a named pipe or a device is never read).
    static TrackTags readUncached(const std::string &path);

    // The leading number of "3", "03/12" or " 7 of 9"; 0 when there is none.
    static int leadingNumber(std::string_view text);

    // The year of "1999", "1999-05-01" or "1999 05 01"; 0 when it starts otherwise.
    static int yearOf(std::string_view text);

private:
    struct CacheEntry {
        int64_t modifiedNs = 0;
        int64_t size = 0;
        TrackTags tags;
    };

    std::unordered_map<std::string, CacheEntry> m_cache;
};

} // namespace brenmark::musictags
