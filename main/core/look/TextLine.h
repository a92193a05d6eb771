#pragma once

#include <QFont>

namespace brenmark {

// Pixels a line of text takes above its baseline and from the baseline down.
struct TextLine
{
    int above = 0;
    int below = 0;
};

// What the font says of itself (ascent and descent).
TextLine reportedTextLine(const QFont &font);

// What the font really inks: capitals with marks (Å, Ё, Й), descenders and
// brackets drawn at the font's size. Some faces ink above their ascent (Wine's
// Tahoma reports 9 pixels at 11 and draws Å 11 high).
TextLine inkedTextLine(const QFont &font);

// A file-list row: its height and where the text's baseline lies below its top.
struct FileRowLayout
{
    int height = 25;
    int baseline = 0;
};

// The row holds the whole line the font reports and the whole ink it draws, with
// the text at the row's top; rows that show icons are at least 16 high.
FileRowLayout fileRowLayout(TextLine reported, TextLine inked, bool showIcons);

} // namespace brenmark
