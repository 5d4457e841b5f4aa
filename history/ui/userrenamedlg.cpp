#include "history/ui/userrenamedlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "history/learners.h"
#include "history/ui/learnerdlgparts.h"
#include "platform/ui/guarded.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

CUserRenameDlg::CUserRenameDlg(const std::string &oldName, IPrompter &prompter, QWidget *parent)
    : QDialog(parent)
    , m_prompter(prompter)
    , m_newName(new QLineEdit(qtext(oldName), this))
{
    setWindowTitle(utext("名称の変更"));
    auto *old = new QLineEdit(qtext(oldName), this);
    old->setObjectName("oldName");
    old->setReadOnly(true);
    old->setFocusPolicy(Qt::NoFocus);
    QPalette greyed = old->palette(); // looks read-only, as a static field would
    greyed.setColor(QPalette::Base, greyed.color(QPalette::Window));
    old->setPalette(greyed);
    m_newName->setObjectName("newName");
    m_newName->selectAll();
    for (QLineEdit *field : { old, m_newName })
        field->setMinimumWidth(180);

    auto *names = new QHBoxLayout;
    names->addWidget(old);
    names->addWidget(new QLabel(utext("->"), this));
    names->addWidget(m_newName);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(utext("新しい利用者名を入力してください。"), this));
    layout->addLayout(names);
    layout->addLayout(okCancelRow(this, [this] { confirm(); }));
    fixSize(this);
    m_newName->setFocus();
}

void CUserRenameDlg::confirm()
{
    confirmLearnerName(this, m_newName, m_prompter, m_name);
}

} // namespace kvr::ui
