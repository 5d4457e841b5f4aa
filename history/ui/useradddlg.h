#pragma once

#include <string>

#include <QDialog>

class QLineEdit;

namespace kvr {
class IPrompter;
}

namespace kvr::ui {

// "利用者の追加": asks for a new learner name. OK refuses an empty or unstorable name and
// stays open.
class CUserAddDlg final : public QDialog
{
    Q_OBJECT
public:
    explicit CUserAddDlg(IPrompter &prompter, QWidget *parent = nullptr);
    std::string name() const { return m_name; } // CP932, after OK

private:
    void confirm();

    IPrompter &m_prompter;
    QLineEdit *m_newName;
    std::string m_name;
};

} // namespace kvr::ui
