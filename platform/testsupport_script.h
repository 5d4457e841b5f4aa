#pragma once

// The scripts the fakes of the dialogs answer from, for tests of every folder.

#include <deque>
#include <optional>
#include <utility>

namespace kvr::test {

// The next answer, taken off the script's front; nothing (cancel) once it is empty.
template <typename Answer> std::optional<Answer> takeNext(std::deque<std::optional<Answer>> &script)
{
    if (script.empty())
        return std::nullopt;
    std::optional<Answer> answer = std::move(script.front());
    script.pop_front();
    return answer;
}

} // namespace kvr::test
