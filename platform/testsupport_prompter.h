#pragma once

// A prompter for tests of every folder: nothing is shown, every box is recorded, and the
// replies come from a script. Header-only and free of any test framework, so GoogleTest
// and QtTest programs can both use it.

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/prompter.h"

namespace kvr::test {

// A Message to compare with what was asked (brace-initialising the aggregate with fields
// left out draws -Wmissing-field-initializers).
inline Message messageOf(std::string text, std::string caption = {}, Buttons buttons = Buttons::Ok,
                         Icon icon = Icon::None)
{
    Message message;
    message.text = std::move(text);
    message.caption = std::move(caption);
    message.buttons = buttons;
    message.icon = icon;
    return message;
}

class CScriptedPrompter final : public IPrompter
{
public:
    // Records the box, takes the next scripted reply and runs whileOpen before "closing".
    // With no reply left, a box gets its natural default: Ok for Ok and OkCancel boxes,
    // Yes for YesNo and YesNoCancel boxes.
    Reply ask(const Message &message) override
    {
        asked.push_back(message);
        // Replies are matched to boxes in the order they are asked, also when a box opens
        // inside another one (from whileOpen).
        const Reply reply = replies.empty() ? naturalDefault(message.buttons) : replies.front();
        if (!replies.empty())
            replies.pop_front();
        if (whileOpen && m_depth == 0) {
            ++m_depth;
            whileOpen(message);
            --m_depth;
        }
        return reply;
    }

    void push(Reply reply) { replies.push_back(reply); }

    // The texts of the boxes asked so far, in order.
    std::vector<std::string> texts() const
    {
        std::vector<std::string> result;
        for (const Message &message : asked)
            result.push_back(message.text);
        return result;
    }

    static Reply naturalDefault(Buttons buttons)
    {
        return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Reply::Yes
                                                                            : Reply::Ok;
    }

    std::vector<Message> asked;
    std::deque<Reply> replies;
    // Runs while a box is open, as a real modal box keeps the event loop (and its timers)
    // going. Boxes opened from inside the hook do not run it again.
    std::function<void(const Message &)> whileOpen;

private:
    int m_depth = 0;
};

} // namespace kvr::test
