#pragma once

#include <string>
#include <vector>

#include <QDialog>

class QListWidget;

namespace kvr {
class CLearnerManager;
class IPrompter;
} // namespace kvr

namespace kvr::ui {

// "利用者の管理": the learner list and its buttons, each forwarded to the model.
class CUserManagerDlg final : public QDialog
{
    Q_OBJECT
public:
    CUserManagerDlg(CLearnerManager &model, IPrompter &prompter, QWidget *parent = nullptr);

private:
    template <typename Operation> void forward(Operation operation);
    void render();

    CLearnerManager &m_model;
    IPrompter &m_prompter;
    QListWidget *m_entries;
    std::vector<std::string> m_shown;
};

} // namespace kvr::ui
