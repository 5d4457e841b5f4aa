#pragma once

#include "app/ui/optionpage.h"

class QComboBox;

namespace kvr::ui {

// "回答": hints, the re-answer order, the wait times, the effect sounds and the opacity.
class COptionpageReply final : public COptionPage
{
    Q_OBJECT
public:
    explicit COptionpageReply(QWidget *parent = nullptr);
    void collect(OptionsCopy &copy) const override;

protected:
    void load(const OptionsCopy &copy, const OptionsEnabling &enabling) override;

private:
    struct SoundRow
    {
        QCheckBox *check;
        QLineEdit *file;
        QPushButton *browse;
        QPushButton *test;
    };
    SoundRow soundRow(bool correct);
    QWidget *soundGroup();

    QCheckBox *m_alwaysShowHint;
    QRadioButton *m_missedOrder;
    QRadioButton *m_randomMistakeReply;
    CRangeSpinBox *m_correctWaitTime;
    CRangeSpinBox *m_incorrectWaitTime;
    SoundRow m_correct;
    SoundRow m_incorrect;
    QComboBox *m_opacity;
};

} // namespace kvr::ui
