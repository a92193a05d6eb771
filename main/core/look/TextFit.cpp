#include "main/core/look/TextFit.h"

namespace brenmark {

QString FitTextToWidth(const QString &text, int width, const TextWidth &measure)
{
    if (measure(text) <= width)
        return text;
    static const QString ellipsis = QStringLiteral("...");
    QString remaining = text;
    while (!remaining.isEmpty()) {
        qsizetype cut = 1;
        if (remaining.size() >= 2 && remaining.back().isLowSurrogate()
            && remaining.at(remaining.size() - 2).isHighSurrogate())
            cut = 2;
        remaining.chop(cut);
        const QString candidate = remaining + ellipsis;
        if (measure(candidate) <= width)
            return candidate;
    }
    return ellipsis;
}

QString FitTextToWidth(const QString &text, int width, const QFontMetrics &metrics)
{
    return FitTextToWidth(text, width, [&metrics](const QString &part) {
        return metrics.horizontalAdvance(part);
    });
}

} // namespace brenmark
