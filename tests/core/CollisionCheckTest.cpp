// The one collision check of runs, for the dry run and the window's preview.
#include "main/core/batch/CollisionCheck.h"
#include "main/core/batch/CollisionMarks.h"
#include "main/core/filelist/FileAddRule.h"
#include "main/core/filelist/FileListModel.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace brenmark;
namespace fs = std::filesystem;

namespace {

class CollisionCheck : public testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/brenmark-collisions-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
        fs::create_directory(m_dir / "sub");
        for (const char *name : {"a", "b", "c", "sub/d", "extra"})
            std::ofstream(m_dir / name) << name;
        fs::create_hard_link(m_dir / "a", m_dir / "a-link");
        fs::create_directory_symlink(m_dir / "sub", m_dir / "sublink");
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string path(const std::string &name) const { return (m_dir / name).string(); }

    // Each rename: the old path, the paths between (one per action but the
    // last) and the new path. Kind letters in result order: S same target,
    // E existing target, F a file in place of a folder; with the rows.
    std::string check(const std::vector<std::vector<std::string>> &renames) const
    {
        std::vector<std::vector<std::string>> texts;
        for (const std::vector<std::string> &way : renames) {
            texts.emplace_back();
            for (const std::string &name : way)
                texts.back().push_back(path(name));
        }
        std::vector<PathChange> changes;
        IntermediatePaths between;
        for (size_t i = 0; i < texts.size(); ++i) {
            changes.push_back({texts[i].front(), texts[i].back()});
            for (size_t at = 1; at + 1 < texts[i].size(); ++at)
                between.add(i, texts[i][at]);
        }
        std::string summary;
        for (const Collision &collision : findCollisions(changes, between)) {
            summary += collision.kind == Collision::Kind::SameTarget ? "S"
                : collision.kind == Collision::Kind::TargetExists    ? "E"
                                                                     : "F";
            for (size_t row : collision.rows)
                summary += std::to_string(row);
            summary += " ";
        }
        return summary;
    }

    fs::path m_dir;
};

} // namespace

TEST_F(CollisionCheck, Cases)
{
    const struct
    {
        const char *what;
        std::vector<std::vector<std::string>> renames;
        std::string expected;
    } cases[] = {
        {"distinct new names", {{"a", "x"}, {"b", "y"}}, ""},
        {"nothing changes", {{"a", "a"}, {"b", "b"}}, ""},
        {"two files meet", {{"a", "x"}, {"b", "x"}, {"c", "z"}}, "S01 "},
        {"two groups, interleaved", {{"a", "x"}, {"b", "y"}, {"c", "x"}, {"d", "y"}, {"e", "x"}}, "S024 S13 "},
        {"meeting through another spelling of the folder", {{"a", "sub/x"}, {"b", "sublink/x"}}, "S01 "},
        {"meeting through ..", {{"a", "sub/../x"}, {"b", "x"}}, "S01 "},
        {"a file meets one that stays", {{"a", "a"}, {"b", "a"}}, "S01 E1 "},
        {"one file listed twice, unchanged", {{"a", "a"}, {"a", "a"}}, ""},
        {"one file listed twice, renamed", {{"a", "x"}, {"a", "x"}}, "S01 "},
        {"target exists", {{"a", "b"}}, "E0 "},
        {"target is a folder", {{"a", "sub"}}, "E0 "},
        {"target is a hard link of the file itself", {{"a", "a-link"}}, ""},
        {"the file itself through a linked folder", {{"sub/d", "sublink/d"}}, ""},
        {"an earlier row moves the target away", {{"b", "y"}, {"a", "b"}}, ""},
        {"a later row moves the target away: too late", {{"a", "b"}, {"b", "y"}}, "E0 "},
        {"a rotation that starts at the free end", {{"c", "z"}, {"b", "c"}, {"a", "b"}}, ""},
        {"a swap", {{"a", "b"}, {"b", "a"}}, "E0 E1 "},
        {"the earlier row cannot move the target away: taken", {{"b", "c"}, {"a", "b"}}, "E0 E1 "},
        {"the earlier row cannot move the target away: met", {{"b", "x"}, {"c", "x"}, {"a", "c"}}, "S01 E2 "},
        {"target in a missing folder", {{"a", "none/x"}, {"b", "none/y"}}, ""},
        {"target in a file", {{"a", "c/x"}, {"b", "c/sub/y"}, {"c", "z"}}, "F0 F1 "},
        {"a step is taken by an unrelated file", {{"a", "b", "x"}}, "E0 "},
        {"a step is taken by a file of a later row", {{"a", "b", "x"}, {"b", "y"}}, "E0 "},
        {"a step taken by an earlier row's new path", {{"a", "x"}, {"b", "x", "y"}}, "E1 "},
        {"a step is freed by an earlier row", {{"b", "y"}, {"a", "b", "x"}}, ""},
        {"a path passed through is free again", {{"a", "t", "x"}, {"b", "t", "y"}}, ""},
        {"away and back", {{"a", "b", "a"}}, "E0 "},
        {"away and back, through a free path", {{"a", "t", "a"}}, ""},
        {"a step into a file", {{"a", "c/x", "y"}}, "F0 "},
        {"a refused step ends the file's way", {{"a", "b", "c"}}, "E0 "},
        {"a file refused on its way keeps its old path", {{"a", "b", "x"}, {"c", "a"}}, "E0 E1 "},
        {"meeting at the end through different ways", {{"a", "t", "x"}, {"b", "u", "x"}}, "S01 "},
        {"a swap through paths between", {{"a", "t", "b"}, {"b", "u", "a"}}, "E0 "},
    };
    for (const auto &c : cases)
        EXPECT_EQ(check(c.renames), c.expected) << c.what;
    // The same when the run has to be played step by step for another file.
    for (const auto &c : cases) {
        std::vector<std::vector<std::string>> renames = c.renames;
        renames.push_back({"extra", "extra1", "extra2"});
        EXPECT_EQ(check(renames), c.expected) << c.what << ", with steps elsewhere";
    }
}

TEST_F(CollisionCheck, ReportsTheNewPathAsTheChainGaveIt)
{
    std::string a = path("a"), b = path("b"), to = path("sub/../x");
    std::vector<Collision> collisions = findCollisions({{a, to}, {b, to}});
    ASSERT_EQ(collisions.size(), 1u);
    EXPECT_EQ(collisions[0].newPath, to);
}

// Past a few hundred names a folder is listed once instead of looking each name up.
TEST_F(CollisionCheck, ManyFilesOfOneFolderAreCheckedAsFew)
{
    fs::create_directory(m_dir / "many");
    std::vector<std::string> texts;
    for (int i = 0; i < 600; ++i) {
        std::string name = "many/f" + std::to_string(i);
        std::ofstream(m_dir / name) << i;
        texts.push_back(path(name));
        texts.push_back(path(i == 7 ? "many/f8" : i == 9 ? "a-link" : "many/g" + std::to_string(i)));
    }
    fs::create_hard_link(m_dir / "many/f500", m_dir / "many/g500");
    std::ofstream(m_dir / "many" / "g300") << "taken";
    std::vector<PathChange> changes;
    for (size_t i = 0; i < texts.size(); i += 2)
        changes.push_back({texts[i], texts[i + 1]});
    std::vector<size_t> taken;
    for (const Collision &collision : findCollisions(changes)) {
        EXPECT_EQ(collision.kind, Collision::Kind::TargetExists);
        taken.push_back(collision.rows.front());
    }
    // f7 -> f8 (f8 moves only later), f9 -> a-link (another file), f300 -> g300;
    // f500 -> g500 is the file itself.
    EXPECT_EQ(taken, (std::vector<size_t> {7, 9, 300}));
}

// The window marks the rows the run will refuse, saying why; a failed row stays failed.
TEST_F(CollisionCheck, MarksTheRowsTheRunCannotRename)
{
    FileListModel files;
    files.appendRowTexts({"0|" + path("a") + "*" + path("x"), "0|" + path("b") + "*" + path("x"),
                          "0|" + path("c") + "*" + path("sub/d"), "0|" + path("a-link") + "*" + path("y"),
                          "0|" + path("extra") + "*" + path("b/extra")});
    files.setFailedMarks({{3, QStringLiteral("Приставка: занято")}});
    EXPECT_EQ(markCollisions(files), 3);
    using Mark = FileListModel::RowMark;
    EXPECT_EQ(files.mark(0), Mark::None); // the first of a group finds its name free
    EXPECT_EQ(files.mark(1), Mark::Collision);
    EXPECT_EQ(files.markReason(1), QString::fromStdString("Такое имя получит и файл «" + path("a") + "»."));
    EXPECT_EQ(files.mark(2), Mark::Collision);
    EXPECT_EQ(files.markReason(2), QString::fromStdString("Файл «" + path("sub/d") + "» уже существует."));
    EXPECT_TRUE(files.data(files.index(2), Qt::ToolTipRole).toString().endsWith(
        QStringLiteral("<p>") + files.markReason(2).toHtmlEscaped() + QStringLiteral("</p>")));
    EXPECT_EQ(files.mark(3), Mark::Failed);
    EXPECT_EQ(files.markReason(3), QStringLiteral("Приставка: занято"));
    EXPECT_FALSE(files.data(files.index(0), Qt::ToolTipRole).toString().contains(QStringLiteral("</p><p>")));
    EXPECT_EQ(files.mark(4), Mark::Collision);
    EXPECT_EQ(files.markReason(4), QString::fromStdString("Путь «" + path("b/extra") + "» ведёт внутрь файла, а не папки."));

    // Without the first row the second finds its name free; marks follow their rows.
    RowSelection first(files.count());
    first.set(0, true);
    files.removeRows(first);
    EXPECT_EQ(markCollisions(files), 2);
    EXPECT_EQ(files.mark(0), Mark::None);
    EXPECT_EQ(files.mark(1), Mark::Collision);
    EXPECT_EQ(files.mark(2), Mark::Failed);
    EXPECT_EQ(files.markReason(2), QStringLiteral("Приставка: занято"));
}

// A drop checks only the appended rows, and marks what the whole check would.
TEST_F(CollisionCheck, AppendedRowsAreMarkedAsByTheWholeCheck)
{
    using Renames = std::vector<std::pair<std::string, std::string>>;
    struct Case
    {
        Renames listed;
        Renames dropped;
        std::string marks; // one letter per row: C colliding, - not
    };
    const Case cases[] = {
        {{{"a", "x"}}, {{"b", "x"}}, "-C"},                            // one new name
        {{{"a", "x"}}, {{"b", "a"}}, "--"},                            // freed in time by an earlier row
        {{{"b", "a"}}, {{"a", "b"}}, "CC"},                            // a swap
        {{{"a", "x"}, {"b", "x"}}, {{"c", "b"}}, "-CC"},               // b's row is refused: b stays
        {{{"a", "y"}}, {{"c", "sub/d"}}, "-C"},                       // another file
        {{{"a", "y"}}, {{"sub/d", "sublink/d"}}, "--"},                // the file itself
        {{{"a", "y"}}, {{"c", "z"}, {"b", "z"}, {"a-link", "q"}}, "--C-"},
    };
    for (const Case &c : cases) {
        const auto texts = [this](const Renames &renames) {
            std::vector<std::string> rows;
            for (const auto &[from, to] : renames)
                rows.push_back("0|" + path(from) + "*" + path(to));
            return rows;
        };
        const auto marks = [](const FileListModel &files) {
            std::string letters;
            for (int row = 0; row < files.count(); ++row)
                letters += files.mark(row) == FileListModel::RowMark::Collision ? 'C' : '-';
            return letters;
        };
        FileListModel dropped;
        dropped.appendRowTexts(texts(c.listed));
        markCollisions(dropped);
        dropped.appendRowTexts(texts(c.dropped));
        markCollisionsOfAppended(dropped, int(c.listed.size()));
        EXPECT_EQ(marks(dropped), c.marks) << c.marks;

        FileListModel whole;
        whole.appendRowTexts(texts(c.listed));
        whole.appendRowTexts(texts(c.dropped));
        markCollisions(whole);
        EXPECT_EQ(marks(whole), c.marks) << c.marks;
        for (int row = 0; row < whole.count(); ++row)
            EXPECT_EQ(dropped.markReason(row), whole.markReason(row)) << c.marks << " row " << row;
    }
}

// The window's rows: those without a new path (no preview) stay where they are.
TEST_F(CollisionCheck, TakesTheFileListsRows)
{
    FileListModel files;
    files.appendRowTexts({"0|" + path("a") + "*" + path("b"), "0|" + path("b"), "0|" + path("c")});
    std::vector<Collision> collisions = findCollisions(files);
    ASSERT_EQ(collisions.size(), 2u);
    EXPECT_EQ(collisions[0].kind, Collision::Kind::SameTarget);
    EXPECT_EQ(collisions[0].rows, (std::vector<size_t> {0, 1}));
    EXPECT_EQ(collisions[1].kind, Collision::Kind::TargetExists);
    EXPECT_EQ(collisions[1].rows, (std::vector<size_t> {0}));
}
