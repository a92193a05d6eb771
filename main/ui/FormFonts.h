#pragma once

#include <QFont>

namespace brenmark {

// Makes Tahoma available: when the system has no Tahoma of its own, the font files of
// Debian's fonts-wine are registered with the application. Safe to call repeatedly.
void registerFallbackFonts();

// The windows' font: Tahoma 8 points as the forms were designed at 96 dots per inch
// (11 pixels, 13 pixels of line height), independent of the screen's resolution.
QFont formFont(bool bold = false);

} // namespace brenmark
