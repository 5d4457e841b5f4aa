#include "drill/fourchoice.h"

#include <algorithm>
#include <vector>

#include "drill/drillsetup.h"
#include "platform/cp932.h"
#include "platform/crand.h"
#include "platform/textformat.h"

namespace kvr {

namespace {

CQuestion decodeLine(const CSection &section, int position)
{
    CQuestion question;
    if (position >= 0 && static_cast<std::size_t>(position) < section.lines.size()) {
        // A faulty line still shows what could be decoded of it.
        parseQuestionLine(question, section.lines[position]);
    }
    return question;
}

ChoiceSlot slotFor(const CSection &section, int position, DrillMode mode)
{
    return { choiceText(decodeLine(section, position), mode), position, true };
}

} // namespace

std::string choiceText(const CQuestion &question, DrillMode mode)
{
    std::string text;
    if (mode == DrillMode::EnglishToJapaneseChoice) {
        for (const std::string &line : question.questionLines) {
            if (line.empty())
                break;
            text += line;
        }
        expandPartOfSpeech(text);
    } else if (mode == DrillMode::JapaneseToEnglishChoice) {
        for (const std::string &answer : question.answers) {
            if (answer.empty())
                break;
            if (!text.empty())
                text += '/';
            text += answer;
        }
    }
    return text;
}

FourChoices buildChoices(const CSection &section, int currentPosition, DrillMode mode)
{
    FourChoices choices;
    choices.choicePosition = crt::rand() % kChoiceCount;

    std::vector<int> pool = buildQuestionPool(section);
    const auto current = std::find(pool.begin(), pool.end(), currentPosition);
    if (current != pool.end())
        pool.erase(current);

    const ChoiceSlot right = slotFor(section, currentPosition, mode);
    const auto sameText = [&](int position) {
        return slotFor(section, position, mode).text == right.text;
    };
    // Distractors that read like the right choice, drawn again while the pool offers another
    // text; they fill the rows only when nothing else is left.
    std::vector<int> setAside;
    for (int row = 0; row < kChoiceCount; ++row) {
        if (row == choices.choicePosition) {
            choices.rows[row] = right;
            continue;
        }
        int position = drawRandom(pool);
        while (position >= 0 && sameText(position)
               && !std::all_of(pool.begin(), pool.end(), sameText)) {
            setAside.push_back(position);
            position = drawRandom(pool);
        }
        if (position < 0 && !setAside.empty()) {
            position = setAside.front();
            setAside.erase(setAside.begin());
        }
        // With fewer than four questions some rows get no distractor; they stay empty and
        // unavailable, and the right choice is still placed.
        if (position >= 0)
            choices.rows[row] = slotFor(section, position, mode);
    }
    return choices;
}

int choiceRowOfButton(int controlId)
{
    const int row = controlId - kFirstChoiceButtonId;
    return row >= 0 && row < kChoiceCount ? row : -1;
}

bool isRightPick(const FourChoices &choices, int chosenPosition)
{
    if (chosenPosition < 0 || chosenPosition >= kChoiceCount)
        return false;
    // Two questions may read alike: the learner who picks the right words is right.
    const ChoiceSlot &picked = choices.rows[chosenPosition];
    return chosenPosition == choices.choicePosition
        || (picked.available && picked.text == choices.rows[choices.choicePosition].text);
}

ChoiceButtons buttonsOnShow(const FourChoices &choices)
{
    ChoiceButtons buttons;
    for (int row = 0; row < kChoiceCount; ++row) {
        buttons.visible[row] = choices.rows[row].available;
        buttons.enabled[row] = choices.rows[row].available;
    }
    return buttons;
}

ChoiceButtons buttonsAfterRightPick(int pickedRow)
{
    ChoiceButtons buttons;
    if (pickedRow >= 0 && pickedRow < kChoiceCount) {
        buttons.visible[pickedRow] = true;
        buttons.enabled[pickedRow] = true;
    }
    return buttons;
}

ChoiceButtons buttonsAfterWrongPick(const FourChoices &choices)
{
    ChoiceButtons buttons = buttonsOnShow(choices);
    buttons.enabled.fill(false);
    return buttons;
}

ChoiceButtons buttonsInCorrection(const FourChoices &choices)
{
    return buttonsAfterRightPick(choices.choicePosition);
}

std::string rightPickFeedback()
{
    return cp932::text("正解！");
}

std::string correctionPrompt(const FourChoices &choices)
{
    return formatText(cp932::text("正解は %d 番でした。"), choices.choicePosition + 1);
}

bool isCorrectionDone(const FourChoices &choices, int pickedRow)
{
    return isRightPick(choices, pickedRow);
}

std::string correctionFeedback(const FourChoices &choices, int pickedRow)
{
    return isCorrectionDone(choices, pickedRow) ? std::string("OK!") : cp932::text("違う！");
}

std::string spokenChoiceText(std::string_view text)
{
    std::string spoken(text);
    replaceAllDbcs(spoken, "/", " ");
    return spoken;
}

} // namespace kvr
