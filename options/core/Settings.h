#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

namespace brenmark {

// Font style used to mark a new name whose folder differs from the current
// one. The numbers are the values stored in options.ini ("fpath_ed_st").
enum class PathChangeStyle : int { Bold = 0, Italic = 1, Underline = 2, StrikeOut = 3 };

// Every setting kept in options.ini, with the values used when the file or a
// key is missing. The window and the options dialog hold the settings in force;
// this is the plain value that is read from and written to the file.
struct Settings
{
    // Section "MAIN".
    bool autosave = true;         // "gen_autosave": save the chain at exit, restore it at start
    bool noPreview = false;       // "no_preview": compute no preview
    bool runFiles = true;         // "run_files": a double click on a file row opens the file

    // Section "MODULES": library file names (no folder) of the modules not to
    // load, in file order. Compared without regard to letter case.
    QStringList disabledModules;

    // Section "VIEW".
    bool actionGrouping = true;                 // "act_grouping": category submenus
    QString fileListFontName = QStringLiteral("Tahoma"); // "flist_font_name"
    int fileListFontSize = 8;                   // "flist_font_size", in points
    bool showIcons = true;                      // "show_icons"
    bool showNameChanges = true;                // "show_fname_ed"
    // "fname_ed_col": a colour value as stored in the file: for a plain colour
    // the bytes from the lowest are red, green, blue, 0 (0x000000FF is red);
    // system colours, clNone and clDefault have their own values (ColorValue.h).
    std::uint32_t nameChangeColor = 0x00008000;
    bool showPathChanges = true;                // "show_fpath_ed"
    PathChangeStyle pathChangeStyle = PathChangeStyle::Bold; // "fpath_ed_st"
    bool zebraStyle = true;                     // "zebra_style"

    bool operator==(const Settings &) const = default;
};

} // namespace brenmark
