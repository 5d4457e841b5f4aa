#include "history/tallyedits.h"

#include <algorithm>
#include <limits>

#include "history/questionrows.h"
#include "platform/cp932.h"
#include "platform/prompter.h"
#include "platform/textformat.h"

namespace kvr {

namespace {

constexpr std::size_t kListedRows = 10;

bool isQuestionLine(const CSection &section, int position)
{
    if (position < 0 || static_cast<std::size_t>(position) >= section.lines.size())
        return false;
    const std::string &line = section.lines[static_cast<std::size_t>(position)];
    return !line.empty() && line.front() == '?';
}

std::int32_t limited(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

} // namespace

std::optional<std::string> deleteHistoryQuestion(const CSection &section,
                                                 const std::vector<int> &ticked)
{
    if (ticked.empty())
        return std::nullopt;
    std::string list;
    for (std::size_t i = 0; i < ticked.size() && i < kListedRows; ++i) {
        if (!isQuestionLine(section, ticked[i]))
            return std::nullopt;
        const CQuestion question = questionAt(section, ticked[i]);
        std::string line1 = question.questionLines[0];
        expandPartOfSpeech(line1);
        list += " \"" + line1 + " = " + question.answers[0] + "\"\n";
    }
    if (ticked.size() > kListedRows)
        list += "...\n";
    return cp932::text("問題\n\n") + list + cp932::text("\nの履歴を削除しますか？");
}

bool deleteTickedHistory(CSectionLog *record, const CSection &section,
                         const std::vector<int> &ticked, IPrompter &prompter)
{
    if (!record)
        return false;
    const auto text = deleteHistoryQuestion(section, ticked);
    if (!text)
        return false;
    Message message;
    message.text = *text;
    message.caption = cp932::text("削除の確認");
    message.buttons = Buttons::YesNo;
    if (prompter.ask(message) != Reply::Yes)
        return false;
    for (int position : ticked) {
        if (position < 0)
            continue;
        const auto p = static_cast<std::size_t>(position);
        for (auto field : { QuestionTally::FirstCorrect, QuestionTally::FirstIncorrect,
                            QuestionTally::RetryCorrect, QuestionTally::RetryIncorrect })
            setTally(*record, p, field, 0);
    }
    return true;
}

std::string countCorrectionLabel(int value)
{
    return value > 0 ? formatText("+%d", value) : formatText("%d", value);
}

bool correctCounts(CSectionLog *record, const CSection &section,
                   const std::vector<int> &selectedPositions, TallySideKind side, int value,
                   RateBasis basis)
{
    if (!record)
        return false;
    const QuestionTally::Field field = correctionField(basis, side);
    bool changed = false;
    for (int position : selectedPositions) {
        if (!isQuestionLine(section, position))
            continue;
        const auto p = static_cast<std::size_t>(position);
        const std::int32_t before = getTally(*record, p, field);
        const std::int32_t after = value == 0 ? 0 : limited(std::int64_t(before) + value);
        setTally(*record, p, field, after);
        changed = changed || after != before;
    }
    return changed;
}

} // namespace kvr
