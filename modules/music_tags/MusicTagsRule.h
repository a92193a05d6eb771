#pragma once

#include "modules/music_tags/MusicTagsOptions.h"
#include "modules/music_tags/TagPattern.h"
#include "modules/music_tags/TrackTags.h"

#include <string>
#include <string_view>

namespace brenmark::musictags {

// The block's pattern, parsed once per block; its problem (Russian, naming
// the module) also covers the other values: an unknown placeholder, an
// unclosed bracket, a "/" in the pattern or fallback text, an empty fallback
// text, a width or choice out of range.
TagPattern prepareOptions(const MusicTagsOptions &options);

// Throws sdk::ModuleError with the problem of prepareOptions, if any.
void validateOptions(const MusicTagsOptions &options);

// Appends the new file name (no folder part) of `fileName` with `tags` to
// `out`; `pattern` is prepareOptions(options) and must have no problem.
// Tag texts holding "/" or control characters are cleaned, never turned
// into folders. A file lacking a tag the pattern uses gets the fallback.
void appendNewName(const MusicTagsOptions &options, const TagPattern &pattern, std::string_view fileName,
                   const TrackTags &tags, std::string &out);

// What the instance does, for the action row.
std::string describe(const MusicTagsOptions &options);

// Appends a tag text as it may stand in a file name: "/" becomes "-",
// control characters become spaces.
void appendCleanText(std::string &out, std::string_view text);

} // namespace brenmark::musictags
