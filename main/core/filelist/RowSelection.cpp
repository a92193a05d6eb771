#include "main/core/filelist/RowSelection.h"

#include <QAbstractItemModel>

#include <algorithm>

namespace brenmark {

RowSelection::RowSelection(int rowCount, bool selected)
    : m_bits(static_cast<size_t>(std::max(rowCount, 0)), selected)
{
}

RowSelection RowSelection::fromItemSelection(const QItemSelection &selection, int rowCount)
{
    RowSelection result(rowCount);
    for (const QItemSelectionRange &range : selection) {
        int top = std::max(range.top(), 0);
        int bottom = std::min(range.bottom(), rowCount - 1);
        for (int row = top; row <= bottom; ++row)
            result.m_bits[row] = true;
    }
    return result;
}

RowSelection RowSelection::fromRows(const std::vector<int> &rows, int rowCount)
{
    RowSelection result(rowCount);
    for (int row : rows)
        if (row >= 0 && row < rowCount)
            result.m_bits[row] = true;
    return result;
}

QItemSelection RowSelection::toItemSelection(const QAbstractItemModel &model) const
{
    QItemSelection selection;
    const int total = rowCount();
    for (int row = 0; row < total;) {
        if (!m_bits[row]) {
            ++row;
            continue;
        }
        int end = row;
        while (end + 1 < total && m_bits[end + 1])
            ++end;
        selection.append(QItemSelectionRange(model.index(row, 0), model.index(end, 0)));
        row = end + 1;
    }
    return selection;
}

std::vector<int> RowSelection::rows() const
{
    std::vector<int> result;
    for (int row = 0; row < rowCount(); ++row)
        if (m_bits[row])
            result.push_back(row);
    return result;
}

int RowSelection::count() const
{
    return static_cast<int>(std::count(m_bits.begin(), m_bits.end(), true));
}

int RowSelection::first() const
{
    auto it = std::find(m_bits.begin(), m_bits.end(), true);
    return it == m_bits.end() ? -1 : static_cast<int>(it - m_bits.begin());
}

int selectedRowCount(const QItemSelection &selection)
{
    int count = 0;
    for (const QItemSelectionRange &range : selection)
        if (range.left() == 0)
            count += range.height();
    return count;
}

} // namespace brenmark
