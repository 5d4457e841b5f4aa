#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "editor/questiongrid.h"

// Sorting the question grid by a column header.
namespace kvr {

// Each column's direction: ascending at first, flipping after each sort by it.
class CSortDirections
{
public:
    // The direction of this sort by the column (true: ascending); the next one is the other.
    bool take(GridColumn column);

private:
    std::array<bool, kGridColumnCount> m_descending {};
};

// False for "拡張データ", which sorts nothing.
bool columnSorts(GridColumn column);

// The rows' new order (new row i is old row order[i]), stable: empty rows go to the end in
// both directions, then rows whose cell in the column is empty; other cells compare byte by
// byte, reversed when descending. The identity for a column that does not sort.
std::vector<std::size_t> sortedOrder(const std::vector<CQuestion> &rows, GridColumn column,
                                     bool ascending);

} // namespace kvr
