#pragma once

// The learner add and rename dialogs for tests of every folder. Header-only, for GoogleTest
// and QtTest programs.

#include <optional>
#include <string>
#include <vector>

#include "history/learners.h"

namespace kvr::test {

// Both dialogs answer next (nothing: cancelled); asked lists each showing as "add" or
// "rename <old name>".
class ScriptedLearnerNames final : public ILearnerNameDialogs
{
public:
    std::optional<std::string> askNewName() override
    {
        asked.push_back("add");
        return next;
    }
    std::optional<std::string> askRenamedName(const std::string &oldName) override
    {
        asked.push_back("rename " + oldName);
        return next;
    }

    std::optional<std::string> next;
    std::vector<std::string> asked;
};

} // namespace kvr::test
