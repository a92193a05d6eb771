#pragma once

#include <QColor>

namespace brenmark {

// Font style that marks a row whose folder changes ("fpath_ed_st", 0 to 3).
enum class ChangedFolderStyle { Bold = 0, Italic = 1, Underline = 2, StrikeOut = 3 };

// The view settings every file-list row is drawn with; read afresh for each row so a
// change shows at the next repaint. Defaults are those of a missing options.ini.
struct FileRowLook
{
    bool zebraStyle = true;
    bool showIcons = true;
    bool showChangedFolder = true;
    ChangedFolderStyle changedFolderStyle = ChangedFolderStyle::Bold;
    bool showChangedName = true;
    QColor changedNameColor = QColor(0, 128, 0);
};

} // namespace brenmark
