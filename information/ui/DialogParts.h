#pragma once

#include <QString>

class QDialog;
class QFrame;
class QLabel;
class QWidget;

namespace brenmark {

// Pieces shared by the program's dialogs.

// A dialog of fixed size with only a title and a close button, in the
// dialogs' base font (Tahoma, 8 points), that opens centred on the screen of
// its main window.
void setUpFixedDialog(QDialog *dialog, const QString &name, const QString &title, int width, int height);

// Moves the window so that it stands centred on the screen of its parent's
// window (its own screen when it has no parent).
void centreOnScreen(QWidget *dialog);

// The white band across the top of a dialog, `height` pixels high, without outline.
QFrame *createWhiteBand(QWidget *dialog, const QString &name, int height);

// A sunken line at (x, y), horizontal with `length` width or vertical with `length` height.
QFrame *createBevel(QWidget *parent, const QString &name, int x, int y, int length, bool horizontal);

// A label at (x, y) sized to its text.
QLabel *createLabel(QWidget *parent, const QString &name, const QString &text, int x, int y);

// Tahoma bold 14 points, the dialogs' title labels. Where the font at hand
// is wider than Tahoma, the label moves left so its text stays whole inside
// its dialog.
void setTitleFont(QLabel *label);

} // namespace brenmark
