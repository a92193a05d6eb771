#pragma once

#include "main/core/chain/TListData.h"

#include <QAbstractListModel>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace brenmark {

// The action chain `lvActions`: ordered rows of caption, image index (in
// imlAddMenu), check box (checked = enabled) and the row's TListData. The rows
// with their records are the chain; the preview and the run read it through
// count()/isChecked()/record().
//
// Every module call goes through guardModuleCall; a failing call raises
// ModuleCallError (or std::runtime_error for a missing export) for the
// window's general error handler.
//
// Notifications, to be wired by the window:
//   templateSelectionReset()   select the empty entry 0 of cbProfile
//   controlStatesChanged()     refresh bbSave/bbRemAct/bbEditAct (actionButtonStates)
//   previewRebuildRequested()  run RebuildPreview now
// Each operation below states which it emits; every user change of the chain
// requests exactly one rebuild, and no program change (ChainUpdating raised)
// requests one by itself.
class ActionChainModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role {
        ImageIndexRole = Qt::UserRole + 1, // int
        CaptionBytesRole,                  // QByteArray: the caption as the module gave it
        RecordRole,                        // quintptr: the row's TListData*
    };

    enum class EnableCommand { DisableAll = 0, EnableAll = 1, EnableOnlySelected = 2, DisableOnlySelected = 3 };

    explicit ActionChainModel(QObject *parent = nullptr);
    ~ActionChainModel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    // DisplayRole: caption decoded for display; CheckStateRole: the check box.
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // A CheckStateRole change is the user's click on the check box (setCheckedByUser).
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    int count() const { return static_cast<int>(m_rows.size()); }
    const std::string &caption(int row) const { return m_rows[row].caption; }
    int imageIndex(int row) const { return m_rows[row].imageIndex; }
    bool isChecked(int row) const { return m_rows[row].checked; }
    TListData &record(int row) { return *m_rows[row].record; }
    const TListData &record(int row) const { return *m_rows[row].record; }
    // Serial numbers are never reused: a row found again by its serial is the same row.
    std::uint64_t serial(int row) const { return m_rows[row].serial; }
    int rowOfSerial(std::uint64_t serial) const; // -1 when gone

    // f1Click: showOptions in mode 1. When the module accepts (returns 1) the row
    // is appended checked, then templateSelectionReset, previewRebuildRequested;
    // otherwise the record is dropped (no freeOpt) and nothing is emitted.
    // Returns whether a row was added.
    bool addAction(void *module, const std::string &moduleFile, int imageIndex);
    // bbEditActClick: showOptions in mode 0 on the row; the caption is taken
    // from the caption pointer whatever the result; templateSelectionReset when
    // the module accepted; previewRebuildRequested always. No-op for row -1.
    void editAction(int row);
    // bbRemActClick / Del: RemoveAction on the row, then previewRebuildRequested.
    void removeSelectedAction(int row);
    // RemoveAction: freeOpt(Options) when the module exports it (a host block is
    // freed by the host), record released, row deleted, templateSelectionReset,
    // controlStatesChanged. A failing freeOpt still removes the row; its error
    // is raised afterwards.
    void RemoveAction(int row);
    // N5Click: RemoveAction on every row under ChainUpdating, then one rebuild.
    void clearChain();
    // N8Click, tags 0-3; selectedRow -1 when none. One rebuild; cbProfile untouched.
    void applyEnableCommand(EnableCommand command, int selectedRow);
    // The user's check-box click: CheckedBefore is remembered, the state set,
    // controlStatesChanged, and previewRebuildRequested only when the state
    // really changed and ChainUpdating is not raised.
    void setCheckedByUser(int row, bool checked);
    // lvActionsDragDrop: the dragged (selected) row takes the target's place
    // (inserted at T+1 when T > S, else at T, then the original deleted).
    // targetRow -1: dropped below the last row; selectedRow -1: none.
    // templateSelectionReset when both are rows (also T == S); always one rebuild.
    void moveByDrop(int targetRow, int selectedRow);

    // Program changes (templates). While ChainUpdating is raised check changes
    // request no rebuild.
    bool ChainUpdating() const { return m_chainUpdating; }
    void setChainUpdating(bool updating) { m_chainUpdating = updating; }
    bool CheckedBefore() const { return m_checkedBefore; }
    // Appends a row built by the program; emits only controlStatesChanged.
    void appendAction(std::string caption, int imageIndex, bool checked, std::unique_ptr<TListData> record);
    // Drops every row without handing options back to the modules (a loaded
    // template replaces the chain); host-allocated blocks are freed. Emits
    // controlStatesChanged.
    void discardAll();
    // Emits previewRebuildRequested (the end of a template load).
    void requestPreviewRebuild();

signals:
    void templateSelectionReset();
    void controlStatesChanged();
    void previewRebuildRequested();

private:
    struct ActionRow
    {
        std::string caption;
        int imageIndex = -1;
        bool checked = true;
        std::unique_ptr<TListData> record;
        std::uint64_t serial = 0;
    };

    void insertRow(int position, ActionRow row);
    void setAllChecked(const std::vector<bool> &states);
    static void releaseOptions(TListData &record);

    std::vector<ActionRow> m_rows;
    bool m_chainUpdating = false;
    bool m_checkedBefore = false;
    std::uint64_t m_nextSerial = 1;
};

} // namespace brenmark
