// brenmark-open, run for real from a program directory of its own whose
// "brenmark" is a script that keeps what it was started with.

#include "tests/core/CliTestSupport.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace fs = std::filesystem;
using namespace brenmark::clitest;

namespace {

class OpenWithLauncherTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // A message box would wait for a click that never comes.
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        fs::copy_file(BRENMARK_OPEN_EXECUTABLE, launcher());
        // Keeps the list, the number of arguments and the list folder's mode,
        // and ends with a status of its own that the launcher must pass on.
        ::writeFile(folder.path() / "brenmark",
                    "#!/bin/sh\n"
                    "here=$(dirname \"$0\")\n"
                    "echo \"$#\" > \"$here/count\"\n"
                    "[ $# -eq 0 ] && exit 5\n"
                    "printf '%s' \"$1\" > \"$here/list-path\"\n"
                    "stat -c %a \"$(dirname \"$1\")\" > \"$here/list-mode\"\n"
                    "cp \"$1\" \"$here/list\"\n"
                    "exit 3\n");
        fs::permissions(folder.path() / "brenmark", fs::perms::owner_all);
    }

    fs::path launcher() const { return folder.path() / "brenmark-open"; }
    std::string kept(const char *name) const { return ::readFile(folder.path() / name); }

    TempFolder folder;
};

} // namespace

TEST_F(OpenWithLauncherTest, HandsOddNamesOverUnchangedAndRemovesTheList)
{
    const std::vector<std::string> names = {
        "/home/user/with space.txt", "/home/user/'single' \"double\".jpg", "/home/user/Фото отпуска.JPG",
        std::string("/home/user/latin1-\xe9\xff.txt"), "-starts-with-a-dash", "--", "/a/b\\c|d*e?.txt",
        "/tab\there/trailing space ", "relative/name"};
    const ProcessResult result = runProcess(launcher(), names);
    EXPECT_EQ(result.status, 3) << result.err;
    EXPECT_EQ(kept("count"), "1\n");

    std::string expected;
    for (const std::string &name : names)
        expected += name + "\n";
    EXPECT_EQ(kept("list"), expected);
    EXPECT_EQ(kept("list-mode"), "700\n") << "others could read or swap the list";
    const fs::path list = kept("list-path");
    EXPECT_FALSE(fs::exists(list));
    EXPECT_FALSE(fs::exists(list.parent_path()));
}

TEST_F(OpenWithLauncherTest, RefusesNamesWithLineBreaksAndSaysWhich)
{
    const ProcessResult result = runProcess(launcher(), {"/a/first", "/a/two\nlines", "/a/carriage\rreturn", "/a/last"});
    EXPECT_EQ(result.status, 3);
    EXPECT_EQ(kept("list"), "/a/first\n/a/last\n");
    EXPECT_NE(result.err.find("«/a/two\\nlines»"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("«/a/carriage\\rreturn»"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("перевод строки"), std::string::npos) << result.err;

    // Nothing left to open: the program is not started on an empty list.
    fs::remove(folder.path() / "count");
    const ProcessResult none = runProcess(launcher(), {"/only\nbroken"});
    EXPECT_NE(none.status, 0);
    EXPECT_FALSE(fs::exists(folder.path() / "count"));
}

TEST_F(OpenWithLauncherTest, WithoutFilesStartsTheProgramWithoutAList)
{
    const ProcessResult result = runProcess(launcher(), {});
    EXPECT_EQ(result.status, 5) << result.err;
    EXPECT_EQ(kept("count"), "0\n");
}

TEST_F(OpenWithLauncherTest, ManyFilesAllArrive)
{
    std::vector<std::string> names;
    std::string expected;
    for (int i = 0; i < 5000; ++i) {
        names.push_back("/photos/снимок " + std::to_string(i) + ".jpg");
        expected += names.back() + "\n";
    }
    const ProcessResult result = runProcess(launcher(), names);
    EXPECT_EQ(result.status, 3) << result.err;
    EXPECT_EQ(kept("list"), expected);
}
