#pragma once

#include <vector>

#include <QAbstractTableModel>

#include "history/checkmarks.h"
#include "history/questionrows.h"

namespace kvr::ui {

// The per-question list's rows as an item model: the core rows (buildQuestionRows) in
// their current order with their check marks. Column 0 carries the check box; the
// "正解率" text takes the rate colour. Qt::UserRole of any cell is the row's line position.
class CQuestionLogModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit CQuestionLogModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // A check box set by the learner: reported through checkToggled, which decides which
    // rows change (the marks are not touched here).
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

    // New rows, all marks cleared.
    void setRows(std::vector<QuestionRow> rows);
    void clear();
    const std::vector<QuestionRow> &rows() const { return m_rows; }
    const QuestionRow &rowAt(int row) const { return m_rows[static_cast<std::size_t>(row)]; }

    // The count and rate columns again (after a tally or basis change).
    void refreshCounts(const CSectionLog *record, RateBasis basis);
    // Sorts the rows by a column; selections and current rows follow their rows.
    void sortRows(QuestionColumn column, bool ascending, bool hasRecord);

    CCheckMarks &marks() { return m_marks; }
    const CCheckMarks &marks() const { return m_marks; }
    // Every check box again, after the marks changed.
    void marksChanged();

signals:
    void checkToggled(int position, bool checked);

private:
    std::vector<QuestionRow> m_rows;
    CCheckMarks m_marks;
    std::vector<ColumnHeading> m_headings;
};

} // namespace kvr::ui
