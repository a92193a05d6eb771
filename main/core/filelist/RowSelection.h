#pragma once

#include <QItemSelection>

#include <vector>

class QAbstractItemModel;

namespace brenmark {

// The selected rows of a list: one bit per row, so a million rows cost
// 125 kB. The file-list operations take and give selections in this form;
// the window converts to and from its QItemSelectionModel.
class RowSelection
{
public:
    RowSelection() = default;
    explicit RowSelection(int rowCount, bool selected = false);

    static RowSelection fromItemSelection(const QItemSelection &selection, int rowCount);
    static RowSelection fromRows(const std::vector<int> &rows, int rowCount);

    // One range per run of selected rows, column 0 of `model`.
    QItemSelection toItemSelection(const QAbstractItemModel &model) const;
    std::vector<int> rows() const;

    int rowCount() const { return static_cast<int>(m_bits.size()); }
    int count() const;
    bool isSelected(int row) const { return row >= 0 && row < rowCount() && m_bits[row]; }
    void set(int row, bool selected) { m_bits[row] = selected; }
    // The first selected row, or -1.
    int first() const;
    bool isEmpty() const { return first() < 0; }

    bool operator==(const RowSelection &other) const = default;

private:
    std::vector<bool> m_bits;
};

// Number of rows in a selection of whole rows, without building index lists.
int selectedRowCount(const QItemSelection &selection);

} // namespace brenmark
