#include <gtest/gtest.h>

#include "platform/testsupport_prompter.h"

namespace kvr {
namespace {

using test::CScriptedPrompter;
using test::messageOf;

TEST(ScriptedPrompter, RepliesFromTheScriptThenWithEachBoxsNaturalDefault)
{
    CScriptedPrompter prompter;
    prompter.push(Reply::Cancel);
    prompter.push(Reply::No);
    const struct
    {
        Buttons buttons;
        Reply expected;
    } rows[] = {
        { Buttons::YesNoCancel, Reply::Cancel }, // scripted
        { Buttons::OkCancel, Reply::No }, // scripted, whatever the box
        { Buttons::Ok, Reply::Ok },
        { Buttons::OkCancel, Reply::Ok },
        { Buttons::YesNo, Reply::Yes },
        { Buttons::YesNoCancel, Reply::Yes },
    };
    for (const auto &row : rows)
        EXPECT_EQ(prompter.ask(messageOf("t", "c", row.buttons)), row.expected);
    EXPECT_EQ(prompter.asked.size(), std::size(rows));
    EXPECT_EQ(prompter.asked[1], messageOf("t", "c", Buttons::OkCancel));
}

TEST(ScriptedPrompter, WhileOpenRunsInsideTheOutermostBoxOnly)
{
    CScriptedPrompter prompter;
    prompter.push(Reply::No);
    prompter.push(Reply::Cancel);
    std::vector<std::string> seen;
    prompter.whileOpen = [&](const Message &message) {
        seen.push_back(message.text);
        // A box opened from inside gets the next reply and does not run the hook again.
        EXPECT_EQ(prompter.ask(messageOf("inner", {}, Buttons::OkCancel)), Reply::Cancel);
    };
    EXPECT_EQ(prompter.ask(messageOf("outer", {}, Buttons::YesNo)), Reply::No);
    EXPECT_EQ(seen, (std::vector<std::string> { "outer" }));
    EXPECT_EQ(prompter.texts(), (std::vector<std::string> { "outer", "inner" }));
}

TEST(Prompter, TellAndTheErrorBox)
{
    CScriptedPrompter prompter;
    prompter.tell("plain");
    prompter.ask(errorBox("broken"));
    ASSERT_EQ(prompter.asked.size(), 2u);
    EXPECT_EQ(prompter.asked[0], messageOf("plain"));
    const Message &error = prompter.asked[1];
    EXPECT_EQ(error.caption, "Error!");
    EXPECT_EQ(error.icon, Icon::None);
    EXPECT_EQ(error.buttons, Buttons::Ok);
    EXPECT_TRUE(error.systemModal);
}

} // namespace
} // namespace kvr
