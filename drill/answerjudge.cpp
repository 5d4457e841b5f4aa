#include "drill/answerjudge.h"

#include <array>
#include <optional>

#include "app/kvrsettings.h"
#include "db/question.h"
#include "drill/widthfold.h"
#include "platform/cp932.h"
#include "platform/crand.h"

namespace kvr {

namespace {

const std::string &emptyText()
{
    static const std::string empty;
    return empty;
}

// The feedback texts of the typed modes.
std::string praise(int pick)
{
    static const char *const praises[3] = { "よっし、正解！", "それ、正解だよ。",
                                            "正解だよ。調子いいんでない？" };
    return cp932::text(praises[((pick % 3) + 3) % 3]);
}

// The pattern with its one "%s" replaced. "%" is never a CP932 trail byte.
std::string withText(std::string_view pattern, std::string_view value)
{
    std::string result = cp932::text(pattern);
    const std::size_t at = result.find("%s");
    if (at != std::string::npos)
        result.replace(at, 2, value);
    return result;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

TypedJudgement matched(TypedVerdict verdict, std::string feedback, int index, CAnswerList &list)
{
    list.markEntered(index);
    return { verdict, std::move(feedback), index, false };
}

// Steps 2–6: the verdicts that count as correct; Wrong when none applies. Without a pick the
// shared generator is drawn, and only for an exact answer, so other entries leave its
// sequence alone.
TypedJudgement judgeAnswer(DrillMode mode, const std::string &text, CAnswerList &list,
                           const JudgeOptions &options, std::optional<int> pick)
{
    if (mode == DrillMode::EnglishToJapaneseTyped && options.correctHead) {
        for (int i = 0; i < list.size(); ++i) {
            if (prefixMatch(list.text(i), text, options.headMinLength))
                return matched(TypedVerdict::HeadMatch, cp932::text("先頭が合っていました！"), i,
                               list);
        }
    }
    int index = list.find(text, options.ignoreCase);
    if (index >= 0)
        return matched(TypedVerdict::Exact, praise(pick ? *pick : crt::rand()), index, list);

    if (text.front() >= 'a' && text.front() <= 'z') {
        std::string capital = text;
        capital.front() = static_cast<char>(capital.front() - 'a' + 'A');
        index = list.find(capital, false);
        if (index >= 0)
            return matched(TypedVerdict::CapitalFirst,
                           cp932::text("おしいっ！ ホントは１文字目が大文字だっ！！"), index, list);
    }
    if (text.back() != '.') {
        index = list.find(text + '.', false);
        if (index >= 0)
            return matched(TypedVerdict::MissingPeriod,
                           cp932::text("おしいっ！ ピリオドを忘れてるぞっ！！"), index, list);
    }
    if (text.back() != '?') {
        index = list.find(text + '?', false);
        if (index >= 0)
            return matched(TypedVerdict::MissingQuestionMark,
                           cp932::text("おしいっ！ クエスチョンマークを忘れてるぞっ！！"), index,
                           list);
    }
    return { TypedVerdict::Wrong, {}, -1, false };
}

// A typed command unless the list accepts the same word.
bool isCommand(const std::string &text, std::string_view word, const CAnswerList &list)
{
    return cp932::equalsIgnoreCase(text, word) && list.find(word, true) < 0;
}

} // namespace

CAnswerList CAnswerList::forQuestion(DrillMode mode, const CQuestion &question)
{
    CAnswerList list;
    auto fill = [&list](const auto &texts) {
        for (const std::string &text : texts) {
            if (text.empty())
                break;
            list.add(text);
        }
    };
    if (mode == DrillMode::EnglishToJapaneseTyped) {
        // The learner types the meaning, not the word-class marker in front of it.
        std::array<std::string, 2> lines = question.questionLines;
        for (std::string &line : lines)
            stripPartOfSpeech(line);
        fill(lines);
    } else {
        fill(question.answers);
    }
    return list;
}

void CAnswerList::clear()
{
    m_entries.clear();
    m_enteredCount = 0;
}

bool CAnswerList::add(std::string_view text)
{
    if (find(text, false) >= 0)
        return false;
    m_entries.push_back({ std::string(text), false });
    return true;
}

int CAnswerList::find(std::string_view text, bool ignoreCase) const
{
    for (int i = 0; i < size(); ++i) {
        const std::string &accepted = m_entries[static_cast<std::size_t>(i)].acceptedText;
        if (ignoreCase ? cp932::equalsIgnoreCase(accepted, text) : accepted == text)
            return i;
    }
    return -1;
}

bool CAnswerList::markEntered(int index)
{
    if (index < 0 || index >= size())
        return false;
    Entry &entry = m_entries[static_cast<std::size_t>(index)];
    if (!entry.entered) {
        entry.entered = true;
        ++m_enteredCount;
    }
    return true;
}

int CAnswerList::firstPending() const
{
    for (int i = 0; i < size(); ++i) {
        if (!m_entries[static_cast<std::size_t>(i)].entered)
            return i;
    }
    return -1;
}

const std::string &CAnswerList::text(int index) const
{
    if (index < 0 || index >= size())
        return emptyText();
    return m_entries[static_cast<std::size_t>(index)].acceptedText;
}

bool CAnswerList::isEntered(int index) const
{
    return index >= 0 && index < size() && m_entries[static_cast<std::size_t>(index)].entered;
}

JudgeOptions JudgeOptions::fromSettings(const CKvrSettings &settings)
{
    JudgeOptions options;
    options.ignoreCase = settings.IgnoreCase;
    options.correctHead = settings.CorrectHeadNAnswerJE;
    options.headMinLength = settings.nCorrectHeadNAnswerJE;
    options.multiJudge = settings.MultiJudge;
    options.multiJudgeOverN = settings.MultiJudgeOverN;
    options.foldWidth = settings.FoldFullWidth;
    if (options.multiJudgeOverN < 0 || options.multiJudgeOverN > 5)
        options.multiJudgeOverN = 1;
    return options;
}

bool countsAsCorrect(TypedVerdict verdict)
{
    switch (verdict) {
    case TypedVerdict::HeadMatch:
    case TypedVerdict::Exact:
    case TypedVerdict::CapitalFirst:
    case TypedVerdict::MissingPeriod:
    case TypedVerdict::MissingQuestionMark:
        return true;
    default:
        return false;
    }
}

std::string trimEntry(std::string_view text)
{
    // Blanks and tabs are below every CP932 trail byte, so trimming bytes is safe.
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return std::string(text.substr(begin, end - begin));
}

bool prefixMatch(std::string_view answer, std::string_view typed, int minLength)
{
    const long long length = static_cast<long long>(typed.size());
    return length >= minLength && answer.size() >= typed.size()
        && answer.substr(0, typed.size()) == typed;
}

bool isQuestionComplete(const CAnswerList &list, const JudgeOptions &options)
{
    if (list.enteredCount() == list.size())
        return true;
    return options.multiJudge == 1 && list.size() >= options.multiJudgeOverN;
}

namespace {

TypedJudgement judgeEntry(DrillMode mode, std::string_view typed, CAnswerList &list,
                          const JudgeOptions &options, std::optional<int> pick)
{
    const std::string text = trimEntry(typed);
    if (text.empty())
        return { TypedVerdict::Empty, cp932::text("おいおい！ あきらめたのかっ？"), -1, false };

    TypedJudgement judgement = judgeAnswer(mode, text, list, options, pick);
    if (!judgement.correct() && options.foldWidth) {
        // The entry as typed comes first, so folding never changes a verdict it had; the
        // commands below stay half-width words.
        const std::string folded = trimEntry(foldFullWidth(text));
        if (folded != text && !folded.empty()) {
            judgement = judgeAnswer(mode, folded, list, options, pick);
            judgement.widthFolded = judgement.correct();
        }
    }
    if (judgement.correct()) {
        judgement.complete = isQuestionComplete(list, options);
        if (!judgement.complete)
            judgement.feedback = cp932::text("ほかには？");
        return judgement;
    }
    if (isCommand(text, "exit", list))
        return { TypedVerdict::ExitCommand, {}, -1, false };
    if (isCommand(text, "end", list))
        return { TypedVerdict::EndCommand, {}, -1, false };
    return { TypedVerdict::Wrong, cp932::text("ざぁ～んねん、不正解！"), -1, false };
}

} // namespace

TypedJudgement judgeFirstEntry(DrillMode mode, std::string_view typed, CAnswerList &list,
                               const JudgeOptions &options)
{
    return judgeEntry(mode, typed, list, options, std::nullopt);
}

TypedJudgement judgeFirstEntry(DrillMode mode, std::string_view typed, CAnswerList &list,
                               const JudgeOptions &options, int pick)
{
    return judgeEntry(mode, typed, list, options, pick);
}

std::string fullWidthNotice()
{
    return cp932::text("全角で入力されています（IMEがオンのままです）");
}

std::string correctionPrompt(std::string_view firstWrongEntry)
{
    return withText("正しい答えを入力しなさい！（間違った答え：%s）", firstWrongEntry);
}

CorrectionJudgement judgeCorrection(DrillMode mode, std::string_view typed, CAnswerList &list,
                                    const JudgeOptions &options, std::string_view firstWrongEntry)
{
    const std::string text = trimEntry(typed);
    const int expectedIndex = list.firstPending();
    const std::string &expected = list.text(expectedIndex);
    const auto matches = [&](const std::string &entry) {
        return mode == DrillMode::EnglishToJapaneseTyped && options.correctHead
            ? prefixMatch(expected, entry, options.headMinLength)
            : expected == entry;
    };
    bool match = matches(text);
    CorrectionJudgement judgement;
    if (!match && options.foldWidth) {
        const std::string folded = trimEntry(foldFullWidth(text));
        match = folded != text && !folded.empty() && matches(folded);
        judgement.widthFolded = match;
    }
    if (!match) {
        judgement.feedback = withText("ちがう！（間違った答え：%s）", text);
        judgement.expected = expected;
        return judgement;
    }
    judgement.matched = true;
    list.markEntered(expectedIndex);
    judgement.finished = list.firstPending() < 0;
    if (judgement.finished) {
        judgement.feedback = cp932::text("はい、ごくろうさま！");
    } else {
        judgement.feedback = withText("これも入力しなさい！（最初の間違え：%s）", firstWrongEntry);
        judgement.expected = list.text(list.firstPending());
    }
    return judgement;
}

} // namespace kvr
