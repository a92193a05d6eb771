#include "main/ui/ProgramArt.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QStyle>

#include <array>

namespace brenmark {

namespace {

struct Art
{
    const char *themeName;
    QStyle::StandardPixmap fallback;
};

// Pictures by freedesktop name; the style's own pixmaps stand in on a desktop without them.
QIcon themed(const Art &art)
{
    QIcon icon = QIcon::fromTheme(QString::fromLatin1(art.themeName));
    if (icon.isNull() || icon.availableSizes().isEmpty())
        icon = QApplication::style()->standardIcon(art.fallback);
    return icon;
}

constexpr std::array<Art, kMenuImageCount> kMenuArt{{
    {"folder", QStyle::SP_DirIcon},                           // 0 a category of actions
    {"text-x-generic", QStyle::SP_FileIcon},                  // 1 a file
    {"list-remove", QStyle::SP_DialogDiscardButton},          // 2 remove selected rows
    {"user-trash", QStyle::SP_TrashIcon},                     // 3 clear, switch all off
    {"edit-select-all", QStyle::SP_DialogApplyButton},        // 4 select by change
    {"emblem-default", QStyle::SP_DialogYesButton},           // 5 switch all on
    {"object-flip-horizontal", QStyle::SP_BrowserReload},     // 6 invert the selection
    {"emblem-system", QStyle::SP_FileDialogDetailedView},     // 7 action properties
    {nullptr, QStyle::SP_CustomBase},                         // 8 on / off: drawn, see switchIcon()
    {"list-add", QStyle::SP_FileDialogNewFolder},             // 9 add an action
    {"edit-delete", QStyle::SP_TrashIcon},                    // 10 remove an action
    {"dialog-information", QStyle::SP_MessageBoxInformation}, // 11 file information
    {"system-run", QStyle::SP_MediaPlay},                     // 12 open the file
    {"list-add", QStyle::SP_ArrowUp},                         // 13 add to the selection by mask
    {"list-remove", QStyle::SP_ArrowDown},                    // 14 remove from it by mask
    {"edit-find", QStyle::SP_FileDialogContentsView},         // 15 filter
    {"applications-utilities", QStyle::SP_DriveHDIcon},       // 16 tools
    {"edit-find-replace", QStyle::SP_FileLinkIcon},           // 17 rename the source file
    {"document-save", QStyle::SP_DialogSaveButton},           // 18 save
}};

// A picture the program draws itself, at the sizes buttons and menus ask for;
// `draw` paints it on a square of the given side, in units of that side.
template <typename Draw>
QIcon drawnIcon(qreal designSide, Draw draw)
{
    QIcon icon;
    for (int size : {16, 24, 32}) {
        QPixmap picture(size, size);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        draw(painter, size / designSide, size);
        painter.end();
        icon.addPixmap(picture);
    }
    return icon;
}

// The start button's picture: a green triangle, so that an enabled "СТАРТ" never
// looks greyed out (themes draw their playback icons in grey).
QIcon startIcon()
{
    return drawnIcon(32, [](QPainter &painter, qreal unit, int size) {
        const QPolygonF triangle{QPointF(8 * unit, 4 * unit), QPointF(28 * unit, 16 * unit), QPointF(8 * unit, 28 * unit)};
        QLinearGradient fill(0, 0, 0, size);
        fill.setColorAt(0, QColor(120, 200, 90));
        fill.setColorAt(1, QColor(40, 140, 40));
        painter.setBrush(fill);
        painter.setPen(QPen(QColor(30, 100, 30), unit * 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolygon(triangle);
    });
}

// "Вкл/Выкл": a ticked check box like those of the chain's rows, in colour. Themes
// have no such picture, and their power symbols are grey, which reads as disabled.
QIcon switchIcon()
{
    return drawnIcon(16, [](QPainter &painter, qreal unit, int) {
        painter.setPen(QPen(QColor(30, 100, 30), unit));
        painter.setBrush(Qt::white);
        painter.drawRoundedRect(QRectF(1.5 * unit, 1.5 * unit, 13 * unit, 13 * unit), 2 * unit, 2 * unit);
        painter.setPen(QPen(QColor(40, 150, 40), 2.2 * unit, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(QPolygonF{QPointF(4.5 * unit, 8 * unit), QPointF(7 * unit, 10.8 * unit),
                                       QPointF(11.8 * unit, 4.8 * unit)});
    });
}

} // namespace

void chooseIconTheme()
{
    if (!QIcon::themeName().isEmpty() && QIcon::themeName() != QLatin1String("hicolor"))
        return;
    for (const QString &path : QIcon::themeSearchPaths()) {
        for (const char *theme : {"Adwaita", "breeze", "oxygen", "Tango"}) {
            if (QDir(path + QLatin1Char('/') + QLatin1String(theme)).exists(QStringLiteral("index.theme"))) {
                QIcon::setThemeName(QString::fromLatin1(theme));
                return;
            }
        }
    }
}

QIcon menuImage(int index)
{
    if (index < 0 || index >= kMenuImageCount)
        return {};
    const Art &art = kMenuArt[static_cast<std::size_t>(index)];
    return art.themeName ? themed(art) : switchIcon();
}

QIcon programIcon(int resource)
{
    switch (resource) {
    case 103:
        return themed({"application-exit", QStyle::SP_DialogCloseButton});
    case 104:
        return startIcon();
    case 105:
        return themed({"application-x-addon", QStyle::SP_ComputerIcon});
    case 106:
        return themed({"preferences-system", QStyle::SP_FileDialogDetailedView});
    case 107:
        return themed({"help-about", QStyle::SP_MessageBoxQuestion});
    case 108:
        return themed({"emblem-default", QStyle::SP_DialogOkButton});
    case 109:
        return themed({"process-stop", QStyle::SP_DialogCancelButton});
    default:
        return {};
    }
}

QIcon buttonArt(ButtonArt art)
{
    switch (art) {
    case ButtonArt::SaveTemplate:
        return themed({"document-save", QStyle::SP_DialogSaveButton});
    case ButtonArt::AddAction:
        return themed({"list-add", QStyle::SP_FileDialogNewFolder});
    case ButtonArt::RemoveAction:
        return themed({"list-remove", QStyle::SP_TrashIcon});
    case ButtonArt::EditAction:
        return themed({"emblem-system", QStyle::SP_FileDialogDetailedView});
    case ButtonArt::AddFiles:
        return themed({"document-open", QStyle::SP_DialogOpenButton});
    case ButtonArt::RemoveFiles:
        return themed({"edit-delete", QStyle::SP_TrashIcon});
    case ButtonArt::ClearFiles:
        return themed({"user-trash", QStyle::SP_TrashIcon});
    case ButtonArt::AddFolder:
        return themed({"folder-open", QStyle::SP_DirOpenIcon});
    }
    return {};
}

} // namespace brenmark
