#pragma once

// Fakes for the tests of the options sheet and the shortcut maker (header only, so the
// widget tests can use them too).

#include <deque>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/optionssheet.h"
#include "platform/sound.h"
#include "platform/testsupport_filedialogs.h"
#include "platform/testsupport_script.h"
#include "platform/testsupport_sound.h"

namespace kvr::test {

// Answers the colour dialog from a script (cancel once it is empty).
class ScriptedOptionsChooser final : public IOptionsChooser
{
public:
    std::optional<Rgb> askColour(Rgb initial) override
    {
        colours.push_back(initial);
        return takeNext(colourAnswers);
    }

    std::deque<std::optional<Rgb>> colourAnswers;
    std::vector<Rgb> colours;
};

} // namespace kvr::test
