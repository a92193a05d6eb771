#pragma once

#include <string>

namespace brenmark::musictags {

// The tags a name can be built from, as UTF-8. Numbers are 0 when the file
// has none; texts are trimmed and empty when missing.
struct TrackTags {
    std::string artist;
    std::string albumArtist;
    std::string title;
    std::string album;
    std::string genre;
    int track = 0;
    int disc = 0;
    int year = 0;

    bool empty() const
    {
        return artist.empty() && albumArtist.empty() && title.empty() && album.empty() && genre.empty()
            && track == 0 && disc == 0 && year == 0;
    }

    bool operator==(const TrackTags &) const = default;
};

} // namespace brenmark::musictags
