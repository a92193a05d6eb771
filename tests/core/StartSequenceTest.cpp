#include "main/core/chain/ActionChainModel.h"
#include "main/core/modulehost/ModuleLibrary.h"
#include "main/core/modulehost/ProgramPaths.h"
#include "main/core/shell/ChainAutosave.h"
#include "main/core/shell/StartSequence.h"
#include "main/core/shell/StartupFiles.h"
#include "main/core/templates/TemplateChain.h"
#include "main/core/templates/TemplateFormat.h"
#include "main/core/templates/TemplateList.h"
#include "options/core/IniFile.h"
#include "options/core/SettingsFile.h"
#include "options/core/NameBytes.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <linux/fs.h>
#include <optional>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace brenmark;

namespace {

// Records the steps in the order the sequence calls them.
class RecordingHost : public StartSequenceHost
{
public:
    QString programDir;
    bool autosave = true;
    bool listFileFails = false;
    bool loadFails = false;
    QStringList steps;
    bool exitOnFinal = false;
    int selected = -2;

    void setButtonImages() override { steps << QStringLiteral("images"); }
    void loadSettings() override { steps << QStringLiteral("settings"); }
    void createFileIconList() override
    {
        steps << QStringLiteral("icons");
        EXPECT_TRUE(QFileInfo(templatesDirectory(programDir)).isDir());
    }
    void computeSelectionTint() override { steps << QStringLiteral("tint"); }
    void setExitOnFinal(bool checked) override
    {
        exitOnFinal = checked;
        steps << QStringLiteral("exit ") + (checked ? QStringLiteral("on") : QStringLiteral("off"));
    }
    void appendListFile(const std::string &path) override
    {
        steps << QStringLiteral("list ") + QString::fromStdString(path);
        if (listFileFails)
            throw std::runtime_error("File not found");
    }
    void updateFileCount() override { steps << QStringLiteral("count"); }
    void loadModules() override { steps << QStringLiteral("modules"); }
    QStringList fillTemplateList() override
    {
        steps << QStringLiteral("templates");
        return FillTemplateList(templatesDirectory(programDir));
    }
    bool autosaveEnabled() const override { return autosave; }
    void selectTemplateEntry(int index) override
    {
        selected = index;
        steps << QStringLiteral("select %1").arg(index);
    }
    void loadTemplate(const QString &path) override
    {
        steps << QStringLiteral("load ") + QFileInfo(path).fileName();
        if (loadFails)
            throw std::runtime_error("Read beyond end of file");
    }
    void rebuildPreview() override { steps << QStringLiteral("preview"); }
};

class StartSequenceTest : public ::testing::Test
{
protected:
    void SetUp() override { host.programDir = programDir; }

    QString ini() const { return optionsIniPath(programDir); }
    void makeTemplate(const QString &name) { TemplateFormat::writeFile(templatePath(programDir, name), {}); }

    QTemporaryDir dir;
    QString programDir = dir.path() + QStringLiteral("/");
    RecordingHost host;
};

// A folder the process cannot write: its mode for a user, and for root, whom
// modes do not stop, the immutable flag as well. nullopt from make() when
// neither works here.
class ReadOnlyFolder
{
public:
    static std::optional<QString> make(const QString &path)
    {
        const QByteArray bytes = QFile::encodeName(path);
        ::chmod(bytes.constData(), 0555);
        if (::access(bytes.constData(), W_OK) != 0)
            return path;
        setImmutable(bytes, true);
        return ::access(bytes.constData(), W_OK) != 0 ? std::optional<QString>(path) : std::nullopt;
    }
    static void undo(const QString &path)
    {
        const QByteArray bytes = QFile::encodeName(path);
        setImmutable(bytes, false);
        ::chmod(bytes.constData(), 0755);
    }

private:
    static void setImmutable(const QByteArray &path, bool on)
    {
        const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY);
        if (fd < 0)
            return;
        int flags = 0;
        if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
            ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
        }
        ::close(fd);
    }
};

// Sets an environment variable (or unsets it with nullopt) for one scope.
class ScopedEnvironment
{
public:
    ScopedEnvironment(const char *name, std::optional<QByteArray> value)
        : m_name(name), m_old(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt)
    {
        set(value);
    }
    ~ScopedEnvironment() { set(m_old); }

private:
    void set(const std::optional<QByteArray> &value)
    {
        if (value)
            qputenv(m_name, *value);
        else
            qunsetenv(m_name);
    }
    const char *m_name;
    std::optional<QByteArray> m_old;
};

const QStringList firstSteps{QStringLiteral("images"), QStringLiteral("settings"), QStringLiteral("icons"),
                             QStringLiteral("tint")};

} // namespace

TEST_F(StartSequenceTest, RunsEveryStepInOrderAndRestoresTheAutosave)
{
    ASSERT_TRUE(QDir().mkpath(templatesDirectory(programDir)));
    makeTemplate(QStringLiteral("~autosave"));
    runStartSequence(host, programDir, {});
    EXPECT_EQ(host.steps, (firstSteps + QStringList{QStringLiteral("exit off"), QStringLiteral("count"),
                                                    QStringLiteral("modules"), QStringLiteral("templates"),
                                                    QStringLiteral("select 1"), QStringLiteral("load ~autosave.ptp")}));
}

// The chain is not the recorded template's: left selected, its name would be
// recorded at exit instead of the chain; and the rows need their new names.
TEST_F(StartSequenceTest, FailedRestoreSelectsTheEmptyEntryAndRebuildsThePreview)
{
    ASSERT_TRUE(QDir().mkpath(templatesDirectory(programDir)));
    makeTemplate(QStringLiteral("~autosave"));
    host.loadFails = true;
    EXPECT_THROW(runStartSequence(host, programDir, {}), std::runtime_error);
    EXPECT_EQ(host.steps.mid(host.steps.size() - 4),
              (QStringList{QStringLiteral("select 1"), QStringLiteral("load ~autosave.ptp"), QStringLiteral("select 0"),
                           QStringLiteral("preview")}));
}

TEST_F(StartSequenceTest, ListFileChecksExitOnFinalEvenWhenItCannotBeRead)
{
    host.listFileFails = true;
    EXPECT_THROW(runStartSequence(host, programDir, "/no/such/list.txt"), std::runtime_error);
    EXPECT_TRUE(host.exitOnFinal);
    EXPECT_EQ(host.steps, (firstSteps + QStringList{QStringLiteral("exit on"), QStringLiteral("list /no/such/list.txt")}));
}

TEST_F(StartSequenceTest, TemplatesFolderThatCannotBeCreatedStopsTheSequence)
{
    writeBytes(programDir + QStringLiteral("Templates"), "a file in the way");
    try {
        runStartSequence(host, programDir, {});
        FAIL() << "no error raised";
    } catch (const StartupError &error) {
        EXPECT_NE(std::string(error.what()).find("Templates"), std::string::npos) << error.what();
    }
    EXPECT_EQ(host.steps, (QStringList{QStringLiteral("images"), QStringLiteral("settings")}));

    QTemporaryDir other;
    EXPECT_THROW(ensureTemplatesDirectory(other.path() + QStringLiteral("/missing/parent/")), StartupError);
}

TEST_F(StartSequenceTest, ChoosesTheTemplateToRestore)
{
    ASSERT_TRUE(QDir().mkpath(templatesDirectory(programDir)));
    const QString foreign = nameFromBytes("\xD2\xE5\xF1\xF2"); // "Тест" in Windows-1251
    for (const QString &name : {QStringLiteral("~autosave"), QStringLiteral("Photos"), QStringLiteral("photos"),
                                QStringLiteral("Other"), foreign})
        makeTemplate(name);
    const QStringList entries{QString(), QStringLiteral("~autosave"), QStringLiteral("Photos"),
                              QStringLiteral("photos"), QStringLiteral("Other"), foreign};
    struct Case { const char *what; bool autosave; QByteArray ini; std::optional<QString> file; int entry; };
    const Case cases[] = {
        {"no options.ini: the automatic template", true, {}, QStringLiteral("~autosave"), 1},
        {"recorded name", true, "[MAIN]\ntemplate=Other\n", QStringLiteral("Other"), 4},
        {"same spelling wins", true, "[MAIN]\ntemplate=photos\n", QStringLiteral("photos"), 3},
        {"missing file", true, "[MAIN]\ntemplate=Gone\n", std::nullopt, -1},
        {"autosave off", false, "[MAIN]\ntemplate=Other\n", std::nullopt, -1},
        {"name leading out of the folder", true, "[MAIN]\ntemplate=../Templates/Other\n", std::nullopt, -1},
        {"name in another encoding", true, "[MAIN]\ntemplate=\xD2\xE5\xF1\xF2\n", foreign, 5},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(ini());
        if (!c.ini.isEmpty())
            writeBytes(ini(), c.ini);
        const auto restore = templateToRestore(c.autosave, programDir, entries);
        ASSERT_EQ(restore.has_value(), c.file.has_value());
        if (restore) {
            EXPECT_EQ(restore->path, templatePath(programDir, *c.file));
            EXPECT_EQ(restore->entryIndex, c.entry);
        }
    }
    // A template that exists but is not listed is loaded with no entry selected.
    writeBytes(ini(), "[MAIN]\ntemplate=Other\n");
    EXPECT_EQ(templateToRestore(true, programDir, {QString()})->entryIndex, -1);
}

TEST_F(StartSequenceTest, WithoutATemplateOnlyThePreviewIsRebuilt)
{
    host.autosave = false;
    runStartSequence(host, programDir, {});
    EXPECT_EQ(host.steps.mid(host.steps.size() - 2), (QStringList{QStringLiteral("templates"), QStringLiteral("preview")}));
    EXPECT_EQ(host.selected, -2);
}

TEST_F(StartSequenceTest, ShutDownWritesOnlyWhatTheStateCallsFor)
{
    struct Case {
        const char *what;
        ShutdownChainState state;
        bool chainSaved;
        QString recorded; // the "template" key afterwards
    };
    const Case cases[] = {
        {"built by hand", {true, 2, 0, QString()}, true, QStringLiteral("~autosave")},
        {"nothing selected yet", {true, 1, -1, QString()}, true, QStringLiteral("~autosave")},
        {"a named template", {true, 3, 2, QStringLiteral("Фото")}, false, QStringLiteral("Фото")},
        {"empty chain", {true, 0, 0, QString()}, false, QStringLiteral("before")},
        {"autosave off", {false, 2, 0, QString()}, false, QStringLiteral("before")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        writeBytes(ini(), "[MAIN]\ntemplate=before\n");
        QStringList saved;
        autosaveChain(c.state, programDir, [&](const QString &path) { saved << path; });
        EXPECT_EQ(saved, c.chainSaved ? QStringList{templatePath(programDir, QStringLiteral("~autosave"))} : QStringList());
        EXPECT_EQ(readTemplateName(ini()), c.recorded);
    }
}

TEST_F(StartSequenceTest, ShutDownIgnoresAnUnwritableIniButNotAFailedSave)
{
    writeBytes(programDir + QStringLiteral("blocked"), "x");
    const QString blockedDir = programDir + QStringLiteral("blocked/");
    bool saved = false;
    EXPECT_NO_THROW(autosaveChain({true, 1, 0, QString()}, blockedDir, [&](const QString &) { saved = true; }));
    EXPECT_TRUE(saved);
    EXPECT_NO_THROW(autosaveChain({true, 1, 1, QStringLiteral("x")}, blockedDir, {}));

    // A full disk: no message either, and options.ini stays as it was.
    QByteArray full = "[MAIN]\ntemplate=before\n[VIEW]\n";
    while (full.size() < 6000)
        full += "key" + QByteArray::number(full.size()) + "=value\n";
    writeBytes(ini(), full);
    {
        const FileSizeLimit limit(1024);
        EXPECT_NO_THROW(autosaveChain({true, 1, 1, QStringLiteral("x")}, programDir, {}));
    }
    EXPECT_EQ(readBytes(ini()), full);

    writeBytes(ini(), "[MAIN]\ntemplate=before\n");
    EXPECT_THROW(autosaveChain({true, 1, 0, QString()}, programDir,
                               [](const QString &) { throw std::runtime_error("disk full"); }),
                 std::runtime_error);
    EXPECT_EQ(readTemplateName(ini()), QStringLiteral("before"));
}

// Start, change the chain, close, start again: the chain comes back from
// "~autosave", which is then the selected entry.
TEST_F(StartSequenceTest, ChainSurvivesARestart)
{
    std::string error;
    auto library = ModuleLibrary::open(std::string(BRENMARK_FIXTURE_DIR) + "/fixture_tpl_alpha.so", &error);
    ASSERT_TRUE(library) << error;
    const ActionItemFinder find = [&](const std::string &file) -> ActionItemLookup {
        return file == "alpha.so" ? ActionItemLookup{library->handle(), 7} : ActionItemLookup{};
    };

    // A host that drives a real chain and template list.
    class ChainHost : public RecordingHost
    {
    public:
        ActionChainModel chain;
        ActionItemFinder find;
        void loadTemplate(const QString &path) override
        {
            RecordingHost::loadTemplate(path);
            LoadTemplate(chain, path, find);
        }
    };

    ChainHost first;
    first.programDir = programDir;
    first.find = find;
    runStartSequence(first, programDir, {});
    ASSERT_EQ(first.chain.count(), 0);
    auto record = std::make_unique<TListData>();
    record->Module = library->handle();
    record->ModuleFile = "alpha.so";
    record->Options = allocateHostOptions(8);
    record->HostAllocatedOptions = true;
    std::memcpy(record->Options, "OPTIONS!", 8);
    first.chain.appendAction("by hand", 7, false, std::move(record));
    autosaveChain({true, first.chain.count(), 0, QString()}, programDir,
                  [&](const QString &path) { SaveTemplate(first.chain, path); });
    EXPECT_EQ(readTemplateName(ini()), QStringLiteral("~autosave"));

    ChainHost second;
    second.programDir = programDir;
    second.find = find;
    runStartSequence(second, programDir, {});
    ASSERT_EQ(second.chain.count(), 1);
    EXPECT_EQ(second.chain.caption(0), "by hand");
    EXPECT_TRUE(second.chain.isChecked(0));
    EXPECT_EQ(std::memcmp(second.chain.record(0).Options, "OPTIONS!", 8), 0);
    const QStringList entries = FillTemplateList(templatesDirectory(programDir));
    ASSERT_GT(second.selected, 0);
    EXPECT_EQ(entries[second.selected], QStringLiteral("~autosave"));

    // Closing with that entry still selected records the name and writes no template.
    const QByteArray before = readBytes(templatePath(programDir, QStringLiteral("~autosave")));
    bool saved = false;
    autosaveChain({true, 1, second.selected, entries[second.selected]}, programDir,
                  [&](const QString &) { saved = true; });
    EXPECT_FALSE(saved);
    EXPECT_EQ(readBytes(templatePath(programDir, QStringLiteral("~autosave"))), before);
}

// A program directory that can be written keeps everything; one that cannot
// sends settings and templates to the user's configuration folder, whose
// XDG_CONFIG_HOME counts only as an absolute path.
TEST(SettingsDirectoryTest, ChoosesTheProgramDirectoryOnlyWhileItCanBeWritten)
{
    struct Case {
        const char *name;
        bool programDirWritable;
        std::optional<QByteArray> xdgConfigHome; // "<root>" stands for the test's folder
        const char *expected;                    // relative to the test's folder; "" = the program directory
    };
    const Case cases[] = {
        {"writable", true, QByteArray("<root>/xdg"), ""},
        {"read-only, XDG set", false, QByteArray("<root>/xdg"), "xdg/brenmark/"},
        {"read-only, XDG set with a slash", false, QByteArray("<root>/xdg/"), "xdg/brenmark/"},
        {"read-only, XDG unset", false, std::nullopt, "home/.config/brenmark/"},
        {"read-only, XDG empty", false, QByteArray(), "home/.config/brenmark/"},
        {"read-only, XDG relative", false, QByteArray("xdg"), "home/.config/brenmark/"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir root;
        const QString base = root.path() + QStringLiteral("/");
        const QString programDir = base + QStringLiteral("program/");
        ASSERT_TRUE(QDir().mkpath(programDir));
        std::optional<QByteArray> xdg = c.xdgConfigHome;
        if (xdg)
            xdg->replace("<root>", QFile::encodeName(root.path()));
        ScopedEnvironment home("HOME", QFile::encodeName(base + QStringLiteral("home")));
        ScopedEnvironment config("XDG_CONFIG_HOME", xdg);
        if (!c.programDirWritable && !ReadOnlyFolder::make(programDir))
            GTEST_SKIP() << "no way to make a folder read-only here";

        const QString expected = *c.expected ? base + QString::fromUtf8(c.expected) : programDir;
        EXPECT_EQ(settingsDirectory(programDir), expected);
        EXPECT_TRUE(QFileInfo(expected).isDir());
        EXPECT_EQ(optionsIniPath(programDir), expected + QStringLiteral("options.ini"));
        EXPECT_EQ(templatePath(programDir, QStringLiteral("t")), expected + QStringLiteral("Templates/t.ptp"));
        EXPECT_EQ(runJournalPath(programDir), expected + QStringLiteral("Undo/"));
        if (c.programDirWritable)
            EXPECT_FALSE(QFileInfo::exists(base + QStringLiteral("xdg"))) << "a portable copy touched the user's folder";
        else
            EXPECT_EQ(QFileInfo(expected).permissions() & 0x0077, 0) << "others may read the settings";
        ReadOnlyFolder::undo(programDir);
    }
}

TEST_F(StartSequenceTest, ReadOnlyProgramDirectoryKeepsTemplatesAndSettingsInTheConfigFolder)
{
    QTemporaryDir config;
    ScopedEnvironment xdg("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    if (!ReadOnlyFolder::make(dir.path()))
        GTEST_SKIP() << "no way to make a folder read-only here";
    const QString settings = config.path() + QStringLiteral("/brenmark/");

    QStringList saved;
    runStartSequence(host, programDir, {});
    autosaveChain({true, 1, 0, QString()}, programDir, [&](const QString &path) {
        saved << path;
        TemplateFormat::writeFile(path, {});
    });
    ReadOnlyFolder::undo(dir.path());

    EXPECT_TRUE(QFileInfo(settings + QStringLiteral("Templates")).isDir());
    EXPECT_EQ(saved, QStringList{settings + QStringLiteral("Templates/~autosave.ptp")});
    EXPECT_EQ(readTemplateName(settings + QStringLiteral("options.ini")), QStringLiteral("~autosave"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
}
