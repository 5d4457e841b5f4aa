// Four choices over a tiny collection: the right choice is always placed, the others are
// distinct other questions, each row shows its question's text, and a distractor reads like
// the right choice only when no other text was left to draw. Control bytes: mode,
// the current position (+1), the generator seed, a pick. Text lines: the collection.
#include <algorithm>
#include <set>

#include "db/question.h"
#include "drill/drillsetup.h"
#include "drill/fourchoice.h"
#include "fuzz/fuzzsupport.h"
#include "platform/crand.h"

using namespace kvr;

namespace {

std::string expectedText(const CSection &section, int position, DrillMode mode)
{
    CQuestion question;
    if (position >= 0 && static_cast<std::size_t>(position) < section.lines.size())
        parseQuestionLine(question, section.lines[position]);
    return choiceText(question, mode);
}

void checkButtons(const FourChoices &choices)
{
    const ChoiceButtons shown = buttonsOnShow(choices);
    const ChoiceButtons right = buttonsAfterRightPick(choices.choicePosition);
    const ChoiceButtons wrong = buttonsAfterWrongPick(choices);
    const ChoiceButtons correction = buttonsInCorrection(choices);
    for (int row = 0; row < kChoiceCount; ++row) {
        const bool isRight = row == choices.choicePosition;
        const ChoiceSlot &slot = choices.rows[row];
        const bool readsRight =
            isRight || (slot.available && slot.text == choices.rows[choices.choicePosition].text);
        KVR_FUZZ_CHECK(shown.visible[row] == choices.rows[row].available);
        KVR_FUZZ_CHECK(right.visible[row] == isRight && right.enabled[row] == isRight);
        KVR_FUZZ_CHECK(!wrong.enabled[row] && wrong.visible[row] == shown.visible[row]);
        KVR_FUZZ_CHECK(correction.visible[row] == isRight);
        KVR_FUZZ_CHECK(isRightPick(choices, row) == readsRight);
        KVR_FUZZ_CHECK(isCorrectionDone(choices, row) == readsRight);
        KVR_FUZZ_CHECK(choiceRowOfButton(kFirstChoiceButtonId + row) == row);
    }
    KVR_FUZZ_CHECK(!isRightPick(choices, -1));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const fuzz::CControlledInput in(data, size);
    const auto mode = static_cast<DrillMode>(in.byte(0) % kDrillModeCount);
    CSection section;
    for (std::string_view line : fuzz::splitAt(in.text(), "\n")) {
        if (section.lines.size() < 16)
            section.lines.emplace_back(line);
    }
    const int current = static_cast<int>(in.byte(1) % (section.lines.size() + 2)) - 1;
    crt::srand(in.byte(2));

    const FourChoices choices = buildChoices(section, current, mode);
    KVR_FUZZ_CHECK(choices.choicePosition >= 0 && choices.choicePosition < kChoiceCount);
    const ChoiceSlot &right = choices.rows[choices.choicePosition];
    KVR_FUZZ_CHECK(right.available && right.position == current);
    KVR_FUZZ_CHECK(right.text == expectedText(section, current, mode));

    std::vector<int> others = buildQuestionPool(section);
    std::erase(others, current);
    std::set<int> seen;
    for (int row = 0; row < kChoiceCount; ++row) {
        const ChoiceSlot &slot = choices.rows[row];
        if (row == choices.choicePosition)
            continue;
        if (!slot.available) {
            KVR_FUZZ_CHECK(slot.text.empty() && slot.position == -1);
            continue;
        }
        KVR_FUZZ_CHECK(std::find(others.begin(), others.end(), slot.position) != others.end());
        KVR_FUZZ_CHECK(seen.insert(slot.position).second);
        KVR_FUZZ_CHECK(slot.text == expectedText(section, slot.position, mode));
    }
    KVR_FUZZ_CHECK(seen.size() == std::min<std::size_t>(others.size(), kChoiceCount - 1));
    bool repeatsRight = false;
    for (int position : seen)
        repeatsRight |= expectedText(section, position, mode) == right.text;
    for (int position : others) {
        if (repeatsRight && expectedText(section, position, mode) != right.text)
            KVR_FUZZ_CHECK(seen.count(position) == 1);
    }
    checkButtons(choices);
    const int pick = static_cast<int>(in.byte(3) % 6) - 1;
    KVR_FUZZ_CHECK(!correctionFeedback(choices, pick).empty());
    KVR_FUZZ_CHECK(spokenChoiceText(right.text).size() == right.text.size());
    return 0;
}
