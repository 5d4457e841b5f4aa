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

namespace kvr::test {

// Records what was played; a file plays unless it is listed as unplayable (or playable is
// false). An empty name never plays, as with the real player.
class FakeSoundPlayer final : public ISoundPlayer
{
public:
    bool play(const std::string &path) override
    {
        events.push_back("play " + path);
        return playable && !path.empty() && !unplayable.count(path);
    }
    void stop() override { events.push_back("stop"); }

    bool playable = true;
    std::set<std::string> unplayable;
    std::vector<std::string> events;
};

// Answers the colour dialog from a script (cancel once it is empty).
class ScriptedOptionsChooser final : public IOptionsChooser
{
public:
    std::optional<Rgb> askColour(Rgb initial) override
    {
        colours.push_back(initial);
        if (colourAnswers.empty())
            return std::nullopt;
        const std::optional<Rgb> answer = colourAnswers.front();
        colourAnswers.pop_front();
        return answer;
    }

    std::deque<std::optional<Rgb>> colourAnswers;
    std::vector<Rgb> colours;
};

} // namespace kvr::test
