// Cost of one preview call of the extension, date, transliteration, music
// tags and move modules, through dlsym as the host makes it, over real files
// on tmpfs (the date, tags and move modules read the file).
#include "bench/support/ModuleChain.h"
#include "module_helper/Fields.h"
#include "modules/date_time/DateTimeOptions.h"
#include "modules/extension/ExtensionOptions.h"
#include "modules/move_to_folder/MoveOptions.h"
#include "modules/music_tags/MusicTagsOptions.h"
#include "modules/transliteration/TranslitOptions.h"
#include "tests/support/TaggedMedia.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

using namespace brenmark;

int main()
{
    char folder[] = "/dev/shm/brenmark-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string photos = std::string(folder) + "/Фотографии/";
    std::filesystem::create_directory(photos);
    std::vector<std::string> names;
    std::vector<std::string> jpegs;
    std::vector<std::string> songs;
    const std::string music = std::string(folder) + "/Музыка/";
    std::filesystem::create_directory(music);
    const std::string song = music + "song.mp3";
    if (!taggedmedia::writeTaggedFile(song, taggedmedia::bareMp3(),
                                      {{"ARTIST", "Исполнитель"}, {"TITLE", "Песня"}, {"TRACKNUMBER", "7"}})) {
        std::fprintf(stderr, "TagLib could not tag %s\n", song.c_str());
        return 1;
    }
    const std::string sample = std::string(BRENMARK_SOURCE_DIR) + "/tests/data/modules_exif.jpg";
    for (int i = 0; i < 10000; ++i) {
        names.push_back(photos + "IMG_" + std::to_string(1000 + i) + " отпуск на море.JPG");
        ::close(::open(names.back().c_str(), O_WRONLY | O_CREAT, 0644));
        if (i < 1000) {
            jpegs.push_back(photos + "DSC_" + std::to_string(i) + ".jpg");
            std::filesystem::copy_file(sample, jpegs.back());
            songs.push_back(music + std::to_string(i) + " - Artist - Title.MP3");
            std::filesystem::copy_file(song, songs.back());
        }
    }

    extension::ExtensionOptions lower;
    lower.operation = extension::ExtensionOperation::Lower;
    extension::ExtensionOptions set;
    sdk::setFieldText(set.text, "jpeg");
    translit::TranslitOptions gost;
    translit::TranslitOptions icao;
    icao.system = translit::TranslitSystem::Icao9303;
    icao.scope = translit::TranslitScope::NameAndExtension;
    translit::TranslitOptions typography;
    typography.system = translit::TranslitSystem::Icao9303;
    typography.typography = translit::Typography::Ascii;
    // Only the name counts for this module: the file need not exist.
    const std::vector<std::string> documents(names.size(), photos + "Объявление № 5 — «Щукин» (копия)….docx");
    datetime::DateTimeOptions modified;
    datetime::DateTimeOptions exif;
    exif.source = datetime::DateSource::Exif;
    sdk::setFieldText(exif.format, "%Y%m%d_%H%M%S");
    musictags::MusicTagsOptions tags;
    sdk::setFieldText(tags.pattern, "[track] [artist] - [title]");
    movetofolder::MoveOptions plainFolder;
    sdk::setFieldText(plainFolder.folder, "/home/user/Архив");
    movetofolder::MoveOptions datedFolder;
    sdk::setFieldText(datedFolder.folder, "Разобрано/%Y/%m/%d");

    auto run = [&](const char *label, std::vector<Action> chain, const std::vector<std::string> &files) {
        measure(chain, files, 1); // warm the modules' buffers and caches
        std::printf("%-52s %8.0f ns per file\n", label, measure(chain, files, 20));
    };
    auto one = [](Action action) {
        std::vector<Action> chain;
        chain.push_back(std::move(action));
        return chain;
    };
    run("extension (lower case)", one(load("extension.so", lower)), names);
    run("extension (set \"jpeg\")", one(load("extension.so", set)), names);
    run("transliteration (GOST B, name only)", one(load("transliteration.so", gost)), names);
    run("transliteration (ICAO, with extension)", one(load("transliteration.so", icao)), names);
    run("transliteration (ICAO, typography, a document)", one(load("transliteration.so", typography)),
        documents);
    run("date_time (modification time, prefix)", one(load("date_time.so", modified)), names);
    run("date_time (EXIF date, cached, 1000 photos)", one(load("date_time.so", exif)), jpegs);
    run("music_tags (tags already read, 1000 MP3)", one(load("music_tags.so", tags)), songs);
    run("move_to_folder (fixed folder)", one(load("move_to_folder.so", plainFolder)), names);
    run("move_to_folder (relative, %Y/%m/%d of the file)", one(load("move_to_folder.so", datedFolder)), names);
    std::vector<Action> chain;
    chain.push_back(load("transliteration.so", gost));
    chain.push_back(load("date_time.so", modified));
    chain.push_back(load("move_to_folder.so", datedFolder));
    run("chain: transliteration, date, dated folder", std::move(chain), names);

    // The first EXIF read of each photo, uncached: a fresh module instance per round is
    // not possible, so fresh copies of the photos are timed once.
    std::vector<std::string> fresh;
    for (int i = 0; i < 1000; ++i) {
        fresh.push_back(photos + "NEW_" + std::to_string(i) + ".jpg");
        std::filesystem::copy_file(sample, fresh.back());
    }
    std::vector<Action> exifChain = one(load("date_time.so", exif));
    std::printf("%-52s %8.0f ns per file\n", "date_time (EXIF date, first read)", measure(exifChain, fresh, 1));
    std::vector<std::string> freshSongs;
    for (int i = 0; i < 1000; ++i) {
        freshSongs.push_back(music + "new " + std::to_string(i) + ".mp3");
        std::filesystem::copy_file(song, freshSongs.back());
    }
    std::vector<Action> tagsChain = one(load("music_tags.so", tags));
    std::printf("%-52s %8.0f ns per file\n", "music_tags (first read of each file)", measure(tagsChain, freshSongs, 1));

    std::filesystem::remove_all(folder);
    return 0;
}
