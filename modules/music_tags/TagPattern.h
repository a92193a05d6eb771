#pragma once

#include "module_helper/NamePattern.h"
#include "modules/music_tags/TrackTags.h"

#include <string>
#include <string_view>
#include <vector>

namespace brenmark::musictags {

// A name pattern over a file's tags, parsed by the shared pattern parser:
// "[artist] - [title]", "[track]. [title-20]", "[year] [N]". Text fields and
// [N] (the old name without its extension) take character ranges.
struct TagPattern {
    std::vector<sdk::PatternPart> parts;
    std::string problem; // Russian, empty when the pattern is usable
};

// Parses `text`; besides the parser's refusals, a "/" in the literal text
// and a pattern without any tag are problems.
TagPattern parseTagPattern(std::string_view text);

// Appends the expansion of a usable pattern to `out`. False, with `out`
// unchanged, when a tag the pattern uses is missing. Track numbers get at
// least `trackWidth` digits; tag texts are cleaned by appendCleanText.
bool expandTagPattern(const TagPattern &pattern, std::string_view oldBase, const TrackTags &tags, int trackWidth,
                      std::string &out);

// The placeholders, for the dialog's hint.
const char *placeholderHelp();

} // namespace brenmark::musictags
