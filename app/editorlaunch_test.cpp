#include <gtest/gtest.h>

#include "app/editorlaunch.h"
#include "platform/cp932.h"
#include "platform/testsupport.h"
#include "platform/testsupport_prompter.h"
#include "platform/testsupport_shell.h"

namespace kvr {
namespace {

// The shell is asked first; only when it refuses does the learner hear why, and the
// message tells a missing program from one that is there but did not start.
TEST(EditorLaunch, StartsFromTheProgramFolderOrTellsWhyNot)
{
    struct Row
    {
        const char *name;
        bool present;
        bool shellStarts;
        const char *message; // the start of the box's text; empty: no box
    };
    const Row rows[] = {
        { "started", true, true, "" },
        { "started although not seen", false, true, "" },
        { "refused", true, false, "問題エディタ KvrEditor を起動できませんでした。\n" },
        { "missing", false, false, "問題エディタ KvrEditor が見つかりませんでした。\n" },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        TempFolder folder;
        if (row.present)
            folder.put("KvrEditor", "#!/bin/sh\n");
        test::RecordingShell shell;
        shell.accepts = row.shellStarts;
        test::CScriptedPrompter prompter;

        EXPECT_EQ(startEditor(shell, prompter, folder.path()), row.shellStarts);

        using Started = test::RecordingShell::Started;
        EXPECT_EQ(shell.started,
                  std::vector<Started>({ Started { folder / "KvrEditor", {}, folder.path() } }));
        if (*row.message == '\0') {
            EXPECT_TRUE(prompter.asked.empty());
            continue;
        }
        ASSERT_EQ(prompter.asked.size(), 1u);
        const Message &box = prompter.asked[0];
        EXPECT_EQ(box.text.rfind(cp932::text(row.message), 0), 0u) << box.text;
        EXPECT_NE(box.text.find(folder / "KvrEditor"), std::string::npos) << box.text;
        EXPECT_EQ(box.icon, Icon::Warning);
        EXPECT_EQ(box.buttons, Buttons::Ok);
    }
}

} // namespace
} // namespace kvr
