#include "drill/drilldisplay.h"
#include "drill/drillsession.h"
#include "drill/pronunciation.h"
#include "platform/cp932.h"
#include "platform/textformat.h"

namespace kvr {

namespace {

bool stopsStartLimit(const DrillKey &key)
{
    switch (key.code) {
    case DrillKey::Backspace:
    case DrillKey::Enter:
    case DrillKey::Space:
        return true;
    case DrillKey::Letter:
        return key.letter >= 'A' && key.letter <= 'Z';
    default:
        return false;
    }
}

bool isLetter(const DrillKey &key, char letter)
{
    return key.code == DrillKey::Letter && key.letter == letter;
}

// The row a choice key picks: the digits 1-4, as the buttons' mnemonics "&1".."&4", with or
// without Alt; -1 for any other key.
int choiceRowOf(const DrillKey &key)
{
    if (key.code != DrillKey::Digit || key.ctrl || key.letter < '1' || key.letter > '4')
        return -1;
    return key.letter - '1';
}

} // namespace

KeyAction CDrillSession::keyPress(const DrillKey &key)
{
    switch (m_state) {
    case DrillState::Answering:
    case DrillState::Correcting:
        break;
    case DrillState::Starting:
        // Before the first question only the dialog's own Enter and Escape apply.
        if (key.code == DrillKey::Escape) {
            cancel();
            return KeyAction::Consumed;
        }
        return key.code == DrillKey::Enter ? KeyAction::Consumed : KeyAction::PassOn;
    case DrillState::ShowingCorrect:
    case DrillState::ShowingWrong:
        // No dialog handling while a result is shown: Enter and Escape do nothing.
        return key.code == DrillKey::Enter || key.code == DrillKey::Escape ? KeyAction::Consumed
                                                                           : KeyAction::PassOn;
    case DrillState::Ended:
        return KeyAction::Consumed;
    }

    if (m_startLimitRunning && !key.ctrl && stopsStartLimit(key)) {
        disarmTimer(TIMER_START_LIMIT);
        m_startLimitRunning = false;
        armTimer(TIMER_HIDE_BAR, kHideBarDelayMs);
    }
    if ((key.ctrl || key.alt) && isLetter(key, 'B'))
        return hasLastQuestion() ? KeyAction::OpenLastQuestionMenu : KeyAction::Consumed;
    if (key.ctrl && isLetter(key, 'G')) {
        showHint();
        return KeyAction::Consumed;
    }
    if (const int row = choiceRowOf(key); row >= 0 && !typedMode()) {
        // As a click on that button: a hidden or disabled one takes no pick while
        // answering, and during the correction any but the right one says so.
        pickChoice(row);
        return KeyAction::Consumed;
    }
    switch (key.code) {
    case DrillKey::Escape:
        cancel();
        return KeyAction::Consumed;
    case DrillKey::Enter:
        if (key.ctrl && canAcceptAsCorrect()) {
            acceptAsCorrect();
        } else if (typedMode()) {
            confirm();
        } else if (m_view.focus != DrillFocus::None && m_view.focus != DrillFocus::Input) {
            // Enter presses the focused choice button.
            pickChoice(static_cast<int>(m_view.focus) - static_cast<int>(DrillFocus::Choice1));
        }
        return KeyAction::Consumed;
    case DrillKey::F2:
        cycleHint();
        return KeyAction::Consumed;
    case DrillKey::F5:
        return KeyAction::ReloadSkin;
    case DrillKey::F7:
        return KeyAction::OpenPreview;
    case DrillKey::F8:
        if (key.shift)
            return KeyAction::PassOn;
        pronounceOnRequest();
        return KeyAction::Consumed;
    default:
        return KeyAction::PassOn;
    }
}

// F2: the first character of the next accepted answer, in turn.
void CDrillSession::cycleHint()
{
    const int count = m_answers.size();
    if (count == 0)
        return;
    m_hintIndex = m_hintIndex + 1 >= count ? 0 : m_hintIndex + 1;
    const std::string &answer = m_answers.text(m_hintIndex);
    setInputText(answer.substr(0, answer.empty() ? 0 : cp932::charLength(answer, 0)));
    showNotice(formatText(cp932::text("答え %d のヒントです"), m_hintIndex + 1));
}

void CDrillSession::pronounceOnRequest()
{
    if (!m_questionReady)
        return;
    std::string correctChoice;
    if (!typedMode())
        correctChoice = m_choices.rows[static_cast<std::size_t>(m_choices.choicePosition)].text;
    const std::string text = requestedSpeechText(m_setup.drillMode, m_question, m_voiceTurn++,
                                                 bandText(m_band), correctChoice);
    if (text.empty() && !m_settings.UseWavvoice)
        return; // nothing to say (SpeedReply)
    m_services.voice.pronounce(VoiceOccasion::OnRequest, m_setup.drillMode, m_question, text);
}

} // namespace kvr
