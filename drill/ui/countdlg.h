#pragma once

#include <optional>

#include <QDialog>

class QSpinBox;

namespace kvr {
class IPrompter;
}

namespace kvr::ui {

// "出題数の設定": how many questions to drill. "OK" accepts 1 to 1000 (else the range
// message, and the dialog stays); "全部" gives -1 (all); "CANCEL" cancels.
class CCountDlg final : public QDialog
{
    Q_OBJECT
public:
    CCountDlg(int questionCount, int initialValue, IPrompter &prompter, QWidget *parent = nullptr);

    int count() const { return m_count; } // after Accepted: 1-1000 or kCountDlgAll

    // Runs the dialog: the count, or nothing when cancelled.
    static std::optional<int> ask(QWidget *parent, int questionCount, int initialValue,
                                  IPrompter &prompter);

private:
    void confirm();

    IPrompter &m_prompter;
    QSpinBox *m_field;
    int m_count = 0;
};

} // namespace kvr::ui
