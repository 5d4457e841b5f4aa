#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/kvrsettings.h"
#include "db/question.h"
#include "drill/answeraddition.h"
#include "drill/answerjudge.h"
#include "drill/drillports.h"
#include "drill/drillsetup.h"
#include "drill/drilltimers.h"
#include "drill/drillview.h"
#include "drill/fourchoice.h"
#include "drill/lastquestion.h"
#include "history/answerjournal.h"
#include "history/answerlog.h"
#include "platform/prompter.h"

namespace kvr {

class IClock;
class CPronunciation;

// The services a drill session reaches; all outlive it.
struct DrillServices
{
    ITimerHost &timers;
    const IClock &clock;
    CPronunciation &voice;
    IPrompter &prompter;
    IResultPresenter &results;
    IAnswerStore *answerStore = nullptr; // "この答えも正解に追加(&A)"; nothing: not offered
    IAnswerJournal *journal = nullptr; // every judged answer; nothing: not kept
};

// One drill, from the start countdown to the history update: the model of the drill
// window. The window renders view() after every event it forwards and closes when
// view().closed is set. Constructing the session opens the drill (the countdown timer
// starts at once).
class CDrillSession
{
public:
    CDrillSession(DrillSetup setup, const CKvrSettings &settings, CAnswerLog &log,
                  const DrillServices &services);
    ~CDrillSession();
    CDrillSession(const CDrillSession &) = delete;
    CDrillSession &operator=(const CDrillSession &) = delete;

    DrillView view() const;

    // Events of the window.
    // The learner edited the input field; storable: every character had a CP932 form.
    void setInput(std::string_view text, bool storable = true);
    void confirm(); // "これでよい" (or Enter in a typed mode)
    void confirm(std::string_view typed); // the same after setting the input
    void pickChoice(int row); // "&1".."&4", rows 0-3
    void cancel(); // "逃げる", Escape, or the "end" command
    // "正解にする(&O)", Ctrl+Enter: the wrong typed answer counts as right after all.
    void acceptAsCorrect();
    // "この答えも正解に追加(&A)": the same, after the typed answer went into the database as
    // the question's next answer. A refusal is told and changes nothing.
    void addAnswerAsCorrect();
    void showHint(); // "ヒント(&G)", Ctrl+G
    KeyAction keyPress(const DrillKey &key);
    void onTimer(int id);

    // Reports of keeping the last question: a notice for 2000 ms or a message box.
    void showSaveReport(const SaveReport &report);
    void showNotice(std::string text);

    bool hasLastQuestion() const;
    const std::string &lastQuestionLine() const { return m_lastQuestionLine; }
    // The drill the learner asked for with "間違えた問題だけもう一度" in the result report,
    // once the session has closed; nothing otherwise.
    const std::optional<DrillSetup> &followUpDrill() const { return m_followUp; }
    int questionCount() const { return m_questionCount; }
    DrillMode mode() const { return m_setup.drillMode; }

private:
    bool typedMode() const { return !isChoiceMode(m_setup.drillMode); }
    void setFocus(DrillFocus focus);
    void setInputText(std::string text);

    // Opening and moving on (drillsession.cpp).
    void open();
    void takeWorkingTallies();
    void nextQuestion();
    bool finishPass();
    void startPass(PassKind pass, std::vector<int> order);
    bool loadQuestion();
    void showQuestion();
    void showChoices();
    void setChoiceRows(const ChoiceButtons &buttons, bool fieldsToo);
    void startTimeLimits();
    void limitTick(int id);
    int replyLimitMs() const;
    int showLimitMs() const;

    // Answering (drillanswer.cpp).
    void confirmTyped();
    void confirmChoice();
    void correctTyped();
    void correctChoice(int row);
    void countResult(bool correct, bool journal = true);
    void journalAnswer(JournalVerdict verdict);
    void wrongAnswerStep(const std::string &typed);
    void startFlashing();
    void flashTick();
    void beginCorrection();
    void showAnswerStep();
    void revealHint();
    void stopLimitTimers();
    bool canAcceptAsCorrect() const;
    bool canAddAnswer() const;

    // Keys (drillkeys.cpp).
    void cycleHint();
    void pronounceOnRequest();

    // Leaving (drillsessionend.cpp).
    void endStep();
    void exitNow();
    void recordHistory(std::int64_t endTime);
    void flushJournal(bool tellFailure);
    const std::vector<int> &missedQuestions() const;
    void stopAllTimers();
    void stopQuestionTimers();
    Reply askWithTimersHeld(const Message &message);
    void holdQuestionTimers();
    void resumeQuestionTimers();

    // Every timer goes through these, so the session knows which of its timers run.
    void armTimer(int id, int periodMs);
    void disarmTimer(int id);

    DrillSetup m_setup;
    CKvrSettings m_settings; // as read when the drill starts
    JudgeOptions m_judge;
    CAnswerLog &m_log;
    DrillServices m_services;

    DrillState m_state = DrillState::Starting;
    PassKind m_pass = PassKind::First;
    std::vector<int> m_order;
    int m_passLength = 0;
    int m_passIndex = -1;
    int m_retryCount = 0;
    int m_finalRetryCount = 0;
    int m_questionCount = 0;
    std::vector<int> m_wrongThisPass;
    std::vector<int> m_wrongFirstPass;
    bool m_firstPassDone = false;
    int m_correctThisPass = 0;
    int m_incorrectThisPass = 0;
    int m_correctTotal = 0;
    int m_incorrectTotal = 0;
    std::uint32_t m_answerTimeMs = 0;
    int m_keyCount = 0;
    std::int64_t m_startTime = 0;
    int m_stopAfter = 0;
    bool m_finishedNormally = false;
    bool m_ended = false;
    std::vector<QuestionTally> m_tallies;
    std::optional<DrillSetup> m_followUp;
    std::vector<JournalEntry> m_journal; // answers not yet handed to the journal

    // The question on screen.
    bool m_questionReady = false;
    int m_position = -1;
    std::string m_currentLine;
    std::string m_lastQuestionLine;
    CQuestion m_question;
    std::array<std::string, 2> m_band;
    CAnswerList m_answers;
    std::string m_firstWrongEntry;
    bool m_firstWrongStorable = true;
    bool m_correctFlag = false;
    bool m_correctionDone = false;
    FourChoices m_choices;
    int m_chosenPosition = -1;
    std::string m_hintText;
    bool m_hintShown = false;
    int m_hintIndex = -1;
    int m_voiceTurn = 0;
    int m_answerStep = 0;
    int m_flashCounter = 0;
    std::string m_input;
    bool m_inputStorable = true;
    std::string m_shownAnswer;

    std::uint32_t m_questionStartTick = 0;
    std::uint32_t m_startLimitTick = 0;
    std::uint32_t m_showLimitTick = 0;
    std::uint32_t m_replyLimitTick = 0;
    bool m_startLimitRunning = false;

    std::map<int, int> m_runningTimers; // id -> period
    std::map<int, int> m_heldTimers; // stopped while a question box is open
    std::uint32_t m_heldSinceTick = 0;
    bool m_timersHeld = false;

    DrillView m_view; // controls and texts the steps set; view() adds the derived figures
};

} // namespace kvr
