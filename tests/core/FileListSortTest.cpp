#include "BatchTestSupport.h"

#include "main/core/filelist/FileListModel.h"
#include "main/core/filelist/FileListSort.h"
#include "main/core/filelist/NaturalOrder.h"

#include <sys/stat.h>
#include <sys/time.h>

using namespace brenmark;
using batchtest::FileTree;

namespace {

std::vector<std::string> currentPaths(const FileListModel &model)
{
    std::vector<std::string> paths;
    for (int row = 0; row < model.count(); ++row)
        paths.emplace_back(model.currentPath(row));
    return paths;
}

void fillPaths(FileListModel &model, const std::vector<std::string> &paths)
{
    std::vector<std::string> rows;
    for (const std::string &path : paths)
        rows.push_back(FileEntry::listRow(path));
    model.appendRowTexts(rows);
}

int sign(int value)
{
    return (value > 0) - (value < 0);
}

void setModificationTime(const std::string &path, time_t seconds)
{
    const timeval times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(::utimes(path.c_str(), times), 0) << path;
}

} // namespace

TEST(NaturalOrder, ComparesNumbersByValueAndLettersWithoutCase)
{
    const struct
    {
        std::string a;
        std::string b;
        int order;
    } cases[] = {
        {"2", "10", -1},
        {"file2.txt", "file10.txt", -1},
        {"file10.txt", "file9.txt", 1},
        {"IMG_0099", "IMG_100", -1},
        {"a007", "a7", 0},                 // leading zeros: equal, the sort keeps their order
        {"a007b", "a7c", -1},              // and the comparison goes on after the number
        {"a1b2", "a1b10", -1},
        {"99999999999999999999", "100000000000000000000", -1}, // longer than any integer type
        {"abc", "ABC", 0},
        {"Banana", "apple", 1},
        {"Яблоко", "яблоко", 0},            // Cyrillic without regard to case
        {"Ёлка", "ёлка", 0},
        {"а", "б", -1},
        {"z", "а", -1},                     // Latin before Cyrillic, by code point
        {"a", "ab", -1},                    // a prefix first
        {"", "a", -1},
        {"a 1", "a1", -1},                  // a space is a character of its own
        {"x9", "xa", -1},                   // digits before letters
        {"dir/", "dir a/", -1},             // "/" before every character: a folder before its longer siblings
        {"a\xff", "a\xd0\xb0", 1},          // a byte that is no UTF-8 after every character
        {"a\xff", "a\xfe", 1},
        {"k", "\xe2\x84\xaa", 0},          // the Kelvin sign folds to an ASCII letter
        {"l", "\xe2\x84\xaa", 1},
        // Longer than the prefix that sorting compares first.
        {"Photo 2024-07-15 001.jpg", "Photo 2024-07-15 0002.jpg", -1},
        {"Photo 2024-07-15 001.jpg", "photo 2024-07-15 01.JPG", 0},
        {"Очень длинное имя 10", "Очень длинное имя 9", 1},
        {"IMG_20240715_123456789.jpg", "IMG_20240715_123456788.jpg", 1},
        {"x" + std::string(300, '1'), "x" + std::string(299, '9'), 1},
        {"x" + std::string(300, '1') + "a", "x" + std::string(300, '1') + "b", -1},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(sign(compareNatural(c.a, c.b)), c.order) << c.a << " vs " << c.b;
        EXPECT_EQ(sign(compareNatural(c.b, c.a)), -c.order) << c.b << " vs " << c.a;
        // The prefix may leave the order open, never give another.
        const NaturalPrefix a = naturalPrefix(c.a);
        const NaturalPrefix b = naturalPrefix(c.b);
        if (!a.sameBytes(b)) {
            EXPECT_EQ(a < b ? -1 : 1, c.order) << c.a << " vs " << c.b;
        } else if (a.whole && b.whole) {
            EXPECT_EQ(c.order, 0) << c.a << " vs " << c.b;
        }
    }
    EXPECT_TRUE(naturalPrefix("IMG_0001.JPG").whole);
    EXPECT_FALSE(naturalPrefix("IMG_20240715_0001.JPG").whole);
}

TEST(FileListSort, ByNameAndByFolderKeepTiesInTheirOrderInBothDirections)
{
    const std::vector<std::string> paths = {
        "/p/b/x10.jpg", "/p/a/X2.jpg", "/p/a/x2.jpg", "/p/a b/x1.jpg", "/p/b/x010.jpg", "/p/a/sub/x3.jpg", "x1.jpg",
    };
    const struct
    {
        SortOrder order;
        std::vector<std::string> expected;
    } cases[] = {
        {{SortKey::Name, false},
         {"/p/a b/x1.jpg", "x1.jpg", "/p/a/X2.jpg", "/p/a/x2.jpg", "/p/a/sub/x3.jpg", "/p/b/x10.jpg", "/p/b/x010.jpg"}},
        // Descending, ties still in list order (not reversed).
        {{SortKey::Name, true},
         {"/p/b/x10.jpg", "/p/b/x010.jpg", "/p/a/sub/x3.jpg", "/p/a/X2.jpg", "/p/a/x2.jpg", "/p/a b/x1.jpg", "x1.jpg"}},
        // A path without a folder part first; a folder's files before its subfolders and before "a b".
        {{SortKey::FolderAndName, false},
         {"x1.jpg", "/p/a/X2.jpg", "/p/a/x2.jpg", "/p/a/sub/x3.jpg", "/p/a b/x1.jpg", "/p/b/x10.jpg", "/p/b/x010.jpg"}},
        {{SortKey::FolderAndName, true},
         {"/p/b/x10.jpg", "/p/b/x010.jpg", "/p/a b/x1.jpg", "/p/a/sub/x3.jpg", "/p/a/X2.jpg", "/p/a/x2.jpg", "x1.jpg"}},
    };
    for (const auto &c : cases) {
        FileListModel model;
        fillPaths(model, paths);
        sortFileList(model, c.order);
        EXPECT_EQ(currentPaths(model), c.expected) << int(c.order.key) << " descending " << c.order.descending;
    }
}

TEST(FileListSort, ByDateAndSizePutFilesThatAreGoneLast)
{
    FileTree tree;
    const std::string old = tree.file("old", "12345");
    const std::string recent = tree.file("recent", "1");
    const std::string sameTime = tree.file("same-time", "123");
    const std::string gone = tree.root() + "/gone";
    setModificationTime(old, 1000000000);
    setModificationTime(recent, 1700000000);
    setModificationTime(sameTime, 1000000000);
    const std::vector<std::string> paths = {recent, gone, old, sameTime};
    const struct
    {
        SortOrder order;
        std::vector<std::string> expected;
    } cases[] = {
        {{SortKey::ModificationTime, false}, {old, sameTime, recent, gone}},
        {{SortKey::ModificationTime, true}, {recent, old, sameTime, gone}},
        {{SortKey::Size, false}, {recent, sameTime, old, gone}},
        {{SortKey::Size, true}, {old, sameTime, recent, gone}},
    };
    for (const auto &c : cases) {
        FileListModel model;
        fillPaths(model, paths);
        sortFileList(model, c.order);
        EXPECT_EQ(currentPaths(model), c.expected) << int(c.order.key) << " descending " << c.order.descending;
    }
}

// The batch run finds rows by serials that grow with the position; marks
// and their reasons go with their rows.
TEST(FileListSort, ReorderedRowsKeepTheirTextsAndMarksAndGetGrowingSerials)
{
    FileListModel model;
    model.appendRowTexts({FileEntry::fullRow(3, "/d/b", "/d/B"), FileEntry::listRow("/d/c"),
                          FileEntry::fullRow(0, "/d/a", "/d/a")});
    model.setCollisionMarks({{0, QStringLiteral("b meets")}});
    const std::uint64_t before = model.lastSerial();
    model.reorderRows({2, 0, 1});
    EXPECT_EQ(model.rowText(0), FileEntry::fullRow(0, "/d/a", "/d/a"));
    EXPECT_EQ(model.rowText(1), FileEntry::fullRow(3, "/d/b", "/d/B"));
    EXPECT_EQ(model.rowText(2), FileEntry::listRow("/d/c"));
    EXPECT_EQ(model.mark(1), FileListModel::RowMark::Collision);
    EXPECT_EQ(model.markReason(1), QStringLiteral("b meets"));
    EXPECT_EQ(model.mark(0), FileListModel::RowMark::None);
    EXPECT_GT(model.serial(0), before);
    EXPECT_LT(model.serial(0), model.serial(1));
    EXPECT_LT(model.serial(1), model.serial(2));

    // An order that does not place every row once changes nothing.
    for (const std::vector<std::uint32_t> &bad : {std::vector<std::uint32_t> {0, 1}, {0, 0, 1}, {0, 1, 3}})
        EXPECT_THROW(model.reorderRows(bad), std::invalid_argument);
    EXPECT_EQ(model.rowText(0), FileEntry::fullRow(0, "/d/a", "/d/a"));
}
