#include "module_helper/Fields.h"
#include "module_helper/ModuleError.h"
#include "modules/move_to_folder/FileMover.h"
#include "modules/move_to_folder/FolderTarget.h"

#include "FileModulesTestSupport.h"
#include "tests/support/FileSizeLimit.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <set>

using namespace brenmark::movetofolder;
namespace fs = std::filesystem;
using namespace filemodulestest;

namespace {

constexpr brenmark::datetime::DateParts kDate{2024, 3, 7, 9, 5, 1};

MoveOptions makeOptions(const char *folder)
{
    MoveOptions options;
    brenmark::sdk::setFieldText(options.folder, folder);
    return options;
}

} // namespace

TEST(FolderTarget, PathsBeforeAndAfter)
{
    struct Case {
        const char *folder;
        const char *before;
        const char *after;
    };
    const Case cases[] = {
        {"/archive", "/home/u/a.jpg", "/archive/a.jpg"},
        {"/archive/", "/home/u/a.jpg", "/archive/a.jpg"},
        {"Фото/%Y/%m", "/home/u/IMG 1.jpg", "/home/u/Фото/2024/03/IMG 1.jpg"},
        {"%Y-%m-%d", "/home/u/.hidden", "/home/u/2024-03-07/.hidden"},
        {"./sorted//new/", "/home/u/a.tar.gz", "/home/u/sorted/new/a.tar.gz"},
        {"../up", "/home/u/noext", "/home/u/../up/noext"},
        {".", "/home/u/a.b.c", "/home/u/a.b.c"},
        {"/", "/home/u/a", "/a"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.folder);
        const MoveOptions options = makeOptions(c.folder);
        EXPECT_NO_THROW(validateOptions(options));
        EXPECT_EQ(targetPath(c.before, options, kDate), c.after);
    }
    const char *oldHome = std::getenv("HOME");
    const std::string home = oldHome != nullptr ? oldHome : "";
    ASSERT_EQ(setenv("HOME", "/home/Юзер", 1), 0);
    EXPECT_EQ(targetPath("/p/a.jpg", makeOptions("~/Архив/%Y"), kDate), "/home/Юзер/Архив/2024/a.jpg");
    EXPECT_EQ(targetPath("/p/a.jpg", makeOptions("~"), kDate), "/home/Юзер/a.jpg");
    EXPECT_EQ(targetPath("/p/a.jpg", makeOptions("~x"), kDate), "/p/~x/a.jpg");
    if (oldHome != nullptr)
        setenv("HOME", home.c_str(), 1);
    EXPECT_TRUE(needsDate(makeOptions("x/%d")));
    EXPECT_FALSE(needsDate(makeOptions("/archive/100%%")));
}

TEST(FolderTarget, RejectsUnusableBlocks)
{
    MoveOptions noFolder = makeOptions("");
    MoveOptions badSource = makeOptions("/a");
    badSource.dateSource = static_cast<brenmark::datetime::DateSource>(4);
    for (const MoveOptions *options : {&noFolder, &badSource})
        EXPECT_THROW(validateOptions(*options), brenmark::sdk::ModuleError);
}

TEST(FileMover, MovesWithinAndAcrossFileSystems)
{
    TemporaryFolder ext4;
    TemporaryFolder tmpfs("/dev/shm");
    ASSERT_TRUE(ext4.valid() && tmpfs.valid());
    const std::string big(3 * 1024 * 1024 + 17, 'x'); // more than one copy buffer
    struct Case {
        std::string from;
        std::string to;
    };
    const Case cases[] = {
        {ext4.file("a.txt"), ext4.file("b.txt")},
        {ext4.file("cross.bin"), tmpfs.file("cross.bin")},
        {tmpfs.file("back.bin"), ext4.file("Вернулся.bin")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.from + " -> " + c.to);
        writeFile(c.from, big);
        ASSERT_EQ(chmod(c.from.c_str(), 0640), 0);
        const timespec times[2] = {{1600000000, 0}, {1600000000, 500}};
        ASSERT_EQ(utimensat(AT_FDCWD, c.from.c_str(), times, 0), 0);

        int lastPercent = -1;
        moveFile(c.from, c.to, [&](int percent) { lastPercent = percent; });

        EXPECT_FALSE(fs::exists(c.from));
        EXPECT_EQ(readFile(c.to), big);
        struct stat status{};
        ASSERT_EQ(stat(c.to.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, 0640u);
        EXPECT_EQ(status.st_mtim.tv_sec, 1600000000);
        EXPECT_EQ(status.st_mtim.tv_nsec, 500);
        if (c.to.rfind("/dev/shm", 0) == 0) {
            EXPECT_EQ(lastPercent, 100) << "a copy reports its progress";
        }
    }
}

TEST(FileMover, NeverReplacesAndKeepsSourceOnFailure)
{
    TemporaryFolder ext4;
    TemporaryFolder tmpfs("/dev/shm");
    ASSERT_TRUE(ext4.valid() && tmpfs.valid());
    struct Case {
        std::string from;
        std::string to;
        bool targetExists;
        const char *message; // part of the error text
    };
    const Case cases[] = {
        {ext4.file("one.txt"), ext4.file("two.txt"), true, "уже существует"},
        {ext4.file("one.txt"), tmpfs.file("two.txt"), true, "уже существует"},
        {ext4.file("one.txt"), ext4.file("missing/two.txt"), false, "не существует"},
        {ext4.file("one.txt"), ext4.file(std::string(300, 'n')), false, "Слишком длинное имя"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.to);
        writeFile(c.from, "source");
        if (c.targetExists)
            writeFile(c.to, "target");
        try {
            moveFile(c.from, c.to);
            ADD_FAILURE() << "moved although it must not";
        } catch (const brenmark::sdk::ModuleError &error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        }
        EXPECT_EQ(readFile(c.from), "source");
        if (c.targetExists)
            EXPECT_EQ(readFile(c.to), "target");
        else
            EXPECT_FALSE(exists(c.to));
    }
    EXPECT_THROW(moveFile(ext4.file("nothing"), ext4.file("x")), brenmark::sdk::ModuleError);

    const std::string folder = ext4.file("folder");
    fs::create_directory(folder);
    EXPECT_THROW(moveFile(folder, tmpfs.file("folder")), brenmark::sdk::ModuleError);
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_FALSE(fs::exists(tmpfs.file("folder")));

    // A named pipe cannot be copied, and opening it would wait for a writer.
    const std::string pipe = ext4.file("pipe");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    try {
        moveFile(pipe, tmpfs.file("pipe"));
        ADD_FAILURE() << "a pipe was moved across";
    } catch (const brenmark::sdk::ModuleError &error) {
        EXPECT_NE(std::string(error.what()).find("именованный канал"), std::string::npos) << error.what();
    }
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_FALSE(fs::exists(tmpfs.file("pipe")));
}

// The copy across file systems is given its name only when complete: a move
// killed halfway leaves the name free for a second try, and a failed one
// leaves nothing behind in the target folder.
TEST(FileMover, AnInterruptedCopyNeverTakesTheName)
{
    TemporaryFolder tmpfs("/dev/shm");
    TemporaryFolder ext4;
    ASSERT_TRUE(ext4.valid() && tmpfs.valid());
    const std::string big(4 * 1024 * 1024, 'b');
    const std::string from = tmpfs.file("big.bin");
    const std::string to = ext4.file("big.bin");
    writeFile(from, big);
    auto moveInChild = [&](void (*onTooLarge)(int)) {
        const pid_t child = fork();
        if (child == 0) {
            // Writes past 1 MiB raise SIGXFSZ: killed, or a failing write when ignored.
            const rlimit size{1 << 20, 1 << 20};
            const rlimit noCore{0, 0};
            setrlimit(RLIMIT_FSIZE, &size);
            setrlimit(RLIMIT_CORE, &noCore);
            signal(SIGXFSZ, onTooLarge);
            try {
                moveFile(from, to);
            } catch (const brenmark::sdk::ModuleError &) {
                _exit(3);
            }
            _exit(0);
        }
        int status = 0;
        EXPECT_EQ(waitpid(child, &status, 0), child);
        return status;
    };

    auto targetFolder = [&] {
        std::set<std::string> names;
        for (const auto &entry : fs::directory_iterator(ext4.file("")))
            names.insert(entry.path().filename().string());
        return names;
    };

    const int killed = moveInChild(SIG_DFL);
    EXPECT_TRUE(WIFSIGNALED(killed) && WTERMSIG(killed) == SIGXFSZ) << killed;
    EXPECT_EQ(readFile(from), big);
    EXPECT_FALSE(fs::exists(to));

    const std::set<std::string> before = targetFolder();
    const int failed = moveInChild(SIG_IGN);
    EXPECT_TRUE(WIFEXITED(failed) && WEXITSTATUS(failed) == 3) << failed;
    EXPECT_EQ(readFile(from), big);
    EXPECT_EQ(targetFolder(), before) << "a failed copy left a file in the target folder";

    moveFile(from, to);
    EXPECT_EQ(readFile(to), big);
    EXPECT_FALSE(fs::exists(from));
}

TEST(FileMover, MovesSymbolicLinksAsLinks)
{
    TemporaryFolder ext4;
    TemporaryFolder tmpfs("/dev/shm");
    ASSERT_TRUE(ext4.valid() && tmpfs.valid());
    writeFile(ext4.file("real"), "data");
    ASSERT_EQ(symlink("real", ext4.file("link").c_str()), 0);
    moveFile(ext4.file("link"), tmpfs.file("link"));
    EXPECT_TRUE(fs::is_symlink(tmpfs.file("link")));
    EXPECT_EQ(fs::read_symlink(tmpfs.file("link")), "real");
    EXPECT_FALSE(fs::is_symlink(ext4.file("link")));
    EXPECT_EQ(readFile(ext4.file("real")), "data");
}

TEST(FileMover, CreatesFolders)
{
    TemporaryFolder ext4;
    ASSERT_TRUE(ext4.valid());
    const auto created = createFolders(ext4.file("a/b/c/"));
    EXPECT_EQ(created, (std::vector<std::string>{ext4.file("a"), ext4.file("a/b"), ext4.file("a/b/c")}));
    EXPECT_TRUE(fs::is_directory(ext4.file("a/b/c")));
    EXPECT_TRUE(createFolders(ext4.file("a/b/c")).empty()) << "already there";
    writeFile(ext4.file("a/keep"), "x");
    removeCreatedFolders(created); // stops at the first folder that is not empty
    EXPECT_FALSE(fs::exists(ext4.file("a/b")));
    EXPECT_TRUE(fs::exists(ext4.file("a/keep")));
    writeFile(ext4.file("plain"), "x");
    EXPECT_THROW(createFolders(ext4.file("plain/sub")), brenmark::sdk::ModuleError);
}
