#include "history/ui/useradddlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "history/learners.h"
#include "history/ui/learnerdlgparts.h"
#include "platform/ui/guarded.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

CUserAddDlg::CUserAddDlg(IPrompter &prompter, QWidget *parent)
    : QDialog(parent)
    , m_prompter(prompter)
    , m_newName(new QLineEdit(this))
{
    setWindowTitle(utext("利用者の追加"));
    m_newName->setObjectName("newName");
    m_newName->setMinimumWidth(260);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(utext("新しい利用者名を入力してください。"), this));
    layout->addWidget(m_newName);
    layout->addLayout(okCancelRow(this, [this] { confirm(); }));
    fixSize(this);
}

void CUserAddDlg::confirm()
{
    confirmLearnerName(this, m_newName, m_prompter, m_name);
}

} // namespace kvr::ui
