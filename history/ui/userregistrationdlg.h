#pragma once

#include <QDialog>

class QComboBox;

namespace kvr {
class CLearnerRegistration;
class IPrompter;
} // namespace kvr

namespace kvr::ui {

// "利用者の設定": the first learner's name, typed or picked from the learners of the log.
class CUserRegistrationDlg final : public QDialog
{
    Q_OBJECT
public:
    CUserRegistrationDlg(CLearnerRegistration &model, IPrompter &prompter,
                         QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void confirm();

    CLearnerRegistration &m_model;
    IPrompter &m_prompter;
    QComboBox *m_name;
};

} // namespace kvr::ui
