#pragma once

#include <optional>

#include <QAbstractTableModel>

namespace kvr {
class CQuestionGrid;
struct EditorView;
} // namespace kvr

namespace kvr::ui {

// The editor's question grid as a table: one row per grid row (the last one is the empty
// row that stands for a new question), the twelve columns with their captions.
class CQuestionGridModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit CQuestionGridModel(const CQuestionGrid &grid, QObject *parent = nullptr);

    // Brings the table up to the grid after an event: a wholesale reset when the view's grid
    // revision moved, else only the current row's cells (and the row that was current), so a
    // keystroke in a long collection does not rebuild the table.
    void sync(const EditorView &view);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The column's width in pixels.
    static int columnWidth(int column);

private:
    void rowChanged(int row);

    const CQuestionGrid &m_grid;
    int m_revision = -1;
    int m_rows = 0; // the row count the table last announced
    std::optional<int> m_currentRow;
};

} // namespace kvr::ui
