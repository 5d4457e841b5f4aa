#pragma once

#include <exception>
#include <string>
#include <string_view>

#include "platform/cp932.h"
#include "platform/error.h"
#include "platform/prompter.h"
#include "platform/textformat.h"

namespace kvr::ui {

// Runs an action of a slot so that no exception ever reaches the Qt event loop: a failure
// is shown in a message box whose text is utf8Format (a UTF-8 literal with one %s) around
// the error's own text, e.g.
//   guarded(prompter, "問題集を取得できませんでした。(%s)", [&] { … });
// Returns true when the action ran to its end.
template <typename Action>
bool guarded(IPrompter &prompter, std::string_view utf8Format, Action &&action) noexcept
{
    std::string detail;
    try {
        action();
        return true;
    } catch (const KvrError &error) {
        detail = error.what();
    } catch (const std::exception &error) {
        detail = error.what();
    } catch (...) {
        detail = "unknown error";
    }
    try {
        Message message;
        message.text = formatText(cp932::text(utf8Format), detail.c_str());
        message.icon = Icon::Error;
        prompter.ask(message);
    } catch (...) {
        // Nothing more can be done without a message box; the window stays usable.
    }
    return false;
}

} // namespace kvr::ui
