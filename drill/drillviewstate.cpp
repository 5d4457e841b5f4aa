#include <algorithm>

#include "drill/drilldisplay.h"
#include "drill/drillsession.h"
#include "platform/cp932.h"
#include "platform/textformat.h"

namespace kvr {

namespace {

CounterView counter(int value, Rgb colour)
{
    return { value, formatText("%4d", value), colour };
}

// Colour of a re-answer entry of the pass list.
Rgb retryEntryColour(bool running, bool ended, bool anyWrong)
{
    if (running && !ended)
        return kActivePassColour;
    return anyWrong ? kPassColour : kUnusedPassColour;
}

} // namespace

DrillView CDrillSession::view() const
{
    DrillView view = m_view;
    view.state = m_state;
    view.pass = m_pass;
    view.input.text = m_input;
    view.questionLines = m_band;
    view.hintTitleShown = m_hintShown;
    view.lastQuestionButton.visible = hasLastQuestion();
    view.acceptButton.visible = view.acceptButton.enabled = canAcceptAsCorrect();
    view.addAnswerButton.visible = view.addAnswerButton.enabled = canAddAnswer();
    view.progressValue = std::clamp(m_passIndex, 0, m_passLength);

    const bool ended = m_state == DrillState::Ended;
    const bool anyWrong = m_incorrectTotal > 0;
    view.passList[0] = { cp932::text("最初の回答"),
                         {},
                         m_pass == PassKind::First && !ended ? kActivePassColour : kPassColour };
    view.passList[1] = { cp932::text("再回答"), formatText(cp932::text("(%d 回目)"), m_retryCount),
                         retryEntryColour(m_pass == PassKind::Retry, ended, anyWrong) };
    view.passList[2] = { cp932::text("再々回答"),
                         formatText(cp932::text("(%d 回目)"), m_finalRetryCount),
                         retryEntryColour(m_pass == PassKind::FinalRetry, ended, anyWrong) };
    view.passList[3] = { cp932::text("終了"), {}, ended ? kActivePassColour : kPassColour };

    view.allQuestions = counter(m_passLength, kCorrectCounterColour);
    view.remaining = counter(m_passLength - m_passIndex - 1, kIncorrectCounterColour);
    view.correctNow = counter(m_correctThisPass, kCorrectCounterColour);
    view.incorrectNow = counter(m_incorrectThisPass, kIncorrectCounterColour);
    view.correctTotal = counter(m_correctTotal, kCorrectCounterColour);
    view.incorrectTotal = counter(m_incorrectTotal, kIncorrectCounterColour);
    // The speed needs a whole second of answering to divide by.
    if (m_answerTimeMs >= 1000)
        view.typingSpeed = formatRunningSpeed(m_keyCount, m_answerTimeMs);

    for (const CAnswerList::Entry &entry : m_answers.entries()) {
        view.answerMarks.push_back({ entry.entered, cp932::text(entry.entered ? "●" : "○"),
                                     formatText("(%d)", wordCount(entry.acceptedText)) });
    }

    const bool judged = m_state == DrillState::ShowingCorrect || m_state == DrillState::ShowingWrong
        || m_state == DrillState::Correcting;
    if (judged) {
        view.bigMark = m_correctFlag ? BigMark::Correct : BigMark::Wrong;
        view.bigMarkText = cp932::text(m_correctFlag ? "○" : "×");
        view.bigMarkColour = m_correctFlag ? kBigCorrectColour : kBigWrongColour;
    }

    view.shownAnswer = m_shownAnswer;
    view.showCorrectAnswer = typedMode() && m_state == DrillState::ShowingCorrect;
    if (typedMode() && m_setup.drillMode != DrillMode::SpeedReply) {
        const bool wrongShown =
            m_state == DrillState::ShowingWrong || m_state == DrillState::Correcting;
        view.answerDisplay.text = wrongShown ? m_shownAnswer : std::string();
    }
    return view;
}

} // namespace kvr
