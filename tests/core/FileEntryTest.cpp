#include "main/core/filelist/FileEntry.h"

#include <gtest/gtest.h>

using brenmark::FileEntry;

TEST(FileEntry, ParsingRuleOnEveryShape)
{
    struct Case
    {
        std::string row;
        int icon;
        std::string current;
        std::string newPath;
        bool hasNewPath;
    };
    const Case cases[] = {
        {"0|/a/b.jpg*/a/b.jpg", 0, "/a/b.jpg", "/a/b.jpg", true},   // dialog shape
        {"0|/a/b.jpg", 0, "/a/b.jpg", "", false},                   // command-line shape
        {"17|/a/b.jpg*/c/d.png", 17, "/a/b.jpg", "/c/d.png", true}, // full shape
        {"3|/a/b.jpg*", 3, "/a/b.jpg", "", true},                   // dropped with preview off
        {"0|/a*/b*/c", 0, "/a", "/b*/c", true},                     // only the first "*" separates
        {"0|/x|y*/z|w", 0, "/x|y", "/z|w", true},                   // only the first "|" separates
        {"x|/p", 0, "/p", "", false},                               // no number: index 0
        {"/only/path", 0, "/only/path", "", false},                 // no "|": all path
        {"0|", 0, "", "", false},
    };
    for (const Case &c : cases) {
        FileEntry entry = FileEntry::parse(c.row);
        EXPECT_EQ(entry.iconIndex, c.icon) << c.row;
        EXPECT_EQ(entry.currentPath, c.current) << c.row;
        EXPECT_EQ(entry.newPath, c.newPath) << c.row;
        EXPECT_EQ(entry.hasNewPath, c.hasNewPath) << c.row;
    }
}

TEST(FileEntry, ShapesAreWrittenAsTheRowFormatSays)
{
    EXPECT_EQ(FileEntry::dialogRow("/a/b"), "0|/a/b*/a/b");
    EXPECT_EQ(FileEntry::listRow("/a/b"), "0|/a/b");
    EXPECT_EQ(FileEntry::fullRow(5, "/a/b", "/a/c"), "5|/a/b*/a/c");
    EXPECT_EQ(FileEntry::fullRow(-2, "/a", ""), "-2|/a*");
}

TEST(FileEntry, EscapingLeavesOrdinaryPathsAloneAndRoundTripsTheRest)
{
    struct Case
    {
        std::string path;
        std::string escaped;
    };
    const Case cases[] = {
        {"/home/u/Фото/IMG 001.jpg", "/home/u/Фото/IMG 001.jpg"},
        {"/a\\b/%41 ~$[x]?.txt", "/a\\b/%41 ~$[x]?.txt"},
        {std::string("/bad/\xff\xfe.bin"), std::string("/bad/\xff\xfe.bin")},
        {"/a|b", "/a\x1bpb"},
        {"/a*b", "/a\x1bsb"},
        {"/line\nbreak\r", "/line\x1bnbreak\x1br"},
        {"/esc\x1bp", "/esc\x1b" "e" "p"},
        {"", ""},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(FileEntry::escapePath(c.path), c.escaped) << c.path;
        EXPECT_EQ(FileEntry::unescapePath(c.escaped), c.path) << c.path;
        EXPECT_EQ(FileEntry::needsEscaping(c.path), c.path != c.escaped) << c.path;
    }
    // An escape byte that begins no escape stands for itself.
    EXPECT_EQ(FileEntry::unescapePath("a\x1bq\x1b"), "a\x1bq\x1b");
}

TEST(FileEntry, PathsWithSeparatorsSurviveARowRoundTrip)
{
    const std::string paths[] = {"/x/a|b*c.jpg", "/x/new\nline", "/x/\x1bn literal", "/x/*", "/x/|"};
    for (const std::string &current : paths) {
        for (const std::string &newPath : {std::string("/y/plain"), current + "*|"}) {
            FileEntry entry = FileEntry::parse(FileEntry::fullRow(9, current, newPath));
            EXPECT_EQ(entry.iconIndex, 9);
            EXPECT_EQ(entry.currentPath, current);
            EXPECT_EQ(entry.newPath, newPath);
        }
        EXPECT_EQ(FileEntry::parse(FileEntry::listRow(current)).currentPath, current);
        EXPECT_FALSE(FileEntry::parse(FileEntry::listRow(current)).hasNewPath);
    }
}
