#pragma once

#include "main/core/filelist/FileEntry.h"
#include "main/core/filelist/PathStore.h"
#include "main/core/filelist/RowSelection.h"

#include <QAbstractListModel>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace brenmark {


// The file list `lbFiles`: an ordered list of FileEntry rows (duplicates
// allowed), kept in contiguous storage so that a million rows stay cheap:
// the current and the new paths lie in a PathStore each, and each row is a
// fixed-size record of where its paths are. The text of a row is produced from the record on
// demand (FileEntry::text) and is all a row means.
//
// Every row has a serial number that is never reused and grows with the row
// position (rows are appended at the end, and reordering numbers them anew),
// so the batch run can find its rows again after rows were removed under it.
class FileListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role {
        RowTextRole = Qt::UserRole + 1, // QByteArray: the row text, paths escaped
        IconIndexRole,                  // int
        CurrentPathRole,                // QString: current path decoded for display
        NewPathRole,                    // QString: new path decoded for display
        HasNewPathRole,                 // bool: the row holds a "*"
        CurrentPathBytesRole,           // QByteArray: current path, exact bytes
        NewPathBytesRole,               // QByteArray: new path, exact bytes
        MarkRole,                       // int: the row's RowMark
    };
    // What the window must not let pass unseen about a row; Qt::ToolTipRole
    // gives the reason below the paths. A mark lives until the row's new path is
    // computed again (the preview rebuild, setEntry).
    enum class RowMark : std::uint8_t {
        None,
        Collision, // the run will not be able to give the file its new path
        Failed,    // a call of the last run failed for this file
    };

    explicit FileListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    // DisplayRole gives the row text decoded for display; Qt::ToolTipRole the
    // row's toolTipText.
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QHash<int, QByteArray> roleNames() const override;

    int count() const { return static_cast<int>(m_rows.size()); }
    std::string rowText(int row) const;
    FileEntry entry(int row) const;
    int iconIndex(int row) const { return m_rows[row].iconIndex; }
    bool hasNewPath(int row) const { return m_rows[row].hasNewPath; }
    // Views into the store: valid until the list is next changed.
    std::string_view currentPath(int row) const;
    std::string_view newPath(int row) const;
    // Replaces a row by a row text (parsed by the one rule), e.g. after renaming its file.
    void setRowText(int row, std::string_view text);
    void setEntry(int row, const FileEntry &entry);

    // Adding. Every path is tested by the add rule (an existing file that is not
    // a directory; anything else is skipped silently); the accepted ones are
    // appended with one insertion. Each returns the number of rows appended.
    int appendDialogFiles(const std::vector<std::string> &paths);      // "0|p*p"
    int appendListFiles(const std::vector<std::string> &paths);        // "0|p"
    // What a dropped file's row gets at once, asked with the index the row is
    // about to take (the preview's PreviewFile and the icon setting).
    struct DroppedRow
    {
        int iconIndex = 0;
        std::string newPath;
    };
    using DroppedRowSource = std::function<DroppedRow(const std::string &path, int index)>;
    // Each accepted file is appended alone with what `source` gives it. A
    // failure of `source` ends the drop with the error; the files before it
    // are in the list.
    int appendDroppedFiles(const std::vector<std::string> &paths, const DroppedRowSource &source);
    // Reads the command-line list file (readListLines) and appends its files
    // as "0|p"; throws what readListLines throws.
    int appendListFile(const std::string &listFilePath);
    // Appends without the add rule (tests, benchmarks, templates of rows).
    void appendRowTexts(const std::vector<std::string> &rowTexts);

    // Puts the rows in the order given: element k is the row that goes to
    // position k, each row exactly once (std::invalid_argument otherwise, and
    // nothing changes). Only the order changes; the view is reset. The rows
    // get fresh serials in their new order, so a batch run must not be under
    // way: it would take every row for one added after it began.
    void reorderRows(const std::vector<std::uint32_t> &order);

    // Removing; none of these rebuilds the preview.
    void removeRows(const RowSelection &selection);                  // N1Click
    // Del in the list: removes the selected rows and returns the row to select
    // then (the row that followed the first removed one, or the new last row),
    // or an empty selection when nothing is left or nothing was selected.
    RowSelection removeSelectedByKey(const RowSelection &selection); // lbFilesKeyDown
    void clear();                                                    // N13Click

    // Selection commands: each returns the new selection of every row.
    enum class ChangeKind { NameUnchanged = 0, LocationUnchanged = 1, NothingChanges = 2 };
    RowSelection selectByChange(ChangeKind kind) const;              // N15Click, tags 0-2
    enum class MaskMode { AddToSelection = 0, RemoveFromSelection = 1 };
    // Matches the current path of each row whose state can change; throws
    // InvalidMaskError at the first such row when the mask is malformed (then
    // nothing changes). An empty mask changes nothing.
    RowSelection filterByMask(const RowSelection &selection, const std::string &mask,
                              MaskMode mode) const;                  // N27Click, tags 0-1
    static RowSelection invert(const RowSelection &selection);       // N18Click
    RowSelection selectAll() const;                                  // N19Click

    // A row's tooltip, as rich text that keeps every path on one line: the whole
    // current path, the whole new path when the row has one, then the mark's reason.
    static QString toolTipText(const QString &currentPath, const QString &newPath, const QString &reason);

    // The status text of UpdateFileCount: "Файлов <selected> из <total>.".
    static QString fileCountText(int selected, int total);

    // Rewriting every row (the preview rebuild): each row is given once, in
    // any order; the rewrite ends (and the view learns of it with one
    // dataChanged) when the object is destroyed, also by an exception, and rows
    // not given keep their text. Rows stay readable meanwhile, also when they
    // are removed or added while modules run.
    class Rewrite
    {
    public:
        explicit Rewrite(FileListModel &model);
        ~Rewrite();
        Rewrite(const Rewrite &) = delete;
        Rewrite &operator=(const Rewrite &) = delete;
        void setRow(int row, int iconIndex, std::string_view newPath);

    private:
        FileListModel &m_model;
        int m_rowsGiven = 0;
    };

    RowMark mark(int row) const { return RowMark(m_rows[row].mark); }
    QString markReason(int row) const;
    int markedRows(RowMark mark) const;
    // Marks rows (with their reasons), telling the view with one change.
    // Collision marks replace the earlier ones, and a failed row keeps its
    // mark and reason; failed marks (after a run) replace every mark.
    void setCollisionMarks(const std::vector<std::pair<int, QString>> &rows);
    // Adds collision marks, keeping every mark there is.
    void addCollisionMarks(const std::vector<std::pair<int, QString>> &rows);
    void setFailedMarks(const std::vector<std::pair<int, QString>> &rows);

    // Serial numbers for finding rows again (the batch run).
    std::uint64_t serial(int row) const { return m_rows[row].serial; }
    // The first row whose serial is greater than `serial`, or -1; `hint` is
    // where the caller expects it (checked first, then a binary search).
    int rowAfterSerial(std::uint64_t serial, int hint) const;
    std::uint64_t lastSerial() const { return m_nextSerial - 1; }

signals:
    // Rows [first, last] got a new text and are to be shown deselected.
    void rowsRewritten(int first, int last);

private:
    struct Row
    {
        std::uint64_t currentOffset;
        std::uint64_t newOffset;
        std::uint64_t serial;
        std::uint32_t currentLength;
        std::uint32_t newLength;
        std::int32_t iconIndex;
        bool hasNewPath;
        bool newIsCurrent; // the new path is the current path: not stored twice
        std::uint8_t mark; // RowMark
    };

    Row makeRow(int iconIndex, std::string_view currentPath, bool hasNewPath, std::string_view newPath);
    void setNewPath(Row &row, bool hasNewPath, std::string_view newPath);
    enum class Shape { Dialog, List };
    int appendAccepted(const std::vector<std::string_view> &paths, Shape shape);
    // Every route of adding ends here; the rows get their serials.
    void appendRows(std::vector<Row> &&rows);
    void removeWhere(const RowSelection &selection);
    void dropUnusedPaths();
    void setMarks(RowMark mark, const std::vector<std::pair<int, QString>> &rows, bool replace);

    std::vector<Row> m_rows;
    PathStore m_currentPaths;
    PathStore m_newPaths;
    std::uint64_t m_nextSerial = 1;
    // Few rows are marked: their reasons by row serial, read only while marked.
    std::unordered_map<std::uint64_t, QString> m_markReasons;
};

} // namespace brenmark
