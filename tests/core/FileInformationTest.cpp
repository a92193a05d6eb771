#include "information/core/FileInformation.h"
#include "information/core/FilePathParts.h"
#include "information/core/FileSize.h"
#include "information/core/ManualRename.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

using namespace brenmark;

namespace {

void writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(FormatFileSize, ScaledValueAndGroupedBytes)
{
    const struct {
        std::uint64_t size;
        const char *point;
        const char *comma;
    } cases[] = {
        {0, "0.00 B (0 байт)", "0,00 B (0 байт)"},
        {1000, "1000.00 B (1 000 байт)", "1000,00 B (1 000 байт)"},
        {1023, "1023.00 B (1 023 байт)", "1023,00 B (1 023 байт)"},
        {1024, "1.00 KB (1 024 байт)", "1,00 KB (1 024 байт)"},
        {1536, "1.50 KB (1 536 байт)", "1,50 KB (1 536 байт)"},
        {1048576, "1.00 MB (1 048 576 байт)", "1,00 MB (1 048 576 байт)"},
        {5ull << 30, "5.00 GB (5 368 709 120 байт)", "5,00 GB (5 368 709 120 байт)"},
        {3ull << 40, "3.00 TB (3 298 534 883 328 байт)", "3,00 TB (3 298 534 883 328 байт)"},
        {2048ull << 40, "2048.00 TB (2 251 799 813 685 248 байт)", "2048,00 TB (2 251 799 813 685 248 байт)"},
        {UINT64_MAX, "16777216.00 TB (18 446 744 073 709 551 615 байт)",
         "16777216,00 TB (18 446 744 073 709 551 615 байт)"},
    };
    const QLocale point(QLocale::English, QLocale::UnitedStates);
    const QLocale comma(QLocale::Russian, QLocale::Russia);
    for (const auto &c : cases) {
        EXPECT_EQ(FormatFileSize(c.size, point).toStdString(), c.point) << c.size;
        EXPECT_EQ(FormatFileSize(c.size, comma).toStdString(), c.comma) << c.size;
    }
}

TEST(FormatFileSize, GroupsKeepLeadingZeros)
{
    EXPECT_EQ(groupedDigits(999).toStdString(), "999");
    EXPECT_EQ(groupedDigits(1005).toStdString(), "1 005");
    EXPECT_EQ(groupedDigits(1000001).toStdString(), "1 000 001");
    EXPECT_EQ(groupedDigits(123456).toStdString(), "123 456");
}

TEST(FilePathParts, NameAndFolder)
{
    EXPECT_EQ(fileNamePart("/home/u/a.txt"), "a.txt");
    EXPECT_EQ(folderPart("/home/u/a.txt"), "/home/u/");
    EXPECT_EQ(fileNamePart("a.txt"), "a.txt");
    EXPECT_EQ(folderPart("a.txt"), "");
    EXPECT_EQ(fileNamePart(""), "");
    EXPECT_EQ(folderPart("/home/u/"), "/home/u/");
}

TEST(FileInformation, NowAndAfterColumns)
{
    QTemporaryDir folder;
    const QString digits = folder.filePath(".digits.txt");
    writeFile(digits, "123456789");
    const auto information = collectFileInformation(digits, [&](const QString &path) {
        EXPECT_EQ(path, digits);
        return folder.filePath("out/DIGITS.TXT");
    });
    EXPECT_EQ(information.nameNow, ".digits.txt");
    EXPECT_EQ(information.folderNow, folder.path() + "/");
    EXPECT_TRUE(information.hiddenNow);
    EXPECT_FALSE(information.readOnlyNow);
    EXPECT_EQ(information.size, 9u);
    EXPECT_EQ(information.sizeText.toStdString(), FormatFileSize(9).toStdString());
    EXPECT_EQ(information.crcText, "CBF43926");
    EXPECT_EQ(information.nameAfter, "DIGITS.TXT");
    EXPECT_EQ(information.folderAfter, folder.path() + "/out/");
}

TEST(FileInformation, EmptyReadOnlyFileWithThePreviewOff)
{
    QTemporaryDir folder;
    const QString empty = folder.filePath("empty");
    writeFile(empty, "");
    ASSERT_EQ(::chmod(QFile::encodeName(empty).constData(), 0444), 0);
    const auto information = collectFileInformation(empty, [](const QString &) { return QString(); });
    EXPECT_FALSE(information.hiddenNow);
    EXPECT_TRUE(information.readOnlyNow);
    EXPECT_EQ(information.crcText, "00000000");
    EXPECT_EQ(information.sizeText, FormatFileSize(0));
    EXPECT_TRUE(information.nameAfter.isEmpty());
    EXPECT_TRUE(information.folderAfter.isEmpty());
}

TEST(FileInformation, SizeAboveFourGibibytes)
{
    QTemporaryDir folder;
    const QString sparse = folder.filePath("sparse.bin");
    {
        QFile file(sparse);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize((5ll << 30) + 1));
    }
    EXPECT_EQ(fileLength(sparse), (5ull << 30) + 1);
}

TEST(FileInformation, MissingFileRaisesTheOpenError)
{
    QTemporaryDir folder;
    const QString missing = folder.filePath("gone.txt");
    try {
        collectFileInformation(missing, {});
        FAIL() << "no error";
    } catch (const std::runtime_error &error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot open file \"" + missing.toStdString() + "\". No such file or directory");
    }
}

TEST(ManualRename, RenamesOrKeepsTheFileWhereItIs)
{
    QTemporaryDir folder;
    const QString source = folder.filePath("a.txt");
    const QString other = folder.filePath("b.txt");
    writeFile(source, "source");
    writeFile(other, "other");
    QDir(folder.path()).mkdir("sub");

    const struct {
        const char *answer;
        bool moves;
    } cases[] = {
        {"a.txt", false},    // cancelled: the same name
        {"b.txt", false},    // an existing file is never replaced
        {"sub", false},      // nor an existing folder
        {"", false},         // empty answer
        {"no/such/dir/x", false},
        {" c.txt ", true},   // taken unchanged, blanks and all
    };
    for (const auto &c : cases) {
        const QString result = renameSourceFile(source, QString::fromUtf8(c.answer));
        if (c.moves) {
            EXPECT_EQ(result, folder.filePath(c.answer));
            EXPECT_EQ(readFile(result), "source");
            EXPECT_FALSE(QFile::exists(source));
        } else {
            EXPECT_EQ(result, source) << c.answer;
            EXPECT_EQ(readFile(source), "source") << c.answer;
        }
        EXPECT_EQ(readFile(other), "other") << c.answer;
    }
}

TEST(ManualRename, MissingFileStaysAtItsPath)
{
    QTemporaryDir folder;
    const QString missing = folder.filePath("gone.txt");
    EXPECT_EQ(renameSourceFile(missing, "new.txt"), missing);
    EXPECT_FALSE(QFile::exists(folder.filePath("new.txt")));
}
