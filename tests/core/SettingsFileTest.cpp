#include "options/core/ColorResolving.h"
#include "options/core/IniFile.h"
#include "options/core/IniWriteError.h"
#include "options/core/SettingsFile.h"
#include "tests/support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

using namespace brenmark;

namespace {

class SettingsFileTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("options.ini"));
};

} // namespace

TEST_F(SettingsFileTest, MissingFileGivesDefaultsAndIsNotCreated)
{
    const Settings settings = LoadSettings(path);
    EXPECT_TRUE(settings.autosave);
    EXPECT_FALSE(settings.noPreview);
    EXPECT_TRUE(settings.runFiles);
    EXPECT_TRUE(settings.disabledModules.isEmpty());
    EXPECT_TRUE(settings.actionGrouping);
    EXPECT_EQ(settings.fileListFontName, QStringLiteral("Tahoma"));
    EXPECT_EQ(settings.fileListFontSize, 8);
    EXPECT_TRUE(settings.showIcons);
    EXPECT_TRUE(settings.showNameChanges);
    EXPECT_EQ(settings.nameChangeColor, 0x00008000u);
    EXPECT_TRUE(settings.showPathChanges);
    EXPECT_EQ(settings.pathChangeStyle, PathChangeStyle::Bold);
    EXPECT_TRUE(settings.zebraStyle);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(readTemplateName(path), QStringLiteral("~autosave"));
}

TEST_F(SettingsFileTest, HandEditedValuesAndUnconvertibleOnes)
{
    writeBytes(path, "[main]\nGEN_AUTOSAVE=5\nno_preview = yes\nrun_files=0\ntemplate = Фото 2 \n"
                     "[Modules]\nRename.SO=1\nother.so\nCase.so=0\n"
                     "[VIEW]\nact_grouping=0x0\nflist_font_name= DejaVu Sans \nflist_font_size=$C\n"
                     "show_icons=-1\nfname_ed_col=clwindowtext\nfpath_ed_st=7\nzebra_style=\n");
    const Settings settings = LoadSettings(path);
    EXPECT_TRUE(settings.autosave);            // "5" is on
    EXPECT_FALSE(settings.noPreview);          // "yes" is not a number: default
    EXPECT_FALSE(settings.runFiles);
    EXPECT_EQ(settings.disabledModules, (QStringList{QStringLiteral("Rename.SO"), QStringLiteral("Case.so")}));
    EXPECT_FALSE(settings.actionGrouping);
    EXPECT_EQ(settings.fileListFontName, QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(settings.fileListFontSize, 12);
    EXPECT_TRUE(settings.showIcons);
    EXPECT_EQ(settings.nameChangeColor, systemColorBase + 8);
    EXPECT_EQ(settings.pathChangeStyle, PathChangeStyle::Bold); // outside 0..3: default
    EXPECT_TRUE(settings.zebraStyle);                           // empty: default
    EXPECT_EQ(readTemplateName(path), QStringLiteral("Фото 2"));
}

TEST_F(SettingsFileTest, UnknownColourAndBadFontSizeFallBack)
{
    writeBytes(path, "[VIEW]\nfname_ed_col=clPink\nflist_font_size=0\nfpath_ed_st=2\n");
    const Settings settings = LoadSettings(path);
    EXPECT_EQ(settings.nameChangeColor, 0x00008000u);
    EXPECT_EQ(settings.fileListFontSize, 8);
    EXPECT_EQ(settings.pathChangeStyle, PathChangeStyle::Underline);
}

TEST_F(SettingsFileTest, SaveWritesEveryKeyAndKeepsOthers)
{
    writeBytes(path, "[MAIN]\ntemplate=Мой\n[MODULES]\nold.so=0\n[EXTRA]\nkeep=me\n");
    Settings settings;
    settings.noPreview = true;
    settings.disabledModules = {QStringLiteral("a.so"), QStringLiteral("b.so")};
    settings.fileListFontName = QStringLiteral("DejaVu Sans");
    settings.fileListFontSize = 11;
    settings.nameChangeColor = 0x0000FF00;
    settings.pathChangeStyle = PathChangeStyle::StrikeOut;
    settings.zebraStyle = false;
    SaveSettings(path, settings);

    EXPECT_EQ(readBytes(path), QByteArray("[MAIN]\ntemplate=Мой\ngen_autosave=1\nno_preview=1\nrun_files=1\n"
                                          "[EXTRA]\nkeep=me\n\n"
                                          "[MODULES]\na.so=0\nb.so=0\n\n"
                                          "[VIEW]\nact_grouping=1\nflist_font_name=DejaVu Sans\nflist_font_size=11\n"
                                          "show_fname_ed=1\nfname_ed_col=clLime\nshow_fpath_ed=1\nfpath_ed_st=3\n"
                                          "zebra_style=0\nshow_icons=1\n"));
    EXPECT_EQ(LoadSettings(path), settings);
    EXPECT_EQ(readTemplateName(path), QStringLiteral("Мой"));
}

TEST_F(SettingsFileTest, NoDisabledModuleRemovesTheSection)
{
    writeBytes(path, "[MODULES]\nold.so=0\n");
    SaveSettings(path, Settings{});
    EXPECT_FALSE(readBytes(path).contains("MODULES"));
    EXPECT_TRUE(LoadSettings(path).disabledModules.isEmpty());
}

TEST_F(SettingsFileTest, UnwritableFileStopsWithUnableToWrite)
{
    writeBytes(dir.filePath(QStringLiteral("blocker")), "x");
    const QString blocked = dir.filePath(QStringLiteral("blocker/options.ini"));
    try {
        SaveSettings(blocked, Settings{});
        FAIL() << "no error raised";
    } catch (const IniWriteError &error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + blocked.toStdString() + ": " + std::strerror(ENOTDIR));
    }
    EXPECT_THROW(writeTemplateName(blocked, QStringLiteral("x")), IniWriteError);

    // A key the file cannot hold stops the whole save, not the keys after it.
    const QByteArray before("[MAIN]\ngen_autosave=0\n");
    writeBytes(path, before);
    Settings settings;
    settings.disabledModules = {QStringLiteral("a=b.so")};
    EXPECT_THROW(SaveSettings(path, settings), IniWriteError);
    EXPECT_EQ(readBytes(path), before);
}

TEST(ColorValue, NamesAndDollarFormsBothWays)
{
    struct Case { ColorValue value; const char *text; };
    const Case cases[] = {
        {0x00000000, "clBlack"}, {0x00008000, "clGreen"}, {0x0000FF00, "clLime"}, {0x000000FF, "clRed"},
        {0x00FF0000, "clBlue"}, {0x00C0DCC0, "clMoneyGreen"}, {0x00F0CAA6, "clSkyBlue"}, {0x00F0FBFF, "clCream"},
        {0x00A4A0A0, "clMedGray"}, {0x00FFFFFF, "clWhite"}, {0x1FFFFFFF, "clNone"}, {0x20000000, "clDefault"},
        {0xFF00000F, "clBtnFace"}, {0xFF000005, "clWindow"}, {0x00123456, "$00123456"}, {0x00ABCDEF, "$00ABCDEF"},
        {0xFF0000FF, "$FF0000FF"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(colorToString(c.value), QString::fromLatin1(c.text));
        EXPECT_EQ(colorFromString(QString::fromLatin1(c.text)), c.value);
    }
    EXPECT_EQ(colorFromString(QStringLiteral("CLLIME")), 0x0000FF00u);
    EXPECT_EQ(colorFromString(QStringLiteral("$ff")), 0x000000FFu);
    EXPECT_EQ(colorFromString(QStringLiteral("32768")), 0x00008000u);
    EXPECT_EQ(colorFromString(QStringLiteral("0x8000")), 0x00008000u);
    EXPECT_EQ(colorFromString(QStringLiteral("green")), std::nullopt);
    EXPECT_EQ(colorFromString(QString()), std::nullopt);
}

TEST(ColorValue, ResolvesAgainstThePalette)
{
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Base, QColor(1, 2, 3));
    palette.setColor(QPalette::Active, QPalette::Text, QColor(4, 5, 6));
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(7, 8, 9));
    const QColor fallback(100, 100, 100);
    EXPECT_EQ(resolveColor(0x000000FF, palette, fallback), QColor(255, 0, 0));
    EXPECT_EQ(resolveColor(0x00F0CAA6, palette, fallback), QColor(0xA6, 0xCA, 0xF0));
    EXPECT_EQ(resolveColor(*colorFromString(QStringLiteral("clWindow")), palette, fallback), QColor(1, 2, 3));
    EXPECT_EQ(resolveColor(*colorFromString(QStringLiteral("clWindowText")), palette, fallback), QColor(4, 5, 6));
    EXPECT_EQ(resolveColor(*colorFromString(QStringLiteral("clHighlight")), palette, fallback), QColor(7, 8, 9));
    EXPECT_EQ(resolveColor(colorDefault, palette, fallback), fallback);
    EXPECT_EQ(resolveColor(systemColorBase + 200, palette, fallback), fallback);
    EXPECT_EQ(resolveColor(colorNone, palette, fallback).alpha(), 0);
    EXPECT_EQ(colorValueFromRgb(QColor(0x12, 0x34, 0x56)), 0x00563412u);
}
