#include "main/core/templates/TemplateFormat.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FileSizeLimit.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>

using namespace brenmark;

namespace {

QByteArray le32(std::int32_t value)
{
    QByteArray bytes;
    for (int shift = 0; shift < 32; shift += 8)
        bytes.append(static_cast<char>(static_cast<std::uint32_t>(value) >> shift & 0xFF));
    return bytes;
}

QByteArray written(const std::vector<TemplateAction> &actions)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TemplateFormat::write(buffer, actions);
    return bytes;
}

std::vector<TemplateAction> readBack(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return TemplateFormat::read(buffer);
}

std::vector<std::uint8_t> pattern(std::size_t size, std::uint8_t seed)
{
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
    return bytes;
}

std::string readError(const QByteArray &bytes)
{
    try {
        readBack(bytes);
    } catch (const TemplateFormatError &error) {
        return error.what();
    }
    return "no error";
}

} // namespace

TEST(TemplateFormat, WorkedExampleByteForByte)
{
    const std::vector<TemplateAction> actions{
        {"rename.so", "Переим", pattern(264, 1)},   // 9-byte name, 12-byte caption (UTF-8)
        {"counter.so", "Counter", pattern(16, 200)},    // 10-byte name, 7-byte caption
    };
    ASSERT_EQ(actions[0].caption.size(), 12u);

    QByteArray expected = le32(2);
    expected += le32(10) + QByteArray("rename.so", 9) + '\0';
    expected += le32(13) + QByteArray(actions[0].caption.data(), 12) + '\0';
    expected += le32(264) + QByteArray(reinterpret_cast<const char *>(actions[0].options.data()), 264);
    expected += le32(11) + QByteArray("counter.so", 10) + '\0';
    expected += le32(8) + QByteArray("Counter", 7) + '\0';
    expected += le32(16) + QByteArray(reinterpret_cast<const char *>(actions[1].options.data()), 16);

    const QByteArray bytes = written(actions);
    ASSERT_EQ(bytes.size(), 350);
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(bytes.mid(303, 4), le32(11));
    EXPECT_EQ(bytes.mid(330, 4), le32(16));
    EXPECT_EQ(readBack(bytes), actions);
}

TEST(TemplateFormat, ReadsWhatWritersMayProduce)
{
    // Zero options, a text field with bytes after its terminator, a count of zero or below.
    QByteArray bytes = le32(1) + le32(6) + QByteArray("a.so\0x", 6) + le32(1) + QByteArray(1, '\0') + le32(0);
    const auto actions = readBack(bytes);
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_EQ(actions[0].moduleFile, "a.so");
    EXPECT_EQ(actions[0].caption, "");
    EXPECT_TRUE(actions[0].options.empty());

    EXPECT_TRUE(readBack(le32(0)).empty());
    EXPECT_TRUE(readBack(le32(-5) + QByteArray("garbage")).empty());
}

TEST(TemplateFormat, RefusesDamagedFiles)
{
    const QByteArray name = le32(5) + QByteArray("a.so", 5);
    const QByteArray caption = le32(2) + QByteArray("c", 2);
    struct Case { const char *what; QByteArray bytes; std::string message; };
    const Case cases[] = {
        {"empty file", QByteArray(), "Read beyond end of file"},
        {"count cut short", QByteArray("\1\0", 2), "Read beyond end of file"},
        {"count larger than the records", le32(2147483647) + name + caption + le32(0), "Read beyond end of file"},
        {"name cut short", le32(1) + le32(5) + QByteArray("a.", 2), "Read beyond end of file"},
        {"options size missing", le32(1) + name + caption, "Read beyond end of file"},
        {"name length zero", le32(1) + le32(0), "файл повреждён: длина поля «имя модуля» по смещению 4 равна 0 (допустимо от 1 до 1001)"},
        {"name length negative", le32(1) + le32(-1), "файл повреждён: длина поля «имя модуля» по смещению 4 равна -1 (допустимо от 1 до 1001)"},
        {"caption too long", le32(1) + name + le32(1002) + QByteArray(1002, 'x'),
         "файл повреждён: длина поля «подпись» по смещению 13 равна 1002 (допустимо от 1 до 1001)"},
        {"options size negative", le32(1) + name + caption + le32(-4),
         "файл повреждён: размер настроек по смещению 19 равен -4 байт, а до конца файла осталось 0 байт"},
        {"options size beyond the file", le32(1) + name + caption + le32(1 << 30) + QByteArray(10, 'o'),
         "файл повреждён: размер настроек по смещению 19 равен 1073741824 байт, а до конца файла осталось 10 байт"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(readError(c.bytes), c.message);
    }
}

TEST(TemplateFormat, LongTextsAreCutToWholeCharactersWithinTheBuffer)
{
    std::string caption(999, 'x');
    caption += "ж"; // two bytes: only the first would fit into 1000
    const auto back = readBack(written({{"m.so", caption, {}}}));
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].caption, std::string(999, 'x'));
    EXPECT_EQ(readBack(written({{"m.so", std::string(1500, 'y'), {}}}))[0].caption, std::string(1000, 'y'));
}

TEST(TemplateFormat, FileSaveReplacesAtomically)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.ptp"));
    TemplateFormat::writeFile(path, {{"a.so", "first", {1, 2}}});
    TemplateFormat::writeFile(path, {{"b.so", "second", {3}}});
    EXPECT_EQ(TemplateFormat::readFile(path), (std::vector<TemplateAction>{{"b.so", "second", {3}}}));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("t.ptp")});

    // A folder that cannot hold the file: the error names it and nothing is created.
    const QString blocked = path + QStringLiteral("/x.ptp");
    EXPECT_THROW(TemplateFormat::writeFile(blocked, {{"a.so", "c", {}}}), TemplateFormatError);
    EXPECT_EQ(TemplateFormat::readFile(path).at(0).caption, "second");

    // A full disk part way through: the error names the template, the old bytes stay.
    const QByteArray before = readBytes(path);
    {
        const FileSizeLimit limit(16);
        try {
            TemplateFormat::writeFile(path, {{"big.so", "third", std::vector<std::uint8_t>(100, 1)}});
            FAIL() << "no error raised";
        } catch (const TemplateFormatError &error) {
            EXPECT_EQ(std::string(error.what()),
                      "Шаблон «t»: Unable to write to " + path.toStdString() + ": " + std::strerror(EFBIG));
        }
    }
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("t.ptp")});

    // A named pipe is refused instead of waiting for a writer.
    const QString pipe = dir.filePath(QStringLiteral("pipe.ptp"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_THROW(TemplateFormat::readFile(pipe), TemplateFormatError);
}
