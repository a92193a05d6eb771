#include "main/ui/FileListDelegate.h"

#include "main/core/look/ColorRules.h"
#include "main/core/look/PathParts.h"
#include "main/core/look/SystemColors.h"
#include "main/core/look/TextFit.h"
#include "options/core/ColorValue.h"

#include <QPainter>

namespace brenmark {

namespace {

struct RowParts
{
    bool hasNewPath = false;
    QString iconIndex;
    QString currentPath;
    QString newPath;
};

// The three shapes of a row: "i|current*new", "i|current*" and a bare path.
RowParts splitRow(const QString &text)
{
    RowParts parts;
    const qsizetype star = text.indexOf(QLatin1Char('*'));
    if (star < 0)
        return parts;
    parts.hasNewPath = true;
    const qsizetype bar = text.indexOf(QLatin1Char('|'));
    if (bar >= 0 && bar < star) {
        parts.iconIndex = text.left(bar);
        parts.currentPath = text.mid(bar + 1, star - bar - 1);
    } else {
        parts.currentPath = text.left(star);
    }
    parts.newPath = text.mid(star + 1);
    return parts;
}

void applyStyle(QFont &font, PathChangeStyle style)
{
    switch (style) {
    case PathChangeStyle::Bold:
        font.setBold(true);
        break;
    case PathChangeStyle::Italic:
        font.setItalic(true);
        break;
    case PathChangeStyle::Underline:
        font.setUnderline(true);
        break;
    case PathChangeStyle::StrikeOut:
        font.setStrikeOut(true);
        break;
    }
}

// Text placed with its top-left corner at `origin`, clipped to `clip`.
void drawClippedText(QPainter *painter, const QRect &clip, QPoint origin, const QString &text)
{
    if (clip.width() <= 0 || clip.height() <= 0)
        return;
    painter->save();
    painter->setClipRect(clip, Qt::IntersectClip);
    const QRect area(origin, QSize(1 << 20, clip.bottom() - origin.y() + 1));
    painter->drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, text);
    painter->restore();
}

} // namespace

FileListDelegate::FileListDelegate(LookSource look, ColumnSource firstColumnWidth, IconSource icon,
                                   QObject *parent)
    : QStyledItemDelegate(parent), m_look(std::move(look)),
      m_firstColumnWidth(std::move(firstColumnWidth)), m_icon(std::move(icon))
{
}

void FileListDelegate::setRowHeight(int height)
{
    m_rowHeight = height;
}

QSize FileListDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    return {option.rect.width() > 0 ? option.rect.width() : 1, m_rowHeight};
}

void FileListDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    lbFilesDrawItem(painter, index.row(), option.rect, option.state.testFlag(QStyle::State_Selected),
                    index.data(Qt::DisplayRole).toString(), option.font, option.palette);
}

void FileListDelegate::lbFilesDrawItem(QPainter *painter, int row, const QRect &rect, bool selected,
                                       const QString &rowText, const QFont &listFont,
                                       const QPalette &palette) const
{
    const Settings look = m_look ? m_look() : Settings{};
    const int left = rect.left();
    const int top = rect.top();
    const int right = rect.left() + rect.width();
    const QColor white(255, 255, 255);

    QColor background = systemColor(palette, SystemColor::Window);
    if (row % 2 == 0 && look.zebraStyle)
        background = MixColors(white, systemColor(palette, SystemColor::BtnShadow), 15);
    if (selected)
        background = MixColors(white, systemColor(palette, SystemColor::Highlight), 70);

    painter->save();
    painter->fillRect(rect, background);

    QFont font = listFont;
    font.setBold(false);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    painter->setFont(font);
    QColor textColor = selected ? systemColor(palette, SystemColor::HighlightText) : QColor(0, 0, 0);
    painter->setPen(textColor);

    const RowParts parts = splitRow(rowText);
    if (!parts.hasNewPath) {
        const QString name = FitTextToWidth(fileNamePart(rowText), right - left - 5, painter->fontMetrics());
        drawClippedText(painter, rect, QPoint(left + 5, top), name);
        painter->restore();
        return;
    }

    if (look.showIcons && !parts.iconIndex.isEmpty() && parts.iconIndex != QLatin1String("0") && m_icon) {
        bool isNumber = false;
        const int number = parts.iconIndex.toInt(&isNumber);
        const QIcon icon = isNumber ? m_icon(number) : QIcon();
        if (!icon.isNull())
            painter->drawPixmap(left, top, icon.pixmap(16, 16, QIcon::Normal));
    }

    const int split = left + (m_firstColumnWidth ? m_firstColumnWidth() : rect.width() / 2);
    const int firstLeft = look.showIcons ? left + 16 : left;
    const int firstRight = split - 4;
    const QString currentName = FitTextToWidth(fileNamePart(parts.currentPath), firstRight - firstLeft - 5,
                                               painter->fontMetrics());
    drawClippedText(painter, QRect(firstLeft, top, firstRight - firstLeft, rect.height()),
                    QPoint(firstLeft + 1, top), currentName);

    if (look.showPathChanges && folderChanged(parts.currentPath, parts.newPath)) {
        applyStyle(font, look.pathChangeStyle);
        painter->setFont(font);
    }
    if (look.showNameChanges && nameChanged(parts.currentPath, parts.newPath)) {
        textColor = resolveColor(look.nameChangeColor, palette, textColor);
        painter->setPen(textColor);
    }
    const int secondLeft = split + 4;
    const int secondRight = right - 2;
    const QString newName = FitTextToWidth(fileNamePart(parts.newPath), secondRight - secondLeft - 4,
                                           painter->fontMetrics());
    drawClippedText(painter, QRect(secondLeft, top, secondRight - secondLeft, rect.height()),
                    QPoint(secondLeft, top), newName);
    painter->restore();
}

} // namespace brenmark
