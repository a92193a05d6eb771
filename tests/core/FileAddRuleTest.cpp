#include "BatchTestSupport.h"

#include "main/core/filelist/FileAddRule.h"
#include "main/core/filelist/UriList.h"

#include <sys/stat.h>
#include <unistd.h>

using brenmark::FileAddRule;
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
