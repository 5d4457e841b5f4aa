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
    switch (m_services.prompter.ask(question)) {
    case Reply::Cancel:
    case Reply::Ok: // not a button of this box
        m_state = state;
        m_pass = pass;
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
    m_services.results.showResultReport(
        buildResultReport(m_correctTotal, m_incorrectTotal, m_answerTimeMs, m_keyCount));
    const std::int64_t endTime = m_services.clock.now();
    if (m_correctTotal + m_incorrectTotal > 0)
        recordHistory(endTime);
    m_view.closed = true;
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
    // A drill left during its first pass still missed what it missed so far.
    const std::vector<int> &missed = m_firstPassDone ? m_wrongFirstPass : m_wrongThisPass;
    drill.missed.assign(missed.begin(), missed.end());
    if (!m_log.recordFinishedDrill(drill, m_settings.LogPath))
        m_services.prompter.ask(errorBox(logSaveFailedText(m_settings.LogPath)));
}

void CDrillSession::stopAllTimers()
{
    for (int id : kDrillTimerIds)
        m_services.timers.stopTimer(id);
    m_startLimitRunning = false;
}

// Everything that would move the abandoned question on by itself.
void CDrillSession::stopQuestionTimers()
{
    for (int id : kDrillTimerIds) {
        if (id != TIMER_NOTICE)
            m_services.timers.stopTimer(id);
    }
    m_startLimitRunning = false;
}

} // namespace kvr
