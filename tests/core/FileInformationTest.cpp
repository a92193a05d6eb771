#include "information/core/FileInformation.h"
#include "information/core/FilePathParts.h"
#include "information/core/FileSize.h"
#include "information/core/ManualRename.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fstream>
#include <iterator>

#include <sys/stat.h>

using namespace brenmark;

namespace {

std::string inFolder(const QTemporaryDir &folder, const std::string &name)
{
    return QFile::encodeName(folder.path()).toStdString() + "/" + name;
}

void writeFile(const std::string &path, const QByteArray &contents)
{
    QFile file(QFile::decodeName(QByteArray::fromStdString(path)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

// Byte paths straight to the system: names that are not UTF-8 must work too.
std::string readFile(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

bool exists(const std::string &path)
{
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0;
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
    const struct {
        const char *path, *name, *folder;
    } cases[] = {
        {"/home/u/a.txt", "a.txt", "/home/u/"},
        {"a.txt", "a.txt", ""},
        {"", "", ""},
        {"/home/u/", "", "/home/u/"},
        {"/x\xFF/n\xFE", "n\xFE", "/x\xFF/"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(fileNamePart(c.path), c.name) << c.path;
        EXPECT_EQ(folderPart(c.path), c.folder) << c.path;
    }
}

TEST(FileInformation, NowAndAfterColumns)
{
    QTemporaryDir folder;
    const std::string digits = inFolder(folder, ".digits.txt");
    writeFile(digits, "123456789");
    const auto information = collectFileInformation(digits, [&](const std::string &path) {
        EXPECT_EQ(path, digits);
        return inFolder(folder, "out/DIGITS.TXT");
    });
    EXPECT_EQ(information.nameNow, ".digits.txt");
    EXPECT_EQ(information.folderNow, folder.path() + "/");
    EXPECT_TRUE(information.hiddenNow);
    EXPECT_FALSE(information.readOnlyNow);
    EXPECT_EQ(information.size, 9u);
    EXPECT_EQ(information.sizeText, FormatFileSize(9));
    EXPECT_EQ(information.crcText, "CBF43926");
    EXPECT_EQ(information.nameAfter, "DIGITS.TXT");
    EXPECT_EQ(information.folderAfter, folder.path() + "/out/");
}

TEST(FileInformation, EmptyReadOnlyFileWithThePreviewOff)
{
    QTemporaryDir folder;
    const std::string empty = inFolder(folder, "empty");
    writeFile(empty, "");
    ASSERT_EQ(::chmod(empty.c_str(), 0444), 0);
    const auto information = collectFileInformation(empty, [](const std::string &) { return std::string(); });
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
    const std::string sparse = inFolder(folder, "sparse.bin");
    {
        QFile file(QString::fromStdString(sparse));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize((5ll << 30) + 1));
    }
    EXPECT_EQ(fileLength(sparse), (5ull << 30) + 1);
}

TEST(FileInformation, MissingPipeOrDeviceRaisesTheUsersMessage)
{
    QTemporaryDir folder;
    const std::string missing = inFolder(folder, "gone.txt");
    const std::string pipe = inFolder(folder, "pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const struct {
        std::string path;
        std::string message;
    } cases[] = {
        {missing, "Cannot open file \"" + missing + "\". No such file or directory"},
        // Neither blocks nor reads without end.
        {pipe, "«" + pipe + "» — именованный канал, а не обычный файл: читается содержимое только обычных файлов."},
        {"/dev/zero",
         "«/dev/zero» — символьное устройство, а не обычный файл: читается содержимое только обычных файлов."},
    };
    for (const auto &c : cases) {
        try {
            collectFileInformation(c.path, {});
            ADD_FAILURE() << "no error for " << c.path;
        } catch (const std::runtime_error &error) {
            EXPECT_EQ(std::string(error.what()), c.message);
        }
    }
}

TEST(ManualRename, RenamesOrKeepsTheFileWhereItIs)
{
    QTemporaryDir folder;
    const std::string source = inFolder(folder, "a.txt");
    const std::string other = inFolder(folder, "b.txt");
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
        {" c\xFF.txt ", true}, // taken unchanged: blanks, bytes that are not UTF-8
    };
    for (const auto &c : cases) {
        const std::string result = renameSourceFile(source, c.answer);
        if (c.moves) {
            EXPECT_EQ(result, inFolder(folder, c.answer));
            EXPECT_EQ(readFile(result), "source");
            EXPECT_FALSE(exists(source));
        } else {
            EXPECT_EQ(result, source) << c.answer;
            EXPECT_EQ(readFile(source), "source") << c.answer;
        }
        EXPECT_EQ(readFile(other), "other") << c.answer;
    }
}

TEST(ManualRename, RowIsRewrittenInFullFormWithTheNewPreview)
{
    QTemporaryDir folder;
    const std::string source = inFolder(folder, "a.txt");
    const std::string taken = inFolder(folder, "b.txt");
    writeFile(source, "source");
    writeFile(taken, "other");
    const PreviewFunction preview = [](const std::string &path) { return path + ".new"; };

    // A refusal keeps the current path; the new path is still recomputed.
    FileEntry row = FileEntry::parse(FileEntry::listRow(source));
    row.iconIndex = 7;
    FileEntry refused = renameRowFile(row, "b.txt", preview);
    EXPECT_EQ(refused.text(), FileEntry::fullRow(7, source, source + ".new"));
    EXPECT_EQ(readFile(taken), "other");

    // A row without "*" comes back in the full form.
    FileEntry renamed = renameRowFile(row, "c|d.txt", preview);
    const std::string moved = inFolder(folder, "c|d.txt");
    EXPECT_EQ(renamed.text(), FileEntry::fullRow(7, moved, moved + ".new"));
    EXPECT_EQ(FileEntry::parse(renamed.text()).currentPath, moved);
    EXPECT_EQ(readFile(moved), "source");

    // With the preview off the row still gets its "*".
    const FileEntry off = renameRowFile(renamed, "c|d.txt", [](const std::string &) { return std::string(); });
    EXPECT_TRUE(off.hasNewPath);
    EXPECT_EQ(off.text(), FileEntry::fullRow(7, moved, ""));
}

TEST(ManualRename, MissingFileStaysAtItsPath)
{
    QTemporaryDir folder;
    const std::string missing = inFolder(folder, "gone.txt");
    EXPECT_EQ(renameSourceFile(missing, "new.txt"), missing);
    EXPECT_FALSE(exists(inFolder(folder, "new.txt")));
}
