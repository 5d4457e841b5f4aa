#include "platform/ui/qttimerhost.h"

#include <algorithm>

namespace kvr::ui {

CQtTimerHost::CQtTimerHost(QObject *parent, std::function<void(int)> onTimer)
    : m_parent(parent)
    , m_onTimer(std::move(onTimer))
{
}

CQtTimerHost::~CQtTimerHost()
{
    // The timers call back into this host: they must not outlive it.
    for (auto &[id, timer] : m_timers)
        delete timer.data();
}

void CQtTimerHost::startTimer(int id, int periodMs)
{
    QPointer<QTimer> &timer = m_timers[id];
    if (!timer) {
        timer = new QTimer(m_parent);
        timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer, &QTimer::timeout, timer, [this, id] {
            if (m_onTimer)
                m_onTimer(id);
        });
    }
    // A zero period would fire on every pass of the event loop.
    timer->start(std::max(periodMs, 1));
}

void CQtTimerHost::stopTimer(int id)
{
    const auto found = m_timers.find(id);
    if (found != m_timers.end() && found->second)
        found->second->stop();
}

bool CQtTimerHost::isRunning(int id) const
{
    const auto found = m_timers.find(id);
    return found != m_timers.end() && found->second && found->second->isActive();
}

} // namespace kvr::ui
