#include <climits>
#include <gtest/gtest.h>

#include "app/commandline.h"
#include "platform/cp932.h"

namespace kvr {
namespace {

using Args = std::vector<std::string>;

CCommandLine autorunLine(int count, std::string path = {}, bool s = false)
{
    CCommandLine line;
    line.autorun = true;
    line.questionCount = count;
    line.sectionPath = std::move(path);
    line.sSeen = s;
    return line;
}

TEST(CommandLine, AutorunArgumentAndCount)
{
    const struct
    {
        Args args;
        bool autorun;
        int count;
    } rows[] = {
        { { "/autorun" }, true, 20 },
        { { "/AUTORUN" }, true, 20 },
        { { "/AutoRun=7" }, true, 7 },
        { { "/autorun=0" }, true, 20 },
        { { "/autorun=abc" }, true, 20 },
        { { "/autorun=" }, true, 20 },
        { { "/autorun=12abc" }, true, 12 },
        { { "/autorun=-5" }, true, 20 }, // a sign is no digit
        { { "/autorun=99999999999" }, true, INT_MAX },
        { { "/autorun 15" }, true, 20 }, // blank ninth character: no count
        { { "/autorunx" }, false, 0 },
        { { "/autoru" }, false, 0 },
        { { "autorun" }, false, 0 },
        { { "-autorun" }, false, 0 },
        // The first "/autorun…" argument decides, even when it does not set autorun.
        { { "/autorunx", "/autorun=5" }, false, 0 },
        { { "/autorun=3", "/autorun=5" }, true, 3 },
        { { "x", "/s", "/Autorun=4" }, true, 4 },
        { {}, false, 0 },
    };
    for (const auto &row : rows) {
        const CCommandLine line = parseCommandLine(row.args);
        const std::string first = row.args.empty() ? "(none)" : row.args.front();
        EXPECT_EQ(line.autorun, row.autorun) << first;
        EXPECT_EQ(line.questionCount, row.count) << first;
    }
}

TEST(CommandLine, OtherOptionsOnlyWithAutorun)
{
    const std::string japanese = cp932::text("英単語/第１章");
    const struct
    {
        Args args;
        CCommandLine expected;
    } rows[] = {
        { { "/Autorun=10", "/s", "top/words" }, autorunLine(10, "top/words", true) },
        // The path may come first; case is ignored in every option name.
        { { "top/words", "/S", "/AUTORUN" }, autorunLine(20, "top/words", true) },
        { { "/autorun", "-x", "/s", japanese }, autorunLine(20, japanese, true) },
        { { "/autorun", "first", "second" }, autorunLine(20, "first") },
        { { "/autorun", "", "path" }, autorunLine(20, "path") },
        { { "/autorun", "/sx", "/ss" }, autorunLine(20) },
        // Without autorun nothing else is looked at.
        { { "/s", "top/words", "/worst", "/speedreply" }, CCommandLine {} },
    };
    for (const auto &row : rows)
        EXPECT_EQ(parseCommandLine(row.args), row.expected) << row.args.front();

    const CCommandLine shortcut =
        parseCommandLine({ "/Autorun=30", "/SpeedReply", "/Worst", "/s", "a b" });
    EXPECT_TRUE(shortcut.speedReply);
    EXPECT_TRUE(shortcut.worstFirst);
    EXPECT_TRUE(shortcut.sSeen);
    EXPECT_EQ(shortcut.sectionPath, "a b");
    EXPECT_EQ(shortcut.questionCount, 30);
    const CCommandLine plain = parseCommandLine({ "/autorun", "/s", "p" });
    EXPECT_FALSE(plain.speedReply);
    EXPECT_FALSE(plain.worstFirst);
}

TEST(CommandLine, StartupDecision)
{
    const struct
    {
        Args args;
        StartupAction action;
    } rows[] = {
        { {}, StartupAction::MainWindow },
        { { "/Autorun=5", "/s", "top/words" }, StartupAction::AutorunDrill },
        { { "/autorun", "/s" }, StartupAction::MessageAutorunWithoutSection },
        { { "/autorun" }, StartupAction::MessageAutorunWithoutSection },
        { { "/autorun", "top/words" }, StartupAction::MessageBadOptions }, // no "/s"
        { { "top/words" }, StartupAction::MessageBadOptions },
        { { "/s", "top/words" }, StartupAction::MessageBadOptions },
        { { "" }, StartupAction::MessageBadOptions },
        { { "/autorunx", "/s", "p" }, StartupAction::MessageBadOptions },
        // Qt's own switches are no options of the program (the program hands Qt none).
        { { "-platform", "offscreen" }, StartupAction::MessageBadOptions },
        { { "-platform", "bogus" }, StartupAction::MessageBadOptions },
        { { "-style=fusion" }, StartupAction::MessageBadOptions },
    };
    for (const auto &row : rows) {
        const std::string first = row.args.empty() ? "(none)" : row.args.front();
        EXPECT_EQ(decideStartup(row.args), row.action) << first;
    }
}

TEST(CommandLine, StartupMessages)
{
    const Message missing = autorunWithoutSectionMessage();
    EXPECT_EQ(missing.text,
              cp932::text("Autorun オプションがあるのに、セクションの指定がありません"));
    EXPECT_EQ(missing.caption, "Error");
    EXPECT_EQ(missing.icon, Icon::Error);
    EXPECT_FALSE(missing.systemModal);

    const Message bad = badOptionsMessage();
    EXPECT_EQ(bad.text, cp932::text("起動オプションが正しくありません。"));
    EXPECT_EQ(bad.caption, "Error!");
    EXPECT_EQ(bad.icon, Icon::None);
    EXPECT_EQ(bad.buttons, Buttons::Ok);
    EXPECT_TRUE(bad.systemModal);
}

} // namespace
} // namespace kvr
