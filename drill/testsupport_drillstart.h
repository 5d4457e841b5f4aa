#pragma once

// The dialogs and the window a drill start goes through, for tests of every folder:
// answers come from scripts and every showing is recorded. Header-only, for GoogleTest and
// QtTest programs.

#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "drill/drillsetup.h"
#include "drill/drillstarter.h"
#include "platform/testsupport_script.h"

namespace kvr::test {

// "回答方法の選択": the modes given in turn; nothing (cancel) once the script is used up.
class ScriptedModeChooser final : public IModeChooser
{
public:
    std::optional<int> chooseMode() override
    {
        ++asked;
        return takeNext(replies);
    }

    std::deque<std::optional<int>> replies;
    int asked = 0;
};

// The order and count dialogs, answering alike every time; asked lists each showing as
// "order" or "count <questions> <initial value>".
class ScriptedStartPrompter final : public IDrillStartPrompter
{
public:
    std::optional<bool> askOrder() override
    {
        asked.push_back("order");
        return order;
    }
    std::optional<int> askCount(int questionCount, int initialValue) override
    {
        asked.push_back("count " + std::to_string(questionCount) + " "
                        + std::to_string(initialValue));
        return count;
    }
    int ordersAsked() const { return countOf("order"); }
    int countsAsked() const { return countOf("count"); }

    std::optional<bool> order = false; // ランダム; nothing: cancelled
    std::optional<int> count = 10;
    std::vector<std::string> asked;

private:
    int countOf(const std::string &dialog) const
    {
        int n = 0;
        for (const std::string &shown : asked)
            n += shown.starts_with(dialog) ? 1 : 0;
        return n;
    }
};

// The drill window: keeps each set-up it was given to run, or fails with failure.
class RecordingDrillRunner final : public IDrillRunner
{
public:
    void runDrill(const DrillSetup &setup) override
    {
        if (!failure.empty())
            throw std::runtime_error(failure);
        drills.push_back(setup);
    }
    std::vector<DrillSetup> drills;
    std::string failure; // empty: the window runs
};

} // namespace kvr::test
