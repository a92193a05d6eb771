#include "main/core/chain/ActionChainModel.h"

#define BRENMARK_HOST
#include "brenmark_module.h"
#include "main/core/modulehost/ModuleCallGuard.h"
#include "main/core/modulehost/ModuleLibrary.h"

#include <exception>
#include <stdexcept>

namespace brenmark {
namespace {

// Calls the module's showOptions; a module without it cannot configure (and
// so cannot add or edit) its action, which is reported like a failed call.
int32_t callShowOptions(TListData &record, uint8_t isNew, const char **caption)
{
    auto showOptions = moduleFunction<BrenmarkShowOptions>(record.Module, "showOptions");
    if (!showOptions)
        throw ModuleCallError("Модуль " + record.ModuleFile + " не поддерживает настройку действия");
    int32_t result = 0;
    guardModuleCall(record.Module, [&] { result = showOptions(isNew, &record.Options, caption); });
    return result;
}

} // namespace

ActionChainModel::ActionChainModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

// Rows still standing at the end go without handing their options back,
// as at shut-down; only host-allocated blocks are the host's to free.
ActionChainModel::~ActionChainModel()
{
    for (ActionRow &row : m_rows)
        if (row.record->HostAllocatedOptions)
            freeHostOptions(row.record->Options);
}

int ActionChainModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant ActionChainModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    const ActionRow &row = m_rows[index.row()];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: return QString::fromUtf8(row.caption.data(), qsizetype(row.caption.size()));
    case Qt::CheckStateRole: return row.checked ? Qt::Checked : Qt::Unchecked;
    case ImageIndexRole: return row.imageIndex;
    case CaptionBytesRole: return QByteArray(row.caption.data(), qsizetype(row.caption.size()));
    case RecordRole: return QVariant::fromValue(reinterpret_cast<quintptr>(row.record.get()));
    default: return {};
    }
}

Qt::ItemFlags ActionChainModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemIsDragEnabled
        | Qt::ItemIsDropEnabled | Qt::ItemNeverHasChildren;
}

bool ActionChainModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::CheckStateRole || !index.isValid() || index.row() >= count())
        return false;
    setCheckedByUser(index.row(), value.toInt() == Qt::Checked);
    return true;
}

int ActionChainModel::rowOfSerial(std::uint64_t serial) const
{
    for (int row = 0; row < count(); ++row)
        if (m_rows[row].serial == serial)
            return row;
    return -1;
}

void ActionChainModel::insertRow(int position, ActionRow row)
{
    row.serial = m_nextSerial++;
    beginInsertRows(QModelIndex(), position, position);
    m_rows.insert(m_rows.begin() + position, std::move(row));
    endInsertRows();
}

bool ActionChainModel::addAction(void *module, const std::string &moduleFile, int imageIndex)
{
    auto record = std::make_unique<TListData>();
    record->Module = module;
    record->ModuleFile = moduleFile;
    const char *caption = nullptr;
    if (callShowOptions(*record, 1, &caption) != 1)
        return false;
    m_chainUpdating = true;
    ActionRow row;
    row.caption = caption ? caption : "";
    row.imageIndex = imageIndex;
    row.checked = true;
    row.record = std::move(record);
    insertRow(count(), std::move(row));
    emit controlStatesChanged();
    emit templateSelectionReset();
    m_chainUpdating = false;
    emit previewRebuildRequested();
    return true;
}

void ActionChainModel::editAction(int row)
{
    if (row < 0 || row >= count())
        return;
    // The module sees a host-owned copy of the caption, valid during the call.
    const std::string current = m_rows[row].caption;
    const char *caption = current.c_str();
    TListData &record = *m_rows[row].record;
    const int32_t result = callShowOptions(record, 0, &caption);
    if (result == 1)
        emit templateSelectionReset();
    m_rows[row].caption = caption ? caption : "";
    const QModelIndex changed = index(row);
    emit dataChanged(changed, changed);
    emit controlStatesChanged();
    emit previewRebuildRequested();
}

void ActionChainModel::releaseOptions(TListData &record)
{
    if (record.HostAllocatedOptions) {
        freeHostOptions(record.Options);
        record.Options = nullptr;
        return;
    }
    if (auto freeOpt = moduleFunction<BrenmarkFreeOpt>(record.Module, "freeOpt")) {
        void *options = record.Options;
        record.Options = nullptr;
        guardModuleCall(record.Module, [&] { freeOpt(options); });
    }
}

void ActionChainModel::RemoveAction(int row)
{
    if (row < 0 || row >= count())
        return;
    std::exception_ptr failure;
    try {
        releaseOptions(*m_rows[row].record);
    } catch (...) {
        failure = std::current_exception();
    }
    beginRemoveRows(QModelIndex(), row, row);
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
    emit templateSelectionReset();
    emit controlStatesChanged();
    if (failure)
        std::rethrow_exception(failure);
}

void ActionChainModel::removeSelectedAction(int row)
{
    if (row < 0 || row >= count())
        return;
    // The preview is rebuilt also when the module failed to free its options:
    // the row is gone either way.
    std::exception_ptr failure;
    try {
        RemoveAction(row);
    } catch (...) {
        failure = std::current_exception();
    }
    emit previewRebuildRequested();
    if (failure)
        std::rethrow_exception(failure);
}

void ActionChainModel::clearChain()
{
    m_chainUpdating = true;
    std::exception_ptr failure;
    for (int n = count(); n > 0; --n) {
        try {
            RemoveAction(0);
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    }
    m_chainUpdating = false;
    emit previewRebuildRequested();
    if (failure)
        std::rethrow_exception(failure);
}

void ActionChainModel::setAllChecked(const std::vector<bool> &states)
{
    for (int row = 0; row < count(); ++row)
        m_rows[row].checked = states[row];
    if (count() > 0)
        emit dataChanged(index(0), index(count() - 1), {Qt::CheckStateRole});
    emit controlStatesChanged();
}

void ActionChainModel::applyEnableCommand(EnableCommand command, int selectedRow)
{
    m_chainUpdating = true;
    std::vector<bool> states(static_cast<size_t>(count()));
    for (int row = 0; row < count(); ++row) {
        switch (command) {
        case EnableCommand::DisableAll: states[row] = false; break;
        case EnableCommand::EnableAll: states[row] = true; break;
        case EnableCommand::EnableOnlySelected: states[row] = row == selectedRow; break;
        case EnableCommand::DisableOnlySelected: states[row] = row != selectedRow; break;
        }
    }
    setAllChecked(states);
    m_chainUpdating = false;
    emit previewRebuildRequested();
}

void ActionChainModel::setCheckedByUser(int row, bool checked)
{
    if (row < 0 || row >= count())
        return;
    m_checkedBefore = m_rows[row].checked;
    m_rows[row].checked = checked;
    const QModelIndex changed = index(row);
    emit dataChanged(changed, changed, {Qt::CheckStateRole});
    emit controlStatesChanged();
    if (checked != m_checkedBefore && !m_chainUpdating)
        emit previewRebuildRequested();
}

void ActionChainModel::moveByDrop(int targetRow, int selectedRow)
{
    m_chainUpdating = true;
    const bool rows = targetRow >= 0 && targetRow < count() && selectedRow >= 0 && selectedRow < count();
    if (rows) {
        // The dragged row ends at the target's index: inserted at T + 1 when
        // T > S (the original, before it, then goes), else at T.
        if (targetRow != selectedRow) {
            const int destination = targetRow > selectedRow ? targetRow + 1 : targetRow;
            beginMoveRows(QModelIndex(), selectedRow, selectedRow, QModelIndex(), destination);
            ActionRow moved = std::move(m_rows[selectedRow]);
            m_rows.erase(m_rows.begin() + selectedRow);
            m_rows.insert(m_rows.begin() + targetRow, std::move(moved));
            endMoveRows();
        }
        emit templateSelectionReset();
    }
    emit controlStatesChanged();
    m_chainUpdating = false;
    emit previewRebuildRequested();
}

void ActionChainModel::appendAction(std::string caption, int imageIndex, bool checked,
                                    std::unique_ptr<TListData> record)
{
    ActionRow row;
    row.caption = std::move(caption);
    row.imageIndex = imageIndex;
    row.checked = checked;
    row.record = record ? std::move(record) : std::make_unique<TListData>();
    insertRow(count(), std::move(row));
    emit controlStatesChanged();
}

void ActionChainModel::discardAll()
{
    beginResetModel();
    for (ActionRow &row : m_rows)
        if (row.record->HostAllocatedOptions)
            freeHostOptions(row.record->Options);
    m_rows.clear();
    endResetModel();
    emit controlStatesChanged();
}

void ActionChainModel::requestPreviewRebuild()
{
    emit previewRebuildRequested();
}

} // namespace brenmark
