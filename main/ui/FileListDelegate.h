#pragma once

#include "main/core/look/TextLine.h"
#include "options/core/Settings.h"

#include <QIcon>
#include <QStyledItemDelegate>

#include <functional>

namespace brenmark {

// Draws the rows of lbFiles: zebra shading, the selection colour, the file icon and the
// two columns "current name" / "new name" split at the first header section's right
// edge, with a changed folder marked by a font style and a changed name by a colour.
// A row the run cannot rename, or could not, has its new name in red whatever that
// colour is, and a failed row a reddish ground. It only paints; the row text and
// mark come from the model's roles.
class FileListDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using LookSource = std::function<Settings()>;
    using ColumnSource = std::function<int()>;
    using IconSource = std::function<QIcon(int)>;

    // `look` gives the settings in force and is asked for every row; `firstColumnWidth` gives the first header
    // section's width (W1); `icon` gives FileIconList's icon number k (null = none).
    FileListDelegate(LookSource look, ColumnSource firstColumnWidth, IconSource icon,
                     QObject *parent = nullptr);

    // Row height and the text's baseline in it; ApplyFileListFont sets them. Until
    // then rows are 25 high with the text's ascent at their top.
    void setRowLayout(FileRowLayout layout);
    int rowHeight() const { return m_layout.height; }
    int baseline() const { return m_layout.baseline; }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // One row as the drawing sees it: the parts of its FileEntry, paths decoded.
    struct Row
    {
        bool hasNewPath = false;
        int iconIndex = 0;
        QString currentPath;
        QString newPath;
        int mark = 0; // FileListModel::RowMark
    };
    // Row `index` of a FileListModel (its roles), or of any model whose display text
    // is a row text.
    static Row rowOf(const QModelIndex &index);

    // The drawing itself: row number `row`, its rectangle, selected or not. The focus
    // frame of the current row is paint()'s.
    void lbFilesDrawItem(QPainter *painter, int row, const QRect &rect, bool selected, const Row &content,
                         const QFont &listFont, const QPalette &palette) const;

private:
    LookSource m_look;
    ColumnSource m_firstColumnWidth;
    IconSource m_icon;
    FileRowLayout m_layout;
};

} // namespace brenmark
