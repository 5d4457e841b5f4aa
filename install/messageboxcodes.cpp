#include "install/messageboxcodes.h"

#include <array>

namespace kvr::install {

namespace {

struct ButtonSet
{
    Buttons buttons;
    unsigned flag;
    std::array<Reply, 3> order; // the buttons from left to right
    int count;
};

constexpr ButtonSet kButtonSets[] = {
    { Buttons::Ok, box::kOk, { Reply::Ok, Reply::Ok, Reply::Ok }, 1 },
    { Buttons::OkCancel, box::kOkCancel, { Reply::Ok, Reply::Cancel, Reply::Cancel }, 2 },
    { Buttons::YesNoCancel, box::kYesNoCancel, { Reply::Yes, Reply::No, Reply::Cancel }, 3 },
    { Buttons::YesNo, box::kYesNo, { Reply::Yes, Reply::No, Reply::No }, 2 },
};

const ButtonSet &setOf(Buttons buttons)
{
    for (const ButtonSet &set : kButtonSets)
        if (set.buttons == buttons)
            return set;
    return kButtonSets[0];
}

constexpr std::pair<Icon, unsigned> kIcons[] = {
    { Icon::Error, box::kIconError },
    { Icon::Question, box::kIconQuestion },
    { Icon::Warning, box::kIconWarning },
    { Icon::Information, box::kIconInformation },
};

} // namespace

unsigned messageBoxType(const Message &message)
{
    const ButtonSet &set = setOf(message.buttons);
    unsigned type = set.flag;
    for (const auto &[icon, flag] : kIcons)
        if (icon == message.icon)
            type |= flag;
    for (int i = 1; i < set.count && message.defaultButton; ++i)
        if (set.order[i] == *message.defaultButton)
            type |= i == 1 ? box::kDefaultButton2 : box::kDefaultButton3;
    if (message.systemModal)
        type |= box::kSystemModal;
    return type;
}

Message messageFromBox(std::string text, std::string caption, unsigned type)
{
    Message message;
    message.text = std::move(text);
    message.caption = std::move(caption);
    const ButtonSet *set = &kButtonSets[0];
    for (const ButtonSet &candidate : kButtonSets)
        if (candidate.flag == (type & box::kButtonsMask))
            set = &candidate;
    message.buttons = set->buttons;
    for (const auto &[icon, flag] : kIcons)
        if (flag == (type & box::kIconMask))
            message.icon = icon;
    const unsigned defaultFlag = type & box::kDefaultMask;
    const int index = defaultFlag == box::kDefaultButton2 ? 1
        : defaultFlag == box::kDefaultButton3             ? 2
                                                          : 0;
    if (index > 0 && index < set->count)
        message.defaultButton = set->order[index];
    message.systemModal = (type & box::kSystemModal) != 0;
    return message;
}

int boxResult(Reply reply)
{
    switch (reply) {
    case Reply::Ok:
        return box::kIdOk;
    case Reply::Yes:
        return box::kIdYes;
    case Reply::No:
        return box::kIdNo;
    case Reply::Cancel:
        break;
    }
    return box::kIdCancel;
}

Reply replyFromBoxResult(int result, Buttons buttons)
{
    switch (result) {
    case box::kIdOk:
        return Reply::Ok;
    case box::kIdYes:
        return Reply::Yes;
    case box::kIdNo:
        return Reply::No;
    default:
        break;
    }
    if (buttons == Buttons::YesNo)
        return Reply::No;
    return buttons == Buttons::Ok ? Reply::Ok : Reply::Cancel;
}

Reply defaultReply(const Message &message)
{
    return message.defaultButton.value_or(setOf(message.buttons).order[0]);
}

} // namespace kvr::install
