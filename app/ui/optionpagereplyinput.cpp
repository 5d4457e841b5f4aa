#include "app/ui/optionpagereplyinput.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

// A switch on one line and its number, indented, on the next.
void addLimit(QGridLayout *grid, int line, QCheckBox *check, QLabel *label, QSpinBox *number)
{
    grid->addWidget(check, line, 0, 1, 3);
    grid->addWidget(label, line + 1, 1);
    grid->addWidget(number, line + 1, 2);
}

QGridLayout *limitGrid(QGroupBox *group)
{
    auto *grid = new QGridLayout(group);
    grid->setColumnMinimumWidth(0, 16);
    grid->setColumnStretch(3, 1);
    return grid;
}

} // namespace

COptionpageReplyInput::COptionpageReplyInput(QWidget *parent)
    : COptionPage(parent)
    , m_allAnswers(switchRadio("allAnswers", "全問回答で正解(&C)"))
    , m_nAnswers(switchRadio("nAnswers", "N 問回答で正解(&N)"))
    , m_multiJudgeOverN(number("multiJudgeOverN"))
    , m_nLabel(label("N = "))
    , m_ignoreCase(check("ignoreCase", "大文字と小文字の違いを無視"))
    , m_foldFullWidth(check("foldFullWidth", "全角の英数字・記号を半角として判定する"))
    , m_useReplyStartLimitJe(switchCheck("useReplyStartLimitJe", "回答開始までに制限時間を設ける"))
    , m_replyStartLimitJe(number("replyStartLimitJe"))
    , m_replyStartLimitLabel(label("制限時間(mSec)"))
    , m_correctHeadNAnswerJE(switchCheck("correctHeadNAnswerJE", "先頭が合っていれば正解とする"))
    , m_nCorrectHeadNAnswerJE(number("nCorrectHeadNAnswerJE"))
    , m_headLabel(label("N ="))
    , m_useReplyLimitEJ(switchCheck("useReplyLimitEJ", "回答の制限時間を設ける"))
    , m_replyLimitEJ(number("replyLimitEJ"))
    , m_replyLimitLabel(label("制限時間(mSec)"))
{
    auto *judge = new QHBoxLayout;
    judge->addWidget(m_allAnswers);
    judge->addSpacing(12);
    judge->addWidget(m_nAnswers);
    judge->addWidget(m_nLabel);
    judge->addWidget(m_multiJudgeOverN);
    judge->addStretch();

    // Every typed mode folds, so the check stands above the two modes' groups.
    auto *width = new QHBoxLayout;
    width->addWidget(m_foldFullWidth);
    width->addStretch();

    auto *japaneseToEnglish = new QGroupBox(utext("和英モード"), this);
    QGridLayout *je = limitGrid(japaneseToEnglish);
    je->addWidget(m_ignoreCase, 0, 0, 1, 3);
    addLimit(je, 1, m_useReplyStartLimitJe, m_replyStartLimitLabel, m_replyStartLimitJe);

    auto *englishToJapanese = new QGroupBox(utext("英和モード"), this);
    QGridLayout *ej = limitGrid(englishToJapanese);
    addLimit(ej, 0, m_correctHeadNAnswerJE, m_headLabel, m_nCorrectHeadNAnswerJE);
    addLimit(ej, 2, m_useReplyLimitEJ, m_replyLimitLabel, m_replyLimitEJ);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(judge);
    layout->addLayout(width);
    layout->addWidget(japaneseToEnglish);
    layout->addWidget(englishToJapanese);
    layout->addStretch();
}

void COptionpageReplyInput::load(const OptionsCopy &copy, const OptionsEnabling &enabling)
{
    show(m_allAnswers, copy.multiJudge == 0);
    show(m_nAnswers, copy.multiJudge == 1);
    show(m_multiJudgeOverN, copy.multiJudgeOverN);
    show(m_ignoreCase, copy.ignoreCase);
    show(m_foldFullWidth, copy.foldFullWidth);
    show(m_useReplyStartLimitJe, copy.useReplyStartLimitJe);
    show(m_replyStartLimitJe, copy.replyStartLimitJe);
    show(m_correctHeadNAnswerJE, copy.correctHeadNAnswerJE);
    show(m_nCorrectHeadNAnswerJE, copy.nCorrectHeadNAnswerJE);
    show(m_useReplyLimitEJ, copy.useReplyLimitEJ);
    show(m_replyLimitEJ, copy.replyLimitEJ);
    for (auto [enabled, field, text] :
         { std::tuple { enabling.multiJudgeOverN, m_multiJudgeOverN, m_nLabel },
           std::tuple { enabling.replyStartLimitJe, m_replyStartLimitJe, m_replyStartLimitLabel },
           std::tuple { enabling.nCorrectHeadNAnswerJE, m_nCorrectHeadNAnswerJE, m_headLabel },
           std::tuple { enabling.replyLimitEJ, m_replyLimitEJ, m_replyLimitLabel } }) {
        field->setEnabled(enabled);
        text->setEnabled(enabled);
    }
}

void COptionpageReplyInput::collect(OptionsCopy &copy) const
{
    copy.multiJudge = m_nAnswers->isChecked() ? 1 : m_allAnswers->isChecked() ? 0 : -1;
    copy.multiJudgeOverN = m_multiJudgeOverN->value();
    copy.ignoreCase = m_ignoreCase->isChecked();
    copy.foldFullWidth = m_foldFullWidth->isChecked();
    copy.useReplyStartLimitJe = m_useReplyStartLimitJe->isChecked();
    copy.replyStartLimitJe = m_replyStartLimitJe->value();
    copy.correctHeadNAnswerJE = m_correctHeadNAnswerJE->isChecked();
    copy.nCorrectHeadNAnswerJE = m_nCorrectHeadNAnswerJE->value();
    copy.useReplyLimitEJ = m_useReplyLimitEJ->isChecked();
    copy.replyLimitEJ = m_replyLimitEJ->value();
}

} // namespace kvr::ui
