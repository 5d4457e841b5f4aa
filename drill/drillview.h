#pragma once

#include <array>
#include <string>
#include <vector>

#include "drill/fourchoice.h"
#include "drill/resultreport.h"

namespace kvr {

enum class DrillState { Starting, Answering, ShowingCorrect, ShowingWrong, Correcting, Ended };

enum class PassKind { First, Retry, FinalRetry };

// One control of the drill window as the dialog must show it.
struct ControlView
{
    bool visible = true;
    bool enabled = true;
    std::string text; // CP932; empty for controls whose text the dialog owns
    bool operator==(const ControlView &) const = default;
};

enum class DrillFocus { None, Input, Choice1, Choice2, Choice3, Choice4 };

// A line of the pass list under "回答状況".
struct PassListEntry
{
    std::string title; // "最初の回答", "再回答", "再々回答", "終了"
    std::string detail; // "(%d 回目)" for the two re-answer entries, else empty
    Rgb colour;
};

// A number of the group "回答情報", formatted "%4d".
struct CounterView
{
    int value = 0;
    std::string text;
    Rgb colour;
};

// One accepted answer: "●" entered or "○" pending, and "(%d)" words of the answer.
struct AnswerMark
{
    bool entered = false;
    std::string mark;
    std::string words;
};

enum class BigMark { None, Correct, Wrong };

// Everything the drill window shows. Texts are CP932. The dialog renders this and
// forwards its events; it decides nothing itself.
struct DrillView
{
    DrillState state = DrillState::Starting;
    PassKind pass = PassKind::First;
    std::string caption;

    // Top line: the instruction, or the notice (in blue) while one is shown.
    std::string instruction;
    std::string notice;
    std::string feedback;

    // The question band: Question_rc in the typed modes, EJQuestion_rc with the choices.
    std::array<std::string, 2> questionLines;
    bool choiceBand = false;

    // "正解は" with the shown answer, after a correct typed answer.
    bool showCorrectAnswer = false;
    std::string shownAnswer;

    ControlView input;
    int inputRevision = 0; // grows whenever the session itself rewrites the input text
    ControlView confirmButton; // "これでよい"
    // "正解にする(&O)" (and Ctrl+Enter): in the correction after a wrong typed answer.
    ControlView acceptButton { false, false, {} };
    // "この答えも正解に追加(&A)": beside it, when the answer can go into the database.
    ControlView addAnswerButton { false, false, {} };
    ControlView cancelButton; // "逃げる"
    ControlView hintButton; // "ヒント(&G)"
    ControlView hintField; // the hint text
    bool hintTitleShown = false; // "Hint    >>"
    ControlView lastQuestionButton; // "さっきの問題を...(&B)"
    ControlView answerDisplay; // the answer display field
    std::array<ControlView, kChoiceCount> choiceButtons; // "&1".."&4"
    std::array<ControlView, kChoiceCount> choiceFields;

    int progressMax = 0;
    int progressValue = 0;
    bool limitBarVisible = false;
    int limitBarValue = 0; // 0 … kLimitBarRange

    std::array<PassListEntry, 4> passList;
    CounterView allQuestions; // "全問題数"
    CounterView remaining; // "残り問題数"
    CounterView correctNow; // "正解数", this pass
    CounterView incorrectNow; // "不正解数", this pass
    CounterView correctTotal;
    CounterView incorrectTotal;
    std::string typingSpeed; // "%.2lf [Chars/Min]"; empty before a whole second of answers

    std::vector<AnswerMark> answerMarks;
    BigMark bigMark = BigMark::None;
    std::string bigMarkText; // "○" or "×"
    Rgb bigMarkColour;

    DrillFocus focus = DrillFocus::None;
    int focusRevision = 0; // grows whenever the session moves the focus
    int flashCount = 0; // grows whenever the caption must flash
    bool closed = false; // the window closes
};

// Fixed colours of the painted texts.
constexpr Rgb kQuestionBandColour { 0, 255, 255 };
constexpr Rgb kQuestionTextColour { 0, 0, 192 };
constexpr Rgb kActivePassColour { 255, 0, 0 };
constexpr Rgb kPassColour { 0, 0, 0 };
constexpr Rgb kUnusedPassColour { 128, 128, 128 };
constexpr Rgb kCorrectCounterColour { 255, 0, 0 };
constexpr Rgb kIncorrectCounterColour { 86, 58, 235 };
constexpr Rgb kNoticeColour { 0, 0, 255 };
constexpr Rgb kShownAnswerColour { 0, 0, 255 };
constexpr Rgb kBigCorrectColour { 0, 0, 255 };
constexpr Rgb kBigWrongColour { 255, 0, 0 };

} // namespace kvr
