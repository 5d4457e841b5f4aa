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

// Answers the sheet's dialogs from scripts (cancel once a script is empty) and keeps what
// each file dialog was asked.
class ScriptedOptionsChooser final : public IOptionsChooser
{
public:
    std::optional<std::string> askOpenFile(const FileRequest &request) override
    {
        files.push_back(request);
        return next(fileAnswers);
    }
    std::optional<std::string> askFolder(const std::string &title,
                                         const std::string &initialFolder) override
    {
        folders.push_back(title + "|" + initialFolder);
        return next(folderAnswers);
    }
    std::optional<Rgb> askColour(Rgb initial) override
    {
        colours.push_back(initial);
        if (colourAnswers.empty())
            return std::nullopt;
        const std::optional<Rgb> answer = colourAnswers.front();
        colourAnswers.pop_front();
        return answer;
    }

    std::deque<std::optional<std::string>> fileAnswers;
    std::deque<std::optional<std::string>> folderAnswers;
    std::deque<std::optional<Rgb>> colourAnswers;
    std::vector<FileRequest> files;
    std::vector<std::string> folders;
    std::vector<Rgb> colours;

private:
    static std::optional<std::string> next(std::deque<std::optional<std::string>> &answers)
    {
        if (answers.empty())
            return std::nullopt;
        std::optional<std::string> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

} // namespace kvr::test
