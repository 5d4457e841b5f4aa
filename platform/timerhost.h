#pragma once

namespace kvr {

// Whoever hosts a timer-driven model runs its timers: a window's timers in the program, a
// simulated clock in the tests. Timers are known by small fixed ids; only one timer of an
// id runs at a time, and starting an id again replaces it. Expiry comes back to the model
// (for the drill: CDrillSession::onTimer(id)) every period until the timer is stopped.
class ITimerHost
{
public:
    virtual ~ITimerHost() = default;
    virtual void startTimer(int id, int periodMs) = 0;
    virtual void stopTimer(int id) = 0;
};

} // namespace kvr
