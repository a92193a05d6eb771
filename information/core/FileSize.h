#pragma once

#include <QLocale>
#include <QString>

#include <cstdint>

namespace brenmark {

// A file size for people: the value scaled to the largest unit up to TB with
// two decimals and `locale`'s decimal separator, then the exact byte count in
// groups of three digits: "1.50 KB (1 536 байт)". Sizes of 1024 TB and more
// stay in TB ("2048.00 TB (...)").
QString FormatFileSize(std::uint64_t size, const QLocale &locale = QLocale());

// The exact count in groups of three digits joined by one space ("1 005").
QString groupedDigits(std::uint64_t value);

} // namespace brenmark
