#include "main/core/look/HeaderSplit.h"
#include "main/core/look/PathParts.h"
#include "main/core/look/TextFit.h"
#include "main/core/look/TextLine.h"

#include <gtest/gtest.h>

using namespace brenmark;

namespace {

// Every character 10 pixels wide, a full stop 3: "..." is 9 pixels.
int fixedWidth(const QString &text)
{
    int width = 0;
    for (QChar c : text)
        width += c == QLatin1Char('.') ? 3 : (c.isLowSurrogate() ? 0 : 10);
    return width;
}

} // namespace

TEST(LookFitTextToWidth, ShortensOneCharacterAtATime)
{
    struct Case
    {
        const char *text;
        int width;
        const char *expected;
    };
    const Case cases[] = {
        {"abcdef", 60, "abcdef"},   // fits exactly: unchanged
        {"abcdef", 59, "abcde..."}, // one pixel too wide: the last character goes
        {"abcdef", 48, "abc..."},
        {"abcdef", 19, "a..."},
        {"abcdef", 9, "..."},       // nothing of the text fits beside the dots
        {"abcdef", 8, "..."},       // not even the dots: they alone, clipped by the cell
        {"abcdef", -50, "..."},
        {"", 0, ""},
        {"a.b", 23, "a.b"},
        {"a.b", 16, "..."},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FitTextToWidth(QString::fromUtf8(c.text), c.width, fixedWidth), QString::fromUtf8(c.expected))
            << c.text << " in " << c.width;
}

TEST(LookFitTextToWidth, MeasuresAfterEveryRemovalAndKeepsSurrogatePairsWhole)
{
    int measurements = 0;
    const auto counting = [&measurements](const QString &text) {
        ++measurements;
        return fixedWidth(text);
    };
    EXPECT_EQ(FitTextToWidth(QStringLiteral("abcdef"), 39, counting), QStringLiteral("abc..."));
    EXPECT_EQ(measurements, 4); // the whole text, then "abcde...", "abcd...", "abc..."

    const QString emoji = QString::fromUtf8("ab\xF0\x9F\x98\x80\xF0\x9F\x98\x80"); // two characters beyond the BMP
    EXPECT_EQ(FitTextToWidth(emoji, 39, fixedWidth), QString::fromUtf8("ab\xF0\x9F\x98\x80..."));
    EXPECT_EQ(FitTextToWidth(emoji, 38, fixedWidth), QStringLiteral("ab..."));
}

TEST(LookPathParts, FolderAndNameChanges)
{
    struct Case
    {
        const char *current, *renamed;
        bool folderChanged, nameChanged;
    };
    const Case cases[] = {
        {"/a/b.txt", "/a/b.txt", false, false},
        {"/a/b.txt", "/A/b.txt", false, false}, // folders differ in case only
        {"/a/b.txt", "/a/B.txt", false, true},  // names compare with case
        {"/a/b.txt", "/d/b.txt", true, false},
        {"/a/b.txt", "", true, true},           // no new path yet
        {"/п/Файл", "/П/файл", false, true},    // Cyrillic folders fold too
    };
    for (const Case &c : cases) {
        const QString current = QString::fromUtf8(c.current);
        const QString renamed = QString::fromUtf8(c.renamed);
        EXPECT_EQ(folderChanged(current, renamed), c.folderChanged) << c.current << " -> " << c.renamed;
        EXPECT_EQ(nameChanged(current, renamed), c.nameChanged) << c.current << " -> " << c.renamed;
    }
    EXPECT_EQ(fileNamePart(QStringLiteral("/dir/name.txt")), QStringLiteral("name.txt"));
    EXPECT_EQ(fileNamePart(QStringLiteral("name.txt")), QStringLiteral("name.txt"));
    EXPECT_EQ(folderPart(QStringLiteral("/dir/name.txt")), QStringLiteral("/dir/"));
    EXPECT_EQ(folderPart(QStringLiteral("name.txt")), QString());
}

TEST(LookHeaderSplit, ResizeHalvesAndDragGivesTheRest)
{
    EXPECT_EQ(headerSplitForResize(600).first, 290);
    EXPECT_EQ(headerSplitForResize(600).second, 310);
    EXPECT_EQ(headerSplitForResize(439).first, 209);
    EXPECT_EQ(headerSplitForResize(439).second, 230);
    EXPECT_EQ(headerSplitForResize(10).first, 0); // never negative
    EXPECT_EQ(headerSplitForResize(10).second, 10);
    EXPECT_EQ(headerSplitForDrag(439, 389).second, 50);
    EXPECT_EQ(headerSplitForDrag(439, 500).first, 439);
    EXPECT_EQ(headerSplitForDrag(439, 500).second, 0);
}

TEST(LookTextLine, RowHoldsTheReportedLineAndTheInkAndKeepsTheTextAtItsTop)
{
    struct Case
    {
        TextLine reported, inked;
        bool icons;
        int height, baseline;
    };
    const Case cases[] = {
        {{9, 2}, {11, 2}, false, 13, 11},  // Wine's Tahoma at 11 px: Å above the ascent
        {{9, 2}, {11, 2}, true, 16, 11},   // icons make the row taller, not the text lower
        {{10, 3}, {10, 2}, false, 13, 10}, // a face that reports more than it inks
        {{9, 2}, {10, 3}, false, 13, 10},  // ink below the descent counts too
        {{20, 5}, {22, 5}, true, 27, 22},
        {{0, 0}, {0, 0}, false, 0, 0},
    };
    for (const Case &c : cases) {
        const FileRowLayout layout = fileRowLayout(c.reported, c.inked, c.icons);
        EXPECT_EQ(layout.height, c.height) << c.reported.above << "/" << c.inked.above << " icons " << c.icons;
        EXPECT_EQ(layout.baseline, c.baseline) << c.reported.above << "/" << c.inked.above;
    }
}
