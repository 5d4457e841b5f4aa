#pragma once

// Fakes for the drill-session tests: a simulated clock with the timers that run on it, a
// result presenter that records, and a rig that wires them to a
// session.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/kvrsettings.h"
#include "drill/drillsession.h"
#include "drill/resultreport.h"
#include "drill/testsupport_services.h"
#include "history/answerlog.h"
#include "platform/clock.h"
#include "platform/testsupport.h"
#include "platform/testsupport_prompter.h"

namespace kvr::session_test {

// Wall-clock seconds and the millisecond tick move together.
class FakeClock final : public IClock
{
public:
    std::int64_t now() const override { return epoch + static_cast<std::int64_t>(m_ms / 1000); }
    std::uint32_t tick() const override { return static_cast<std::uint32_t>(m_ms + tickBase); }
    std::uint64_t elapsedMs() const { return m_ms; }
    void advanceTo(std::uint64_t ms) { m_ms = ms; }

    std::int64_t epoch = 1'700'000'000;
    std::uint32_t tickBase = 0xFFFFF000u; // the tick wraps 4096 ms into every test

private:
    std::uint64_t m_ms = 0;
};

// Periodic timers on the simulated clock. Expiries are delivered to the target in time
// order (equal times in the order the timers were started), each timer again every period
// until it is stopped.
class FakeTimers final : public ITimerHost
{
public:
    explicit FakeTimers(FakeClock &clock)
        : m_clock(clock)
    {
    }

    void setTarget(std::function<void(int)> target) { m_target = std::move(target); }
    void startTimer(int id, int periodMs) override;
    void stopTimer(int id) override;

    bool isRunning(int id) const { return m_timers.count(id) != 0; }
    int period(int id) const; // -1 when not running

    // Runs the clock until timer id expires once (other timers expire on the way).
    // False, with the clock where it stopped, when id is not running or stops first.
    bool fire(int id);
    bool fireRepeatedly(int id, int times);
    // Runs the clock by ms, delivering every expiry due in that time.
    void advance(std::uint64_t ms);
    // Delivers expiries while condition holds; false when it still holds after maxMs or
    // with nothing left to run.
    bool runWhile(const std::function<bool()> &condition, std::uint64_t maxMs = 600'000);
    // Runs until nothing is running or maxMs have passed; the expired ids in order.
    std::vector<int> runUntilIdle(std::uint64_t maxMs = 600'000);
    // Milliseconds from now to the next expiry of id; -1 when not running.
    std::int64_t dueIn(int id) const;

    std::vector<std::pair<int, int>> started; // (id, period) of every start

private:
    struct Timer
    {
        int period = 0;
        std::uint64_t due = 0;
        std::uint64_t order = 0;
    };
    bool deliverNext(std::uint64_t limit, int *firedId);

    FakeClock &m_clock;
    std::function<void(int)> m_target;
    std::map<int, Timer> m_timers;
    std::uint64_t m_starts = 0;
};

class FakeResultPresenter final : public IResultPresenter
{
public:
    ReportAction showResultReport(const ResultReport &report) override;

    std::vector<ResultReport> reports;
    ReportAction action = ReportAction::Close; // how the learner leaves every report
    std::function<void()> onShow; // runs inside the modal report
};

// A question with question lines q, answers and hints (CP932 bytes as given).
std::string questionLine(const std::string &question, const std::vector<std::string> &answers,
                         const std::vector<std::string> &hints = {});
// A collection of the given lines, and a set-up over it in collection order.
DrillSetup setupOf(std::vector<std::string> lines,
                   DrillMode mode = DrillMode::JapaneseToEnglishTyped);
// Questions "q<n>" answered "a<n>" (n from 0).
std::vector<std::string> simpleQuestions(int count);
// Settings without time limits, with waits of 600 ms and recognisable effect sounds.
CKvrSettings quietSettings();

// Takes every answer handed to it and answers with reply.
class RecordingAnswerStore final : public IAnswerStore
{
public:
    SaveReport addAnswer(const AnswerAddition &addition) override
    {
        added.push_back(addition);
        return reply;
    }
    std::vector<AnswerAddition> added;
    SaveReport reply { SaveReport::Notice, answerAddedText() };
};

// Everything one session needs. The settings may be changed before start().
struct DrillRig
{
    DrillRig();
    CDrillSession &start(DrillSetup setup);
    CDrillSession &session() { return *m_session; }
    DrillView view() const { return m_session->view(); }
    // The learner's record for the drilled collection and mode (nullptr when missing).
    const CSectionLog *record();
    // Runs the timers through countdowns and shown results until the session waits for an
    // answer (or has closed); false when it never does.
    bool awaitingAnswer();
    // Gives a first answer and, after a wrong one, the correction; returns when the session
    // waits for the next answer (or has closed).
    void answerAndWait(const std::string &typed);
    // Types (or picks) the expected answer in the correction until the question is done.
    void correctAndWait();

    TempFolder folder;
    CKvrSettings settings;
    CAnswerLog log;
    FakeClock clock;
    FakeTimers timers { clock };
    test::RecordingServices voice { settings };
    test::CScriptedPrompter prompter;
    FakeResultPresenter results;
    IAnswerStore *answerStore = nullptr; // set before start() to offer adding answers
    IAnswerJournal *journal = nullptr; // set before start() to keep a journal

private:
    DrillSetup m_setup;
    std::unique_ptr<CDrillSession> m_session;
};

inline constexpr const char *kCorrectSound = "/snd/Correct.wav";
inline constexpr const char *kIncorrectSound = "/snd/Incorrect.wav";

} // namespace kvr::session_test
