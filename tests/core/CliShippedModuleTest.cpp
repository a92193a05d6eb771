// brenmark-batch end to end with the shipped "insert text" module: what a dry
// run prints (quoting included), what it reports as collisions, and that the
// run really renames and loses nothing when a target is taken.
#include "main/cli/PathQuoting.h"
#include "modules/move_to_folder/MoveOptions.h"
#include "modules/numbering/NumberingOptions.h"
#include "tests/core/CliTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace brenmark::clitest;
namespace fs = std::filesystem;

namespace {

// The module's options block: layout version 1, position 0 (from the start),
// a reserved byte, offset 0, then 256 bytes of zero-terminated text.
TemplateRecord insertPrefix(const std::string &prefix)
{
    std::vector<uint8_t> options(264, 0);
    options[0] = 1;
    std::memcpy(options.data() + 8, prefix.data(), prefix.size());
    return {"insert_text.so", "Вставка: \"" + prefix + "\" в начало", options};
}

class CliShippedModule : public testing::Test
{
protected:
    void SetUp() override
    {
        fs::path module = fs::path(BRENMARK_SHIPPED_PLUGINS_DIR) / "insert_text.so";
        ASSERT_TRUE(fs::exists(module)) << module;
        m_program.addModule(module);
        m_program.writeTemplate("~autosave", {insertPrefix("new_")});
        m_files = m_program.path() / "files";
        fs::create_directory(m_files);
    }

    std::string make(const std::string &name)
    {
        writeFile(m_files / name, "content of " + name);
        return (m_files / name).string();
    }

    std::string renamed(const std::string &name) const { return (m_files / ("new_" + name)).string(); }

    ProcessResult run(std::vector<std::string> arguments) const
    {
        return runProcess(m_program.executable(), arguments, m_files);
    }

    ProgramDirectory m_program;
    fs::path m_files;
};

} // namespace

TEST_F(CliShippedModule, DryRunPrintsOldTabNewAndTouchesNothing)
{
    const std::vector<std::string> names = {"a.txt", "b\tc.txt", "d\ne.txt", "\"q\".txt", "фото 1.jpg"};
    std::vector<std::string> arguments = {"--dry-run"};
    std::string expected;
    for (const std::string &name : names) {
        arguments.push_back(make(name));
        expected += brenmark::quotePath(arguments.back()) + "\t" + brenmark::quotePath(renamed(name)) + "\n";
    }
    ProcessResult result = run(arguments);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, expected);
    EXPECT_NE(result.out.find("/b\\tc.txt\"\t\""), std::string::npos) << result.out;
    EXPECT_EQ(result.err, "");
    for (const std::string &name : names) {
        EXPECT_TRUE(fs::exists(m_files / name)) << name;
        EXPECT_FALSE(fs::exists(renamed(name))) << name;
    }
}

TEST_F(CliShippedModule, DryRunReportsCollisionsWithStatus3)
{
    std::string a = make("a"), b = make("b");
    make("new_b");
    fs::create_directory(m_files / "sub");
    ProcessResult result = run({"--dry-run", a, b, (m_files / "sub" / ".." / "a").string()});
    EXPECT_EQ(result.status, 3) << result.err;
    EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 3);
    // The same file listed under two spellings would be renamed twice to one path.
    EXPECT_NE(result.err.find("один новый путь у нескольких файлов: " + renamed("a") + "\n    " + a + "\n"),
              std::string::npos) << result.err;
    EXPECT_NE(result.err.find("новый путь уже занят: " + renamed("b") + " (для " + b + ")"), std::string::npos)
        << result.err;
    EXPECT_EQ(result.err.find("занят: " + renamed("a")), std::string::npos) << result.err;
}

// The move would have to make a folder where a file is.
TEST_F(CliShippedModule, DryRunReportsANewPathInsideAFile)
{
    m_program.addModule(fs::path(BRENMARK_SHIPPED_PLUGINS_DIR) / "move_to_folder.so");
    brenmark::movetofolder::MoveOptions move;
    std::strcpy(move.folder, "x.txt/sub");
    std::vector<uint8_t> block(sizeof move);
    std::memcpy(block.data(), &move, sizeof move);
    m_program.writeTemplate("into", {{"move_to_folder.so", "Перемещение", block}});
    const std::string file = make("x.txt"), g = make("g");
    ProcessResult inside = run({"--dry-run", "--template", "into", g});
    EXPECT_EQ(inside.status, 3) << inside.err;
    EXPECT_NE(inside.err.find("новый путь ведёт внутрь файла, а не папки: " + file + "/sub/g (для " + g + ")"),
              std::string::npos) << inside.out << inside.err;
}

// A long list is checked on another thread while the new paths are computed;
// paths that turn out to be no files must leave no trace, and the numbers
// must follow the positions of the files that are in the list.
TEST_F(CliShippedModule, DryRunOfALongListNumbersOnlyTheFilesOfTheList)
{
    m_program.addModule(fs::path(BRENMARK_SHIPPED_PLUGINS_DIR) / "numbering.so");
    brenmark::modules::NumberingOptions numbering;
    numbering.width = 4;
    std::vector<uint8_t> block(sizeof numbering);
    std::memcpy(block.data(), &numbering, sizeof numbering);
    m_program.writeTemplate("numbers", {{"numbering.so", "Нумерация", block}});
    fs::create_directory(m_files / "folder");

    std::string list, expected;
    int number = 1;
    for (int i = 0; i < 5000; ++i) {
        const std::string name = "f" + std::to_string(i);
        if (i == 10 || i == 4000) {
            list += (m_files / ("missing" + name)).string() + "\n" + (m_files / "folder").string() + "\n";
            continue;
        }
        const std::string path = make(name);
        list += path + "\n";
        char prefix[16];
        std::snprintf(prefix, sizeof prefix, "%04d_", number++);
        expected += path + "\t" + (m_files / (prefix + name)).string() + "\n";
    }
    writeFile(m_program.path() / "list.txt", list);
    ProcessResult result = run({"--dry-run", "--template", "numbers", "--list", (m_program.path() / "list.txt").string()});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(result.out == expected) << result.out.substr(0, 400);
}

// "авто" pads to the size of the list the host tells the module, in the dry
// run's preview as in the run.
TEST_F(CliShippedModule, AutomaticWidthFollowsTheListsSize)
{
    m_program.addModule(fs::path(BRENMARK_SHIPPED_PLUGINS_DIR) / "numbering.so");
    brenmark::modules::NumberingOptions numbering;
    numbering.width = 0;
    std::vector<uint8_t> block(sizeof numbering);
    std::memcpy(block.data(), &numbering, sizeof numbering);
    m_program.writeTemplate("numbers", {{"numbering.so", "Нумерация", block}});

    std::vector<std::string> arguments = {"--template", "numbers"};
    std::string expected;
    for (int i = 1; i <= 12; ++i) {
        const std::string name = "f" + std::to_string(i);
        arguments.push_back(make(name));
        char prefix[8];
        std::snprintf(prefix, sizeof prefix, "%02d_", i);
        expected += arguments.back() + "\t" + (m_files / (prefix + name)).string() + "\n";
    }
    std::vector<std::string> dryRun = arguments;
    dryRun.insert(dryRun.begin(), "--dry-run");
    ProcessResult preview = run(dryRun);
    EXPECT_EQ(preview.status, 0) << preview.err;
    EXPECT_EQ(preview.out, expected);

    arguments.resize(arguments.size() - 3); // nine files: one digit
    ProcessResult result = run(arguments);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(readFile(m_files / "1_f1"), "content of f1");
    EXPECT_EQ(readFile(m_files / "9_f9"), "content of f9");
    EXPECT_TRUE(fs::exists(m_files / "f10"));
}

// A script reading the lines must not take a cut-off list for the whole one.
TEST_F(CliShippedModule, DryRunThatCannotWriteItsLinesFails)
{
    std::string a = make("a");
    ProcessResult result = runProcess("/bin/sh", {"-c", "exec \"$0\" --dry-run \"$1\" >/dev/full",
                                                  m_program.executable().string(), a});
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("не удалось записать результат"), std::string::npos) << result.err;
    EXPECT_TRUE(fs::exists(a));
}

TEST_F(CliShippedModule, RunRenamesAndATakenTargetIsAFailureThatLosesNothing)
{
    std::string a = make("a"), b = make("b"), c = make("c");
    make("new_b");
    ProcessResult result = run({a, b, c});
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(readFile(renamed("a")), "content of a");
    EXPECT_EQ(readFile(renamed("c")), "content of c");
    EXPECT_FALSE(fs::exists(a));
    EXPECT_EQ(readFile(b), "content of b");
    EXPECT_EQ(readFile(renamed("b")), "content of new_b");
    EXPECT_NE(result.err.find("brenmark-batch: ошибка: " + b + " / Вставка: \"new_\" в начало: "), std::string::npos)
        << result.err;

    ProcessResult clean = run({renamed("a")});
    EXPECT_EQ(clean.status, 0) << clean.err;
    EXPECT_TRUE(fs::exists(m_files / "new_new_a"));
}
