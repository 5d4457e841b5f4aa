#include "drill/ui/countdlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "drill/drillsetup.h"
#include "drill/questionlist.h"
#include "platform/prompter.h"
#include "platform/ui/buttons.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

CCountDlg::CCountDlg(int questionCount, int initialValue, IPrompter &prompter, QWidget *parent)
    : QDialog(parent)
    , m_prompter(prompter)
    , m_field(new QSpinBox(this))
{
    setWindowTitle(utext("出題数の設定"));
    m_field->setObjectName("count");
    m_field->setRange(0, std::max(questionCount, 0));
    m_field->setValue(initialValue);
    m_field->setMinimumWidth(90);

    auto *fieldRow = new QHBoxLayout;
    fieldRow->addWidget(m_field);
    auto *range = new QLabel(qtext(countDlgRangeLabel(questionCount)), this);
    range->setObjectName("range");
    fieldRow->addWidget(range);
    fieldRow->addStretch();

    auto *note = new QLabel(utext("問題数が多い問題集でも、一巡するまでは同じ問題が出てこないので、"
                                  "全ての問題を学習できます。"),
                            this);
    note->setWordWrap(true);
    note->setFixedWidth(260);

    QPushButton *ok = namedButton(this, "ok", "OK", ButtonRole::Answer);
    QPushButton *all = namedButton(this, "all", "全部", ButtonRole::Answer);
    QPushButton *cancel = namedButton(this, "cancel", "CANCEL", ButtonRole::Answer);
    ok->setDefault(true);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(all);
    buttons->addWidget(cancel);
    buttons->addStretch();

    auto *left = new QVBoxLayout;
    left->addWidget(new QLabel(utext("覚えたい単語数を入力してください"), this));
    left->addLayout(fieldRow);
    left->addSpacing(6);
    left->addWidget(note);
    left->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->setSpacing(16);
    layout->addLayout(left);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok, &QPushButton::clicked, this, &CCountDlg::confirm);
    connect(all, &QPushButton::clicked, this, [this] {
        m_count = kCountDlgAll;
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_field->setFocus();
    m_field->selectAll();
}

void CCountDlg::confirm()
{
    if (m_field->hasAcceptableInput() && countDlgAccepts(m_field->value())) {
        m_count = m_field->value();
        accept();
        return;
    }
    m_prompter.tell(integerRangeMessage(kCountDlgMinimum, kCountDlgMaximum), {}, Icon::Warning);
    m_field->setFocus();
    m_field->selectAll();
}

std::optional<int> CCountDlg::ask(QWidget *parent, int questionCount, int initialValue,
                                  IPrompter &prompter)
{
    CCountDlg dialog(questionCount, initialValue, prompter, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.count();
}

} // namespace kvr::ui
