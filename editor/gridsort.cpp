// The order of the grid's rows after a click on a column header.
#include "editor/gridsort.h"

#include <algorithm>
#include <numeric>

namespace kvr {

bool CSortDirections::take(GridColumn column)
{
    bool &descending = m_descending[static_cast<std::size_t>(column)];
    const bool ascending = !descending;
    descending = !descending;
    return ascending;
}

bool columnSorts(GridColumn column)
{
    return column != GridColumn::ExtData;
}

std::vector<std::size_t> sortedOrder(const std::vector<CQuestion> &rows, GridColumn column,
                                     bool ascending)
{
    std::vector<std::size_t> order(rows.size());
    std::iota(order.begin(), order.end(), std::size_t { 0 });
    if (!columnSorts(column))
        return order;
    // 0: a text to compare, 1: an empty cell, 2: an empty row.
    const auto rank = [&](std::size_t row) {
        if (isEmptyQuestion(rows[row]))
            return 2;
        return cellText(rows[row], column).empty() ? 1 : 0;
    };
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const int rankA = rank(a), rankB = rank(b);
        if (rankA != rankB || rankA != 0)
            return rankA < rankB;
        // std::string compares its bytes as unsigned, so double-byte text sorts by code.
        const std::string &textA = cellText(rows[a], column);
        const std::string &textB = cellText(rows[b], column);
        return ascending ? textA < textB : textB < textA;
    });
    return order;
}

} // namespace kvr
