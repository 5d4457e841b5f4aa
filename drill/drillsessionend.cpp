#include "drill/drillsession.h"
#include "drill/resultreport.h"
#include "platform/clock.h"
#include "platform/cp932.h"

namespace kvr {

void CDrillSession::cancel()
{
    if (m_ended)
        return;
    const DrillState state = m_state;
    const PassKind pass = m_pass;
    m_state = DrillState::Ended;
    if (m_pass != PassKind::First || m_passIndex <= 0) {
        endStep();
        return;
    }
    if (m_wrongThisPass.empty()) {
        // Correct answers only: the first pass ends after the questions done.
        stopQuestionTimers();
        m_stopAfter = m_passIndex;
        nextQuestion();
        return;
    }
    Message question;
    question.text = cp932::text("再回答を行いますか？\n（「いいえ」の場合、すぐに終了します。）");
    question.caption = cp932::text("キャンセル？");
    question.buttons = Buttons::YesNoCancel;
    switch (askWithTimersHeld(question)) {
    case Reply::Cancel:
    case Reply::Ok: // not a button of this box
        m_state = state;
        m_pass = pass;
        resumeQuestionTimers();
        return;
    case Reply::No:
        endStep();
        return;
    case Reply::Yes:
        stopQuestionTimers();
        m_stopAfter = m_passIndex;
        nextQuestion();
        return;
    }
}

void CDrillSession::exitNow()
{
    flushJournal(true);
    m_ended = true;
    m_state = DrillState::Ended;
    stopAllTimers();
    m_view.closed = true;
}

void CDrillSession::endStep()
{
    if (m_ended)
        return;
    m_ended = true;
    m_state = DrillState::Ended;
    stopAllTimers();
    // Recorded and saved before the report opens: a logout or shutdown while the report is
    // on the screen must not lose the drill. The end time is still the report's moment.
    const std::int64_t endTime = m_services.clock.now();
    if (m_correctTotal + m_incorrectTotal > 0)
        recordHistory(endTime);
    flushJournal(true);
    ResultReport report =
        buildResultReport(m_correctTotal, m_incorrectTotal, m_answerTimeMs, m_keyCount);
    report.retryMissedEnabled = !missedQuestions().empty();
    if (m_services.results.showResultReport(report) == ReportAction::RetryMissed
        && report.retryMissedEnabled)
        m_followUp = missedQuestionsSetup(m_setup, missedQuestions());
    m_view.closed = true;
}

// A drill left during its first pass still missed what it missed so far.
const std::vector<int> &CDrillSession::missedQuestions() const
{
    return m_firstPassDone ? m_wrongFirstPass : m_wrongThisPass;
}

void CDrillSession::recordHistory(std::int64_t endTime)
{
    FinishedDrill drill;
    drill.userName = m_settings.UserName;
    drill.sectionPath = m_setup.sectionPath;
    drill.mode = toLogMode(m_setup.drillMode);
    drill.correct = m_correctTotal;
    drill.incorrect = m_incorrectTotal;
    drill.startTime = m_startTime;
    drill.endTime = endTime;
    drill.keyCount = m_keyCount;
    drill.tallies = m_tallies;
    drill.advancesSeries = m_setup.selection.empty() && m_finishedNormally;
    drill.seed = m_setup.orderSeed;
    drill.questionsTaken = m_stopAfter;
    drill.newSeries = m_setup.newSeries;
    const std::vector<int> &missed = missedQuestions();
    drill.missed.assign(missed.begin(), missed.end());
    if (!m_log.recordFinishedDrill(drill, m_settings.LogPath))
        m_services.prompter.ask(errorBox(drillSaveFailedText(m_settings.LogPath)));
}

// The answers go to the journal once, at the end; a failure is told but never stops the
// drill or its history, which are saved apart from it.
void CDrillSession::flushJournal(bool tellFailure)
{
    if (!m_services.journal || m_journal.empty())
        return;
    const std::vector<JournalEntry> entries = std::move(m_journal);
    m_journal.clear();
    if (!m_services.journal->append(entries) && tellFailure)
        m_services.prompter.tell(journalFailedText(), cp932::text("学習記録"), Icon::Warning);
}

// While the question is open the drill stands still: its question's timers are stopped
// (and late expiries ignored), and the time spent in the box is taken out of every time
// limit and of the answer time when the drill goes on.
Reply CDrillSession::askWithTimersHeld(const Message &message)
{
    holdQuestionTimers();
    const Reply reply = m_services.prompter.ask(message);
    m_timersHeld = false;
    return reply;
}

void CDrillSession::holdQuestionTimers()
{
    m_heldTimers = m_runningTimers;
    m_heldTimers.erase(TIMER_NOTICE);
    for (const auto &[id, period] : m_heldTimers)
        disarmTimer(id);
    m_heldSinceTick = m_services.clock.tick();
    m_timersHeld = true;
}

// Re-arms the held timers with their full periods.
void CDrillSession::resumeQuestionTimers()
{
    const std::uint32_t paused = m_services.clock.tick() - m_heldSinceTick;
    for (std::uint32_t *since :
         { &m_questionStartTick, &m_startLimitTick, &m_showLimitTick, &m_replyLimitTick })
        *since += paused;
    for (const auto &[id, period] : m_heldTimers)
        armTimer(id, period);
    m_heldTimers.clear();
}

void CDrillSession::armTimer(int id, int periodMs)
{
    m_runningTimers[id] = periodMs;
    m_services.timers.startTimer(id, periodMs);
}

void CDrillSession::disarmTimer(int id)
{
    m_runningTimers.erase(id);
    m_services.timers.stopTimer(id);
}

void CDrillSession::stopAllTimers()
{
    for (int id : kDrillTimerIds)
        disarmTimer(id);
    m_startLimitRunning = false;
}

// Everything that would move the abandoned question on by itself.
void CDrillSession::stopQuestionTimers()
{
    for (int id : kDrillTimerIds) {
        if (id != TIMER_NOTICE)
            disarmTimer(id);
    }
    m_startLimitRunning = false;
}

} // namespace kvr
