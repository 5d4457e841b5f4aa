#pragma once

#include <string>
#include <vector>

namespace kvr {

struct JournalEntry;
struct ResultReport;

// Where a drill's judged answers go: handed over together when the drill ends (or is left),
// so a crash loses no more than the drill in progress.
class IAnswerJournal
{
public:
    virtual ~IAnswerJournal() = default;
    // False when the entries could not be stored.
    virtual bool append(const std::vector<JournalEntry> &entries) = 0;
};

// How the learner left the result report.
enum class ReportAction {
    Close, // "OK", Enter, Escape
    RetryMissed, // "間違えた問題だけもう一度"
};

// Shows the result report modally; the session goes on when it returns.
class IResultPresenter
{
public:
    virtual ~IResultPresenter() = default;
    virtual ReportAction showResultReport(const ResultReport &report) = 0;
};

// A key press as the drill window forwards it, before the dialog handles it.
struct DrillKey
{
    enum Code { Other, Enter, Escape, Backspace, Space, Letter, Digit, F2, F5, F7, F8 };
    Code code = Other;
    char letter = 0; // 'A'…'Z' for Letter, '0'…'9' for Digit
    bool ctrl = false;
    bool alt = false;
    bool shift = false;
};

// What the dialog does with a key after the session has seen it.
enum class KeyAction {
    PassOn, // ordinary handling (typing into the input field)
    Consumed, // the session handled it; nothing more
    ReloadSkin, // F5: consumed; reload and lay out the skin
    OpenPreview, // F7: consumed; the question preview dialog
    OpenLastQuestionMenu, // Ctrl+B / Alt+B: consumed; the "LastQuestion" popup
};

} // namespace kvr
