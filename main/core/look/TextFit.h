#pragma once

#include <QFontMetrics>
#include <QString>

#include <functional>

namespace brenmark {

// Drawn width of a text in pixels.
using TextWidth = std::function<int(const QString &)>;

// The text unchanged when it fits `width`; otherwise the longest start of it,
// cut one character at a time from the end, followed by "...". When not even "..."
// fits, "..." alone (the cell clips it). A surrogate pair counts as one character.
QString FitTextToWidth(const QString &text, int width, const TextWidth &measure);
QString FitTextToWidth(const QString &text, int width, const QFontMetrics &metrics);

} // namespace brenmark
