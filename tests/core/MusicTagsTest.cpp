#include "module_helper/Fields.h"
#include "module_helper/ModuleError.h"
#include "modules/music_tags/MusicTagsRule.h"
#include "modules/music_tags/TagReader.h"
#include "tests/support/TaggedMedia.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>

using namespace brenmark::musictags;
using namespace taggedmedia;
namespace fs = std::filesystem;

namespace {

const TrackTags kTags{"Исполнитель", "Разные", "Песня", "Альбом", "Рок", 3, 2, 1999};

MusicTagsOptions makeOptions(const char *pattern, TagFallback fallback = TagFallback::KeepName,
                             const char *fallbackText = "")
{
    MusicTagsOptions options;
    brenmark::sdk::setFieldText(options.pattern, pattern);
    options.fallback = fallback;
    brenmark::sdk::setFieldText(options.fallbackText, fallbackText);
    return options;
}

std::string newName(const MusicTagsOptions &options, std::string_view fileName, const TrackTags &tags)
{
    const TagPattern pattern = prepareOptions(options);
    EXPECT_EQ(pattern.problem, "");
    std::string out;
    appendNewName(options, pattern, fileName, tags, out);
    return out;
}

const std::map<std::string, std::string> kAllTags = {
    {"ARTIST", "Кино"}, {"ALBUMARTIST", "Виктор Цой"}, {"TITLE", "Группа крови"}, {"ALBUM", "Группа крови"},
    {"TRACKNUMBER", "1/11"}, {"DISCNUMBER", "2/2"}, {"DATE", "1988-01-05"}, {"GENRE", "Рок"},
};
const TrackTags kAllTagsRead{"Кино", "Виктор Цой", "Группа крови", "Группа крови", "Рок", 1, 2, 1988};

void setModified(const fs::path &path, time_t when)
{
    const timespec times[2] = {{when, 0}, {when, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

} // namespace

TEST(MusicTagsPattern, ProblemsAndExpansions)
{
    struct Case {
        const char *pattern;
        const char *problem; // a part of the message; null: none
        const char *expanded;
    };
    const Case cases[] = {
        {"[artist] - [title]", nullptr, "Исполнитель - Песня"},
        {"[ARTIST] - [Title]", nullptr, "Исполнитель - Песня"},
        {"[track]. [title]", nullptr, "03. Песня"},
        {"[albumartist] [year] [album] [disc]-[track] [genre]", nullptr, "Разные 1999 Альбом 2-03 Рок"},
        {"[[[year]]] [title]", nullptr, "[1999] Песня"},
        {"[title~3-] [artist-3] [N6-]", nullptr, "сня Исп Трек"},
        {"[Artst]", "неизвестная метка «[Artst]»", nullptr},
        {"[artist", "не закрыта", nullptr},
        {"[]", "«[]»", nullptr},
        {"[artist]] - [title]", "Позиция 9: лишняя скобка", nullptr},
        {"[track1-2]", "не выбирает символы", nullptr},
        {"[title:3]", "без «:»", nullptr},
        {"title", "ни одного тега", nullptr},
        {"", "ни одного тега", nullptr},
        {"[N]", "ни одного тега", nullptr},
        {"[[artist]]", "ни одного тега", nullptr},
        {"[artist]/[title]", "«/»", nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.pattern);
        const TagPattern pattern = parseTagPattern(c.pattern);
        if (c.problem == nullptr) {
            EXPECT_EQ(pattern.problem, "");
            std::string out = "/keep/";
            EXPECT_TRUE(expandTagPattern(pattern, "01 - Трек", kTags, 2, out));
            EXPECT_EQ(out, std::string("/keep/") + c.expanded);
        } else {
            EXPECT_NE(pattern.problem.find(c.problem), std::string::npos) << pattern.problem;
        }
    }
}

TEST(MusicTagsRule, NamesBeforeAndAfter)
{
    TrackTags slashed = kTags;
    slashed.artist = "AC/DC";
    slashed.title = "../..";
    TrackTags lineBreak = kTags;
    lineBreak.title = std::string("Две\nстроки") + '\0' + "!";
    TrackTags noTitle = kTags;
    noTitle.title.clear();
    TrackTags noTrack = kTags;
    noTrack.track = 0;
    TrackTags dots = kTags;
    dots.artist = ".";
    const TrackTags none;
    using F = TagFallback;
    struct Case {
        const char *pattern;
        F fallback;
        const char *fallbackText;
        const TrackTags *tags;
        const char *before;
        const char *after;
    };
    const Case cases[] = {
        {"[artist] - [title]", F::KeepName, "", &kTags, "01 - Artist - Title.MP3", "Исполнитель - Песня.mp3"},
        {"[artist] - [title]", F::KeepName, "", &slashed, "a.mp3", "AC-DC - ..-...mp3"},
        {"[artist-3]", F::KeepName, "", &slashed, "a.mp3", "AC-.mp3"},
        {"[title]", F::KeepName, "", &lineBreak, "a.ogg", "Две строки !.ogg"},
        {"[artist] - [title]", F::KeepName, "", &noTitle, "01 - Трек.MP3", "01 - Трек.mp3"},
        {"[track] [title]", F::Text, "Без тегов", &noTrack, "x.flac", "Без тегов.flac"},
        {"[artist] - [title]", F::Text, "Без тегов", &none, "Запись", "Без тегов"},
        {"[artist]", F::KeepName, "", &dots, "Запись.Mp3", "Запись.mp3"},
        {"[title6-]", F::Text, "Коротко", &kTags, "Запись.mp3", "Коротко.mp3"},
        {"[artist]", F::KeepName, "", &none, ".hidden", ".hidden"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.before);
        EXPECT_EQ(newName(makeOptions(c.pattern, c.fallback, c.fallbackText), c.before, *c.tags), c.after);
    }
    MusicTagsOptions keepCase = makeOptions("[track]");
    keepCase.lowerExtension = 0;
    keepCase.trackWidth = 4;
    EXPECT_EQ(newName(keepCase, "a.MP3", kTags), "0003.MP3");
}

TEST(MusicTagsRule, RefusesUnusableBlocks)
{
    MusicTagsOptions badFallback = makeOptions("[title]");
    badFallback.fallback = static_cast<TagFallback>(2);
    MusicTagsOptions wide = makeOptions("[track]");
    wide.trackWidth = 5;
    MusicTagsOptions narrow = makeOptions("[track]");
    narrow.trackWidth = 0;
    const MusicTagsOptions unknown = makeOptions("[titel]");
    MusicTagsOptions lowerCase = makeOptions("[title]");
    lowerCase.lowerExtension = 2;
    const MusicTagsOptions noText = makeOptions("[title]", TagFallback::Text, "");
    const MusicTagsOptions slashText = makeOptions("[title]", TagFallback::Text, "a/b");
    for (const MusicTagsOptions *options : std::initializer_list<const MusicTagsOptions *>{&badFallback, &lowerCase, &wide, &narrow, &unknown, &noText, &slashText}) {
        try {
            validateOptions(*options);
            ADD_FAILURE() << "accepted: " << options->pattern;
        } catch (const brenmark::sdk::ModuleError &error) {
            EXPECT_EQ(std::string(error.what()).rfind("Теги музыки: ", 0), 0u) << error.what();
        }
    }
}

TEST(TagReader, ParsesNumbersAndYears)
{
    EXPECT_EQ(TagReader::leadingNumber("07/12"), 7);
    EXPECT_EQ(TagReader::leadingNumber(" 3"), 3);
    EXPECT_EQ(TagReader::leadingNumber("A1"), 0);
    EXPECT_EQ(TagReader::leadingNumber("12345678901"), 0);
    EXPECT_EQ(TagReader::yearOf("1999-05-01"), 1999);
    EXPECT_EQ(TagReader::yearOf("1999"), 1999);
    EXPECT_EQ(TagReader::yearOf("199"), 0);
    EXPECT_EQ(TagReader::yearOf("19990"), 0);
    EXPECT_EQ(TagReader::yearOf("May 1999"), 0);
}

TEST(TagReader, ReadsEveryFormat)
{
    TempFolder folder;
    struct Case {
        const char *name;
        std::string bytes;
        const char *magic; // how the file starts once tagged
    };
    const Case cases[] = {
        {"song.mp3", bareMp3(), "ID3"},
        {"song.flac", bareFlac(), "fLaC"},
        {"song.opus", bareOggOpus(), "OggS"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path path = folder.path() / c.name;
        ASSERT_TRUE(writeTaggedFile(path, c.bytes, kAllTags));
        EXPECT_EQ(readFile(path).rfind(c.magic, 0), 0u);
        EXPECT_EQ(TagReader::readUncached(path), kAllTagsRead);

        const fs::path bare = folder.path() / (std::string("bare-") + c.name);
        ASSERT_TRUE(writeTaggedFile(bare, c.bytes, {}));
        EXPECT_TRUE(TagReader::readUncached(bare).empty());
    }
    // Told by its contents, not by its name.
    fs::copy_file(folder.path() / "song.flac", folder.path() / "flac-named.mp3");
    EXPECT_EQ(TagReader::readUncached(folder.path() / "flac-named.mp3"), kAllTagsRead);

    const fs::path text = folder.path() / "notes.mp3";
    writeFile(text, "just some text, no frames");
    EXPECT_TRUE(TagReader::readUncached(text).empty());

    // A named pipe without a writer would block the reader for ever.
    const fs::path pipe = folder.path() / "pipe.mp3";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_TRUE(TagReader::readUncached(pipe).empty());
    TagReader reader;
    EXPECT_TRUE(reader.read(pipe).empty());
    EXPECT_THROW(reader.read(folder.path() / "missing.mp3"), brenmark::sdk::ModuleError);
}

TEST(TagReader, CachesUntilTheFileChanges)
{
    TempFolder folder;
    const fs::path first = folder.path() / "first.mp3";
    const fs::path second = folder.path() / "second.mp3";
    ASSERT_TRUE(writeTaggedFile(first, bareMp3(), {{"ARTIST", "Один"}, {"TITLE", "Раз"}}));
    ASSERT_TRUE(writeTaggedFile(second, bareMp3(), {{"ARTIST", "Двое"}, {"TITLE", "Два"}}));
    const std::string firstBytes = readFile(first);
    const std::string secondBytes = readFile(second);
    ASSERT_EQ(firstBytes.size(), secondBytes.size()) << "the tags must be of one size";
    setModified(first, 1700000000);

    TagReader reader;
    EXPECT_EQ(reader.read(first).artist, "Один");
    // Other tags, same size and time: the cached tags stand, the file is not read again.
    writeFile(first, secondBytes);
    setModified(first, 1700000000);
    EXPECT_EQ(reader.read(first).artist, "Один");
    // A new modification time: read again.
    setModified(first, 1700000001);
    EXPECT_EQ(reader.read(first).artist, "Двое");
    // A new size at the old time: read again.
    ASSERT_TRUE(writeTaggedFile(first, bareMp3(), {{"ARTIST", "Три"}}));
    setModified(first, 1700000001);
    EXPECT_EQ(reader.read(first).artist, "Три");
}
