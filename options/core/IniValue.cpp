#include "options/core/IniValue.h"

#include <limits>

namespace brenmark {

namespace {

std::optional<std::int32_t> parseHexDigits(QStringView digits)
{
    if (digits.isEmpty() || digits.size() > 8)
        return std::nullopt;
    std::uint32_t value = 0;
    for (QChar c : digits) {
        const int digit = c.isDigit() ? c.unicode() - '0'
                          : (c.toLower() >= u'a' && c.toLower() <= u'f') ? c.toLower().unicode() - 'a' + 10
                                                                        : -1;
        if (digit < 0 || c.unicode() > 127)
            return std::nullopt;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return static_cast<std::int32_t>(value);
}

} // namespace

std::optional<std::int32_t> parseIniInteger(const QString &text)
{
    QStringView view(text);
    if (view.startsWith(u'$'))
        return parseHexDigits(view.mid(1));
    if (view.startsWith(u"0x", Qt::CaseInsensitive))
        return parseHexDigits(view.mid(2));

    bool negative = false;
    if (view.startsWith(u'-') || view.startsWith(u'+')) {
        negative = view.front() == u'-';
        view = view.mid(1);
    }
    if (view.isEmpty() || view.size() > 10)
        return std::nullopt;
    std::int64_t value = 0;
    for (QChar c : view) {
        if (c.unicode() < '0' || c.unicode() > '9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    if (negative)
        value = -value;
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

} // namespace brenmark
