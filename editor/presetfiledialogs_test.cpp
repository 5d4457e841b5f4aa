#include <gtest/gtest.h>

#include "editor/presetfiledialogs.h"
#include "platform/testsupport_filedialogs.h"

namespace kvr {
namespace {

// The file named on the command line answers the import's dialog once; the next import
// asks the real dialog again.
TEST(PresetFileDialogs, TheCommandLineFileAnswersOnlyTheNextDialog)
{
    test::ScriptedFileDialogs real;
    real.answers = { std::string("/chosen.kve") };
    CPresetFileDialogs dialogs(real);
    dialogs.presetNext("/given.kvf");
    EXPECT_EQ(dialogs.askPath(FileRequest {}), std::optional<std::string>("/given.kvf"));
    EXPECT_TRUE(real.requests.empty());
    FileRequest request;
    request.title = "next";
    EXPECT_EQ(dialogs.askPath(request), std::optional<std::string>("/chosen.kve"));
    ASSERT_EQ(real.requests.size(), 1u);
    EXPECT_EQ(real.requests[0].title, "next");
    EXPECT_EQ(dialogs.askPath(request), std::nullopt);
}

} // namespace
} // namespace kvr
