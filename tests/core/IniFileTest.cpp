#include "options/core/IniDocument.h"
#include "options/core/IniFile.h"
#include "options/core/IniValue.h"
#include "options/core/IniWriteError.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

using namespace brenmark;

namespace {

QByteArray edited(const QByteArray &before, const std::function<void(IniDocument &)> &edit)
{
    IniDocument document = IniDocument::fromBytes(before);
    edit(document);
    return document.toBytes();
}

} // namespace

TEST(IniDocument, ReadsHandEditedFiles)
{
    const IniDocument document = IniDocument::fromBytes(
        "stray=before any section\r\n"
        "  [ Main ]  \r\n"
        "Gen_AutoSave =  5 \r\n"
        "template= my = name\t\r\n"
        "no equals sign here\r\n"
        "[view]\r\n"
        "empty=\r\n"
        "[MAIN]\r\n"
        "second_block=yes\r\n"
        "gen_autosave=0\r\n");
    struct Case { const char *section, *key; std::optional<QString> value; };
    const Case cases[] = {
        {"MAIN", "gen_autosave", QStringLiteral("5")},     // case of names ignored, blanks cut
        {"main", "TEMPLATE", QStringLiteral("my = name")}, // after the first "=" only
        {"VIEW", "empty", QString()},
        {"MAIN", "second_block", QStringLiteral("yes")},   // a repeated section counts as one
        {"MAIN", "stray", std::nullopt},                   // lines before any section are not read
        {"MAIN", "no equals sign here", std::nullopt},
        {"OTHER", "gen_autosave", std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        EXPECT_EQ(document.value(QString::fromLatin1(c.section), QString::fromLatin1(c.key)), c.value);
    }
    EXPECT_EQ(document.keys(QStringLiteral("main")),
              (QStringList{QStringLiteral("Gen_AutoSave"), QStringLiteral("template"), QStringLiteral("second_block")}));
}

TEST(IniDocument, WritesKeysInPlaceAtSectionEndOrInNewSection)
{
    struct Case { const char *name; QByteArray before; const char *section, *key, *value; QByteArray after; };
    const Case cases[] = {
        {"replaced in place, spelling of key kept", "[MAIN]\nA=1\nGen_Autosave = 1\nB=2\n", "main", "gen_autosave", "0",
         "[MAIN]\nA=1\nGen_Autosave =0\nB=2\n"},
        {"appended after the section's last key", "[MAIN]\nA=1\n\n[VIEW]\nX=1\n", "MAIN", "b", "2",
         "[MAIN]\nA=1\nb=2\n\n[VIEW]\nX=1\n"},
        {"missing section appended", "[MAIN]\nA=1", "VIEW", "x", "y", "[MAIN]\nA=1\n\n[VIEW]\nx=y\n"},
        {"empty file", "", "MAIN", "template", "~autosave", "[MAIN]\ntemplate=~autosave\n"},
        {"line breaks of the file kept", "[MAIN]\r\nA=1\r\n", "MAIN", "B", "2", "[MAIN]\r\nA=1\r\nB=2\r\n"},
        {"last line without break", "[MAIN]\nA=1", "MAIN", "B", "2", "[MAIN]\nA=1\nB=2\n"},
        {"byte-order mark skipped and kept", "\xEF\xBB\xBF[MAIN]\nA=1\n", "MAIN", "A", "0", "\xEF\xBB\xBF[MAIN]\nA=0\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(edited(c.before, [&](IniDocument &d) {
                      d.setValue(QString::fromLatin1(c.section), QString::fromLatin1(c.key), QString::fromUtf8(c.value));
                  }),
                  c.after);
    }
}

// Found by fuzzing: a last line ending in "\r" without "\n" lost a byte of its
// value each time the file was written back.
TEST(IniDocument, WritingBackKeepsTheValuesOfOtherKeys)
{
    for (const QByteArray &before : {QByteArray("[MAIN]\r\nrun_files=-1\r\r"), QByteArray("[MAIN]\nx=1\r"),
                                     QByteArray("[MAIN]\r\nx=a\rb\r\n")}) {
        SCOPED_TRACE(before.toStdString());
        IniDocument document = IniDocument::fromBytes(before);
        const QStringList keys = document.keys(QStringLiteral("MAIN"));
        ASSERT_EQ(keys.size(), 1);
        const auto value = document.value(QStringLiteral("MAIN"), keys[0]);
        document.setValue(QStringLiteral("VIEW"), QStringLiteral("k"), QStringLiteral("v"));
        EXPECT_EQ(IniDocument::fromBytes(document.toBytes()).value(QStringLiteral("MAIN"), keys[0]), value);
    }
}

TEST(IniDocument, ErasesEveryBlockOfASection)
{
    EXPECT_EQ(edited("[MAIN]\nA=1\n[modules]\nx.so=0\n\n[VIEW]\nB=2\n[MODULES]\ny.so=0\n",
                     [](IniDocument &d) { d.eraseSection(QStringLiteral("MODULES")); }),
              "[MAIN]\nA=1\n[VIEW]\nB=2\n");
}

TEST(IniDocument, RefusesKeysAndValuesTheFormatCannotHold)
{
    IniDocument document;
    for (const QString &key : {QString(), QStringLiteral("a=b"), QStringLiteral("[x]"), QStringLiteral("a\nb"),
                               QStringLiteral(" padded")})
        EXPECT_THROW(document.setValue(QStringLiteral("MAIN"), key, QStringLiteral("1")), std::invalid_argument);
    EXPECT_THROW(document.setValue(QStringLiteral("MAIN"), QStringLiteral("template"), QStringLiteral("a\r\nb")),
                 std::invalid_argument);
    EXPECT_TRUE(document.toBytes().isEmpty());
}

TEST(IniValue, IntegerForms)
{
    struct Case { const char *text; std::optional<std::int32_t> value; };
    const Case cases[] = {
        {"0", 0}, {"5", 5}, {"-12", -12}, {"+7", 7}, {"$1F", 31}, {"$ff", 255}, {"0x10", 16}, {"0X10", 16},
        {"$FFFFFFFF", -1}, {"2147483647", 2147483647}, {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt}, {"$123456789", std::nullopt}, {"yes", std::nullopt}, {"", std::nullopt},
        {"1.5", std::nullopt}, {"$", std::nullopt}, {"0x", std::nullopt}, {"12a", std::nullopt}, {"-", std::nullopt},
        {"１", std::nullopt}, // a full-width digit is not a number here
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseIniInteger(QString::fromUtf8(c.text)), c.value);
    }
}

TEST(IniFile, ReadsBooleansAndIntegersWithDefaults)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("options.ini"));
    writeBytes(path, "[MAIN]\nfive=5\nzero=0\nyes=yes\nhex=$10\nempty=\n");
    const IniFile file(path);
    EXPECT_TRUE(file.readBool(QStringLiteral("MAIN"), QStringLiteral("five"), false));
    EXPECT_FALSE(file.readBool(QStringLiteral("MAIN"), QStringLiteral("zero"), true));
    EXPECT_TRUE(file.readBool(QStringLiteral("MAIN"), QStringLiteral("yes"), true));
    EXPECT_FALSE(file.readBool(QStringLiteral("MAIN"), QStringLiteral("yes"), false));
    EXPECT_FALSE(file.readBool(QStringLiteral("MAIN"), QStringLiteral("empty"), false));
    EXPECT_EQ(file.readInteger(QStringLiteral("MAIN"), QStringLiteral("hex"), 0), 16);
    EXPECT_EQ(file.readInteger(QStringLiteral("MAIN"), QStringLiteral("missing"), 42), 42);
    EXPECT_EQ(IniFile(dir.filePath(QStringLiteral("none.ini"))).readString(QStringLiteral("MAIN"), QStringLiteral("a"), QStringLiteral("d")),
              QStringLiteral("d"));
}

TEST(IniFile, WritingCreatesTheFileAndLeavesNoTemporaryFiles)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("options.ini"));
    IniFile file(path);
    file.writeBool(QStringLiteral("MAIN"), QStringLiteral("gen_autosave"), true);
    file.writeInteger(QStringLiteral("VIEW"), QStringLiteral("flist_font_size"), 10);
    file.writeString(QStringLiteral("MAIN"), QStringLiteral("template"), QStringLiteral("Фото"));
    file.eraseSection(QStringLiteral("NONE"));
    EXPECT_EQ(readBytes(path), QByteArray("[MAIN]\ngen_autosave=1\ntemplate=Фото\n\n[VIEW]\nflist_font_size=10\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("options.ini")});
}

TEST(IniFile, UnwritableFileRaisesUnableToWrite)
{
    QTemporaryDir dir;
    // A regular file where the folder should be: no user, root included, can write below it.
    writeBytes(dir.filePath(QStringLiteral("blocker")), "x");
    const QString path = dir.filePath(QStringLiteral("blocker/options.ini"));
    IniFile file(path);
    try {
        file.writeBool(QStringLiteral("MAIN"), QStringLiteral("gen_autosave"), true);
        FAIL() << "no error raised";
    } catch (const IniWriteError &error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + path.toStdString() + ": " + std::strerror(ENOTDIR));
    }
    EXPECT_THROW(file.writeString(QStringLiteral("MAIN"), QStringLiteral("template"), QStringLiteral("x")), IniWriteError);
}

// A full disk: the write fails part way, and a small write reports that only
// when it is flushed. The old file must stay as it was.
TEST(IniFile, WriteCutShortLeavesTheFileByteForByte)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("options.ini"));
    QByteArray before = "[MAIN]\n";
    for (int i = 0; i < 300; ++i)
        before += "key" + QByteArray::number(i) + "=some value\n";
    writeBytes(path, before);
    IniFile file(path);
    {
        const FileSizeLimit limit(1024);
        try {
            file.writeBool(QStringLiteral("VIEW"), QStringLiteral("zebra_style"), false);
            FAIL() << "no error raised";
        } catch (const IniWriteError &error) {
            EXPECT_EQ(std::string(error.what()), "Unable to write to " + path.toStdString() + ": " + std::strerror(EFBIG));
        }
    }
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("options.ini")});
}
