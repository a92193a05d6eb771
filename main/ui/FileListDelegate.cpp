#include "main/ui/FileListDelegate.h"

#include "main/core/filelist/FileEntry.h"
#include "main/core/filelist/FileListModel.h"
#include "main/core/look/ColorRules.h"
#include "main/core/look/PathParts.h"
#include "main/core/look/SystemColors.h"
#include "main/core/look/TextFit.h"
#include "main/ui/FormFonts.h"
#include "options/core/ColorResolving.h"
#include "options/core/ColorValue.h"

#include <QApplication>
#include <QPainter>

namespace brenmark {

namespace {

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

// How a row's text is put down in the painter's font: its baseline `baseline` below
// the row's top, so marks above capitals lie inside the row; a bold whose face shows
// no weight is struck twice, one pixel apart, and is a pixel wider for it.
struct TextPen
{
    int baseline = 0;
    bool doubleStrike = false;

    int width(const QFontMetrics &metrics, const QString &text) const
    {
        return metrics.horizontalAdvance(text) + (doubleStrike ? 1 : 0);
    }

    QString fit(const QString &text, int width, const QFontMetrics &metrics) const
    {
        return FitTextToWidth(text, width, [&](const QString &part) { return this->width(metrics, part); });
    }

    // `text` with its left edge at `x` in the row whose top is `top`, clipped to `clip`.
    void draw(QPainter *painter, const QRect &clip, int x, int top, const QString &text) const
    {
        if (clip.width() <= 0 || clip.height() <= 0)
            return;
        painter->save();
        painter->setClipRect(clip, Qt::IntersectClip);
        const int lineTop = top + baseline - painter->fontMetrics().ascent();
        const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip;
        painter->drawText(QRect(x, lineTop, 1 << 20, 1 << 10), flags, text);
        if (doubleStrike)
            painter->drawText(QRect(x + 1, lineTop, 1 << 20, 1 << 10), flags, text);
        painter->restore();
    }
};

} // namespace

FileListDelegate::FileListDelegate(LookSource look, ColumnSource firstColumnWidth, IconSource icon,
                                   QObject *parent)
    : QStyledItemDelegate(parent), m_look(std::move(look)),
      m_firstColumnWidth(std::move(firstColumnWidth)), m_icon(std::move(icon))
{
}

void FileListDelegate::setRowLayout(FileRowLayout layout)
{
    m_layout = layout;
}

QSize FileListDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    return {option.rect.width() > 0 ? option.rect.width() : 1, m_layout.height};
}

void FileListDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    lbFilesDrawItem(painter, index.row(), option.rect, selected, rowOf(index), option.font, option.palette);
    // The current row carries the style's focus frame while the list has the focus,
    // as the style's own item views draw it.
    if (option.state.testFlag(QStyle::State_HasFocus)) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
        focus.backgroundColor = option.palette.color(selected ? QPalette::Highlight : QPalette::Base);
        const QStyle *style = option.widget ? option.widget->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, option.widget);
    }
}

FileListDelegate::Row FileListDelegate::rowOf(const QModelIndex &index)
{
    Row row;
    const QVariant hasNewPath = index.data(FileListModel::HasNewPathRole);
    if (hasNewPath.isValid()) {
        row.hasNewPath = hasNewPath.toBool();
        row.iconIndex = index.data(FileListModel::IconIndexRole).toInt();
        row.currentPath = index.data(FileListModel::CurrentPathRole).toString();
        row.newPath = index.data(FileListModel::NewPathRole).toString();
        row.mark = index.data(FileListModel::MarkRole).toInt();
        return row;
    }
    const FileEntry entry = FileEntry::parse(index.data(Qt::DisplayRole).toString().toStdString());
    row.hasNewPath = entry.hasNewPath;
    row.iconIndex = entry.iconIndex;
    row.currentPath = QString::fromStdString(entry.currentPath);
    row.newPath = QString::fromStdString(entry.newPath);
    return row;
}

void FileListDelegate::lbFilesDrawItem(QPainter *painter, int row, const QRect &rect, bool selected,
                                       const Row &parts, const QFont &listFont, const QPalette &palette) const
{
    const Settings look = m_look ? m_look() : Settings{};
    const int left = rect.left();
    const int top = rect.top();
    const int right = rect.left() + rect.width();
    const QColor white(255, 255, 255);

    QColor background = systemColor(palette, SystemColor::Window);
    if (row % 2 == 0 && look.zebraStyle)
        background = MixColors(white, systemColor(palette, SystemColor::BtnShadow), 15);
    const bool marked = parts.mark != int(FileListModel::RowMark::None);
    const QColor markColor(200, 0, 0);
    if (parts.mark == int(FileListModel::RowMark::Failed))
        background = MixColors(white, markColor, 15);
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
    TextPen pen;
    pen.baseline = m_layout.baseline > 0 ? m_layout.baseline : painter->fontMetrics().ascent();

    if (!parts.hasNewPath) {
        if (marked)
            painter->setPen(markColor);
        const QString name = pen.fit(fileNamePart(parts.currentPath), right - left - 5, painter->fontMetrics());
        pen.draw(painter, rect, left + 5, top, name);
        painter->restore();
        return;
    }

    if (look.showIcons && parts.iconIndex != 0 && m_icon) {
        const QIcon icon = m_icon(parts.iconIndex);
        if (!icon.isNull())
            painter->drawPixmap(QRect(left, top, 16, 16), icon.pixmap(16, 16, QIcon::Normal));
    }

    const int split = left + (m_firstColumnWidth ? m_firstColumnWidth() : rect.width() / 2);
    const int firstLeft = look.showIcons ? left + 16 : left;
    const int firstRight = split - 4;
    const QString currentName = pen.fit(fileNamePart(parts.currentPath), firstRight - firstLeft - 5,
                                        painter->fontMetrics());
    pen.draw(painter, QRect(firstLeft, top, firstRight - firstLeft, rect.height()), firstLeft + 1, top,
             currentName);

    if (look.showPathChanges && folderChanged(parts.currentPath, parts.newPath)) {
        applyStyle(font, look.pathChangeStyle);
        painter->setFont(font);
        pen.doubleStrike = font.bold() && !boldShowsWeight(font);
    }
    if (look.showNameChanges && nameChanged(parts.currentPath, parts.newPath)) {
        textColor = resolveColor(look.nameChangeColor, palette, textColor);
        painter->setPen(textColor);
    }
    if (marked)
        painter->setPen(markColor);
    const int secondLeft = split + 4;
    const int secondRight = right - 2;
    const QString newName = pen.fit(fileNamePart(parts.newPath), secondRight - secondLeft - 4,
                                    painter->fontMetrics());
    pen.draw(painter, QRect(secondLeft, top, secondRight - secondLeft, rect.height()), secondLeft, top, newName);
    painter->restore();
}

} // namespace brenmark
