#include "app/ui/optionpagereply.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/optionssheet.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

COptionpageReply::COptionpageReply(QWidget *parent)
    : COptionPage(parent)
    , m_alwaysShowHint(check("alwaysShowHint", "常にヒントを表示(&H)"))
    , m_missedOrder(radio("missedOrder", "間違えた順"))
    , m_randomMistakeReply(radio("randomMistakeReply", "ランダム"))
    , m_correctWaitTime(number("correctWaitTime"))
    , m_incorrectWaitTime(number("incorrectWaitTime"))
    , m_correct(soundRow(true))
    , m_incorrect(soundRow(false))
    , m_opacity(new QComboBox(this))
{
    m_opacity->setObjectName("opacityIndex");
    for (const std::string &entry : opacityEntries())
        m_opacity->addItem(qtext(entry));

    auto *order = new QGroupBox(utext("再回答での出題順序"), this);
    auto *orderRow = new QHBoxLayout(order);
    orderRow->addWidget(m_missedOrder);
    orderRow->addWidget(m_randomMistakeReply);
    orderRow->addStretch();

    auto *waits = new QGridLayout;
    waits->addWidget(label("正解後の待ち時間   (mSec)"), 0, 0);
    waits->addWidget(m_correctWaitTime, 0, 1);
    waits->addWidget(label("不正解後の待ち時間 (mSec)"), 1, 0);
    waits->addWidget(m_incorrectWaitTime, 1, 1);
    waits->setColumnStretch(2, 1);

    auto *opacity = new QGroupBox(utext("半透明処理 [Windows 2000/XP Only]"), this);
    auto *opacityRow = new QHBoxLayout(opacity);
    opacityRow->addWidget(label("透明度："));
    opacityRow->addWidget(m_opacity);
    opacityRow->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_alwaysShowHint);
    layout->addWidget(order);
    layout->addLayout(waits);
    layout->addWidget(soundGroup());
    layout->addWidget(opacity);
    layout->addStretch();
}

COptionpageReply::SoundRow COptionpageReply::soundRow(bool correct)
{
    SoundRow row {
        switchCheck(correct ? "correctSound" : "incorrectSound",
                    correct ? "正解時に効果音を鳴らす(&A)" : "不正解時に効果音を鳴らす(&B)"),
        lineEdit(correct ? "correctSoundFile" : "incorrectSoundFile"),
        button(correct ? "correctSoundBrowse" : "incorrectSoundBrowse", "参照"),
        button(correct ? "correctSoundTest" : "incorrectSoundTest", "ﾃｽﾄ"),
    };
    const BrowseButton browse = correct ? BrowseButton::CorrectSound : BrowseButton::IncorrectSound;
    const EffectSound sound = correct ? EffectSound::Correct : EffectSound::Incorrect;
    connect(row.browse, &QPushButton::clicked, this,
            [this, browse] { forward([browse](COptionsSheet &s) { s.browse(browse); }); });
    connect(row.test, &QPushButton::clicked, this,
            [this, sound] { forward([sound](COptionsSheet &s) { s.testEffect(sound); }); });
    return row;
}

QWidget *COptionpageReply::soundGroup()
{
    auto *holder = new QWidget(this);
    auto *grid = new QGridLayout(holder);
    grid->setContentsMargins(0, 0, 0, 0);
    int line = 0;
    for (const SoundRow *row : { &m_correct, &m_incorrect }) {
        grid->addWidget(row->check, line++, 0, 1, 3);
        grid->addWidget(row->file, line, 0);
        grid->addWidget(row->browse, line, 1);
        grid->addWidget(row->test, line++, 2);
    }
    grid->setColumnMinimumWidth(0, 260);
    return holder;
}

void COptionpageReply::load(const OptionsCopy &copy, const OptionsEnabling &enabling)
{
    show(m_alwaysShowHint, copy.alwaysShowHint);
    show(m_missedOrder, !copy.randomMistakeReply);
    show(m_randomMistakeReply, copy.randomMistakeReply);
    show(m_correctWaitTime, copy.correctWaitTime);
    show(m_incorrectWaitTime, copy.incorrectWaitTime);
    show(m_correct.check, copy.correctSound);
    show(m_correct.file, copy.correctSoundFile);
    show(m_incorrect.check, copy.incorrectSound);
    show(m_incorrect.file, copy.incorrectSoundFile);
    for (auto [row, enabled] : { std::pair { &m_correct, enabling.correctSoundFields },
                                 std::pair { &m_incorrect, enabling.incorrectSoundFields } }) {
        row->file->setEnabled(enabled);
        row->browse->setEnabled(enabled);
        row->test->setEnabled(enabled);
    }
    m_opacity->setCurrentIndex(copy.opacityIndex);
}

void COptionpageReply::collect(OptionsCopy &copy) const
{
    copy.alwaysShowHint = m_alwaysShowHint->isChecked();
    copy.randomMistakeReply = m_randomMistakeReply->isChecked();
    copy.correctWaitTime = m_correctWaitTime->value();
    copy.incorrectWaitTime = m_incorrectWaitTime->value();
    copy.correctSound = m_correct.check->isChecked();
    take(m_correct.file, copy.correctSoundFile, copy, "正解時に効果音を鳴らす");
    copy.incorrectSound = m_incorrect.check->isChecked();
    take(m_incorrect.file, copy.incorrectSoundFile, copy, "不正解時に効果音を鳴らす");
    copy.opacityIndex = m_opacity->currentIndex();
}

} // namespace kvr::ui
