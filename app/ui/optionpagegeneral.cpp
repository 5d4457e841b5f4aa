#include "app/ui/optionpagegeneral.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/optionssheet.h"

namespace kvr::ui {

COptionpageGeneral::COptionpageGeneral(QWidget *parent)
    : COptionPage(parent)
    , m_defaultQuestions(number("defaultQuestions"))
    , m_hideOrderDialog(switchCheck("hideOrderDialog", "出題順序の選択ﾀﾞｲｱﾛｸﾞを表示しない(&T)"))
    , m_sequentialOrder(radio("sequentialOrder", "問題集での出題順"))
    , m_randomOrder(radio("randomOrder", "ランダム"))
    , m_hideCountDialog(check("hideCountDialog", "問題数設定ﾀﾞｲｱﾛｸﾞを表示しない(&Q)"))
{
    // Kept for the setting it stands for, never shown: the count dialog is always offered.
    m_hideCountDialog->hide();
    QLabel *countNote = label("（問題数は全問題になります。）", "countNote");
    countNote->hide();

    QPushButton *background = button("chooseBackground", "背景色の変更(&C)");
    connect(background, &QPushButton::clicked, this,
            [this] { forward([](COptionsSheet &sheet) { sheet.chooseBackground(); }); });

    auto *count = new QHBoxLayout;
    count->addWidget(label("デフォルト問題数"));
    count->addWidget(m_defaultQuestions);
    count->addStretch();

    auto *radios = new QVBoxLayout;
    radios->setContentsMargins(24, 0, 0, 0);
    radios->addWidget(m_sequentialOrder);
    radios->addWidget(m_randomOrder);

    auto *backgroundRow = new QHBoxLayout;
    backgroundRow->addWidget(background);
    backgroundRow->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(count);
    layout->addSpacing(8);
    layout->addWidget(m_hideOrderDialog);
    layout->addLayout(radios);
    layout->addWidget(m_hideCountDialog);
    layout->addWidget(countNote);
    layout->addSpacing(8);
    layout->addLayout(backgroundRow);
    layout->addStretch();
}

void COptionpageGeneral::load(const OptionsCopy &copy, const OptionsEnabling &enabling)
{
    show(m_defaultQuestions, copy.defaultQuestions);
    show(m_hideOrderDialog, copy.hideOrderDialog);
    show(m_sequentialOrder, copy.sequentialOrder);
    show(m_randomOrder, !copy.sequentialOrder);
    show(m_hideCountDialog, copy.hideCountDialog);
    m_sequentialOrder->setEnabled(enabling.orderRadios);
    m_randomOrder->setEnabled(enabling.orderRadios);
}

void COptionpageGeneral::collect(OptionsCopy &copy) const
{
    copy.defaultQuestions = m_defaultQuestions->value();
    copy.hideOrderDialog = m_hideOrderDialog->isChecked();
    copy.sequentialOrder = m_sequentialOrder->isChecked();
    copy.hideCountDialog = m_hideCountDialog->isChecked();
}

} // namespace kvr::ui
