#include "drill/drillsession.h"

#include <algorithm>
#include <utility>

#include "drill/drilldisplay.h"
#include "drill/pronunciation.h"
#include "platform/clock.h"
#include "platform/cp932.h"
#include "platform/crand.h"
#include "platform/textformat.h"

namespace kvr {

namespace {

// Re-answer passes in random order: a uniform shuffle on the shared C runtime generator.
void shuffle(std::vector<int> &order)
{
    for (std::size_t i = order.size(); i > 1; --i) {
        const std::size_t j = static_cast<std::size_t>(crt::rand()) % i;
        std::swap(order[i - 1], order[j]);
    }
}

} // namespace

CDrillSession::CDrillSession(DrillSetup setup, const CKvrSettings &settings, CAnswerLog &log,
                             const DrillServices &services)
    : m_setup(std::move(setup))
    , m_settings(settings)
    , m_judge(JudgeOptions::fromSettings(settings))
    , m_log(log)
    , m_services(services)
{
    open();
}

// A session closed without its end (its window destroyed) still hands on what was answered.
CDrillSession::~CDrillSession()
{
    try {
        flushJournal(false);
    } catch (...) {
    }
}

void CDrillSession::open()
{
    m_view.caption = drillCaption(m_setup.sectionPath);
    m_order = firstPassOrder(m_setup, m_services.clock);
    m_passLength = static_cast<int>(m_order.size());
    m_questionCount = m_passLength;
    m_view.progressMax = m_passLength;
    m_view.limitBarVisible = m_settings.UseReplyStartLimitJe;
    m_view.limitBarValue = 0;

    const std::string &startMessage = m_setup.sectionCopy.header.field(CInnerHeader::StartMessage);
    m_view.instruction =
        startMessage.empty() ? defaultInstruction(m_setup.drillMode) : startMessage;
    takeWorkingTallies();

    m_view.hintButton.visible = false;
    m_view.hintField.visible = false;
    // The countdown already shows the mode's layout: the choice band and rows, or the band
    // with the titles of the typed modes.
    m_view.choiceBand = !typedMode();
    // The typed modes keep the answer display field until the first question decides.
    if (typedMode()) {
        m_view.input.enabled = false;
        setChoiceRows(ChoiceButtons {}, true);
    } else {
        m_view.input.visible = false;
        m_view.answerDisplay.visible = false;
        m_view.confirmButton.enabled = false;
        for (ControlView &button : m_view.choiceButtons)
            button.enabled = false;
    }
    m_view.feedback = cp932::text("まもなく始まります。がんばってください！");
    armTimer(TIMER_NEXT, kStartDelayMs);
}

void CDrillSession::takeWorkingTallies()
{
    const CSectionLog &record = obtainSectionLog(obtainUserLog(m_log, m_settings.UserName),
                                                 m_setup.sectionPath, toLogMode(m_setup.drillMode));
    m_tallies = record.tallies();
}

void CDrillSession::nextQuestion()
{
    m_state = DrillState::Answering;
    m_view.answerDisplay.visible = m_setup.drillMode == DrillMode::SpeedReply;
    if (typedMode())
        m_view.confirmButton.enabled = true;
    m_view.feedback.clear();
    m_shownAnswer.clear();

    ++m_passIndex;
    m_questionStartTick = m_services.clock.tick();
    m_answers.clear();
    m_questionReady = false;

    const bool cutShort = m_pass == PassKind::First && m_stopAfter > 0;
    if ((m_passIndex >= m_passLength || cutShort) && finishPass())
        return;

    m_lastQuestionLine = m_currentLine;
    if (!loadQuestion()) {
        m_view.feedback = formatText(cp932::text("データの取得に失敗しました。(contents:%d)"),
                                     static_cast<int>(m_order.size()));
        return;
    }
    showQuestion();
}

// Ends the pass that just ran out; true when that ended the drill.
bool CDrillSession::finishPass()
{
    m_order.clear();
    m_correctThisPass = 0;
    m_incorrectThisPass = 0;
    m_passIndex = 0;

    if (!m_wrongThisPass.empty()) {
        std::vector<int> order = std::move(m_wrongThisPass);
        m_wrongThisPass.clear();
        if (m_pass == PassKind::First) {
            m_wrongFirstPass = order;
            m_firstPassDone = true;
            m_retryCount = 1;
            m_view.instruction = cp932::text("間違えた問題をもう１度訳そう！！");
            startPass(PassKind::Retry, std::move(order));
        } else {
            if (m_pass == PassKind::Retry)
                ++m_retryCount;
            else
                ++m_finalRetryCount;
            startPass(m_pass, std::move(order));
        }
        return false;
    }

    if (m_pass == PassKind::Retry) {
        m_finalRetryCount = 1;
        m_view.instruction = cp932::text("間違えた問題を さらに もう一度訳そう！！");
        startPass(PassKind::FinalRetry, m_wrongFirstPass);
        return false;
    }

    m_state = DrillState::Ended;
    if (m_stopAfter == 0)
        m_stopAfter = m_questionCount;
    m_finishedNormally = true;
    endStep();
    return true;
}

void CDrillSession::startPass(PassKind pass, std::vector<int> order)
{
    if (m_setup.randomRetryOrder)
        shuffle(order);
    m_pass = pass;
    m_order = std::move(order);
    m_passLength = static_cast<int>(m_order.size());
    m_view.progressMax = m_passLength;
}

bool CDrillSession::loadQuestion()
{
    if (m_passIndex < 0 || m_passIndex >= static_cast<int>(m_order.size()))
        return false;
    const int position = m_order[static_cast<std::size_t>(m_passIndex)];
    const CQuestionLines &lines = m_setup.sectionCopy.lines;
    if (position < 0 || position >= static_cast<int>(lines.size()))
        return false;
    m_position = position;
    m_currentLine = lines[static_cast<std::size_t>(position)];
    m_question.clear();
    parseQuestionLine(m_question, m_currentLine);
    m_questionReady = true;
    return true;
}

void CDrillSession::showQuestion()
{
    const DrillMode mode = m_setup.drillMode;
    m_band = questionBand(mode, m_question);
    m_correctFlag = false;
    m_correctionDone = false;
    m_firstWrongEntry.clear();
    if (typedMode())
        m_answers = CAnswerList::forQuestion(mode, m_question);
    else
        showChoices();

    m_hintText = joinedHints(m_question);
    m_view.hintField.text = m_hintText;
    if (mode == DrillMode::EnglishToJapaneseChoice || mode == DrillMode::EnglishToJapaneseTyped)
        m_services.voice.pronounce(VoiceOccasion::QuestionShown, mode, m_question,
                                   bandText(m_band));
    if (mode == DrillMode::SpeedReply)
        m_view.answerDisplay.text = joinedAnswers(m_question, ", ");

    m_hintIndex = -1;
    m_voiceTurn = 0;
    m_chosenPosition = -1;
    if (m_settings.AlwaysShowHint) {
        m_hintShown = !m_hintText.empty();
        m_view.hintField.visible = m_hintShown;
        m_view.hintButton.visible = false;
    } else {
        m_hintShown = false;
        m_view.hintField.visible = false;
        m_view.hintButton.visible = !m_hintText.empty();
        m_view.hintButton.enabled = !m_hintText.empty();
    }
    setInputText({});
    startTimeLimits();

    if (m_pass == PassKind::First && m_passIndex == 0) {
        m_startTime = m_services.clock.now();
        m_view.input.enabled = true;
    }
    setFocus(typedMode() ? DrillFocus::Input : DrillFocus::Choice1);
}

void CDrillSession::showChoices()
{
    m_choices = buildChoices(m_setup.sectionCopy, m_position, m_setup.drillMode);
    for (int row = 0; row < kChoiceCount; ++row)
        m_view.choiceFields[static_cast<std::size_t>(row)].text =
            m_choices.rows[static_cast<std::size_t>(row)].text;
    setChoiceRows(buttonsOnShow(m_choices), true);
}

void CDrillSession::setChoiceRows(const ChoiceButtons &buttons, bool fieldsToo)
{
    for (std::size_t row = 0; row < kChoiceCount; ++row) {
        m_view.choiceButtons[row].visible = buttons.visible[row];
        m_view.choiceButtons[row].enabled = buttons.enabled[row];
        if (fieldsToo) {
            m_view.choiceFields[row].visible = buttons.visible[row];
            m_view.choiceFields[row].enabled = buttons.visible[row];
        }
    }
}

void CDrillSession::startTimeLimits()
{
    const std::uint32_t now = m_services.clock.tick();
    bool replyLimit = false;
    bool showLimit = false;
    switch (m_setup.drillMode) {
    case DrillMode::JapaneseToEnglishTyped:
    case DrillMode::SpeedReply:
        if (m_settings.UseReplyStartLimitJe) {
            m_startLimitTick = now;
            m_startLimitRunning = true;
            m_view.limitBarVisible = true;
            m_view.limitBarValue = 0;
            armTimer(TIMER_START_LIMIT, kLimitTickMs);
        }
        return;
    case DrillMode::EnglishToJapaneseTyped:
        replyLimit = m_settings.UseReplyLimitEJ;
        break;
    case DrillMode::EnglishToJapaneseChoice:
        showLimit = m_settings.UseShowLimitEJ4;
        replyLimit = m_settings.UseReplyLimitEJ4;
        break;
    case DrillMode::JapaneseToEnglishChoice:
        showLimit = m_settings.UseShowLimitJE4;
        replyLimit = m_settings.UseReplyLimitJE4;
        break;
    }
    if (showLimit) {
        setChoiceRows(ChoiceButtons {}, true);
        m_showLimitTick = now;
        armTimer(TIMER_SHOW_CHOICES, kLimitTickMs);
    }
    if (replyLimit) {
        m_replyLimitTick = now;
        m_view.limitBarVisible = true;
        m_view.limitBarValue = 0;
        armTimer(TIMER_REPLY_LIMIT, kLimitTickMs);
    }
}

int CDrillSession::replyLimitMs() const
{
    switch (m_setup.drillMode) {
    case DrillMode::EnglishToJapaneseChoice:
        return m_settings.ReplyLimitEJ4;
    case DrillMode::JapaneseToEnglishChoice:
        return m_settings.ReplyLimitJE4;
    default:
        return m_settings.ReplyLimitEJ;
    }
}

int CDrillSession::showLimitMs() const
{
    return m_setup.drillMode == DrillMode::JapaneseToEnglishChoice ? m_settings.ShowLimitJE4
                                                                   : m_settings.ShowLimitEJ4;
}

void CDrillSession::limitTick(int id)
{
    const std::uint32_t tick = m_services.clock.tick();
    if (id == TIMER_SHOW_CHOICES) {
        if (static_cast<std::int64_t>(tick - m_showLimitTick) > showLimitMs()) {
            disarmTimer(TIMER_SHOW_CHOICES);
            setChoiceRows(buttonsOnShow(m_choices), true);
            setFocus(DrillFocus::Choice1);
        }
        return;
    }
    const bool start = id == TIMER_START_LIMIT;
    const std::uint32_t elapsed = tick - (start ? m_startLimitTick : m_replyLimitTick);
    const int limit = start ? m_settings.ReplyStartLimitJe : replyLimitMs();
    if (static_cast<std::int64_t>(elapsed) > limit) {
        disarmTimer(id);
        if (start)
            m_startLimitRunning = false;
        m_view.limitBarVisible = false;
        if (typedMode())
            confirm();
        else if (m_state == DrillState::Answering)
            confirmChoice(); // nothing picked: wrong
        return;
    }
    const std::int64_t value =
        limit > 0 ? static_cast<std::int64_t>(elapsed) * kLimitBarRange / limit : kLimitBarRange;
    m_view.limitBarValue = static_cast<int>(std::min<std::int64_t>(value, kLimitBarRange));
}

void CDrillSession::onTimer(int id)
{
    // A modal box keeps delivering timer events; the held ones wait for it to close.
    if (m_timersHeld && id != TIMER_NOTICE)
        return;
    switch (id) {
    case TIMER_NOTICE:
        disarmTimer(id);
        m_view.notice.clear();
        return;
    case TIMER_NEXT:
        disarmTimer(id);
        nextQuestion();
        return;
    case TIMER_WRONG_FLASH:
        flashTick();
        return;
    case TIMER_ANSWER_STEP:
        disarmTimer(id);
        ++m_answerStep;
        showAnswerStep();
        return;
    case TIMER_START_LIMIT:
    case TIMER_SHOW_CHOICES:
    case TIMER_REPLY_LIMIT:
        limitTick(id);
        return;
    case TIMER_HIDE_BAR:
        disarmTimer(id);
        m_view.limitBarVisible = false;
        return;
    default:
        m_services.prompter.tell("Unknown TIMER event received...");
        disarmTimer(id);
        return;
    }
}

void CDrillSession::setFocus(DrillFocus focus)
{
    m_view.focus = focus;
    ++m_view.focusRevision;
}

void CDrillSession::setInputText(std::string text)
{
    m_input = std::move(text);
    m_inputStorable = true;
    ++m_view.inputRevision;
}

void CDrillSession::setInput(std::string_view text, bool storable)
{
    m_input = std::string(text);
    m_inputStorable = storable;
}

bool CDrillSession::hasLastQuestion() const
{
    return m_state != DrillState::Starting
        && kvr::hasLastQuestion(m_pass == PassKind::First, m_passIndex);
}

void CDrillSession::showNotice(std::string text)
{
    m_view.notice = std::move(text);
    armTimer(TIMER_NOTICE, kNoticePeriodMs);
}

void CDrillSession::showSaveReport(const SaveReport &report)
{
    if (report.kind == SaveReport::Notice)
        showNotice(report.text);
    else if (report.kind == SaveReport::MessageBox)
        m_services.prompter.tell(report.text);
}

} // namespace kvr
