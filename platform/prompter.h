#pragma once

#include <optional>
#include <string>
#include <utility>

namespace kvr {

// The one seam for message boxes. Everything that must ask the learner or tell them
// something builds a Message and hands it to the prompter: the program shows a real box,
// tests script the replies so nothing blocks.
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Icon { None, Information, Warning, Error, Question };
enum class Reply { Ok, Cancel, Yes, No };

struct Message
{
    std::string text; // CP932
    std::string caption; // CP932; empty: the program's title
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    std::optional<Reply> defaultButton; // nothing: the box's first button
    bool systemModal = false; // no owner window, above every other window

    bool operator==(const Message &) const = default;
};

class IPrompter
{
public:
    virtual ~IPrompter() = default;
    // Shows the box modally and returns the button pressed. Closing a box by its close
    // button or Escape gives Cancel (or No for a Yes/No box, Ok for an OK box).
    virtual Reply ask(const Message &message) = 0;

    // A plain OK box.
    void tell(std::string text, std::string caption = {}, Icon icon = Icon::None)
    {
        Message message;
        message.text = std::move(text);
        message.caption = std::move(caption);
        message.icon = icon;
        ask(message);
    }
};

// The programs' error box: no owner window, above every other window, no icon, caption
// "Error!". Start-up failures and failed saves of the history log use it.
inline Message errorBox(std::string text)
{
    Message message;
    message.text = std::move(text);
    message.caption = "Error!";
    message.systemModal = true;
    return message;
}

} // namespace kvr
