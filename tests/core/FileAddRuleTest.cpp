#include "BatchTestSupport.h"

#include "main/core/filelist/FileAddRule.h"
#include "main/core/filelist/UriList.h"
#include "main/core/filelist/FileListModel.h"
#include "main/core/filelist/FolderWalk.h"

#include <sys/stat.h>
#include <unistd.h>

using brenmark::FileAddRule;
using brenmark::FolderWalkOptions;
using batchtest::FileTree;

namespace {

bool reference(const std::string &path)
{
    struct stat info;
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

} // namespace

// Long runs of one folder must give exactly what looking every file up with
// stat gives, for every kind of entry, before and after the folder is listed.
TEST(FileAddRule, AgreesWithLookingEveryFileUp)
{
    FileTree tree;
    const std::string root = tree.root();
    std::vector<std::string> paths;
    for (int i = 0; i < 100; ++i)
        paths.push_back(tree.file("f" + std::to_string(i)));
    tree.folder("sub");
    ASSERT_EQ(::symlink((root + "/f0").c_str(), (root + "/to-file").c_str()), 0);
    ASSERT_EQ(::symlink((root + "/sub").c_str(), (root + "/to-folder").c_str()), 0);
    ASSERT_EQ(::symlink((root + "/gone").c_str(), (root + "/dangling").c_str()), 0);
    ASSERT_EQ(::mkfifo((root + "/pipe").c_str(), 0600), 0);
    const std::string special[] = {"sub", "to-file", "to-folder", "dangling", "pipe", "missing", "", "sub/",
                                   "f1/", ".", "..", "F1"};
    // Asked before and after the folder is listed, and from another folder between.
    std::vector<std::string> asked;
    for (const std::string &name : special)
        asked.push_back(root + "/" + name);
    asked.insert(asked.end(), paths.begin(), paths.end());
    asked.push_back("/");
    asked.push_back(root);
    for (const std::string &name : special)
        asked.push_back(root + "/" + name);
    asked.insert(asked.end(), paths.begin(), paths.end());
    for (const std::string &name : special)
        asked.push_back(root + "/" + name);

    FileAddRule rule;
    for (const std::string &path : asked)
        EXPECT_EQ(rule.accepts(path), reference(path)) << path;

    // A name the folder's listing does not hold is looked up all the same.
    EXPECT_TRUE(rule.accepts(tree.file("late")));
}

// A drop's paths come from its raw URI list, so that names that are not valid
// UTF-8 keep their bytes.
TEST(FileAddRule, DroppedUriListGivesTheExactBytesOfLocalPaths)
{
    struct Case
    {
        std::string_view list;
        std::vector<std::string> paths;
    };
    const Case cases[] = {
        // Windows-1251 "Йогурт.txt" and a UTF-8 name, CR LF and LF line ends.
        {"file:///tmp/%C9%EE%E3%F3%F0%F2.txt\r\nfile:///tmp/%D0%99%D0%BE.txt\n",
         {"/tmp/\xC9\xEE\xE3\xF3\xF0\xF2.txt", "/tmp/\xD0\x99\xD0\xBE.txt"}},
        // Escaped separators and line breaks, a "%" that escapes nothing, a bare byte.
        {"file:///a%7Cb%2A%0Ac%20d\r\nfile:///50%25%zz%4\r\nfile:///raw\xFF", {"/a|b*\nc d", "/50%%zz%4", "/raw\xFF"}},
        // Hosts: none, localhost, this machine (any case); others are not local.
        {"file://localhost/x\nfile://MyHost/y\nfile://other/z\nFILE:/w", {"/x", "/y", "/w"}},
        // Comments, blank lines, other schemes and a URI without a path are left out.
        {"# comment\r\n\r\nhttps://example.org/a.txt\nfile://localhost\nfile:relative\nfile:///q?x#y", {"/q"}},
        {"", {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(brenmark::localPathsOfUriList(c.list, "myhost"), c.paths) << c.list;
}

// The folder walk that adding a folder (and --recursive) puts before the add
// rule: files only, per folder in natural order before its subfolders,
// hidden names only when asked, links to folders followed but never twice.
TEST(FolderWalk, GivesTheFilesUnderAFolderInOrderWithoutLoops)
{
    FileTree tree;
    const std::string root = tree.root();
    tree.folder("top/sub 2/deep");
    tree.folder("top/sub10");
    tree.folder("top/.secret");
    tree.folder("elsewhere");
    tree.file("top/f10");
    tree.file("top/F2");
    tree.file("top/.hidden");
    tree.file("top/sub 2/deep/d");
    tree.file("top/sub10/s");
    tree.file("top/.secret/x");
    tree.file("elsewhere/e");
    const std::string top = root + "/top";
    ASSERT_EQ(::symlink(top.c_str(), (top + "/sub10/loop").c_str()), 0);
    ASSERT_EQ(::symlink((root + "/elsewhere").c_str(), (top + "/z-link").c_str()), 0);
    ASSERT_EQ(::symlink((top + "/f10").c_str(), (top + "/f1-link").c_str()), 0);
    ASSERT_EQ(::symlink((root + "/gone").c_str(), (top + "/dangling").c_str()), 0);
    ASSERT_EQ(::mkfifo((top + "/pipe").c_str(), 0600), 0);

    const struct
    {
        std::vector<std::string> given;
        FolderWalkOptions options;
        std::vector<std::string> expected;
    } cases[] = {
        // The loop back to "top" ends at the link; "elsewhere" is walked through its link.
        {{top},
         {true, false},
         {"f1-link", "F2", "f10", "pipe", "sub 2/deep/d", "sub10/s", "z-link/e"}},
        {{top + "/"}, {false, false}, {"f1-link", "F2", "f10", "pipe"}},
        {{top},
         {true, true},
         {".hidden", "f1-link", "F2", "f10", "pipe", ".secret/x", "sub 2/deep/d", "sub10/s", "z-link/e"}},
        // A folder named by a link is followed; other paths stay, in their places.
        {{top + "/F2", top + "/z-link", top + "/missing"}, {true, false}, {"F2", "z-link/e", "missing"}},
        // The same folder named twice is walked twice: the list allows duplicates.
        {{top + "/sub 2", top + "/sub 2"}, {true, false}, {"sub 2/deep/d", "sub 2/deep/d"}},
    };
    for (const auto &c : cases) {
        std::vector<std::string> expected;
        for (const std::string &name : c.expected)
            expected.push_back(top + "/" + name);
        EXPECT_EQ(brenmark::expandFolders(c.given, c.options), expected) << testing::PrintToString(c.given);
    }
    // Through the add rule the pipe stays and the folders never come in.
    brenmark::FileListModel model;
    EXPECT_EQ(model.appendDialogFiles(brenmark::expandFolders({top}, {true, false})), 7);
}
