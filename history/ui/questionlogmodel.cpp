#include "history/ui/questionlogmodel.h"

#include <QColor>

#include "platform/ui/qcolour.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

CQuestionLogModel::CQuestionLogModel(QObject *parent)
    : QAbstractTableModel(parent)
    , m_headings(questionColumnHeadings())
{
}

int CQuestionLogModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CQuestionLogModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kQuestionColumnCount;
}

QVariant CQuestionLogModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const QuestionRow &row = rowAt(index.row());
    const auto column = static_cast<QuestionColumn>(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: // the narrow columns cut long texts; the tip shows them whole
        return qtext(row.cells[static_cast<std::size_t>(index.column())]);
    case Qt::CheckStateRole:
        if (column == QuestionColumn::Question)
            return m_marks.isChecked(row.position) ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::ForegroundRole:
        if (column == QuestionColumn::Rate)
            return toQColor(row.rateColour);
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() >= static_cast<int>(QuestionColumn::Correct))
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case Qt::UserRole:
        return row.position;
    default:
        return {};
    }
}

QVariant CQuestionLogModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= kQuestionColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return qtext(m_headings[static_cast<std::size_t>(section)].title);
    return {};
}

Qt::ItemFlags CQuestionLogModel::flags(const QModelIndex &index) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (index.column() == static_cast<int>(QuestionColumn::Question))
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

bool CQuestionLogModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::CheckStateRole || index.column() != static_cast<int>(QuestionColumn::Question)
        || !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    const bool checked = value.value<Qt::CheckState>() != Qt::Unchecked;
    emit checkToggled(rowAt(index.row()).position, checked);
    return true;
}

void CQuestionLogModel::setRows(std::vector<QuestionRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_marks.reset(m_rows);
    endResetModel();
}

void CQuestionLogModel::clear()
{
    setRows({});
}

void CQuestionLogModel::refreshCounts(const CSectionLog *record, RateBasis basis)
{
    refreshCountCells(m_rows, record, basis);
    if (!m_rows.empty())
        emit dataChanged(index(0, static_cast<int>(QuestionColumn::Correct)),
                         index(rowCount() - 1, kQuestionColumnCount - 1),
                         { Qt::DisplayRole, Qt::ForegroundRole });
}

void CQuestionLogModel::sortRows(QuestionColumn column, bool ascending, bool hasRecord)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // Where each line stands before the sort, to move the persistent indexes after it.
    std::vector<int> rowOfPosition;
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        const auto position = static_cast<std::size_t>(std::max(m_rows[row].position, 0));
        if (position >= rowOfPosition.size())
            rowOfPosition.resize(position + 1, -1);
        rowOfPosition[position] = static_cast<int>(row);
    }
    sortQuestionRows(m_rows, column, ascending, hasRecord);
    std::vector<int> newRowOf(m_rows.size(), 0);
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        const int old = rowOfPosition[static_cast<std::size_t>(std::max(m_rows[row].position, 0))];
        if (old >= 0)
            newRowOf[static_cast<std::size_t>(old)] = static_cast<int>(row);
    }
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &old : before)
        after.append(index(newRowOf[static_cast<std::size_t>(old.row())], old.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void CQuestionLogModel::marksChanged()
{
    if (!m_rows.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, 0), { Qt::CheckStateRole });
}

} // namespace kvr::ui
