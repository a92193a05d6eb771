#include "BatchTestSupport.h"

#include "main/core/filelist/FileListModel.h"
#include "main/core/filelist/FileMask.h"
#include "main/core/filelist/ListFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <thread>

using namespace brenmark;
using batchtest::FileTree;

namespace {

std::vector<std::string> rowTexts(const FileListModel &model)
{
    std::vector<std::string> rows;
    for (int row = 0; row < model.count(); ++row)
        rows.push_back(model.rowText(row));
    return rows;
}

// Rows "0|<current>*<new>" for select-by-change; "-" as new path means none.
void fill(FileListModel &model, const std::vector<std::pair<std::string, std::string>> &rows)
{
    std::vector<std::string> texts;
    for (const auto &[current, newPath] : rows)
        texts.push_back(newPath == "-" ? FileEntry::listRow(current) : FileEntry::fullRow(0, current, newPath));
    model.appendRowTexts(texts);
}

} // namespace

TEST(FileListModel, AddRulesSkipMissingFilesAndFoldersAndWriteTheirShapes)
{
    FileTree tree;
    const std::string a = tree.file("a.jpg");
    const std::string odd = tree.file("odd|name*.txt");
    const std::string folder = tree.folder("sub");
    const std::string missing = tree.root() + "/missing";

    FileListModel model;
    EXPECT_EQ(model.appendDialogFiles({a, folder, missing, odd, a}), 3);
    EXPECT_EQ(model.appendListFiles({"", missing, a}), 1);
    EXPECT_EQ(rowTexts(model), (std::vector<std::string> {FileEntry::dialogRow(a), FileEntry::dialogRow(odd),
                                                          FileEntry::dialogRow(a), "0|" + a}));
    // Every shape parses to the same current path, escaping included.
    EXPECT_EQ(model.entry(1).currentPath, odd);
    EXPECT_EQ(model.data(model.index(1), FileListModel::CurrentPathBytesRole).toByteArray().toStdString(), odd);
    EXPECT_EQ(model.entry(3).currentPath, a);
    EXPECT_FALSE(model.data(model.index(3), FileListModel::HasNewPathRole).toBool());
}

TEST(FileListModel, ListFileLinesEndAtLfCrlfOrCrAndAreOtherwiseUnchanged)
{
    FileTree tree;
    const std::string a = tree.file("a");
    const std::string b = tree.file("b");
    const std::string spaced = tree.file(" c ");
    const std::string folder = tree.folder("d");
    const std::string list = tree.file("list.txt", a + "\r\n" + b + "\r" + spaced + "\n\n" + folder + "\n" + a
                                                       + "\n  " + b + "\n" + a + std::string(1, '\0') + "x\n" + b);
    std::string storage;
    const std::vector<std::string_view> lines = brenmark::readListLines(list, storage);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.end()),
              (std::vector<std::string> {a, b, spaced, "", folder, a, "  " + b, a + std::string(1, '\0') + "x", b}));
    FileListModel model;
    EXPECT_EQ(model.appendListFile(list), 5);
    EXPECT_EQ(rowTexts(model), (std::vector<std::string> {"0|" + a, "0|" + b, "0|" + spaced, "0|" + a, "0|" + b}));
}

TEST(FileListModel, ListFileIsReadOnceFromAPipeAndOnlyUpToItsBound)
{
    FileTree tree;
    const std::string list = tree.file("list.txt", std::string(100, 'a') + "\n");
    const struct {
        std::string path;
        size_t limit;
        size_t lines; // 0: refused
    } cases[] = {
        {list, 101, 1},
        {list, 100, 0},
        {"/dev/null", 0, 0},
        {"/dev/zero", 1 << 20, 0}, // never ends
    };
    for (const auto &c : cases) {
        std::string storage = "kept";
        ListFile file(c.path);
        if (c.path == "/dev/null") {
            EXPECT_TRUE(file.readLines(storage, c.limit).empty());
        } else if (c.lines) {
            EXPECT_EQ(file.readLines(storage, c.limit).size(), c.lines) << c.path;
        } else {
            EXPECT_THROW(file.readLines(storage, c.limit), ListFileTooLong) << c.path << " " << c.limit;
            EXPECT_EQ(storage, "kept");
            EXPECT_LT(storage.capacity(), c.limit) << "what was read is not kept";
        }
    }

    // A named pipe's lines come in pieces of unknown size, more than the first guess.
    const std::string pipe = tree.root() + "/pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "/line/" + std::to_string(i) + "\n";
    std::thread writer([&] {
        const int end = ::open(pipe.c_str(), O_WRONLY | O_CLOEXEC);
        ASSERT_GE(end, 0);
        EXPECT_EQ(::write(end, text.data(), text.size()), ssize_t(text.size()));
        ::close(end);
    });
    std::string storage;
    ListFile file(pipe);
    EXPECT_FALSE(file.isRegular());
    const std::vector<std::string_view> lines = file.readLines(storage);
    writer.join();
    ASSERT_EQ(lines.size(), 20000u);
    EXPECT_EQ(lines.back(), "/line/19999");
    EXPECT_EQ(storage, text);
}

TEST(FileListModel, UnreadableListFileGivesTheUsersMessage)
{
    FileListModel model;
    try {
        model.appendListFile("/nonexistent/list.txt");
        FAIL() << "no error";
    } catch (const std::runtime_error &error) {
        EXPECT_STREQ(error.what(), "File not found");
    }
    EXPECT_EQ(model.count(), 0);
}

TEST(FileListModel, SelectByChangeComparesNamesExactlyAndFoldersWithoutCase)
{
    FileListModel model;
    fill(model, {
        {"/Foto/a.jpg", "/Foto/a.jpg"},   // 0 nothing changes
        {"/Foto/a.JPG", "/foto/a.jpg"},   // 1 location same (case), name differs (case)
        {"/Foto/a.jpg", "/Other/a.jpg"},  // 2 name same, location differs
        {"/Foto/a.jpg", "/Other/b.jpg"},  // 3 both change
        {"/Фото/x", "/фото/x"},           // 4 Cyrillic folders fold too
        {"/Foto/a.jpg", "-"},             // 5 no new path: neither
        {"/Foto/a.jpg", ""},              // 6 empty new path: neither
        {"a.jpg", "a.jpg"},               // 7 no folder at all
    });
    struct Case
    {
        FileListModel::ChangeKind kind;
        std::vector<int> rows;
    };
    const Case cases[] = {
        {FileListModel::ChangeKind::NameUnchanged, {0, 2, 4, 7}},
        {FileListModel::ChangeKind::LocationUnchanged, {0, 1, 4, 7}},
        {FileListModel::ChangeKind::NothingChanges, {0, 4, 7}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(model.selectByChange(c.kind).rows(), c.rows) << int(c.kind);
}

TEST(FileListModel, DelRemovesTheSelectionAndSelectsTheFollowingRow)
{
    struct Case
    {
        int rowCount;
        std::vector<int> selected;
        std::vector<int> remaining; // original numbers of the rows left
        int nextSelected;           // -1: none
    };
    const Case cases[] = {
        {5, {1, 2}, {0, 3, 4}, 1},  // the row that followed the first removed one
        {5, {1, 3}, {0, 2, 4}, 1},
        {5, {3, 4}, {0, 1, 2}, 2},  // block at the end: the new last row
        {5, {0, 1, 2, 3, 4}, {}, -1},
        {5, {}, {0, 1, 2, 3, 4}, -1},
        {0, {}, {}, -1},
    };
    for (const Case &c : cases) {
        std::vector<std::string> texts;
        for (int i = 0; i < c.rowCount; ++i)
            texts.push_back("0|/f" + std::to_string(i));
        FileListModel model;
        model.appendRowTexts(texts);
        RowSelection next = model.removeSelectedByKey(RowSelection::fromRows(c.selected, c.rowCount));
        std::vector<std::string> expected;
        for (int i : c.remaining)
            expected.push_back("0|/f" + std::to_string(i));
        EXPECT_EQ(rowTexts(model), expected);
        EXPECT_EQ(next.rows(), c.nextSelected < 0 ? std::vector<int> {} : std::vector<int> {c.nextSelected});
    }
}

// Long paths, so that the rows removed leave enough unused bytes for the
// store to be copied: every row kept must still read its own paths.
TEST(FileListModel, ScatteredRemovalKeepsTheOtherRowsInOrder)
{
    std::vector<std::string> texts;
    std::vector<int> removed;
    const std::string longName(30000, 'x');
    for (int i = 0; i < 100; ++i) {
        const std::string current = "/c" + std::to_string(i) + longName;
        texts.push_back(FileEntry::fullRow(i, current, i % 3 ? "/n" + std::to_string(i) + longName : i % 2 ? current : ""));
        if (i % 4)
            removed.push_back(i);
    }
    FileListModel model;
    model.appendRowTexts(texts);
    model.removeRows(RowSelection::fromRows(removed, 100));
    ASSERT_EQ(model.count(), 25);
    for (int row = 0; row < 25; ++row)
        EXPECT_EQ(model.rowText(row), texts[4 * row]);
    model.clear();
    EXPECT_EQ(model.count(), 0);
}

TEST(FileListModel, MaskFilterChangesOnlyRowsWhoseStateCanChange)
{
    FileListModel model;
    fill(model, {{"/x/A.JPG", "-"}, {"/x/b.png", "-"}, {"/x/c.jpg", "/y/c.png"}, {"/a.txt", "-"}});
    const RowSelection none(4);
    using Mode = FileListModel::MaskMode;
    EXPECT_EQ(model.filterByMask(none, "*.jpg", Mode::AddToSelection).rows(), (std::vector<int> {0, 2}));
    EXPECT_EQ(model.filterByMask(RowSelection::fromRows({1}, 4), "*.jpg", Mode::AddToSelection).rows(),
              (std::vector<int> {0, 1, 2}));
    EXPECT_EQ(model.filterByMask(model.selectAll(), "*.jpg", Mode::RemoveFromSelection).rows(),
              (std::vector<int> {1, 3}));
    EXPECT_EQ(model.filterByMask(none, "a*", Mode::AddToSelection).rows(), std::vector<int> {});
    EXPECT_EQ(model.filterByMask(RowSelection::fromRows({2}, 4), "", Mode::RemoveFromSelection).rows(),
              std::vector<int> {2});
    EXPECT_THROW(model.filterByMask(none, "[a", Mode::AddToSelection), InvalidMaskError);
    // Nothing to match, nothing refused: every row is already selected.
    EXPECT_EQ(model.filterByMask(model.selectAll(), "[a", Mode::AddToSelection).count(), 4);
}

TEST(FileListModel, InvertSelectAllAndTheCountText)
{
    FileListModel model;
    fill(model, {{"/1", "-"}, {"/2", "-"}, {"/3", "-"}, {"/4", "-"}, {"/5", "-"}});
    RowSelection two = RowSelection::fromRows({1, 3}, 5);
    EXPECT_EQ(FileListModel::invert(two).rows(), (std::vector<int> {0, 2, 4}));
    EXPECT_EQ(model.selectAll().count(), 5);
    EXPECT_EQ(FileListModel::fileCountText(two.count(), model.count()), QString::fromUtf8("Файлов 2 из 5."));
    QItemSelection items = two.toItemSelection(model);
    EXPECT_EQ(selectedRowCount(items), 2);
    EXPECT_EQ(RowSelection::fromItemSelection(items, 5), two);
}

TEST(FileListModel, RowsAreFoundAgainBySerialAfterRemovals)
{
    FileListModel model;
    fill(model, {{"/0", "-"}, {"/1", "-"}, {"/2", "-"}, {"/3", "-"}});
    const std::uint64_t serial2 = model.serial(2);
    const std::uint64_t serial0 = model.serial(0);
    model.removeRows(RowSelection::fromRows({0, 1}, 4));
    EXPECT_EQ(model.rowAfterSerial(serial2 - 1, 2), 0);
    EXPECT_EQ(model.rowAfterSerial(serial0, 0), 0);
    EXPECT_EQ(model.rowAfterSerial(model.lastSerial(), 0), -1);
    model.setRowText(0, "4|/2*/renamed");
    EXPECT_EQ(model.serial(0), serial2);
    EXPECT_EQ(model.rowText(0), "4|/2*/renamed");
}

TEST(FileListModel, BulkChangesReachTheViewAsOneNotificationEach)
{
    FileTree tree;
    std::string list;
    for (int i = 0; i < 300; ++i)
        list += tree.file("f" + std::to_string(i)) + "\n";
    const std::string listFile = tree.file("list.txt", list);
    FileListModel model;
    int inserts = 0, changes = 0, resets = 0;
    QObject::connect(&model, &QAbstractItemModel::rowsInserted, [&] { ++inserts; });
    QObject::connect(&model, &QAbstractItemModel::dataChanged, [&] { ++changes; });
    QObject::connect(&model, &QAbstractItemModel::modelReset, [&] { ++resets; });

    EXPECT_EQ(model.appendListFile(listFile), 300);
    EXPECT_EQ(inserts, 1);
    {
        FileListModel::Rewrite rewrite(model);
        for (int row = 0; row < model.count(); ++row)
            rewrite.setRow(row, 1, "/new/" + std::to_string(row));
        EXPECT_EQ(changes, 0);
        // Rows read while the rewrite is under way already show their new text.
        EXPECT_EQ(model.rowText(7), FileEntry::fullRow(1, tree.root() + "/f7", "/new/7"));
    }
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(model.rowText(299), FileEntry::fullRow(1, tree.root() + "/f299", "/new/299"));
    model.removeRows(model.selectAll());
    EXPECT_EQ(resets + inserts, 1); // one block: removed as such, no reset
    EXPECT_EQ(model.count(), 0);
}

TEST(FileListModel, RolesGiveTheDelegateDecodedPathsAndExactBytes)
{
    FileListModel model;
    const std::string current = "/x/a|b\xff.jpg";
    model.appendRowTexts({FileEntry::fullRow(3, current, "/y/Фото.jpg"), FileEntry::listRow("/z")});
    const QModelIndex first = model.index(0);
    EXPECT_EQ(model.data(first, FileListModel::IconIndexRole).toInt(), 3);
    EXPECT_EQ(model.data(first, FileListModel::CurrentPathRole).toString(), QString::fromUtf8(current.c_str()));
    EXPECT_EQ(model.data(first, FileListModel::NewPathRole).toString(), QString::fromUtf8("/y/Фото.jpg"));
    EXPECT_EQ(model.data(first, FileListModel::CurrentPathBytesRole).toByteArray().toStdString(), current);
    EXPECT_EQ(model.data(first, FileListModel::RowTextRole).toByteArray().toStdString(), model.rowText(0));
    EXPECT_TRUE(model.data(first, FileListModel::HasNewPathRole).toBool());
    EXPECT_FALSE(model.data(model.index(1), FileListModel::HasNewPathRole).toBool());
    EXPECT_EQ(model.data(model.index(1), FileListModel::NewPathRole).toString(), QString());
}

TEST(FileListModel, ToolTipShowsBothWholePathsAndTheMarksReason)
{
    FileListModel model;
    model.appendRowTexts({FileEntry::fullRow(0, "/home/u/a<b>.txt", "/home/u/Архив/a<b>.txt"),
                          FileEntry::listRow("/home/u/list|ed.txt"), FileEntry::fullRow(0, "/home/u/dropped", "")});
    model.setCollisionMarks({{0, QString::fromUtf8("Файл «x» & «y»")}});
    const auto tip = [&model](int row) { return model.data(model.index(row), Qt::ToolTipRole).toString(); };
    // Markup of a name is escaped: the tooltip is rich text so that it never is the name's.
    EXPECT_EQ(tip(0), QString::fromUtf8("<p style='white-space:pre'>Текущий путь: /home/u/a&lt;b&gt;.txt<br>"
                                        "Новый путь: /home/u/Архив/a&lt;b&gt;.txt</p><p>Файл «x» &amp; «y»</p>"));
    // Without a new path there is no second line; the path is the file's, not its escaped row form.
    EXPECT_EQ(tip(1), QString::fromUtf8("<p style='white-space:pre'>Текущий путь: /home/u/list|ed.txt</p>"));
    EXPECT_EQ(tip(2), QString::fromUtf8("<p style='white-space:pre'>Текущий путь: /home/u/dropped</p>"));
}
