#pragma once

#include <functional>
#include <map>
#include <memory>

#include <QPointer>
#include <QTimer>

#include "platform/timerhost.h"

namespace kvr::ui {

// Runs a model's timers as QTimers keyed by their fixed ids. Expiry calls onTimer(id) on
// the UI thread. Not a QObject itself, so its startTimer cannot clash with QObject's.
class CQtTimerHost final : public ITimerHost
{
public:
    // parent owns the QTimers (the window of the model); onTimer is called on expiry.
    CQtTimerHost(QObject *parent, std::function<void(int)> onTimer);
    ~CQtTimerHost() override;
    CQtTimerHost(const CQtTimerHost &) = delete;
    CQtTimerHost &operator=(const CQtTimerHost &) = delete;

    void startTimer(int id, int periodMs) override;
    void stopTimer(int id) override;
    bool isRunning(int id) const;

private:
    QPointer<QObject> m_parent;
    std::function<void(int)> m_onTimer;
    // A timer is kept once made and only stopped, so onTimer may stop the very timer that
    // fired; QPointer because the parent may delete the timers before the host goes.
    std::map<int, QPointer<QTimer>> m_timers;
};

} // namespace kvr::ui
