#pragma once

#include <optional>

#include <QDialog>

class QListWidget;

namespace kvr::ui {

// "解答順の選択": "シーケンシャル" or "ランダム" (selected at start). A double-click on an item
// or Enter confirms the selected item; Escape cancels; with no item selected nothing
// happens.
class COrderDlg final : public QDialog
{
    Q_OBJECT
public:
    explicit COrderDlg(QWidget *parent = nullptr);

    // After Accepted: true for "シーケンシャル".
    bool sequential() const { return m_sequential; }

    // Runs the dialog: the order chosen, or nothing when cancelled.
    static std::optional<bool> ask(QWidget *parent);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void confirm(int row);

    QListWidget *m_items;
    bool m_sequential = false;
};

} // namespace kvr::ui
