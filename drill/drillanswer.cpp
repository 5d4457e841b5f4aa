#include <algorithm>
#include <iterator>

#include "drill/drillsession.h"
#include "drill/pronunciation.h"
#include "platform/clock.h"
#include "platform/cp932.h"

namespace kvr {

void CDrillSession::confirm(std::string_view typed)
{
    setInput(typed);
    confirm();
}

// "これでよい" exists only for typed answers; four-choice questions are confirmed by a pick
// or by their reply limit.
void CDrillSession::confirm()
{
    if (!m_questionReady || !typedMode())
        return;
    if (m_state == DrillState::Answering)
        confirmTyped();
    else if (m_state == DrillState::Correcting)
        correctTyped();
}

void CDrillSession::pickChoice(int row)
{
    if (typedMode() || row < 0 || row >= kChoiceCount || !m_questionReady)
        return;
    if (m_state == DrillState::Answering) {
        const ControlView &button = m_view.choiceButtons[static_cast<std::size_t>(row)];
        if (!button.visible || !button.enabled)
            return;
        m_chosenPosition = row;
        confirmChoice();
    } else if (m_state == DrillState::Correcting) {
        correctChoice(row);
    }
}

void CDrillSession::confirmTyped()
{
    const std::string typed = m_input;
    const TypedJudgement judgement = judgeFirstEntry(m_setup.drillMode, typed, m_answers, m_judge);
    if (judgement.verdict == TypedVerdict::ExitCommand) {
        exitNow();
        return;
    }
    if (judgement.verdict == TypedVerdict::EndCommand) {
        cancel();
        return;
    }
    m_view.feedback = judgement.feedback;
    if (judgement.widthFolded)
        showNotice(fullWidthNotice());
    const bool correct = judgement.correct();
    if (correct) {
        m_services.voice.playEffect(Effect::Correct);
        if (!judgement.complete) {
            setInputText({});
            return;
        }
        m_correctFlag = true;
        revealHint();
        m_state = DrillState::ShowingCorrect;
        countResult(true);
    } else {
        m_correctFlag = false;
        wrongAnswerStep(typed);
    }

    // The question's first judgment is over: its limits no longer apply.
    stopLimitTimers();
    m_keyCount += static_cast<int>(typed.size());
    m_answerTimeMs += m_services.clock.tick() - m_questionStartTick;
    if (m_setup.drillMode == DrillMode::SpeedReply && correct)
        m_view.answerDisplay.visible = false;
    m_view.confirmButton.enabled = false;
    if (correct) {
        m_answerStep = 0;
        showAnswerStep();
        return;
    }
    if (m_setup.drillMode != DrillMode::SpeedReply)
        m_view.answerDisplay.visible = true;
    startFlashing();
    m_view.input.enabled = false;
}

void CDrillSession::confirmChoice()
{
    const bool right = isRightPick(m_choices, m_chosenPosition);
    revealHint();
    stopLimitTimers();
    m_view.limitBarVisible = false;
    m_answerTimeMs += m_services.clock.tick() - m_questionStartTick;
    for (std::size_t row = 0; row < kChoiceCount; ++row)
        m_view.choiceFields[row].visible = m_choices.rows[row].available;

    if (right) {
        m_correctFlag = true;
        m_services.voice.playEffect(Effect::Correct);
        m_view.feedback = rightPickFeedback();
        m_state = DrillState::ShowingCorrect;
        countResult(true);
        setChoiceRows(buttonsAfterRightPick(m_chosenPosition), false);
        m_services.voice.pronounce(VoiceOccasion::ChoiceRevealed, m_setup.drillMode, m_question,
                                   m_choices.rows[static_cast<std::size_t>(m_chosenPosition)].text);
        armTimer(TIMER_NEXT, m_settings.CorrectWaitTime);
        return;
    }
    m_correctFlag = false;
    wrongAnswerStep({});
    setChoiceRows(buttonsAfterWrongPick(m_choices), false);
    startFlashing();
}

void CDrillSession::correctTyped()
{
    if (m_correctionDone)
        return;
    const std::string expected = m_answers.text(m_answers.firstPending());
    const CorrectionJudgement judgement =
        judgeCorrection(m_setup.drillMode, m_input, m_answers, m_judge, m_firstWrongEntry);
    m_view.feedback = judgement.feedback;
    if (judgement.widthFolded)
        showNotice(fullWidthNotice());
    if (judgement.matched)
        m_services.voice.pronounce(VoiceOccasion::ReentryAccepted, m_setup.drillMode, m_question,
                                   expected);
    if (judgement.finished) {
        m_correctionDone = true;
        armTimer(TIMER_NEXT, m_settings.IncorrectWaitTime);
        return;
    }
    if (judgement.matched)
        m_shownAnswer = judgement.expected;
    setInputText({});
}

void CDrillSession::correctChoice(int row)
{
    if (m_correctionDone)
        return;
    m_view.feedback = correctionFeedback(m_choices, row);
    if (isCorrectionDone(m_choices, row)) {
        m_correctionDone = true;
        armTimer(TIMER_NEXT, m_settings.IncorrectWaitTime);
    }
}

bool CDrillSession::canAcceptAsCorrect() const
{
    // Only an answer that was typed: an empty one (given up, or out of time) is no answer.
    return typedMode() && m_questionReady && m_state == DrillState::Correcting && !m_correctionDone
        && !trimEntry(m_firstWrongEntry).empty();
}

// The learner's answer was right after all (a spelling the rules do not know): the wrong
// result this question counted becomes a right one, so the passes, the history and the
// report see it as right and no re-answer pass repeats it. A question missed in the first
// pass stays missed for the final re-answer pass when it is accepted in a later pass.
void CDrillSession::acceptAsCorrect()
{
    if (!canAcceptAsCorrect())
        return;
    const auto wrong = std::find(m_wrongThisPass.rbegin(), m_wrongThisPass.rend(), m_position);
    if (wrong != m_wrongThisPass.rend())
        m_wrongThisPass.erase(std::next(wrong).base());
    --m_incorrectThisPass;
    --m_incorrectTotal;
    const std::size_t position = static_cast<std::size_t>(m_position);
    if (position < m_tallies.size()) {
        const auto field = m_pass == PassKind::First ? QuestionTally::FirstIncorrect
                                                     : QuestionTally::RetryIncorrect;
        --m_tallies[position].values[field];
    }
    countResult(true, false);
    if (!m_journal.empty())
        m_journal.back().verdict = JournalVerdict::Accepted;

    m_correctionDone = true;
    m_correctFlag = true;
    m_state = DrillState::ShowingCorrect;
    m_view.feedback = cp932::text("正解として記録しました。");
    m_view.confirmButton.enabled = false;
    m_view.answerDisplay.visible = false; // as after a right answer, SpeedReply too
    m_services.voice.playEffect(Effect::Correct);
    m_answerStep = 0;
    showAnswerStep();
}

bool CDrillSession::canAddAnswer() const
{
    // In the English-to-Japanese mode the typed meaning is judged against the question
    // lines, not the answers: there is nothing of the kind to add it to.
    return m_services.answerStore && canAcceptAsCorrect()
        && m_setup.drillMode != DrillMode::EnglishToJapaneseTyped
        && lineWithAnswer(m_currentLine, trimEntry(m_firstWrongEntry)).has_value();
}

void CDrillSession::addAnswerAsCorrect()
{
    if (!canAddAnswer())
        return;
    if (!m_firstWrongStorable) {
        showSaveReport({ SaveReport::MessageBox, answerNotCp932Text() });
        return;
    }
    const std::string answer = trimEntry(m_firstWrongEntry);
    const SaveReport report = m_services.answerStore->addAnswer(
        { m_setup.sectionPath, m_position, m_currentLine, answer });
    if (report.kind == SaveReport::MessageBox) {
        showSaveReport(report);
        return;
    }
    // Later passes of this drill judge the question with the new answer too.
    if (const std::optional<std::string> line = lineWithAnswer(m_currentLine, answer)) {
        m_setup.sectionCopy.lines.set(static_cast<std::size_t>(m_position), *line);
        m_currentLine = *line;
    }
    acceptAsCorrect();
    showSaveReport(report);
}

void CDrillSession::countResult(bool correct, bool journal)
{
    if (journal)
        journalAnswer(correct ? JournalVerdict::Correct : JournalVerdict::Incorrect);
    const bool first = m_pass == PassKind::First;
    QuestionTally::Field field;
    if (correct) {
        ++m_correctThisPass;
        ++m_correctTotal;
        field = first ? QuestionTally::FirstCorrect : QuestionTally::RetryCorrect;
    } else {
        ++m_incorrectThisPass;
        ++m_incorrectTotal;
        field = first ? QuestionTally::FirstIncorrect : QuestionTally::RetryIncorrect;
    }
    incrementTally(m_tallies, static_cast<std::size_t>(m_position), field);
}

void CDrillSession::journalAnswer(JournalVerdict verdict)
{
    if (!m_services.journal)
        return;
    JournalEntry entry;
    entry.time = m_services.clock.now();
    entry.learner = m_settings.UserName;
    entry.collection = m_setup.sectionPath;
    entry.mode = m_setup.drillMode;
    entry.position = m_position + 1;
    // As the learner saw it: part-of-speech markers become their labels, not "%aj".
    entry.question = m_question.questionLines[0];
    expandPartOfSpeech(entry.question);
    entry.verdict = verdict;
    entry.tenths = static_cast<int>((m_services.clock.tick() - m_questionStartTick) / 100);
    m_journal.push_back(std::move(entry));
}

void CDrillSession::wrongAnswerStep(const std::string &typed)
{
    m_services.voice.playEffect(Effect::Incorrect);
    m_wrongThisPass.push_back(m_position);
    countResult(false);
    m_firstWrongEntry = typed;
    m_firstWrongStorable = typed.empty() || m_inputStorable;
}

void CDrillSession::startFlashing()
{
    m_state = DrillState::ShowingWrong;
    m_shownAnswer.clear();
    ++m_view.flashCount;
    m_flashCounter = 0;
    armTimer(TIMER_WRONG_FLASH, kFlashPeriodMs);
}

void CDrillSession::flashTick()
{
    if (m_settings.IncorrectWaitTime - m_flashCounter * kFlashPeriodMs < 0) {
        disarmTimer(TIMER_WRONG_FLASH);
        beginCorrection();
        return;
    }
    ++m_view.flashCount;
    ++m_flashCounter;
}

void CDrillSession::beginCorrection()
{
    m_state = DrillState::Correcting;
    m_view.input.enabled = true;
    setFocus(DrillFocus::Input);
    const DrillMode mode = m_setup.drillMode;
    if (!typedMode()) {
        m_view.feedback = correctionPrompt(m_choices);
        setChoiceRows(buttonsInCorrection(m_choices), false);
        setFocus(static_cast<DrillFocus>(static_cast<int>(DrillFocus::Choice1)
                                         + m_choices.choicePosition));
        m_services.voice.pronounce(
            VoiceOccasion::ChoiceRevealed, mode, m_question,
            m_choices.rows[static_cast<std::size_t>(m_choices.choicePosition)].text);
        return;
    }
    m_view.feedback = correctionPrompt(m_firstWrongEntry);
    m_shownAnswer = m_answers.text(m_answers.firstPending());
    m_services.voice.pronounce(VoiceOccasion::ExpectedAnswerShown, mode, m_question, m_shownAnswer);
    m_view.confirmButton.enabled = true;
    setInputText({});
}

void CDrillSession::showAnswerStep()
{
    if (m_answerStep >= m_answers.size()) {
        nextQuestion();
        return;
    }
    m_shownAnswer = m_answers.text(m_answerStep);
    m_services.voice.pronounce(VoiceOccasion::AnswerStepShown, m_setup.drillMode, m_question,
                               m_shownAnswer);
    armTimer(TIMER_ANSWER_STEP, m_settings.CorrectWaitTime);
}

void CDrillSession::showHint()
{
    if (m_state == DrillState::Ended || m_state == DrillState::Starting)
        return;
    revealHint();
}

void CDrillSession::revealHint()
{
    if (m_hintShown)
        return;
    m_view.hintField.visible = true;
    m_view.hintButton.visible = false;
    m_hintShown = true;
    m_startLimitTick = m_services.clock.tick();
}

void CDrillSession::stopLimitTimers()
{
    disarmTimer(TIMER_START_LIMIT);
    disarmTimer(TIMER_SHOW_CHOICES);
    disarmTimer(TIMER_REPLY_LIMIT);
    m_startLimitRunning = false;
}

} // namespace kvr
