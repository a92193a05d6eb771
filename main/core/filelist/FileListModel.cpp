#include "main/core/filelist/FileListModel.h"

#include "main/core/filelist/FileAddRule.h"
#include "main/core/filelist/ListFile.h"

#include <algorithm>
#include <stdexcept>

namespace brenmark {
namespace {

QByteArray bytes(std::string_view text)
{
    return QByteArray(text.data(), qsizetype(text.size()));
}

QString display(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

FileListModel::FileListModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

int FileListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

std::string_view FileListModel::currentPath(int row) const
{
    const Row &r = m_rows[row];
    return m_currentPaths.path(r.currentOffset, r.currentLength);
}

std::string_view FileListModel::newPath(int row) const
{
    const Row &r = m_rows[row];
    if (!r.hasNewPath)
        return {};
    if (r.newIsCurrent)
        return currentPath(row);
    return m_newPaths.path(r.newOffset, r.newLength);
}

FileEntry FileListModel::entry(int row) const
{
    return FileEntry {m_rows[row].iconIndex, std::string(currentPath(row)), std::string(newPath(row)),
                      m_rows[row].hasNewPath};
}

std::string FileListModel::rowText(int row) const
{
    return entry(row).text();
}

QVariant FileListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    const int row = index.row();
    switch (role) {
    case Qt::DisplayRole: return display(rowText(row));
    case RowTextRole: return bytes(rowText(row));
    case IconIndexRole: return m_rows[row].iconIndex;
    case CurrentPathRole: return display(currentPath(row));
    case NewPathRole: return display(newPath(row));
    case HasNewPathRole: return m_rows[row].hasNewPath;
    case CurrentPathBytesRole: return bytes(currentPath(row));
    case NewPathBytesRole: return bytes(newPath(row));
    case MarkRole: return int(m_rows[row].mark);
    case Qt::ToolTipRole: return toolTipText(display(currentPath(row)), display(newPath(row)), markReason(row));
    default: return {};
    }
}

Qt::ItemFlags FileListModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren : Qt::NoItemFlags;
}

QHash<int, QByteArray> FileListModel::roleNames() const
{
    QHash<int, QByteArray> names = QAbstractListModel::roleNames();
    names.insert(RowTextRole, "rowText");
    names.insert(IconIndexRole, "iconIndex");
    names.insert(CurrentPathRole, "currentPath");
    names.insert(NewPathRole, "newPath");
    names.insert(HasNewPathRole, "hasNewPath");
    names.insert(CurrentPathBytesRole, "currentPathBytes");
    names.insert(NewPathBytesRole, "newPathBytes");
    names.insert(MarkRole, "mark");
    return names;
}

FileListModel::Row FileListModel::makeRow(int iconIndex, std::string_view currentPath, bool hasNewPath,
                                          std::string_view newPath)
{
    Row row {};
    row.iconIndex = iconIndex;
    row.currentOffset = m_currentPaths.add(currentPath);
    row.currentLength = std::uint32_t(currentPath.size());
    setNewPath(row, hasNewPath, newPath);
    return row;
}

void FileListModel::setNewPath(Row &row, bool hasNewPath, std::string_view newPath)
{
    row.hasNewPath = hasNewPath;
    row.newIsCurrent = hasNewPath && newPath == m_currentPaths.path(row.currentOffset, row.currentLength);
    row.newOffset = 0;
    row.newLength = 0;
    if (hasNewPath && !row.newIsCurrent && !newPath.empty()) {
        row.newOffset = m_newPaths.add(newPath);
        row.newLength = std::uint32_t(newPath.size());
    }
}

void FileListModel::appendRows(std::vector<Row> &&rows)
{
    if (rows.empty())
        return;
    for (Row &row : rows)
        row.serial = m_nextSerial++;
    beginInsertRows(QModelIndex(), count(), count() + int(rows.size()) - 1);
    if (m_rows.empty())
        m_rows = std::move(rows);
    else
        m_rows.insert(m_rows.end(), rows.begin(), rows.end());
    endInsertRows();
}

int FileListModel::appendAccepted(const std::vector<std::string_view> &paths, Shape shape)
{
    // Room for every path at once: grown step by step, a million rows would
    // pass through twice their size in fresh memory.
    size_t bytes = 0;
    for (std::string_view given : paths)
        bytes += given.size();
    m_currentPaths.reserve(m_currentPaths.size() + bytes);
    std::vector<Row> rows;
    rows.reserve(paths.size());
    FileAddRule rule;
    std::string path;
    for (std::string_view given : paths) {
        path.assign(given);
        if (rule.accepts(path))
            rows.push_back(makeRow(0, path, shape == Shape::Dialog, path));
    }
    const int added = int(rows.size());
    appendRows(std::move(rows));
    return added;
}

int FileListModel::appendDialogFiles(const std::vector<std::string> &paths)
{
    return appendAccepted(std::vector<std::string_view>(paths.begin(), paths.end()), Shape::Dialog);
}

int FileListModel::appendListFiles(const std::vector<std::string> &paths)
{
    return appendAccepted(std::vector<std::string_view>(paths.begin(), paths.end()), Shape::List);
}

int FileListModel::appendListFile(const std::string &listFilePath)
{
    std::string text;
    return appendAccepted(readListLines(listFilePath, text), Shape::List);
}

int FileListModel::appendDroppedFiles(const std::vector<std::string> &paths, const DroppedRowSource &source)
{
    FileAddRule rule;
    int added = 0;
    for (const std::string &path : paths) {
        if (!rule.accepts(path))
            continue;
        // One row at a time: the preview of the next file gets this row's
        // index plus one, and a failing module leaves the rows before it.
        const DroppedRow dropped = source(path, count());
        appendRows({makeRow(dropped.iconIndex, path, true, dropped.newPath)});
        ++added;
    }
    return added;
}

void FileListModel::appendRowTexts(const std::vector<std::string> &rowTexts)
{
    std::vector<Row> rows;
    rows.reserve(rowTexts.size());
    for (const std::string &text : rowTexts) {
        FileEntry parsed = FileEntry::parse(text);
        rows.push_back(makeRow(parsed.iconIndex, parsed.currentPath, parsed.hasNewPath, parsed.newPath));
    }
    appendRows(std::move(rows));
}

void FileListModel::setEntry(int row, const FileEntry &entry)
{
    if (row < 0 || row >= count())
        return;
    Row updated = makeRow(entry.iconIndex, entry.currentPath, entry.hasNewPath, entry.newPath);
    updated.serial = m_rows[row].serial;
    m_rows[row] = updated;
    dropUnusedPaths();
    const QModelIndex changed = index(row);
    emit dataChanged(changed, changed);
    emit rowsRewritten(row, row);
}

void FileListModel::setRowText(int row, std::string_view text)
{
    setEntry(row, FileEntry::parse(text));
}

void FileListModel::reorderRows(const std::vector<std::uint32_t> &order)
{
    if (order.size() != m_rows.size())
        throw std::invalid_argument("reorderRows: not every row is placed");
    std::vector<bool> placed(m_rows.size());
    for (const std::uint32_t row : order) {
        if (row >= m_rows.size() || placed[row])
            throw std::invalid_argument("reorderRows: a row is placed twice or does not exist");
        placed[row] = true;
    }
    beginResetModel();
    std::vector<Row> rows;
    rows.reserve(m_rows.size());
    std::unordered_map<std::uint64_t, QString> reasons;
    for (const std::uint32_t from : order) {
        Row row = m_rows[from];
        const std::uint64_t serial = m_nextSerial++;
        if (row.mark != std::uint8_t(RowMark::None))
            if (auto reason = m_markReasons.find(row.serial); reason != m_markReasons.end())
                reasons.emplace(serial, std::move(reason->second));
        row.serial = serial;
        rows.push_back(row);
    }
    m_rows = std::move(rows);
    m_markReasons = std::move(reasons);
    endResetModel();
}

void FileListModel::removeWhere(const RowSelection &selection)
{
    size_t kept = 0;
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (!selection.isSelected(int(i)))
            m_rows[kept++] = m_rows[i];
    m_rows.resize(kept);
}

void FileListModel::removeRows(const RowSelection &selection)
{
    // A few blocks are removed block by block, so the view keeps its place;
    // a scattered selection is removed in one pass with a reset.
    constexpr size_t kMaxBlocks = 8;
    std::vector<std::pair<int, int>> blocks;
    for (int row = 0; row < count() && blocks.size() <= kMaxBlocks; ++row) {
        if (!selection.isSelected(row))
            continue;
        int end = row;
        while (end + 1 < count() && selection.isSelected(end + 1))
            ++end;
        blocks.emplace_back(row, end);
        row = end;
    }
    if (blocks.empty())
        return;
    if (blocks.size() > kMaxBlocks) {
        beginResetModel();
        removeWhere(selection);
        endResetModel();
    } else {
        for (auto it = blocks.rbegin(); it != blocks.rend(); ++it) {
            beginRemoveRows(QModelIndex(), it->first, it->second);
            m_rows.erase(m_rows.begin() + it->first, m_rows.begin() + it->second + 1);
            endRemoveRows();
        }
    }
    dropUnusedPaths();
}

RowSelection FileListModel::removeSelectedByKey(const RowSelection &selection)
{
    int first = selection.first();
    if (count() == 0 || first < 0 || first >= count())
        return RowSelection(count());
    removeRows(selection);
    if (first == count())
        --first;
    RowSelection next(count());
    if (first >= 0)
        next.set(first, true);
    return next;
}

QString FileListModel::markReason(int row) const
{
    if (row < 0 || row >= count() || m_rows[row].mark == std::uint8_t(RowMark::None))
        return {};
    const auto found = m_markReasons.find(m_rows[row].serial);
    return found == m_markReasons.end() ? QString() : found->second;
}

int FileListModel::markedRows(RowMark mark) const
{
    return int(std::count_if(m_rows.begin(), m_rows.end(),
                             [mark](const Row &row) { return row.mark == std::uint8_t(mark); }));
}

void FileListModel::setCollisionMarks(const std::vector<std::pair<int, QString>> &rows)
{
    setMarks(RowMark::Collision, rows, true);
}

void FileListModel::addCollisionMarks(const std::vector<std::pair<int, QString>> &rows)
{
    setMarks(RowMark::Collision, rows, false);
}

void FileListModel::setFailedMarks(const std::vector<std::pair<int, QString>> &rows)
{
    setMarks(RowMark::Failed, rows, true);
}

void FileListModel::setMarks(RowMark mark, const std::vector<std::pair<int, QString>> &rows, bool replace)
{
    // The reasons of rows that keep their mark are carried over; the rest
    // (also of rows removed since) are dropped.
    std::unordered_map<std::uint64_t, QString> reasons;
    int first = count();
    int last = -1;
    if (!replace)
        reasons = std::move(m_markReasons);
    for (int row = 0; replace && row < count(); ++row) {
        Row &entry = m_rows[row];
        if (entry.mark == std::uint8_t(RowMark::None))
            continue;
        if (mark == RowMark::Collision && entry.mark == std::uint8_t(RowMark::Failed)) {
            if (auto kept = m_markReasons.find(entry.serial); kept != m_markReasons.end())
                reasons.emplace(entry.serial, std::move(kept->second));
            continue;
        }
        entry.mark = std::uint8_t(RowMark::None);
        first = std::min(first, row);
        last = row;
    }
    for (const auto &[row, reason] : rows) {
        if (row < 0 || row >= count())
            continue;
        Row &entry = m_rows[row];
        if (mark == RowMark::Collision && entry.mark == std::uint8_t(RowMark::Failed))
            continue;
        entry.mark = std::uint8_t(mark);
        reasons[entry.serial] = reason;
        first = std::min(first, row);
        last = std::max(last, row);
    }
    m_markReasons = std::move(reasons);
    if (first <= last)
        emit dataChanged(index(first), index(last));
}

void FileListModel::clear()
{
    beginResetModel();
    m_markReasons = {};
    m_rows = {};
    m_currentPaths = {};
    m_newPaths = {};
    endResetModel();
}

void FileListModel::dropUnusedPaths()
{
    size_t usedCurrent = 0;
    size_t usedNew = 0;
    for (const Row &row : m_rows) {
        usedCurrent += row.currentLength;
        usedNew += row.newLength;
    }
    if (m_currentPaths.worthCopying(usedCurrent)) {
        PathStore kept;
        kept.reserve(usedCurrent);
        for (Row &row : m_rows)
            row.currentOffset = kept.add(m_currentPaths.path(row.currentOffset, row.currentLength));
        m_currentPaths = std::move(kept);
    }
    if (m_newPaths.worthCopying(usedNew)) {
        PathStore kept;
        kept.reserve(usedNew);
        for (Row &row : m_rows)
            row.newOffset = row.newLength > 0 ? kept.add(m_newPaths.path(row.newOffset, row.newLength)) : 0;
        m_newPaths = std::move(kept);
    }
}

int FileListModel::rowAfterSerial(std::uint64_t serial, int hint) const
{
    const int total = count();
    if (hint >= 0 && hint < total && m_rows[hint].serial > serial
        && (hint == 0 || m_rows[hint - 1].serial <= serial))
        return hint;
    auto it = std::upper_bound(m_rows.begin(), m_rows.end(), serial,
                               [](std::uint64_t value, const Row &row) { return value < row.serial; });
    return it == m_rows.end() ? -1 : int(it - m_rows.begin());
}

QString FileListModel::toolTipText(const QString &currentPath, const QString &newPath, const QString &reason)
{
    // Rich text on purpose: shown as plain text, a path holding "<b>" could turn
    // the whole tooltip into markup.
    QString text = QStringLiteral("<p style='white-space:pre'>") + QString::fromUtf8("Текущий путь: ")
                   + currentPath.toHtmlEscaped();
    if (!newPath.isEmpty())
        text += QStringLiteral("<br>") + QString::fromUtf8("Новый путь: ") + newPath.toHtmlEscaped();
    text += QStringLiteral("</p>");
    if (!reason.isEmpty())
        text += QStringLiteral("<p>") + reason.toHtmlEscaped() + QStringLiteral("</p>");
    return text;
}

QString FileListModel::fileCountText(int selected, int total)
{
    return QString::fromUtf8("Файлов %1 из %2.").arg(selected).arg(total);
}

FileListModel::Rewrite::Rewrite(FileListModel &model)
    : m_model(model)
{
    // New paths are mostly about as long as the current ones: one allocation.
    const size_t current = model.m_currentPaths.size();
    model.m_newPaths.reserve(model.m_newPaths.size() + current + current / 4);
}

void FileListModel::Rewrite::setRow(int row, int iconIndex, std::string_view newPath)
{
    if (row < 0 || row >= m_model.count())
        return;
    Row &target = m_model.m_rows[row];
    target.iconIndex = iconIndex;
    target.mark = std::uint8_t(RowMark::None);
    m_model.setNewPath(target, true, newPath);
    m_rowsGiven = std::max(m_rowsGiven, row + 1);
}

FileListModel::Rewrite::~Rewrite()
{
    m_model.dropUnusedPaths();
    const int rewritten = std::min(m_rowsGiven, m_model.count());
    if (rewritten > 0) {
        emit m_model.dataChanged(m_model.index(0), m_model.index(rewritten - 1));
        emit m_model.rowsRewritten(0, rewritten - 1);
    }
}

} // namespace brenmark
