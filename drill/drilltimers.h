#pragma once

#include <array>

#include "platform/timerhost.h"

namespace kvr {

// The drill window's timers. The ids are fixed; only one timer of an id runs at a time,
// and starting an id again replaces it.
constexpr int TIMER_NOTICE = 1; // clears the notice line
constexpr int TIMER_NEXT = 2; // shows the next question
constexpr int TIMER_WRONG_FLASH = 3; // flashes the caption after a wrong answer
constexpr int TIMER_ANSWER_STEP = 4; // shows the next accepted answer after a correct one
constexpr int TIMER_START_LIMIT = 5; // time allowed until the first key
constexpr int TIMER_HIDE_BAR = 6; // hides the time-limit bar after the first key
constexpr int TIMER_SHOW_CHOICES = 7; // delay before the four choices appear
constexpr int TIMER_REPLY_LIMIT = 9; // time allowed for the answer

constexpr std::array<int, 8> kDrillTimerIds = { TIMER_NOTICE,       TIMER_NEXT,
                                                TIMER_WRONG_FLASH,  TIMER_ANSWER_STEP,
                                                TIMER_START_LIMIT,  TIMER_HIDE_BAR,
                                                TIMER_SHOW_CHOICES, TIMER_REPLY_LIMIT };

// Fixed periods; the waits after answers come from the settings.
constexpr int kNoticePeriodMs = 2000;
constexpr int kStartDelayMs = 1500;
constexpr int kFlashPeriodMs = 100;
constexpr int kLimitTickMs = 5; // the bar of every time limit moves in 5 ms steps
constexpr int kHideBarDelayMs = 500;

// The time-limit bar runs from 0 to this value.
constexpr int kLimitBarRange = 1000;

} // namespace kvr
