#include "drill/testsupport_session.h"

#include <gtest/gtest.h>

#include "db/question.h"

namespace kvr::session_test {

void FakeTimers::startTimer(int id, int periodMs)
{
    Timer timer;
    timer.period = periodMs > 0 ? periodMs : 1;
    timer.due = m_clock.elapsedMs() + static_cast<std::uint64_t>(timer.period);
    timer.order = m_starts++;
    m_timers[id] = timer;
    started.emplace_back(id, periodMs);
}

void FakeTimers::stopTimer(int id)
{
    m_timers.erase(id);
}

int FakeTimers::period(int id) const
{
    const auto found = m_timers.find(id);
    return found == m_timers.end() ? -1 : found->second.period;
}

std::int64_t FakeTimers::dueIn(int id) const
{
    const auto found = m_timers.find(id);
    if (found == m_timers.end())
        return -1;
    return static_cast<std::int64_t>(found->second.due - m_clock.elapsedMs());
}

// Delivers the earliest expiry not later than limit; false when there is none.
bool FakeTimers::deliverNext(std::uint64_t limit, int *firedId)
{
    auto next = m_timers.end();
    for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
        if (next == m_timers.end() || it->second.due < next->second.due
            || (it->second.due == next->second.due && it->second.order < next->second.order))
            next = it;
    }
    if (next == m_timers.end() || next->second.due > limit)
        return false;
    const int id = next->first;
    m_clock.advanceTo(next->second.due);
    next->second.due += static_cast<std::uint64_t>(next->second.period);
    if (firedId)
        *firedId = id;
    if (m_target)
        m_target(id);
    return true;
}

bool FakeTimers::fire(int id)
{
    while (isRunning(id)) {
        int fired = 0;
        if (!deliverNext(UINT64_MAX, &fired))
            return false;
        if (fired == id)
            return true;
    }
    return false;
}

bool FakeTimers::fireRepeatedly(int id, int times)
{
    for (int i = 0; i < times; ++i) {
        if (!fire(id))
            return false;
    }
    return true;
}

void FakeTimers::advance(std::uint64_t ms)
{
    const std::uint64_t until = m_clock.elapsedMs() + ms;
    while (deliverNext(until, nullptr)) { }
    m_clock.advanceTo(until);
}

bool FakeTimers::runWhile(const std::function<bool()> &condition, std::uint64_t maxMs)
{
    const std::uint64_t until = m_clock.elapsedMs() + maxMs;
    while (condition()) {
        if (!deliverNext(until, nullptr))
            return false;
    }
    return true;
}

std::vector<int> FakeTimers::runUntilIdle(std::uint64_t maxMs)
{
    const std::uint64_t until = m_clock.elapsedMs() + maxMs;
    std::vector<int> fired;
    int id = 0;
    while (deliverNext(until, &id))
        fired.push_back(id);
    return fired;
}

ReportAction FakeResultPresenter::showResultReport(const ResultReport &report)
{
    reports.push_back(report);
    if (onShow)
        onShow();
    return action;
}

std::string questionLine(const std::string &question, const std::vector<std::string> &answers,
                         const std::vector<std::string> &hints)
{
    CQuestion q;
    q.questionLines[0] = question;
    for (std::size_t i = 0; i < answers.size() && i < q.answers.size(); ++i)
        q.answers[i] = answers[i];
    for (std::size_t i = 0; i < hints.size() && i < q.hints.size(); ++i)
        q.hints[i] = hints[i];
    return formatQuestionLine(q);
}

DrillSetup setupOf(std::vector<std::string> lines, DrillMode mode)
{
    DrillSetup setup;
    setup.sectionPath = "Folder/Words";
    setup.sectionCopy.name = "Words";
    setup.sectionCopy.lines = std::move(lines);
    setup.drillMode = mode;
    setup.sequentialOrder = true;
    return setup;
}

std::vector<std::string> simpleQuestions(int count)
{
    std::vector<std::string> lines;
    for (int n = 0; n < count; ++n)
        lines.push_back(questionLine("q" + std::to_string(n), { "a" + std::to_string(n) }));
    return lines;
}

CKvrSettings quietSettings()
{
    CKvrSettings settings;
    settings.UserName = "learner";
    settings.CorrectSoundfile = kCorrectSound;
    settings.IncorrectSoundfile = kIncorrectSound;
    settings.UseReplyStartLimitJe = false;
    settings.UseReplyLimitEJ = false;
    settings.UseShowLimitEJ4 = false;
    settings.UseReplyLimitEJ4 = false;
    settings.UseShowLimitJE4 = false;
    settings.UseReplyLimitJE4 = false;
    settings.UseVoice = false;
    return settings;
}

DrillRig::DrillRig()
    : settings(quietSettings())
{
    settings.LogPath = folder.file("translog.txt");
}

CDrillSession &DrillRig::start(DrillSetup setup)
{
    m_setup = setup;
    const DrillServices services { timers,      clock,  voice.pronunciation, prompter, results,
                                   answerStore, journal };
    m_session = std::make_unique<CDrillSession>(std::move(setup), settings, log, services);
    timers.setTarget([this](int id) { m_session->onTimer(id); });
    return *m_session;
}

const CSectionLog *DrillRig::record()
{
    return findLearnerRecord(log, settings.UserName, m_setup.sectionPath,
                             toLogMode(m_setup.drillMode));
}

bool DrillRig::awaitingAnswer()
{
    const auto busy = [this] {
        const DrillState state = view().state;
        return !view().closed
            && (state == DrillState::Starting || state == DrillState::ShowingCorrect
                || state == DrillState::ShowingWrong);
    };
    timers.runWhile(busy);
    return !busy();
}

void DrillRig::answerAndWait(const std::string &typed)
{
    m_session->confirm(typed);
    awaitingAnswer();
    if (view().state == DrillState::Correcting)
        correctAndWait();
}

void DrillRig::correctAndWait()
{
    for (int guard = 0; guard < 10 && !timers.isRunning(TIMER_NEXT); ++guard) {
        if (isChoiceMode(m_setup.drillMode))
            m_session->pickChoice(m_session->view().focus == DrillFocus::None
                                      ? 0
                                      : static_cast<int>(m_session->view().focus)
                                          - static_cast<int>(DrillFocus::Choice1));
        else
            m_session->confirm(view().shownAnswer);
    }
    timers.runWhile([this] { return !view().closed && view().state == DrillState::Correcting; });
    awaitingAnswer();
}

} // namespace kvr::session_test
