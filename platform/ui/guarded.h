#pragma once

#include <exception>
#include <string>
#include <string_view>
#include <utility>

#include "platform/cp932.h"
#include "platform/error.h"
#include "platform/prompter.h"
#include "platform/textformat.h"

namespace kvr::ui {

namespace guard_detail {

// Runs action; on any exception shows textOf(the error's own text) in an error box.
template <typename Action, typename TextOf>
bool run(IPrompter &prompter, Action &&action, TextOf &&textOf) noexcept
{
    std::string what;
    try {
        action();
        return true;
    } catch (const KvrError &error) {
        what = error.what();
    } catch (const std::exception &error) {
        what = error.what();
    } catch (...) {
        what = "unknown error";
    }
    try {
        Message message;
        message.text = textOf(what);
        message.icon = Icon::Error;
        prompter.ask(message);
    } catch (...) {
        // Nothing more can be done without a message box; the window stays usable.
    }
    return false;
}

} // namespace guard_detail

// Runs an action of a slot so that no exception ever reaches the Qt event loop: a failure
// is shown in a message box whose text is utf8Format (a UTF-8 literal with one %s) around
// the error's own text, e.g.
//   guarded(prompter, "問題集を取得できませんでした。(%s)", [&] { … });
// Returns true when the action ran to its end.
template <typename Action>
bool guarded(IPrompter &prompter, std::string_view utf8Format, Action &&action) noexcept
{
    return guard_detail::run(prompter, std::forward<Action>(action), [&](const std::string &what) {
        return formatText(cp932::text(utf8Format), what.c_str());
    });
}

// The same with the error's own text alone as the message.
template <typename Action> bool guarded(IPrompter &prompter, Action &&action) noexcept
{
    return guard_detail::run(prompter, std::forward<Action>(action),
                             [](const std::string &what) { return what; });
}

} // namespace kvr::ui
