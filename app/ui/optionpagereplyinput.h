#pragma once

#include "app/ui/optionpage.h"

namespace kvr::ui {

// "直接入力モード": judging several answers, letter case, head answers and the time limits
// of the typed modes.
class COptionpageReplyInput final : public COptionPage
{
    Q_OBJECT
public:
    explicit COptionpageReplyInput(QWidget *parent = nullptr);
    void collect(OptionsCopy &copy) const override;

protected:
    void load(const OptionsCopy &copy, const OptionsEnabling &enabling) override;

private:
    QRadioButton *m_allAnswers;
    QRadioButton *m_nAnswers;
    CRangeSpinBox *m_multiJudgeOverN;
    QLabel *m_nLabel;
    QCheckBox *m_ignoreCase;
    QCheckBox *m_foldFullWidth;
    QCheckBox *m_useReplyStartLimitJe;
    CRangeSpinBox *m_replyStartLimitJe;
    QLabel *m_replyStartLimitLabel;
    QCheckBox *m_correctHeadNAnswerJE;
    CRangeSpinBox *m_nCorrectHeadNAnswerJE;
    QLabel *m_headLabel;
    QCheckBox *m_useReplyLimitEJ;
    CRangeSpinBox *m_replyLimitEJ;
    QLabel *m_replyLimitLabel;
};

} // namespace kvr::ui
