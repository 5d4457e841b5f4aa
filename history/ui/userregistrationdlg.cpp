#include "history/ui/userregistrationdlg.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "history/learners.h"
#include "history/ui/learnerdlgparts.h"
#include "platform/ui/guarded.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

CUserRegistrationDlg::CUserRegistrationDlg(CLearnerRegistration &model, IPrompter &prompter,
                                           QWidget *parent)
    : QDialog(parent)
    , m_model(model)
    , m_prompter(prompter)
    , m_name(new QComboBox(this))
{
    setWindowTitle(utext("利用者の設定"));
    m_name->setObjectName("name");
    m_name->setEditable(true);
    m_name->setInsertPolicy(QComboBox::NoInsert); // Enter is the dialog's OK, not "add item"
    m_name->setMinimumWidth(240);
    for (const std::string &name : m_model.names())
        m_name->addItem(qtext(name));
    m_name->setEditText(qtext(m_model.initialText()));

    auto *intro =
        new QLabel(utext("初めての方は利用者名を記入してください。\n"
                         "以前の履歴を引き継ぐ場合は、リストから利用者名を選んでください。"),
                   this);
    auto *nameRow = new QHBoxLayout;
    auto *label = new QLabel(utext("利用者名"), this);
    label->setBuddy(m_name);
    nameRow->addWidget(label);
    nameRow->addWidget(m_name, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(12);
    layout->addWidget(intro);
    layout->addLayout(nameRow);
    layout->addLayout(okCancelRow(this, [this] { confirm(); }));
    fixSize(this);
    // One Enter confirms, also over a preselected name (the combo box's completer would
    // otherwise take the first one for itself).
    m_name->installEventFilter(this);
    m_name->lineEdit()->installEventFilter(this);
    m_name->setFocus();
}

bool CUserRegistrationDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            confirm();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CUserRegistrationDlg::confirm()
{
    guarded(m_prompter, kLearnerFailure, [this] {
        if (m_model.confirm(cp932Exact(m_name->currentText())))
            accept();
        else
            m_name->setFocus();
    });
}

} // namespace kvr::ui
