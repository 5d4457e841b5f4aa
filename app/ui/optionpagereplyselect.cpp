#include "app/ui/optionpagereplyselect.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "platform/ui/qtext.h"

namespace kvr::ui {

COptionpageReplySelect::COptionpageReplySelect(QWidget *parent)
    : COptionPage(parent)
    , m_limits { {
          { &OptionsCopy::useShowLimitEJ4, &OptionsCopy::showLimitEJ4,
            &OptionsEnabling::showLimitEJ4 },
          { &OptionsCopy::useReplyLimitEJ4, &OptionsCopy::replyLimitEJ4,
            &OptionsEnabling::replyLimitEJ4 },
          { &OptionsCopy::useShowLimitJE4, &OptionsCopy::showLimitJE4,
            &OptionsEnabling::showLimitJE4 },
          { &OptionsCopy::useReplyLimitJE4, &OptionsCopy::replyLimitJE4,
            &OptionsEnabling::replyLimitJE4 },
      } }
{
    const char *names[4][2] = { { "useShowLimitEJ4", "showLimitEJ4" },
                                { "useReplyLimitEJ4", "replyLimitEJ4" },
                                { "useShowLimitJE4", "showLimitJE4" },
                                { "useReplyLimitJE4", "replyLimitJE4" } };
    auto *layout = new QVBoxLayout(this);
    for (int mode = 0; mode < 2; ++mode) {
        auto *group = new QGroupBox(utext(mode == 0 ? "英和４択モード" : "和英４択モード"), this);
        auto *grid = new QGridLayout(group);
        grid->setColumnMinimumWidth(0, 16);
        grid->setColumnStretch(3, 1);
        for (int kind = 0; kind < 2; ++kind) {
            Limit &limit = m_limits[mode * 2 + kind];
            const char *const *name = names[mode * 2 + kind];
            limit.check = switchCheck(
                name[0], kind == 0 ? "選択肢表示までに制限時間を設ける" : "回答の制限時間を設ける");
            limit.number = number(name[1]);
            limit.unit = label("制限時間(mSec)");
            grid->addWidget(limit.check, kind * 2, 0, 1, 3);
            grid->addWidget(limit.unit, kind * 2 + 1, 1);
            grid->addWidget(limit.number, kind * 2 + 1, 2);
        }
        layout->addWidget(group);
    }
    layout->addStretch();
}

void COptionpageReplySelect::load(const OptionsCopy &copy, const OptionsEnabling &enabling)
{
    for (const Limit &limit : m_limits) {
        show(limit.check, copy.*limit.use);
        show(limit.number, copy.*limit.value);
        limit.number->setEnabled(enabling.*limit.enabled);
        limit.unit->setEnabled(enabling.*limit.enabled);
    }
}

void COptionpageReplySelect::collect(OptionsCopy &copy) const
{
    for (const Limit &limit : m_limits) {
        copy.*limit.use = limit.check->isChecked();
        copy.*limit.value = limit.number->value();
    }
}

} // namespace kvr::ui
