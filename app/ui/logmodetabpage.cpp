#include "app/ui/logmodetabpage.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>

#include "app/mainwindow.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

CLogmodeTabpage::CLogmodeTabpage(QWidget *parent)
    : QWidget(parent)
    , m_list(new QComboBox(this))
{
    setObjectName(QStringLiteral("logmodeTabpage"));
    auto *label = new QLabel(utext("モード"), this);
    label->setObjectName(QStringLiteral("logmodeLabel"));
    m_list->setObjectName(QStringLiteral("logmodeList"));
    for (const ModeStripEntry &entry : kModeStrip)
        m_list->addItem(utext(entry.name));
    m_list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    label->setBuddy(m_list);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(label);
    layout->addWidget(m_list);

    connect(m_list, &QComboBox::activated, this, [this](int row) {
        if (std::optional<int> mode = logModeOfStripRow(row))
            emit logModeChosen(*mode);
    });
}

void CLogmodeTabpage::showLogMode(int logMode)
{
    const QSignalBlocker quiet(m_list);
    m_list->setCurrentIndex(modeStripRow(logMode).value_or(-1));
}

} // namespace kvr::ui
