#include "BatchTestSupport.h"

#include "main/core/filelist/BackgroundAddRule.h"
#include "main/core/filelist/FileAddRule.h"
#include "main/core/filelist/FileListModel.h"
#include "main/core/filelist/FolderListing.h"
#include "main/core/filelist/ListFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <random>

using brenmark::FileAddRule;
using brenmark::FolderListing;
using brenmark::FolderListingCache;
using batchtest::FileTree;

namespace {

int openFolder(const std::string &path)
{
    return ::open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
}

} // namespace

// Lookups in the folder's own order take a shortcut; every other order, and
// names that are absent or only share a prefix, must still be answered right.
TEST(FolderListing, AnswersLookupsInAnyOrder)
{
    FileTree tree;
    std::vector<std::string> names;
    for (int i = 0; i < 200; ++i)
        names.push_back("file" + std::to_string(i));
    for (const std::string &name : names)
        tree.file(name);
    tree.folder("sub");
    const int folder = openFolder(tree.root());
    ASSERT_GE(folder, 0);
    std::shared_ptr<FolderListing> listing = FolderListing::read(folder);
    ::close(folder);
    ASSERT_TRUE(listing);
    EXPECT_EQ(listing->size(), names.size() + 3); // with "sub", "." and ".."

    std::vector<std::string> orders[3] = {names, names, names};
    std::reverse(orders[1].begin(), orders[1].end());
    std::shuffle(orders[2].begin(), orders[2].end(), std::mt19937(7));
    for (const auto &order : orders) {
        for (const std::string &name : order) {
            EXPECT_EQ(listing->type(name), DT_REG) << name;
            EXPECT_FALSE(listing->contains(name + "x")) << name;
            EXPECT_FALSE(listing->contains(name.substr(0, name.size() - 1) + "-")) << name;
        }
    }
    EXPECT_EQ(listing->type("sub"), DT_DIR);
    EXPECT_EQ(listing->type(".."), DT_DIR);
    EXPECT_EQ(listing->type(""), -1);
}

// A walk in the folder's own order never needs the index; the first lookup
// off that walk (an absent name, a step back, a jump) must build it right.
TEST(FolderListing, LookupsOffTheFoldersOrderStayRightAfterALongWalk)
{
    FileTree tree;
    for (int i = 0; i < 300; ++i)
        tree.file("n" + std::to_string(i));
    std::vector<std::string> inFolderOrder;
    DIR *directory = ::opendir(tree.root().c_str());
    ASSERT_NE(directory, nullptr);
    while (const dirent *entry = ::readdir(directory))
        inFolderOrder.push_back(entry->d_name);
    ::closedir(directory);

    for (int start : {0, 1, -1}) {
        const int folder = openFolder(tree.root());
        ASSERT_GE(folder, 0);
        std::shared_ptr<FolderListing> listing = FolderListing::read(folder);
        ::close(folder);
        ASSERT_TRUE(listing);
        // Forwards through the folder's order (or, starting with an absent
        // name, first backwards from its end), then backwards, then jumps.
        if (start < 0) {
            EXPECT_FALSE(listing->contains("n300"));
            for (size_t i = inFolderOrder.size(); i-- > 0;)
                ASSERT_TRUE(listing->contains(inFolderOrder[i])) << inFolderOrder[i];
        }
        for (size_t i = size_t(std::max(start, 0)); i < inFolderOrder.size(); ++i)
            ASSERT_TRUE(listing->contains(inFolderOrder[i])) << inFolderOrder[i];
        for (size_t i = inFolderOrder.size(); i-- > 0;)
            ASSERT_TRUE(listing->contains(inFolderOrder[i])) << inFolderOrder[i];
        EXPECT_FALSE(listing->contains("n300"));
        EXPECT_TRUE(listing->contains(inFolderOrder[inFolderOrder.size() / 2]));
        EXPECT_EQ(listing->type("n7"), DT_REG);
        EXPECT_FALSE(listing->contains("n7 "));
    }
}

// The add rule leaves its listings with the caller, found again through any
// spelling of the folder; a listing is a snapshot of the folder as it was.
TEST(FolderListing, AddRuleKeepsItsListingsForLaterLookups)
{
    FileTree tree;
    const std::string many = tree.folder("many");
    std::vector<std::string> paths;
    for (int i = 0; i < 600; ++i)
        paths.push_back(tree.file("many/f" + std::to_string(i)));
    ASSERT_EQ(::symlink(many.c_str(), (tree.root() + "/alias").c_str()), 0);

    FolderListingCache cache;
    {
        FileAddRule rule(&cache);
        for (const std::string &path : paths)
            ASSERT_TRUE(rule.accepts(path)) << path;
    }
    tree.file("many/later");
    struct stat info;
    ASSERT_EQ(::stat((tree.root() + "/alias").c_str(), &info), 0);
    FolderListing *kept = cache.find(info.st_dev, info.st_ino);
    ASSERT_NE(kept, nullptr);
    EXPECT_TRUE(kept->contains("f599"));
    EXPECT_FALSE(kept->contains("later"));
    EXPECT_EQ(cache.find(info.st_dev, info.st_ino + 1), nullptr);

    // Few files of a folder are looked up one by one: nothing is listed.
    FolderListingCache untouched;
    FileAddRule rule(&untouched);
    EXPECT_TRUE(rule.accepts(paths[0]));
    EXPECT_EQ(untouched.find(info.st_dev, info.st_ino), nullptr);
}

// Many paths are decided on another thread: the verdicts must be those of
// asking the rule path by path, and the list must hold just the accepted rows.
TEST(FolderListing, BackgroundVerdictsAndListRowsAgreeWithTheRuleAskedInOrder)
{
    FileTree tree;
    tree.folder("many");
    tree.folder("many/sub");
    std::vector<std::string> texts;
    for (int i = 0; i < 5000; ++i) {
        const std::string name = "many/f" + std::to_string(i);
        if (i % 1000 == 7)
            texts.push_back(tree.root() + "/" + name); // never made
        else
            texts.push_back(tree.file(name));
        if (i % 1500 == 3) {
            texts.push_back(tree.root() + "/many/sub");
            texts.push_back("");
            texts.push_back(tree.root() + "/many/f1" + std::string(1, '\0') + "x");
        }
    }
    const std::vector<std::string_view> views(texts.begin(), texts.end());

    FolderListingCache cache;
    brenmark::BackgroundAddRule background(views, &cache, brenmark::BackgroundAddRule::KeptListings::Indexed);
    const std::vector<char> verdicts = background.verdicts();
    FileAddRule rule;
    std::vector<std::string> expectedRows;
    ASSERT_EQ(verdicts.size(), texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        const bool accepted = rule.accepts(texts[i]);
        EXPECT_EQ(bool(verdicts[i]), accepted) << i;
        if (accepted)
            expectedRows.push_back("0|" + texts[i]);
    }
    struct stat info;
    ASSERT_EQ(::stat((tree.root() + "/many").c_str(), &info), 0);
    const FolderListing *kept = cache.find(info.st_dev, info.st_ino);
    ASSERT_NE(kept, nullptr);
    EXPECT_TRUE(kept->contains("f4999"));
    EXPECT_FALSE(kept->contains("f5000"));
    EXPECT_EQ(kept->type("sub"), DT_DIR);

    brenmark::FileListModel model;
    model.appendRowTexts({"0|" + texts[0]});
    EXPECT_EQ(model.appendListPaths(views), int(expectedRows.size()));
    ASSERT_EQ(model.count(), int(expectedRows.size()) + 1);
    for (int row = 1; row < model.count(); ++row) {
        ASSERT_EQ(model.rowText(row), expectedRows[size_t(row - 1)]) << row;
        EXPECT_GT(model.serial(row), model.serial(row - 1));
    }
}

// A long list file gets the folder of its first file listed ahead, and the
// add rule then answers from that listing instead of listing again.
TEST(FolderListing, TheFirstFolderOfALongListIsListedAheadAndUsed)
{
    FileTree tree;
    const std::string many = tree.folder("many");
    std::string longList, shortList;
    std::vector<std::string> paths;
    for (int i = 0; i < 5000; ++i) {
        paths.push_back(tree.file("many/f" + std::to_string(i)));
        longList += paths.back() + "\n";
        if (i < 10)
            shortList += paths.back() + "\n";
    }
    struct stat info;
    ASSERT_EQ(::stat(many.c_str(), &info), 0);

    FolderListingCache untouched;
    brenmark::listFirstFolderAhead(brenmark::ListFile(tree.file("short.txt", shortList)), untouched);
    EXPECT_EQ(untouched.find(info.st_dev, info.st_ino), nullptr);

    FolderListingCache cache;
    brenmark::listFirstFolderAhead(brenmark::ListFile(tree.file("long.txt", longList)), cache);
    ASSERT_NE(cache.find(info.st_dev, info.st_ino), nullptr); // waits for the listing
    paths.push_back(tree.file("many/made-after-the-listing"));
    FileAddRule rule(&cache);
    int accepted = 0;
    for (const std::string &path : paths)
        accepted += rule.accepts(path);
    EXPECT_EQ(accepted, 5000);
}
