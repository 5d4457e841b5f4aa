#include <gtest/gtest.h>

#include "install/messageboxcodes.h"
#include "platform/testsupport_prompter.h"

namespace kvr::install {
namespace {

TEST(InstallMessageBoxCodes, BoxesSurviveTheTripThroughTheFlags)
{
    struct Row
    {
        Buttons buttons;
        std::optional<Reply> defaultButton;
        Icon icon;
        bool systemModal;
        unsigned type;
    };
    const Row rows[] = {
        { Buttons::Ok, std::nullopt, Icon::None, false, 0x0 },
        { Buttons::YesNoCancel, Reply::No, Icon::None, false, 0x103 },
        { Buttons::YesNoCancel, Reply::Cancel, Icon::Question, false, 0x223 },
        { Buttons::YesNo, Reply::No, Icon::None, false, 0x104 },
        { Buttons::OkCancel, std::nullopt, Icon::Error, true, 0x1011 },
    };
    for (const Row &row : rows) {
        Message message = test::messageOf("text", "caption", row.buttons, row.icon);
        message.defaultButton = row.defaultButton;
        message.systemModal = row.systemModal;
        EXPECT_EQ(messageBoxType(message), row.type);
        EXPECT_EQ(messageFromBox("text", "caption", row.type), message) << row.type;
    }
}

TEST(InstallMessageBoxCodes, RepliesAndUnknownResults)
{
    for (Reply reply : { Reply::Ok, Reply::Cancel, Reply::Yes, Reply::No })
        EXPECT_EQ(replyFromBoxResult(boxResult(reply), Buttons::YesNoCancel), reply);
    // A box closed some other way (result 0, an error) is the way out of it.
    EXPECT_EQ(replyFromBoxResult(0, Buttons::YesNoCancel), Reply::Cancel);
    EXPECT_EQ(replyFromBoxResult(0, Buttons::YesNo), Reply::No);
    EXPECT_EQ(replyFromBoxResult(0, Buttons::Ok), Reply::Ok);

    Message question = test::messageOf("q", "", Buttons::YesNoCancel);
    EXPECT_EQ(defaultReply(question), Reply::Yes);
    question.defaultButton = Reply::No;
    EXPECT_EQ(defaultReply(question), Reply::No);
}

} // namespace
} // namespace kvr::install
