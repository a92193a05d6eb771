// brenmark-batch end to end with a test module that appends ".done" to each
// name: loading, missing and disabled modules, runs, failed calls, stopping.
#include "tests/core/CliTestSupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <stdlib.h>

#include <chrono>
#include <fstream>
#include <thread>

using namespace brenmark::clitest;
namespace fs = std::filesystem;

namespace {

const char *const kModule = "fixture_cli_slowrename.so";

TemplateRecord slowRename(int32_t millisecondsPerFile = 0, const std::string &caption = "Медленно")
{
    return {kModule, caption, int32Bytes(millisecondsPerFile)};
}

class CliRun : public testing::Test
{
protected:
    void SetUp() override
    {
        m_program.addModule(fs::path(BRENMARK_FIXTURE_DIR) / kModule);
        m_files = m_program.path() / "files";
        fs::create_directory(m_files);
    }

    std::vector<std::string> makeFiles(const std::vector<std::string> &names)
    {
        std::vector<std::string> paths;
        for (const std::string &name : names) {
            writeFile(m_files / name, name);
            paths.push_back((m_files / name).string());
        }
        return paths;
    }

    ProcessResult run(const std::vector<std::string> &arguments)
    {
        return runProcess(m_program.executable(), arguments, m_files);
    }

    ProgramDirectory m_program;
    fs::path m_files;
};

} // namespace

TEST_F(CliRun, UsageErrorsHelpAndVersion)
{
    const struct
    {
        std::vector<std::string> arguments;
        int status;
        const char *says;
    } cases[] = {
        {{}, 2, "не указаны файлы"},
        {{"--bogus", "x"}, 2, "неизвестный параметр --bogus"},
        {{"--list", "l", "x"}, 2, "не вместе"},
        {{"--help"}, 0, "Использование: brenmark-batch"},
        {{"--version"}, 0, "brenmark-batch "},
    };
    for (const auto &c : cases) {
        ProcessResult result = run(c.arguments);
        EXPECT_EQ(result.status, c.status) << testing::PrintToString(c.arguments) << result.err;
        EXPECT_NE((result.out + result.err).find(c.says), std::string::npos) << result.out << result.err;
    }
}

TEST_F(CliRun, RunRenamesEveryFileThroughTheChainInOrder)
{
    std::vector<std::string> paths = makeFiles({"a", "b b", "c\td"});
    m_program.writeTemplate("twice", {slowRename(0, "Первое"), slowRename(0, "Второе")});
    // A library that crashes while it loads is named and left out.
    m_program.addModule(fs::path(BRENMARK_FIXTURE_DIR) / "fixture_host_initcrash.so");
    std::vector<std::string> arguments = {"--template", "twice"};
    arguments.insert(arguments.end(), paths.begin(), paths.end());
    ProcessResult result = run(arguments);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("brenmark-batch: модуль fixture_host_initcrash.so пропущен"), std::string::npos)
        << result.err;
    for (const std::string &path : paths) {
        EXPECT_FALSE(fs::exists(path)) << path;
        EXPECT_TRUE(fs::exists(path + ".done.done")) << path;
    }
    // A pipe gets plain lines, no bar: the last one says that all were done.
    EXPECT_EQ(result.err.find('\r'), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("3 из 3 файлов (100%)"), std::string::npos) << result.err;
}

// The run is recorded with absolute paths, so --undo from another folder
// returns the files given relative to the run's folder; a file replaced by
// another of the same name stays and is named, and the status says so.
TEST_F(CliRun, UndoReturnsTheLastRunFromAnyFolder)
{
    makeFiles({"a", "b", "c"});
    m_program.writeTemplate("twice", {slowRename(), slowRename()});
    ASSERT_EQ(run({"--template", "twice", "a", "./b", "c"}).status, 0);
    fs::remove(m_files / "b.done.done");
    writeFile(m_files / "b.done.done", "another file");

    const ProcessResult listed = runProcess(m_program.executable(), {"--undo", "--dry-run"}, "/");
    EXPECT_EQ(listed.status, 1) << listed.err;
    EXPECT_EQ(listed.out, (m_files / "c.done.done").string() + "\t" + (m_files / "c").string() + "\n"
                              + (m_files / "a.done.done").string() + "\t" + (m_files / "a").string() + "\n");
    EXPECT_TRUE(fs::exists(m_files / "a.done.done")) << "a dry run moves nothing";

    const ProcessResult undone = runProcess(m_program.executable(), {"--undo"}, "/");
    EXPECT_EQ(undone.status, 1) << undone.err;
    EXPECT_NE(undone.err.find("«" + (m_files / "b.done.done").string() + "» теперь другой файл"), std::string::npos)
        << undone.err;
    EXPECT_NE(undone.err.find("возвращено файлов: 2 из 3"), std::string::npos) << undone.err;
    EXPECT_EQ(readFile(m_files / "a"), "a");
    EXPECT_EQ(readFile(m_files / "c"), "c");
    EXPECT_EQ(readFile(m_files / "b.done.done"), "another file");
    EXPECT_FALSE(fs::exists(m_files / "b"));

    const ProcessResult nothing = runProcess(m_program.executable(), {"--undo"}, "/");
    EXPECT_EQ(nothing.status, 0);
    EXPECT_NE(nothing.err.find("отменять нечего"), std::string::npos) << nothing.err;
}

TEST_F(CliRun, FailedCallsAreReportedAndTheRunGoesOn)
{
    std::vector<std::string> paths = makeFiles({"ok1", "fail-me", "ok2"});
    m_program.writeTemplate("t", {slowRename(0, "Переименование")});
    ProcessResult result = run({"--template", "t", paths[0], paths[1], paths[2]});
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_TRUE(fs::exists(paths[0] + ".done"));
    EXPECT_TRUE(fs::exists(paths[1]));
    EXPECT_TRUE(fs::exists(paths[2] + ".done"));
    EXPECT_NE(result.err.find(paths[1] + " / Переименование: отказ для этого файла"), std::string::npos)
        << result.err;
}

TEST_F(CliRun, TemplateByNameByFileOrFromTheSettings)
{
    m_program.writeTemplate("~autosave", {slowRename()});
    m_program.writeTemplate("twice", {slowRename(), slowRename()});
    fs::path outside = m_files / "elsewhere.ptp";
    std::vector<uint8_t> bytes = templateBytes({slowRename(), slowRename(), slowRename()});
    writeFile(outside, std::string(bytes.begin(), bytes.end()));

    const struct
    {
        std::string ini;
        std::vector<std::string> arguments;
        std::string suffix;
    } cases[] = {
        {"", {}, ".done"},
        {"[MAIN]\ntemplate=twice\n", {}, ".done.done"},
        {"[main]\nTEMPLATE = twice\n", {"--template", "~autosave"}, ".done"},
        {"", {"--template=elsewhere.ptp"}, ".done.done.done"},
        {"", {"--template", outside.string()}, ".done.done.done"},
    };
    for (const auto &c : cases) {
        m_program.writeOptions(c.ini);
        std::string path = makeFiles({"f"}).front();
        std::vector<std::string> arguments = c.arguments;
        arguments.push_back("--dry-run");
        arguments.push_back(path);
        ProcessResult result = run(arguments);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, path + "\t" + path + c.suffix + "\n") << c.ini << testing::PrintToString(c.arguments);
    }
}

TEST_F(CliRun, BadTemplatesAreUsageErrorsAndTouchNothing)
{
    std::string path = makeFiles({"f"}).front();
    writeFile(m_program.path() / "Templates" / "short.ptp", std::string("\x02\x00\x00\x00\x0a", 5));
    for (const char *name : {"nonexistent", "short"}) {
        ProcessResult result = run({"--template", name, path});
        EXPECT_EQ(result.status, 2) << name;
        EXPECT_NE(result.err.find(std::string(name) + ".ptp"), std::string::npos) << result.err;
        EXPECT_TRUE(fs::exists(path));
    }

    // A recorded name leading out of Templates is refused, as the window refuses it.
    m_program.writeTemplate("../outside", {slowRename()});
    m_program.writeOptions("[MAIN]\ntemplate=../outside\n");
    ProcessResult result = run({path});
    EXPECT_EQ(result.status, 2) << result.err;
    EXPECT_NE(result.err.find("Шаблон «../outside»"), std::string::npos) << result.err;
    EXPECT_TRUE(fs::exists(path));
}

TEST_F(CliRun, MissingAndDisabledModulesAreNamedAndStopTheRunUnlessIgnored)
{
    m_program.writeTemplate("t", {{"absent.so", "Нет такого", {}}, slowRename(), {"absent.so", "Снова", {}}});
    const struct
    {
        std::string ini;
        std::vector<std::string> arguments;
        int status;
        std::string names;
        bool renamed;
    } cases[] = {
        {"", {}, 2, "Не найдены модули:\nabsent.so\n", false},
        {"", {"--ignore-missing"}, 0, "Не найдены модули:\nabsent.so\n", true},
        {"[MODULES]\nFIXTURE_CLI_SLOWRENAME.SO=0\n", {}, 2, "Не найдены модули:\nabsent.so\nfixture_cli_slowrename.so\n",
         false},
    };
    for (const auto &c : cases) {
        m_program.writeOptions(c.ini);
        std::string path = makeFiles({"m"}).front();
        std::vector<std::string> arguments = {"--template", "t"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        arguments.push_back(path);
        ProcessResult result = run(arguments);
        EXPECT_EQ(result.status, c.status) << c.ini << result.err;
        EXPECT_NE(result.err.find(c.names), std::string::npos) << result.err;
        EXPECT_EQ(fs::exists(path + ".done"), c.renamed);
        fs::remove(path);
        fs::remove(path + ".done");
    }
}

TEST_F(CliRun, ListFileLinesAreTakenByTheListRules)
{
    std::vector<std::string> paths = makeFiles({"one", " two ", "three"});
    fs::create_directory(m_files / "folder");
    writeFile(m_files / "list.txt", paths[0] + "\r\n" + paths[1] + "\r" + (m_files / "missing").string() + "\n\n"
                                        + (m_files / "folder").string() + "\n" + paths[2]);
    m_program.writeTemplate("t", {slowRename()});
    ProcessResult result = run({"--dry-run", "--template", "t", "--list", (m_files / "list.txt").string()});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, paths[0] + "\t" + paths[0] + ".done\n" + paths[1] + "\t" + paths[1] + ".done\n" + paths[2]
                              + "\t" + paths[2] + ".done\n");

    ProcessResult unreadable = run({"--template", "t", "--list", (m_files / "no-list.txt").string()});
    EXPECT_EQ(unreadable.status, 2);

    // A named pipe is opened once: a second open would wait for a writer
    // that has come and gone, and the lines would be lost.
    const std::string pipe = (m_files / "pipe").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string lines = paths[0] + "\n" + paths[2] + "\n";
    std::thread writer([&] {
        const int end = ::open(pipe.c_str(), O_WRONLY | O_CLOEXEC);
        if (end >= 0) {
            EXPECT_EQ(::write(end, lines.data(), lines.size()), ssize_t(lines.size()));
            ::close(end);
        }
    });
    ProcessResult piped = run({"--dry-run", "--template", "t", "--list", pipe});
    // Frees the writer should the program not have opened the pipe at all.
    const int unblock = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    writer.join();
    ::close(unblock);
    EXPECT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(piped.out, paths[0] + "\t" + paths[0] + ".done\n" + paths[2] + "\t" + paths[2] + ".done\n");

    // A source without end is refused instead of filling the memory.
    ProcessResult endless = run({"--dry-run", "--template", "t", "--list", "/dev/zero"});
    EXPECT_EQ(endless.status, 2);
    EXPECT_NE(endless.err.find("Список файлов «/dev/zero» длиннее 256 МиБ"), std::string::npos) << endless.err;
    EXPECT_EQ(endless.out, "");
}

TEST_F(CliRun, InterruptLetsTheFileFinishItsChainAndSaysHowManyWereDone)
{
    const int total = 40;
    std::vector<std::string> names;
    for (int i = 0; i < total; ++i)
        names.push_back("file" + std::to_string(i));
    std::vector<std::string> paths = makeFiles(names);
    // Nearly all of a file's time is in its first action: that is where the
    // signals arrive, with two more actions of the file to go.
    m_program.writeTemplate("slow", {slowRename(60, "Первое"), slowRename(0, "Второе"), slowRename(0, "Третье")});
    std::vector<std::string> arguments = {"--template", "slow"};
    arguments.insert(arguments.end(), paths.begin(), paths.end());

    const struct
    {
        std::vector<int> signals;
        bool wholeChains; // false: the second signal stops after the call under way
    } cases[] = {{{SIGINT}, true}, {{SIGTERM}, true}, {{SIGINT, SIGINT}, false}};
    for (const auto &c : cases) {
        ChildProcess child(m_program.executable(), arguments, m_files);
        auto renamed = [&] {
            int n = 0;
            for (const std::string &path : paths)
                n += fs::exists(path + ".done.done.done");
            return n;
        };
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (renamed() < 3 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        ASSERT_GE(renamed(), 3);
        for (int signal : c.signals)
            child.sendSignal(signal);
        ProcessResult result = child.finish();
        EXPECT_EQ(result.status, 130) << result.err;

        int done = 0;
        int halfWay = 0;
        for (const std::string &path : paths) {
            const bool old = fs::exists(path), moved = fs::exists(path + ".done.done.done");
            const int between = int(fs::exists(path + ".done")) + int(fs::exists(path + ".done.done"));
            halfWay += between;
            EXPECT_EQ(int(old) + int(moved) + between, 1) << path;
            done += moved;
        }
        if (c.wholeChains) {
            EXPECT_EQ(halfWay, 0);
        }
        EXPECT_LT(done, total);
        EXPECT_NE(result.err.find("прервано: обработано " + std::to_string(done) + " из " + std::to_string(total)),
                  std::string::npos) << result.err;
        for (const std::string &path : paths) {
            for (const char *suffix : {".done.done.done", ".done.done", ".done"}) {
                if (fs::exists(path + suffix))
                    fs::rename(path + suffix, path);
            }
        }
    }
}

TEST_F(CliRun, DryRunIgnoresTheWindowsPreviewSwitchAndStopsAtAFailingModule)
{
    std::vector<std::string> paths = makeFiles({"a", "b-preview-fail", "c"});
    m_program.writeTemplate("t", {slowRename()});
    m_program.writeOptions("[MAIN]\nno_preview=1\n");
    ProcessResult fine = run({"--dry-run", "--template", "t", paths[0], paths[2]});
    EXPECT_EQ(fine.status, 0) << fine.err;
    EXPECT_EQ(fine.out, paths[0] + "\t" + paths[0] + ".done\n" + paths[2] + "\t" + paths[2] + ".done\n");

    ProcessResult failed = run({"--dry-run", "--template", "t", paths[0], paths[1], paths[2]});
    EXPECT_EQ(failed.status, 1) << failed.err;
    EXPECT_EQ(failed.out, paths[0] + "\t" + paths[0] + ".done\n");
    EXPECT_NE(failed.err.find(paths[1] + ": предпросмотр не удался"), std::string::npos) << failed.err;
    for (const std::string &path : paths)
        EXPECT_TRUE(fs::exists(path)) << path;
}

// Folders named with --recursive stand for their files (not hidden ones
// unless asked, never folders), and --sort orders the list the chain sees.
TEST_F(CliRun, RecursiveAddsTheFilesUnderNamedFoldersAndSortOrdersThem)
{
    m_program.writeTemplate("t", {slowRename()});
    fs::create_directories(m_files / "tree" / "sub");
    fs::create_directories(m_files / "tree" / ".cache");
    writeFile(m_files / "tree" / "p10", "1234");
    writeFile(m_files / "tree" / "p9", "1");
    writeFile(m_files / "tree" / ".dot", "12");
    writeFile(m_files / "tree" / "sub" / "p1", "123");
    writeFile(m_files / "tree" / ".cache" / "c", "12345");
    writeFile(m_files / "single", "123456");
    const std::string tree = (m_files / "tree").string();
    const std::string single = (m_files / "single").string();
    const auto lines = [](const std::vector<std::string> &paths) {
        std::string text;
        for (const std::string &path : paths)
            text += path + "\t" + path + ".done\n";
        return text;
    };
    const struct
    {
        std::vector<std::string> arguments;
        std::vector<std::string> expected;
    } cases[] = {
        {{tree, single}, {single}}, // without --recursive a folder is skipped
        {{"-r", tree, single}, {tree + "/p9", tree + "/p10", tree + "/sub/p1", single}},
        {{"--recursive", "--hidden", tree},
         {tree + "/.dot", tree + "/p9", tree + "/p10", tree + "/.cache/c", tree + "/sub/p1"}},
        {{"-r", "--sort", "name", tree, single}, {tree + "/sub/p1", tree + "/p9", tree + "/p10", single}},
        {{"-r", "--sort=size", "--descending", single, tree},
         {single, tree + "/p10", tree + "/sub/p1", tree + "/p9"}},
    };
    for (const auto &c : cases) {
        std::vector<std::string> arguments = {"--dry-run", "--template", "t"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        ProcessResult result = run(arguments);
        EXPECT_EQ(result.status, 0) << testing::PrintToString(c.arguments) << result.err;
        EXPECT_EQ(result.out, lines(c.expected)) << testing::PrintToString(c.arguments);
    }

    // A list file's folders are walked the same way.
    writeFile(m_files / "list.txt", tree + "\n" + single + "\n");
    ProcessResult listed = run({"--dry-run", "--template", "t", "-r", "--list", (m_files / "list.txt").string()});
    EXPECT_EQ(listed.status, 0) << listed.err;
    EXPECT_EQ(listed.out, lines({tree + "/p9", tree + "/p10", tree + "/sub/p1", single}));
}

// The run renames a file once per action: what each action's path meets counts.
TEST_F(CliRun, DryRunReportsWhatAFileMeetsOnItsWayThroughTheChain)
{
    m_program.writeTemplate("twice", {slowRename(0, "Первое"), slowRename(0, "Второе")});
    std::vector<std::string> paths = makeFiles({"f", "f.done", "g", "g.done"});
    const std::string &f = paths[0], &taken = paths[1], &g = paths[2], &gDone = paths[3];

    ProcessResult met = run({"--dry-run", "--template", "twice", f});
    EXPECT_EQ(met.status, 3) << met.err;
    EXPECT_EQ(met.out, f + "\t" + f + ".done.done\n");
    EXPECT_NE(met.err.find("промежуточный путь уже занят: " + taken + " (для " + f + " → " + f + ".done.done)"),
              std::string::npos) << met.err;

    // g.done goes on to g.done.done.done before g's turn: g's way is free.
    ProcessResult freed = run({"--dry-run", "--template", "twice", gDone, g});
    EXPECT_EQ(freed.status, 0) << freed.err;
    EXPECT_EQ(freed.err, "");
}

// The fixture writes the calls it saw from a static destructor and stays
// loaded to the end of the process, like modules built elsewhere.
class CliCallLog : public CliRun
{
protected:
    void SetUp() override
    {
        CliRun::SetUp();
        m_log = m_program.path() / "calls.log";
        setenv("BRENMARK_FIXTURE_LOG", m_log.c_str(), 1);
        m_program.writeTemplate("t", {slowRename()});
    }
    void TearDown() override { unsetenv("BRENMARK_FIXTURE_LOG"); }

    std::string calls() { return fs::exists(m_log) ? readFile(m_log) : std::string("(no log)"); }

    fs::path m_log;
};

TEST_F(CliCallLog, WhatModulesWriteAtTheEndOfTheProcessIsKept)
{
    std::string path = makeFiles({"a"}).front();
    ProcessResult result = run({"--template", "t", path});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(calls(), "run 0 " + path + "\n");
}

// Only the paths the list keeps are previewed, each once, with its index in the list.
TEST_F(CliCallLog, DryRunPreviewsTheKeptRowsWithTheirListIndices)
{
    std::vector<std::string> paths = makeFiles({"a", "b"});
    fs::create_directory(m_files / "folder");
    writeFile(m_files / "list.txt",
              paths[0] + "\n" + (m_files / "folder").string() + "\n" + (m_files / "missing").string() + "\n" + paths[1]);
    ProcessResult result = run({"--dry-run", "--template", "t", "--list", (m_files / "list.txt").string()});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(calls(), "preview 0 " + paths[0] + "\npreview 1 " + paths[1] + "\n");
}
