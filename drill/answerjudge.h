#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "history/drillmode.h"

namespace kvr {

struct CKvrSettings;
struct CQuestion;

// The accepted answers of the question on screen, with which of them were typed already.
class CAnswerList
{
public:
    struct Entry
    {
        std::string acceptedText;
        bool entered = false;
    };

    // The list a typed mode accepts: the answers (和英入力, SpeedReply) or the question lines
    // (英和入力), in order up to the first empty one, without duplicates. Four-choice modes
    // use the answers too.
    static CAnswerList forQuestion(DrillMode mode, const CQuestion &question);

    void clear();
    // Appends the text unless a byte-equal entry exists; true when it was appended.
    bool add(std::string_view text);
    // Index of the first entry equal to text (byte for byte, or under the code page's case
    // mapping); -1 when none.
    int find(std::string_view text, bool ignoreCase) const;
    // Sets the entry entered (once; enteredCount counts it once). False for a bad index.
    bool markEntered(int index);
    // Index of the first entry not yet entered; -1 when all are.
    int firstPending() const;
    // The accepted text at index; empty when out of range.
    const std::string &text(int index) const;
    bool isEntered(int index) const;

    int size() const { return static_cast<int>(m_entries.size()); }
    int enteredCount() const { return m_enteredCount; }
    const std::vector<Entry> &entries() const { return m_entries; }

private:
    std::vector<Entry> m_entries;
    int m_enteredCount = 0;
};

// The judging settings, copied from CKvrSettings when a drill starts.
struct JudgeOptions
{
    bool ignoreCase = true; // IgnoreCase
    bool correctHead = true; // CorrectHeadNAnswerJE
    int headMinLength = 1; // nCorrectHeadNAnswerJE (bytes)
    int multiJudge = 0; // MultiJudge
    int multiJudgeOverN = 1; // MultiJudgeOverN (0…5, otherwise 1)
    // FoldFullWidth: an entry that is right only once its full-width ASCII is read as
    // half-width (foldFullWidth) counts as right, and says so through widthFolded.
    bool foldWidth = true;

    static JudgeOptions fromSettings(const CKvrSettings &settings);
};

enum class TypedVerdict {
    Empty,
    HeadMatch,
    Exact,
    CapitalFirst,
    MissingPeriod,
    MissingQuestionMark,
    ExitCommand,
    EndCommand,
    Wrong,
};

// HeadMatch, Exact, CapitalFirst, MissingPeriod, MissingQuestionMark.
bool countsAsCorrect(TypedVerdict verdict);

struct TypedJudgement
{
    TypedVerdict verdict = TypedVerdict::Wrong;
    // The feedback line (CP932); "ほかには？" for a correct entry that does not complete the
    // question; empty for the two commands.
    std::string feedback;
    int matchedIndex = -1; // the entry marked entered, -1 when none
    bool complete = false; // correct and the question needs no further entry
    bool widthFolded = false; // correct only because full-width characters were folded

    bool correct() const { return countsAsCorrect(verdict); }
};

// Leading, then trailing, ASCII blanks and tabs removed; nothing else.
std::string trimEntry(std::string_view text);

// True when typed is at least minLength bytes, not longer than answer, and the head of
// answer equals it byte for byte (case always matters).
bool prefixMatch(std::string_view answer, std::string_view typed, int minLength);

// Whether a question is answered completely after a correct entry: every entry entered,
// or MultiJudge = 1 and the list has at least MultiJudgeOverN entries.
bool isQuestionComplete(const CAnswerList &list, const JudgeOptions &options);

// Judges the entry typed while answering (trimmed first) and marks the matched entry
// entered. pick chooses among the three praises for Exact (pick % 3); by default the
// shared C runtime generator is drawn, once per Exact verdict and never otherwise.
TypedJudgement judgeFirstEntry(DrillMode mode, std::string_view typed, CAnswerList &list,
                               const JudgeOptions &options);
TypedJudgement judgeFirstEntry(DrillMode mode, std::string_view typed, CAnswerList &list,
                               const JudgeOptions &options, int pick);

struct CorrectionJudgement
{
    bool matched = false; // the expected answer was typed (and is now entered)
    bool finished = false; // every entry is entered: the question is done
    std::string feedback; // the new feedback line (CP932)
    std::string expected; // the answer to show next (empty when finished)
    bool widthFolded = false; // matched only because full-width characters were folded
};

// The notice shown when an entry was right only once folded: "全角で入力されています
// （IMEがオンのままです）" (CP932).
std::string fullWidthNotice();

// The feedback shown when the correction step begins; expected answer = list.firstPending().
std::string correctionPrompt(std::string_view firstWrongEntry);

// Judges an entry in the correction step against the first pending entry only: prefixMatch
// in 英和入力 with CorrectHeadNAnswerJE, otherwise byte for byte; with foldWidth the folded
// entry is tried too when the entry as typed does not match.
CorrectionJudgement judgeCorrection(DrillMode mode, std::string_view typed, CAnswerList &list,
                                    const JudgeOptions &options, std::string_view firstWrongEntry);

} // namespace kvr
