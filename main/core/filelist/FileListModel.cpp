#include "main/core/filelist/FileListModel.h"

#include "main/core/filelist/BackgroundAddRule.h"
#include "main/core/filelist/FileAddRule.h"
#include "main/core/filelist/ListFile.h"

#include <algorithm>
#include <limits>
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
    return std::string_view(m_currentPool).substr(r.currentOffset, r.currentLength);
}

void FileListModel::prefetchNextRow(int row) const
{
    if (row < 0 || size_t(row) + 1 >= m_rows.size())
        return;
    const Row &r = m_rows[size_t(row)];
    __builtin_prefetch(&m_rows[size_t(row) + 1]);
    const char *after = m_currentPool.data() + r.currentOffset + r.currentLength;
    __builtin_prefetch(after);
    __builtin_prefetch(after + 64);
}

std::string_view FileListModel::newPath(int row) const
{
    const Row &r = m_rows[row];
    if (!r.hasNewPath)
        return {};
    if (r.newIsCurrent)
        return currentPath(row);
    const std::string &pool = r.inRewritePool ? m_rewrite->m_newPool : m_newPool;
    return std::string_view(pool).substr(r.newOffset, r.newLength);
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
    return names;
}

FileListModel::Row FileListModel::makeRow(int iconIndex, std::string_view currentPath, bool hasNewPath,
                                          std::string_view newPath)
{
    constexpr size_t kMaxLength = std::numeric_limits<std::uint32_t>::max();
    if (currentPath.size() > kMaxLength || newPath.size() > kMaxLength)
        throw std::length_error("Слишком длинный путь");
    Row row {};
    row.serial = m_nextSerial++;
    row.iconIndex = iconIndex;
    row.currentOffset = m_currentPool.size();
    row.currentLength = std::uint32_t(currentPath.size());
    m_currentPool.append(currentPath);
    row.hasNewPath = hasNewPath;
    row.newIsCurrent = hasNewPath && newPath == currentPath;
    if (hasNewPath && !row.newIsCurrent) {
        row.newOffset = m_newPool.size();
        row.newLength = std::uint32_t(newPath.size());
        m_newPool.append(newPath);
    }
    return row;
}

void FileListModel::appendRows(std::vector<Row> &&rows)
{
    if (rows.empty())
        return;
    beginInsertRows(QModelIndex(), count(), count() + int(rows.size()) - 1);
    if (m_rows.empty())
        m_rows = std::move(rows);
    else
        m_rows.insert(m_rows.end(), rows.begin(), rows.end());
    endInsertRows();
}

int FileListModel::appendDialogFiles(const std::vector<std::string> &paths)
{
    FileAddRule rule;
    std::vector<Row> rows;
    for (const std::string &path : paths)
        if (rule.accepts(path))
            rows.push_back(makeRow(0, path, true, path));
    int added = int(rows.size());
    appendRows(std::move(rows));
    return added;
}

int FileListModel::appendListFiles(const std::vector<std::string> &paths)
{
    const std::vector<std::string_view> views(paths.begin(), paths.end());
    return appendListPaths(views);
}

int FileListModel::appendDroppedFiles(const std::vector<std::string> &paths, const DroppedRowSource &source)
{
    FileAddRule rule;
    int added = 0;
    for (const std::string &path : paths) {
        if (!rule.accepts(path))
            continue;
        const DroppedRow dropped = source(path, count());
        std::vector<Row> rows {makeRow(dropped.iconIndex, path, true, dropped.newPath)};
        appendRows(std::move(rows));
        ++added;
    }
    return added;
}

int FileListModel::appendListFile(const std::string &listFilePath)
{
    return appendListPaths(readListFile(listFilePath));
}

std::vector<std::string_view> FileListModel::readListFile(const std::string &listFilePath)
{
    return readListLines(listFilePath, m_currentPool);
}

std::vector<std::string_view> FileListModel::readListFile(ListFile &listFile)
{
    return listFile.readLines(m_currentPool);
}

int FileListModel::appendListPaths(const std::vector<std::string_view> &paths)
{
    BackgroundAddRule rule(paths, nullptr);
    return appendListPaths(paths, rule);
}

int FileListModel::appendListPaths(const std::vector<std::string_view> &paths, BackgroundAddRule &rule)
{
    // The rows are stored while the add rule lists their folders on another
    // thread; the few it refuses are dropped afterwards.
    std::string retiredStore; // read by the rule until its verdicts are in
    std::vector<Row> rows = makeListRows(paths, retiredStore);
    const std::vector<char> &verdicts = rule.verdicts();
    size_t kept = 0;
    for (size_t i = 0; i < rows.size(); ++i)
        if (verdicts[i])
            rows[kept++] = rows[i];
    const bool refused = kept < rows.size();
    rows.resize(kept);
    appendRows(std::move(rows));
    if (refused)
        compactPools();
    return int(kept);
}

void FileListModel::appendUncheckedListPaths(const std::vector<std::string_view> &paths)
{
    std::string retiredStore;
    appendRows(makeListRows(paths, retiredStore));
}

std::vector<FileListModel::Row> FileListModel::makeListRows(const std::vector<std::string_view> &paths,
                                                            std::string &retiredStore)
{
    // Paths read into the store by readListFile stay where they lie; only
    // the others are copied in. When the store must grow for those, it grows
    // into a new buffer and the old one goes to `retiredStore`, since paths
    // in it may still be read (by an add rule at work on another thread).
    const std::uintptr_t storeStart = reinterpret_cast<std::uintptr_t>(m_currentPool.data());
    const std::uintptr_t storeEnd = storeStart + m_currentPool.size();
    auto offsetInStore = [storeStart, storeEnd](std::string_view path) -> std::uint64_t {
        const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(path.data());
        if (path.empty() || start < storeStart || start > storeEnd || path.size() > storeEnd - start)
            return UINT64_MAX;
        return start - storeStart;
    };
    size_t bytes = 0;
    for (std::string_view path : paths)
        if (offsetInStore(path) == UINT64_MAX)
            bytes += path.size();
    if (m_currentPool.size() + bytes > m_currentPool.capacity()) {
        std::string grown;
        grown.reserve(m_currentPool.size() + bytes);
        grown.append(m_currentPool);
        m_currentPool.swap(grown);
        retiredStore.swap(grown);
    }
    std::vector<Row> rows;
    rows.reserve(paths.size());
    for (std::string_view path : paths) {
        const std::uint64_t offset = offsetInStore(path);
        if (offset == UINT64_MAX) {
            rows.push_back(makeRow(0, path, false, {}));
            continue;
        }
        if (path.size() > std::numeric_limits<std::uint32_t>::max())
            throw std::length_error("Слишком длинный путь");
        Row row {};
        row.serial = m_nextSerial++;
        row.currentOffset = offset;
        row.currentLength = std::uint32_t(path.size());
        rows.push_back(row);
    }
    return rows;
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
    --m_nextSerial;
    m_rows[row] = updated;
    compactPools();
    const QModelIndex changed = index(row);
    emit dataChanged(changed, changed);
    emit rowsRewritten(row, row);
}

void FileListModel::setRowText(int row, std::string_view text)
{
    setEntry(row, FileEntry::parse(text));
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
    compactPools();
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

void FileListModel::clear()
{
    beginResetModel();
    m_rows.clear();
    m_rows.shrink_to_fit();
    m_currentPool.clear();
    m_currentPool.shrink_to_fit();
    m_newPool.clear();
    m_newPool.shrink_to_fit();
    endResetModel();
}

void FileListModel::compactPools()
{
    if (m_rewrite)
        return; // the rewrite's end moves every new path anyway
    size_t liveCurrent = 0;
    size_t liveNew = 0;
    for (const Row &row : m_rows) {
        liveCurrent += row.currentLength;
        if (row.hasNewPath && !row.newIsCurrent)
            liveNew += row.newLength;
    }
    constexpr size_t kSlack = 1 << 20;
    if (m_currentPool.size() <= 2 * liveCurrent + kSlack && m_newPool.size() <= 2 * liveNew + kSlack)
        return;
    std::string currentPool;
    std::string newPool;
    currentPool.reserve(liveCurrent);
    newPool.reserve(liveNew);
    for (Row &row : m_rows) {
        std::string_view current = std::string_view(m_currentPool).substr(row.currentOffset, row.currentLength);
        row.currentOffset = currentPool.size();
        currentPool.append(current);
        if (row.hasNewPath && !row.newIsCurrent) {
            std::string_view newText = std::string_view(m_newPool).substr(row.newOffset, row.newLength);
            row.newOffset = newPool.size();
            newPool.append(newText);
        }
    }
    m_currentPool.swap(currentPool);
    m_newPool.swap(newPool);
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

QString FileListModel::fileCountText(int selected, int total)
{
    return QString::fromUtf8("Файлов %1 из %2.").arg(selected).arg(total);
}

FileListModel::Rewrite::Rewrite(FileListModel &model)
    : m_model(model)
{
    if (model.m_rewrite)
        throw std::logic_error("FileListModel: a rewrite is already under way");
    // New paths are mostly about as long as the current ones: one allocation.
    m_newPool.reserve(model.m_currentPool.size() + model.m_currentPool.size() / 4);
    model.m_rewrite = this;
}

void FileListModel::Rewrite::setRow(int row, int iconIndex, std::string_view newPath)
{
    if (row < 0 || row >= m_model.count())
        return;
    Row &target = m_model.m_rows[row];
    target.iconIndex = iconIndex;
    target.hasNewPath = true;
    target.newIsCurrent = newPath == m_model.currentPath(row);
    target.inRewritePool = !target.newIsCurrent;
    if (target.inRewritePool) {
        target.newOffset = m_newPool.size();
        target.newLength = std::uint32_t(std::min<size_t>(newPath.size(), std::numeric_limits<std::uint32_t>::max()));
        m_newPool.append(newPath.substr(0, target.newLength));
    }
    m_rowsGiven = std::max(m_rowsGiven, row + 1);
}

FileListModel::Rewrite::~Rewrite()
{
    // Rows not given keep their new paths: move them into the new pool too.
    for (Row &row : m_model.m_rows) {
        if (row.inRewritePool) {
            row.inRewritePool = false;
        } else if (row.hasNewPath && !row.newIsCurrent) {
            std::string_view old = std::string_view(m_model.m_newPool).substr(row.newOffset, row.newLength);
            row.newOffset = m_newPool.size();
            m_newPool.append(old);
        }
    }
    m_model.m_newPool.swap(m_newPool);
    m_model.m_rewrite = nullptr;
    const int rewritten = std::min(m_rowsGiven, m_model.count());
    if (rewritten > 0) {
        emit m_model.dataChanged(m_model.index(0), m_model.index(rewritten - 1));
        emit m_model.rowsRewritten(0, rewritten - 1);
    }
}

} // namespace brenmark
