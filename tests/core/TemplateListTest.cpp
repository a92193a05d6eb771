#include "main/core/modulehost/ProgramPaths.h"
#include "main/core/templates/TemplateFormat.h"
#include "main/core/templates/TemplateList.h"
#include "options/core/NameBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <dirent.h>

using namespace brenmark;

namespace {

void touch(const QString &path, const QByteArray &bytes = "x")
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The directory's own order, as readdir gives it.
QStringList readdirOrder(const QString &dir)
{
    QStringList names;
    DIR *handle = opendir(QFile::encodeName(dir).constData());
    while (dirent *entry = readdir(handle)) {
        const QString name = nameFromBytes(entry->d_name);
        if (name.endsWith(QStringLiteral(".ptp")) && entry->d_type == DT_REG)
            names.append(name.chopped(4));
    }
    closedir(handle);
    return names;
}

// Answers the save dialogs from a script and records what was asked.
class ScriptedDialogs : public SaveTemplateDialogs
{
public:
    QStringList names;
    std::vector<ReplaceAnswer> answers;
    QStringList asked;

    QString askTemplateName() override
    {
        asked.append(QStringLiteral("name"));
        return names.isEmpty() ? QString() : names.takeFirst();
    }
    ReplaceAnswer askReplaceTemplate(const QString &name) override
    {
        asked.append(QStringLiteral("replace ") + name);
        ReplaceAnswer answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
};

class TemplateListTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(QDir().mkpath(templatesDirectory(programDir))); }

    std::optional<QString> save(ScriptedDialogs &dialogs, int rows = 1)
    {
        return saveTemplateAs(rows, programDir, dialogs, [&](const QString &path) {
            saved.append(path);
            touch(path);
        });
    }

    QTemporaryDir dir;
    QString programDir = dir.path() + QStringLiteral("/");
    QStringList saved;
};

} // namespace

TEST_F(TemplateListTest, ListsTemplatesInDirectoryOrderAfterTheEmptyEntry)
{
    const QString templates = templatesDirectory(programDir);
    for (const char *name : {"zeta.ptp", "~autosave.ptp", "Alpha.ptp", ".hidden.ptp", "notes.txt", "b.ptp.tmp",
                             "Фото.ptp", "m.PTP"})
        touch(templates + QString::fromUtf8(name));
    QDir(templates).mkdir(QStringLiteral("folder.ptp"));
    // "Тест" in Windows-1251: a name Qt's own listing leaves out.
    const QString foreign = nameFromBytes("\xD2\xE5\xF1\xF2");
    TemplateFormat::writeFile(templatePath(programDir, foreign), {{"a.so", "from 1251", {}}});

    const QStringList entries = FillTemplateList(templates);
    ASSERT_FALSE(entries.isEmpty());
    EXPECT_EQ(entries.front(), QString());
    EXPECT_EQ(entries.mid(1), readdirOrder(templates));
    EXPECT_EQ(QSet<QString>(entries.begin(), entries.end()),
              (QSet<QString>{QString(), QStringLiteral("zeta"), QStringLiteral("~autosave"), QStringLiteral("Alpha"),
                             QStringLiteral(".hidden"), QStringLiteral("Фото"), foreign}));
    // Picked, it is found and read under its own bytes.
    const auto picked = templateForPickedEntry(programDir, static_cast<int>(entries.indexOf(foreign)), foreign);
    ASSERT_TRUE(picked);
    EXPECT_EQ(bytesOfName(*picked), QFile::encodeName(templates) + "\xD2\xE5\xF1\xF2.ptp");
    EXPECT_EQ(TemplateFormat::readFile(*picked).at(0).caption, "from 1251");
    EXPECT_EQ(FillTemplateList(programDir + QStringLiteral("missing/")), QStringList{QString()});
}

TEST_F(TemplateListTest, FindsEntriesBySpellingThenWithoutLetterCase)
{
    const QStringList entries{QString(), QStringLiteral("Photo"), QStringLiteral("photo"), QStringLiteral("~Autosave")};
    EXPECT_EQ(findTemplateEntry(entries, QStringLiteral("photo")), 2);
    EXPECT_EQ(findTemplateEntry(entries, QStringLiteral("PHOTO")), 1);
    EXPECT_EQ(findTemplateEntry(entries, QStringLiteral("~autosave")), 3);
    EXPECT_EQ(findTemplateEntry(entries, QStringLiteral("other")), -1);
}

TEST_F(TemplateListTest, RefusesNamesThatLeaveTheFolderOrTheIniFile)
{
    for (const char *bad : {".", "..", "a/b", "/etc/passwd", "../x", "line\nbreak", "cr\r"}) {
        SCOPED_TRACE(bad);
        EXPECT_TRUE(templateNameProblem(QString::fromUtf8(bad)).startsWith(QStringLiteral("Шаблон «%1»: ").arg(QString::fromUtf8(bad))));
        ScriptedDialogs dialogs;
        dialogs.names = {QString::fromUtf8(bad)};
        EXPECT_THROW(save(dialogs), TemplateNameError);
    }
    for (const char *good : {"Фото 2026", "...", ".x", "a.b", "~autosave", "with\\backslash"})
        EXPECT_TRUE(templateNameProblem(QString::fromUtf8(good)).isEmpty()) << good;
    EXPECT_TRUE(saved.isEmpty());
    EXPECT_EQ(QDir(programDir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{QStringLiteral("Templates")});
}

TEST_F(TemplateListTest, SaveCommandAsksAgainOnNoAndStopsOnCancel)
{
    touch(templatePath(programDir, QStringLiteral("taken")));
    struct Case {
        const char *what;
        QStringList names;
        std::vector<ReplaceAnswer> answers;
        std::optional<QString> result;
        QStringList asked;
    };
    const Case cases[] = {
        {"new name", {QStringLiteral("fresh")}, {}, QStringLiteral("fresh"), {QStringLiteral("name")}},
        {"cancelled input", {}, {}, std::nullopt, {QStringLiteral("name")}},
        {"replace: yes", {QStringLiteral("taken")}, {ReplaceAnswer::Yes}, QStringLiteral("taken"),
         {QStringLiteral("name"), QStringLiteral("replace taken")}},
        {"replace: cancel", {QStringLiteral("taken")}, {ReplaceAnswer::Cancel}, std::nullopt,
         {QStringLiteral("name"), QStringLiteral("replace taken")}},
        {"replace: no, then another name", {QStringLiteral("taken"), QStringLiteral("other")}, {ReplaceAnswer::No},
         QStringLiteral("other"), {QStringLiteral("name"), QStringLiteral("replace taken"), QStringLiteral("name")}},
        {"replace: no, then cancel", {QStringLiteral("taken")}, {ReplaceAnswer::No}, std::nullopt,
         {QStringLiteral("name"), QStringLiteral("replace taken"), QStringLiteral("name")}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        saved.clear();
        ScriptedDialogs dialogs;
        dialogs.names = c.names;
        dialogs.answers = c.answers;
        EXPECT_EQ(save(dialogs), c.result);
        EXPECT_EQ(dialogs.asked, c.asked);
        EXPECT_EQ(saved, c.result ? QStringList{templatePath(programDir, *c.result)} : QStringList());
    }

    ScriptedDialogs untouched;
    untouched.names = {QStringLiteral("x")};
    EXPECT_EQ(save(untouched, 0), std::nullopt);
    EXPECT_TRUE(untouched.asked.isEmpty());
}

TEST_F(TemplateListTest, SavedNameIsSelectedWithoutDuplicates)
{
    QStringList entries{QString(), QStringLiteral("one"), QStringLiteral("two")};
    EXPECT_EQ(selectSavedTemplate(entries, QStringLiteral("two")), 2);
    EXPECT_EQ(entries.size(), 3);
    EXPECT_EQ(selectSavedTemplate(entries, QStringLiteral("three")), 3);
    EXPECT_EQ(entries.back(), QStringLiteral("three"));
    EXPECT_EQ(selectSavedTemplate(entries, QStringLiteral("ONE")), 4); // another file on this system
}

TEST_F(TemplateListTest, PickedEntryLoadsOnlyAnExistingTemplate)
{
    touch(templatePath(programDir, QStringLiteral("here")));
    touch(templatePath(programDir, QString())); // a file named ".ptp" must not make the empty entry load
    QDir(templatesDirectory(programDir)).mkdir(QStringLiteral("folder.ptp"));
    EXPECT_EQ(templateForPickedEntry(programDir, 1, QStringLiteral("here")), templatePath(programDir, QStringLiteral("here")));
    EXPECT_EQ(templateForPickedEntry(programDir, 0, QString()), std::nullopt);
    EXPECT_EQ(templateForPickedEntry(programDir, 2, QStringLiteral("gone")), std::nullopt);
    EXPECT_EQ(templateForPickedEntry(programDir, 3, QStringLiteral("folder")), std::nullopt);
}
