#pragma once

#include <QFont>

namespace brenmark {

// Makes Tahoma available: when the system has no Tahoma of its own, the font files of
// Debian's fonts-wine are registered with the application. Safe to call repeatedly.
void registerFallbackFonts();

// The windows' font: Tahoma 8 points as the forms were designed at 96 dots per inch
// (11 pixels, 13 pixels of line height), independent of the screen's resolution.
// Bold asks for a bold that shows: when Tahoma's bold face at that size draws
// strokes no heavier than its regular one (Wine's does), the desktop's bold sans
// serif face stands in.
QFont formFont(bool bold = false);

// `font` in bold, in the desktop's bold sans serif face where its own bold face
// would not show (see formFont).
QFont visiblyBold(QFont font);

// Whether the bold face of `font`'s family, at its size, draws visibly heavier than
// the regular face. Measured once per family and size.
bool boldShowsWeight(const QFont &font);

} // namespace brenmark
