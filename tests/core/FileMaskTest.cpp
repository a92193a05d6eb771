#include "main/core/filelist/FileMask.h"

#include <gtest/gtest.h>

using brenmark::FileMask;
using brenmark::InvalidMaskError;

TEST(FileMask, MatchesTheWholePathByTheMaskLanguage)
{
    struct Case
    {
        const char *mask;
        const char *path;
        bool matches;
    };
    const Case cases[] = {
        {"*.jpg", "/x/A.JPG", true},       // Latin letters without case
        {"a*", "/a.txt", false},           // the whole path has to match
        {"/a*", "/a.txt", true},
        {"*", "", true},
        {"*", "/any/thing", true},
        {"*/b/*", "/a/b/c", true},         // "*" crosses separators
        {"/a/*.txt", "/a/b/c.txt", true},
        {"?", "", false},
        {"/?.txt", "/a.txt", true},
        {"/?.txt", "/ab.txt", false},
        {"/?.txt", "/я.txt", true},        // "?" is one character, not one byte
        {"/[abc].txt", "/B.txt", true},
        {"/[a-c].txt", "/d.txt", false},
        {"/[a-cx-z]*", "/yes", true},
        {"/[!a-c]*", "/b", false},
        {"/[!a-c]*", "/d", true},
        {"/[A-C]", "/b", true},            // ranges ignore Latin case too
        {"*[0-9][0-9].jpg", "/IMG_12.jpg", true},
        {"*[0-9][0-9].jpg", "/IMG_1.jpg", false},
        {"*.ФОТО", "/a.фото", false},      // only Latin letters fold
        {"*.фото", "/a.фото", true},
        {"*a*b*c", "/xaybzc", true},
        {"*a*b*c", "/xaybzcd", false},
        {"]x", "]x", true},                // a lone "]" is a literal
        {"/a?c", "/a\xff" "c", true},      // an invalid byte is one character
        {"*.*", "/noext", false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FileMask(c.mask).matches(c.path), c.matches) << c.mask << " ~ " << c.path;
}

TEST(FileMask, MalformedMasksAreRefusedWithTheirPosition)
{
    struct Case
    {
        const char *mask;
        int position;
    };
    const Case cases[] = {
        {"[abc", 1},      // unclosed set: at its "["
        {"*.[jp", 3},
        {"[-a]", 2},      // range without first character
        {"[!-a]", 3},
        {"[a-]", 3},      // range without last character
        {"[a-", 3},
        {"[]", 2},        // empty set
        {"[!]", 3},
        {"ok[a-c-e]", 7}, // a second "-" starts a range without first character
    };
    for (const Case &c : cases) {
        try {
            FileMask mask(c.mask);
            ADD_FAILURE() << "accepted " << c.mask;
        } catch (const InvalidMaskError &error) {
            EXPECT_EQ(error.position(), c.position) << c.mask;
            EXPECT_EQ(std::string(error.what()),
                      "'" + std::string(c.mask) + "' is an invalid mask at (" + std::to_string(c.position) + ")");
        }
    }
}
