#include "main/cli/PathQuoting.h"

#include <gtest/gtest.h>

using namespace brenmark;

TEST(CliPathQuoting, QuotesOnlyWhatWouldBreakALine)
{
    using namespace std::string_literals;
    const std::pair<std::string, std::string> cases[] = {
        {"/a/b c.txt", "/a/b c.txt"},
        {"/a/b\\c\"d", "/a/b\\c\"d"},               // plain: no control byte, no leading quote
        {"/a/фото.jpg", "/a/фото.jpg"},
        {"/a/\xff\xfe", "/a/\xff\xfe"},             // not UTF-8: passed on as bytes
        {"/a/b\tc", "\"/a/b\\tc\""},
        {"/a/b\nc\r", "\"/a/b\\nc\\r\""},
        {"\"quoted\"", "\"\\\"quoted\\\"\""},
        {"/a\\b\tc", "\"/a\\\\b\\tc\""},
        {"/a/\x01\x7f"s, "\"/a/\\001\\177\""},
        {"/a/\x1b[31m"s, "\"/a/\\033[31m\""},
        {"", ""},
    };
    for (const auto &[path, printed] : cases) {
        EXPECT_EQ(quotePath(path), printed) << path;
        EXPECT_EQ(unquotePath(quotePath(path)), path) << path;
    }
}

TEST(CliPathQuoting, EveryByteSurvivesTheRoundTrip)
{
    std::string path = "\"";
    for (int byte = 1; byte < 256; ++byte)
        path += char(byte);
    std::string printed = quotePath(path);
    EXPECT_EQ(printed.find('\t'), std::string::npos);
    EXPECT_EQ(printed.find('\n'), std::string::npos);
    EXPECT_EQ(unquotePath(printed), path);
}

TEST(CliPathQuoting, MalformedQuotedFieldsAreRefused)
{
    for (const char *field : {"\"abc", "\"", "\"a\\\"", "\"a\\q\"", "\"\\48\"", "\"\\01\""})
        EXPECT_THROW(unquotePath(field), std::invalid_argument) << field;
}

// Paths are scanned several bytes at a time: every byte value must be judged
// alike wherever it stands, also beside bytes from 0x80 up.
TEST(CliPathQuoting, EveryByteIsJudgedAlikeAtEveryPlace)
{
    for (int byte = 1; byte < 256; ++byte) {
        const bool control = byte < 0x20 || byte == 0x7F;
        for (size_t place = 1; place < 24; ++place) {
            for (char filler : {'a', '\xd0', '\x7e', '\x20'}) {
                std::string path(24, filler);
                path[0] = '/';
                path[place] = char(byte);
                const bool quoted = quotePath(path) != path;
                ASSERT_EQ(quoted, control) << "byte " << byte << " at " << place << " among " << int(filler);
            }
        }
    }
}
