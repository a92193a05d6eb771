#include "modules/music_tags/TagPattern.h"

#include "modules/music_tags/MusicTagsRule.h"

namespace brenmark::musictags {

namespace {

enum Field { Artist, AlbumArtist, Title, Album, Track, Disc, Year, Genre, OldName };

constexpr sdk::PlaceholderRule kRules[] = {
    {"ARTIST", Artist, true},
    {"ALBUMARTIST", AlbumArtist, true},
    {"TITLE", Title, true},
    {"ALBUM", Album, true},
    {"TRACK", Track, false},
    {"DISC", Disc, false},
    {"YEAR", Year, false},
    {"GENRE", Genre, true},
    {"N", OldName, true},
};

void appendNumber(std::string &out, int value, int width)
{
    const std::string digits = std::to_string(value);
    for (int i = int(digits.size()); i < width; ++i)
        out.push_back('0');
    out += digits;
}

// Appends the field's value; false when the file has none.
bool appendField(std::string &out, int field, std::string_view oldBase, const TrackTags &tags, int trackWidth)
{
    const std::string *text = nullptr;
    switch (field) {
    case Artist: text = &tags.artist; break;
    case AlbumArtist: text = &tags.albumArtist; break;
    case Title: text = &tags.title; break;
    case Album: text = &tags.album; break;
    case Genre: text = &tags.genre; break;
    case OldName: out += oldBase; return true;
    case Track:
        if (tags.track == 0)
            return false;
        appendNumber(out, tags.track, trackWidth);
        return true;
    case Disc:
        if (tags.disc == 0)
            return false;
        appendNumber(out, tags.disc, 1);
        return true;
    case Year:
        if (tags.year == 0)
            return false;
        appendNumber(out, tags.year, 4);
        return true;
    }
    if (text == nullptr || text->empty())
        return false;
    appendCleanText(out, *text);
    return true;
}

} // namespace

TagPattern parseTagPattern(std::string_view text)
{
    sdk::ParsedPattern parsed = sdk::parsePattern(text, kRules);
    TagPattern pattern{std::move(parsed.parts), std::move(parsed.error)};
    if (!pattern.problem.empty())
        return pattern;
    bool hasTag = false;
    for (const sdk::PatternPart &part : pattern.parts) {
        if (part.isLiteral() && part.literal.find('/') != std::string::npos) {
            pattern.problem = "знак «/» в имени файла недопустим.";
            return pattern;
        }
        hasTag = hasTag || (!part.isLiteral() && part.id != OldName);
    }
    if (!hasTag)
        pattern.problem = "в шаблоне нет ни одного тега: напишите, например, «[artist] - [title]».";
    return pattern;
}

bool expandTagPattern(const TagPattern &pattern, std::string_view oldBase, const TrackTags &tags, int trackWidth,
                      std::string &out)
{
    const std::size_t start = out.size();
    bool complete = true;
    sdk::expandPattern(
        pattern.parts,
        [&](const sdk::PatternPart &part, std::string &text) {
            if (complete && !appendField(text, part.id, oldBase, tags, trackWidth))
                complete = false;
        },
        out);
    if (!complete)
        out.resize(start);
    return complete;
}

const char *placeholderHelp()
{
    return "[artist] исполнитель, [albumartist] исполнитель альбома,\n"
           "[title] название, [album] альбом, [genre] жанр, [year] год,\n"
           "[track] номер дорожки, [disc] номер диска, [N] старое имя;\n"
           "[title1-20] — знаки с 1-го по 20-й, [[ и ]] — сами скобки";
}

} // namespace brenmark::musictags
