#pragma once

#include <array>
#include <string>
#include <string_view>

#include "db/question.h"
#include "db/questiondatabase.h"
#include "history/drillmode.h"

namespace kvr {

constexpr int kChoiceCount = 4;
constexpr int kFirstChoiceButtonId = 1012; // buttons "&1".."&4" are 1012-1015

// One choice row. A row without a distractor (collections of fewer than four questions)
// stays empty and unavailable; the right choice is always placed.
struct ChoiceSlot
{
    std::string text; // CP932
    int position = -1; // question position the choice belongs to
    bool available = false;
};

struct FourChoices
{
    int choicePosition = 0; // the row holding the right choice
    std::array<ChoiceSlot, kChoiceCount> rows;
};

// The text a question shows as a choice: "英和４択" its question lines up to the first empty
// one, concatenated, part-of-speech expanded; "和英４択" its answers up to the first empty
// one, joined with "/". Other modes give the empty text.
std::string choiceText(const CQuestion &question, DrillMode mode);

// Draws choicePosition (crt::rand() % 4) and three distractors with drawRandom from the
// collection's questions without currentPosition, filling rows 0-3 in order. A distractor
// whose text equals the right choice's is set aside and drawn again while the pool holds
// another text (and used only for a row nothing else is left for), so without such a
// distractor the draws are exactly those of one drawRandom per row.
FourChoices buildChoices(const CSection &section, int currentPosition, DrillMode mode);

// The row of a choice button id (1012-1015), -1 for any other id.
int choiceRowOfButton(int controlId);

// A pick is right on choicePosition or on another row showing the same text; -1 (time ran
// out) or an unavailable row is wrong.
bool isRightPick(const FourChoices &choices, int chosenPosition);

// Which rows' buttons are visible and enabled in each step of a question.
struct ChoiceButtons
{
    std::array<bool, kChoiceCount> visible {};
    std::array<bool, kChoiceCount> enabled {};
};
ChoiceButtons buttonsOnShow(const FourChoices &choices); // available rows
ChoiceButtons buttonsAfterRightPick(int pickedRow); // only the picked one
ChoiceButtons buttonsAfterWrongPick(const FourChoices &choices); // shown, all disabled
ChoiceButtons buttonsInCorrection(const FourChoices &choices); // only the right one

// Feedback texts (CP932).
std::string rightPickFeedback(); // "正解！"
std::string correctionPrompt(const FourChoices &choices); // "正解は %d 番でした。"
// A pick during the correction: "OK!" on the right row (the question is finished),
// "違う！" otherwise (nothing changes).
bool isCorrectionDone(const FourChoices &choices, int pickedRow);
std::string correctionFeedback(const FourChoices &choices, int pickedRow);

// A choice text as spoken: every "/" becomes a space.
std::string spokenChoiceText(std::string_view text);

} // namespace kvr
