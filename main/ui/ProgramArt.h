#pragma once

#include <QIcon>

namespace brenmark {

// Makes QIcon::fromTheme find pictures when the desktop names no icon theme
// (no session, a bare window manager): an installed theme is chosen then.
void chooseIconTheme();

// Number of design images of imlAddMenu (indices 0 to 18).
constexpr int kMenuImageCount = 19;

// Design image `index` of imlAddMenu; null outside 0 .. kMenuImageCount - 1.
QIcon menuImage(int index);

// The program's icon resources 103 to 109 (exit, start, modules, options, about, OK,
// cancel); null for any other number.
QIcon programIcon(int resource);

// The artwork of the main window's image buttons.
enum class ButtonArt { SaveTemplate, AddAction, RemoveAction, EditAction, AddFiles, RemoveFiles, ClearFiles, AddFolder };
QIcon buttonArt(ButtonArt art);

} // namespace brenmark
