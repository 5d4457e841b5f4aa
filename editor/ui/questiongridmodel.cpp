#include "editor/ui/questiongridmodel.h"

#include <QSize>

#include "editor/editorlabels.h"
#include "editor/editorsession.h"
#include "editor/questiongrid.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

const std::array<GridColumnHeader, kGridColumnCount> &headers()
{
    static const std::array<GridColumnHeader, kGridColumnCount> columns = gridColumnHeaders();
    return columns;
}

bool inRange(int section)
{
    return section >= 0 && section < kGridColumnCount;
}

} // namespace

CQuestionGridModel::CQuestionGridModel(const CQuestionGrid &grid, QObject *parent)
    : QAbstractTableModel(parent)
    , m_grid(grid)
    , m_rows(static_cast<int>(grid.rowCount()))
{
}

void CQuestionGridModel::sync(const EditorView &view)
{
    const int rows = static_cast<int>(m_grid.rowCount());
    const std::optional<int> current =
        view.currentRow ? std::optional<int>(static_cast<int>(*view.currentRow)) : std::nullopt;
    if (view.gridRevision != m_revision || rows != m_rows) {
        beginResetModel();
        m_revision = view.gridRevision;
        m_rows = rows;
        m_currentRow = current;
        endResetModel();
        return;
    }
    // The row left behind may have been rewritten before the selection moved on.
    if (m_currentRow && m_currentRow != current)
        rowChanged(*m_currentRow);
    m_currentRow = current;
    if (current)
        rowChanged(*current);
}

void CQuestionGridModel::rowChanged(int row)
{
    if (row >= 0 && row < m_rows)
        emit dataChanged(index(row, 0), index(row, kGridColumnCount - 1), { Qt::DisplayRole });
}

int CQuestionGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int CQuestionGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kGridColumnCount;
}

QVariant CQuestionGridModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_rows
        || static_cast<std::size_t>(index.row()) >= m_grid.rowCount() || !inRange(index.column()))
        return {};
    const CQuestion &row = m_grid.rows()[static_cast<std::size_t>(index.row())];
    return qtext(cellText(row, static_cast<GridColumn>(index.column())));
}

QVariant CQuestionGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || !inRange(section))
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return qtext(headers()[static_cast<std::size_t>(section)].title);
    return {};
}

int CQuestionGridModel::columnWidth(int column)
{
    return inRange(column) ? headers()[static_cast<std::size_t>(column)].width : 0;
}

} // namespace kvr::ui
