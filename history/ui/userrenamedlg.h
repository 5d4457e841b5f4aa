#pragma once

#include <string>

#include <QDialog>

class QLineEdit;

namespace kvr {
class IPrompter;
}

namespace kvr::ui {

// "名称の変更": the old name read-only, "->", and the new name, which starts as the old one.
// OK refuses an empty or unstorable name and stays open.
class CUserRenameDlg final : public QDialog
{
    Q_OBJECT
public:
    CUserRenameDlg(const std::string &oldName, IPrompter &prompter, QWidget *parent = nullptr);
    std::string name() const { return m_name; } // CP932, after OK

private:
    void confirm();

    IPrompter &m_prompter;
    QLineEdit *m_newName;
    std::string m_name;
};

} // namespace kvr::ui
