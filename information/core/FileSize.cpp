#include "information/core/FileSize.h"

#include <array>

namespace brenmark {

namespace {

constexpr std::array<const char *, 5> sizeUnits = {"B", "KB", "MB", "GB", "TB"};

} // namespace

QString groupedDigits(std::uint64_t value)
{
    const QString digits = QString::number(value);
    QString grouped;
    const qsizetype firstGroup = digits.size() % 3 == 0 ? 3 : digits.size() % 3;
    grouped += digits.left(firstGroup);
    for (qsizetype at = firstGroup; at < digits.size(); at += 3)
        grouped += QLatin1Char(' ') + digits.mid(at, 3);
    return grouped;
}

QString FormatFileSize(std::uint64_t size, const QLocale &locale)
{
    double scaled = static_cast<double>(size);
    std::size_t unit = 0;
    while (scaled / 1024 >= 1 && unit + 1 < sizeUnits.size()) {
        scaled /= 1024;
        ++unit;
    }
    // Only the separator is the locale's: the value keeps plain digits and no grouping.
    QString value = QString::asprintf("%0.2f", scaled);
    value.replace(QLatin1Char('.'), locale.decimalPoint());
    return value + QLatin1Char(' ') + QLatin1String(sizeUnits[unit]) + QStringLiteral(" (")
        + groupedDigits(size) + QStringLiteral(" байт)");
}

} // namespace brenmark
