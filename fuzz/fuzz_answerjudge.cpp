// Answer judging: a question's typed entries, judged and corrected the way the drill window
// does, always give a verdict that fits the accepted answers and keep the list's count of
// entered answers right. Control bytes: mode, option bits, head length, MultiJudge,
// MultiJudgeOverN, praise pick. Text lines: answers 1-5, question lines 1-2, typed entries.
#include <algorithm>

#include "db/question.h"
#include "drill/answerjudge.h"
#include "drill/widthfold.h"
#include "fuzz/fuzzsupport.h"
#include "platform/cp932.h"

using namespace kvr;

namespace {

void checkCount(const CAnswerList &list)
{
    const auto entered = std::count_if(list.entries().begin(), list.entries().end(),
                                       [](const CAnswerList::Entry &e) { return e.entered; });
    KVR_FUZZ_CHECK(list.enteredCount() == entered);
}

void checkList(const CAnswerList &list)
{
    KVR_FUZZ_CHECK(list.size() <= 5);
    for (int i = 0; i < list.size(); ++i) {
        KVR_FUZZ_CHECK(!list.text(i).empty());
        KVR_FUZZ_CHECK(list.find(list.text(i), false) == i); // no duplicates
    }
    KVR_FUZZ_CHECK(list.text(-1).empty() && list.text(list.size()).empty());
}

void checkTrim(std::string_view typed, const std::string &text)
{
    KVR_FUZZ_CHECK(trimEntry(text) == text);
    KVR_FUZZ_CHECK(typed.find(text) != std::string_view::npos);
    if (!text.empty()) {
        for (char c : { text.front(), text.back() })
            KVR_FUZZ_CHECK(c != ' ' && c != '\t');
    }
}

// What the matched entry must look like for each verdict that counts as correct; an entry
// right only once folded is checked in its folded form.
void checkVerdict(DrillMode mode, const std::string &typedText, const CAnswerList &list,
                  const JudgeOptions &options, const TypedJudgement &judgement)
{
    const std::string text =
        judgement.widthFolded ? trimEntry(foldFullWidth(typedText)) : typedText;
    KVR_FUZZ_CHECK(!judgement.widthFolded
                   || (options.foldWidth && judgement.correct() && text != typedText));
    const int index = judgement.matchedIndex;
    const std::string &accepted = list.text(index);
    switch (judgement.verdict) {
    case TypedVerdict::Empty:
        KVR_FUZZ_CHECK(text.empty() && index == -1);
        return;
    case TypedVerdict::HeadMatch:
        KVR_FUZZ_CHECK(mode == DrillMode::EnglishToJapaneseTyped && options.correctHead);
        KVR_FUZZ_CHECK(prefixMatch(accepted, text, options.headMinLength));
        break;
    case TypedVerdict::Exact:
        KVR_FUZZ_CHECK(list.find(text, options.ignoreCase) == index);
        break;
    case TypedVerdict::CapitalFirst:
        KVR_FUZZ_CHECK(text.front() >= 'a' && text.front() <= 'z');
        KVR_FUZZ_CHECK(accepted.size() == text.size()
                       && accepted.front() == text.front() - 'a' + 'A'
                       && accepted.substr(1) == text.substr(1));
        break;
    case TypedVerdict::MissingPeriod:
        KVR_FUZZ_CHECK(accepted == text + '.');
        break;
    case TypedVerdict::MissingQuestionMark:
        KVR_FUZZ_CHECK(accepted == text + '?');
        break;
    case TypedVerdict::ExitCommand:
    case TypedVerdict::EndCommand: {
        const std::string_view word =
            judgement.verdict == TypedVerdict::ExitCommand ? "exit" : "end";
        KVR_FUZZ_CHECK(cp932::equalsIgnoreCase(text, word) && list.find(word, true) < 0);
        KVR_FUZZ_CHECK(index == -1 && judgement.feedback.empty());
        return;
    }
    case TypedVerdict::Wrong:
        KVR_FUZZ_CHECK(!text.empty() && index == -1);
        KVR_FUZZ_CHECK(list.find(text, options.ignoreCase) < 0);
        return;
    }
    KVR_FUZZ_CHECK(judgement.correct() && list.isEntered(index));
    KVR_FUZZ_CHECK(judgement.complete == isQuestionComplete(list, options));
    KVR_FUZZ_CHECK(!judgement.feedback.empty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const fuzz::CControlledInput in(data, size);
    const auto mode = static_cast<DrillMode>(in.byte(0) % kDrillModeCount);
    JudgeOptions options;
    options.ignoreCase = in.byte(1) & 1;
    options.correctHead = in.byte(1) & 2;
    options.headMinLength = static_cast<int>(in.byte(2) % 8) - 1;
    options.multiJudge = static_cast<int>(in.byte(3) % 3);
    options.multiJudgeOverN = static_cast<int>(in.byte(4) % 7) - 1;
    options.foldWidth = in.byte(1) & 4;
    const int pick = static_cast<int>(in.byte(5)) - 128;

    const std::vector<std::string_view> lines = fuzz::splitAt(in.text(), "\n");
    auto line = [&lines](std::size_t i) {
        return i < lines.size() ? std::string(lines[i]) : std::string();
    };
    CQuestion question;
    for (std::size_t i = 0; i < question.answers.size(); ++i)
        question.answers[i] = line(i);
    question.questionLines = { line(5), line(6) };

    CAnswerList list = CAnswerList::forQuestion(mode, question);
    checkList(list);
    bool correcting = false;
    std::string firstWrong;
    for (std::size_t i = 7; i < std::min<std::size_t>(lines.size(), 40); ++i) {
        const std::string_view typed = lines[i];
        const std::string text = trimEntry(typed);
        checkTrim(typed, text);
        if (!correcting) {
            const TypedJudgement judgement = judgeFirstEntry(mode, typed, list, options, pick);
            checkVerdict(mode, text, list, options, judgement);
            checkCount(list);
            if (judgement.correct() ? judgement.complete : judgement.feedback.empty())
                list = CAnswerList::forQuestion(mode, question); // the next question
            else if (!judgement.correct())
                correcting = true, firstWrong = typed;
            continue;
        }
        const int expected = list.firstPending();
        const int enteredBefore = list.enteredCount();
        const CorrectionJudgement judgement =
            judgeCorrection(mode, typed, list, options, firstWrong);
        checkCount(list);
        KVR_FUZZ_CHECK(!judgement.feedback.empty());
        if (!judgement.matched) {
            KVR_FUZZ_CHECK(list.enteredCount() == enteredBefore && !judgement.finished);
            continue;
        }
        KVR_FUZZ_CHECK(list.isEntered(expected) || list.size() == 0);
        KVR_FUZZ_CHECK(judgement.finished == (list.firstPending() < 0));
        KVR_FUZZ_CHECK(judgement.expected == list.text(list.firstPending()));
        if (judgement.finished) {
            correcting = false;
            list = CAnswerList::forQuestion(mode, question);
        }
    }
    return 0;
}
