#include "module_helper/Fields.h"
#include "module_helper/ModuleError.h"
#include "modules/date_time/DateFormat.h"
#include "modules/date_time/DateTimeRule.h"
#include "modules/date_time/FileDateReader.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>

using namespace brenmark::datetime;

namespace {

constexpr DateParts kDate{2024, 3, 7, 9, 5, 1};

DateTimeOptions makeOptions(DatePlacement placement, const char *format, const char *separator)
{
    DateTimeOptions options;
    options.placement = placement;
    brenmark::sdk::setFieldText(options.format, format);
    brenmark::sdk::setFieldText(options.separator, separator);
    return options;
}

std::string exifJpeg()
{
    return std::string(BRENMARK_SOURCE_DIR) + "/tests/data/modules_exif.jpg";
}

std::string newName(const DateTimeOptions &options, std::string_view fileName)
{
    std::string out;
    appendNewName(options, fileName, kDate, out);
    return out;
}

} // namespace

TEST(DateFormat, ExpandsCodes)
{
    struct Case {
        const char *pattern;
        const char *expected;
    };
    const Case cases[] = {
        {"%Y-%m-%d", "2024-03-07"},
        {"%Y%m%d_%H%M%S", "20240307_090501"},
        {"%d.%m.%y", "07.03.24"},
        {"Снято %d.%m", "Снято 07.03"},
        {"100%%", "100%"},
        {"%q%", "%q%"},
        {"", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.pattern);
        EXPECT_EQ(formatDate(c.pattern, kDate), c.expected);
    }
    EXPECT_EQ(formatDate("%Y", DateParts{987, 1, 1, 0, 0, 0}), "0987");
    EXPECT_TRUE(hasDateCodes("photos/%Y"));
    EXPECT_FALSE(hasDateCodes("100%%Y"));
    EXPECT_FALSE(hasDateCodes("plain%"));
}

TEST(DateTimeRule, NamesBeforeAndAfter)
{
    using P = DatePlacement;
    struct Case {
        P placement;
        const char *format;
        const char *separator;
        const char *before;
        const char *after;
    };
    const Case cases[] = {
        {P::Prefix, "%Y-%m-%d", "_", "IMG_1.jpg", "2024-03-07_IMG_1.jpg"},
        {P::Prefix, "%Y", " ", "Отпуск.jpg", "2024 Отпуск.jpg"},
        {P::Suffix, "%Y-%m-%d", "_", "IMG_1.jpg", "IMG_1_2024-03-07.jpg"},
        {P::Suffix, "%Y", "-", "a.tar.gz", "a.tar-2024.gz"},
        {P::Suffix, "%Y", "-", ".bashrc", ".bashrc-2024"},
        {P::Suffix, "%Y", "", "README", "README2024"},
        {P::WholeName, "%Y%m%d_%H%M%S", "_", "IMG_1.JPG", "20240307_090501.JPG"},
        {P::WholeName, "%d.%m.%Y", "", "без расширения", "07.03.2024"},
        {P::WholeName, "%Y", "", "a.", "2024."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.before);
        const DateTimeOptions options = makeOptions(c.placement, c.format, c.separator);
        EXPECT_NO_THROW(validateOptions(options));
        EXPECT_EQ(newName(options, c.before), c.after);
    }
}

TEST(DateTimeRule, RejectsUnusableBlocks)
{
    DateTimeOptions badPlacement = makeOptions(DatePlacement::Prefix, "%Y", "_");
    badPlacement.placement = static_cast<DatePlacement>(3);
    DateTimeOptions emptyFormat = makeOptions(DatePlacement::Prefix, "", "_");
    DateTimeOptions slash = makeOptions(DatePlacement::Prefix, "%Y/%m", "_");
    for (const DateTimeOptions *options : {&badPlacement, &emptyFormat, &slash})
        EXPECT_THROW(validateOptions(*options), brenmark::sdk::ModuleError);
}

TEST(FileDateReader, ParsesExifDates)
{
    struct Case {
        const char *text;
        bool valid;
    };
    const Case cases[] = {
        {"2021:12:31 23:59:58", true}, {"0000:00:00 00:00:00", false}, {"    :  :     :  :  ", false},
        {"2021:13:01 00:00:00", false}, {"2021-12-31 23:59:58", false}, {"2021:12:31", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FileDateReader::parseExifDate(c.text).has_value(), c.valid);
    }
    EXPECT_EQ(FileDateReader::parseExifDate("2021:12:31 23:59:58"), (DateParts{2021, 12, 31, 23, 59, 58}));
}

TEST(FileDateReader, ExifDateOrModificationTime)
{
    char folder[] = "/tmp/brenmark-date-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string plain = std::string(folder) + "/plain.jpg";
    std::ofstream(plain) << "not a picture";
    const time_t when = 1700000000; // 2023-11-14 22:13:20 UTC
    const timespec times[2] = {{when, 0}, {when, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, plain.c_str(), times, 0), 0);
    std::tm local{};
    localtime_r(&when, &local);
    const DateParts modified{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                             local.tm_hour, local.tm_min, local.tm_sec};

    FileDateReader reader;
    EXPECT_EQ(reader.read(plain, DateSource::Modified), modified);
    EXPECT_EQ(reader.read(plain, DateSource::Exif), modified) << "no EXIF: falls back to the modification time";
    EXPECT_EQ(reader.read(exifJpeg(), DateSource::Exif), (DateParts{2019, 6, 21, 14, 30, 5}));
    EXPECT_EQ(reader.read(exifJpeg(), DateSource::Exif), (DateParts{2019, 6, 21, 14, 30, 5})) << "cached";
    EXPECT_THROW(reader.read(std::string(folder) + "/missing.jpg", DateSource::Modified), brenmark::sdk::ModuleError);

    // A named pipe without a writer would block the reader for ever.
    const std::string pipe = std::string(folder) + "/pipe.jpg";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    ASSERT_EQ(utimensat(AT_FDCWD, pipe.c_str(), times, 0), 0);
    EXPECT_EQ(FileDateReader::readExifDate(pipe), std::nullopt);
    EXPECT_EQ(reader.read(pipe, DateSource::Exif), modified);

    unlink(pipe.c_str());
    unlink(plain.c_str());
    rmdir(folder);
}
