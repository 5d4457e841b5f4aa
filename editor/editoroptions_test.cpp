#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

#include "db/testsupport.h"
#include "editor/editoroptions.h"
#include "editor/editorsettings.h"
#include "editor/textrules.h"
#include "platform/testsupport_filedialogs.h"
#include "platform/testsupport_prompter.h"
#include "platform/textfile.h"

namespace kvr {
namespace {

TEST(EditorOptions, BrowsingWarnsFirstAndTakesEvenAMissingFile)
{
    CTempFile existing("DBv3.kvr");
    writeFile(existing.path(), "x");
    struct Row
    {
        const char *what;
        Reply caution;
        EnteredText chosen;
        std::optional<std::string> result;
        std::vector<std::string> told; // after the caution
    };
    const std::string missing = existing.folder() + "/none.kvr";
    const Row rows[] = {
        { "no", Reply::No, existing.path(), std::nullopt, {} },
        { "existing", Reply::Yes, existing.path(), existing.path(), {} },
        { "missing", Reply::Yes, missing, missing, { sj("ない！") } },
        { "cancelled", Reply::Yes, std::nullopt, std::nullopt, {} },
    };
    for (const Row &row : rows) {
        test::CScriptedPrompter prompter;
        prompter.replies = { row.caution };
        test::ScriptedFileDialogs files;
        files.answers = { row.chosen };
        EXPECT_EQ(browseDatabaseFile(prompter, files, existing.path()), row.result) << row.what;
        const std::vector<FileRequest> &requests = files.requests;
        const Message &caution = prompter.asked.at(0);
        EXPECT_EQ(caution.caption, "CAUTION!");
        EXPECT_EQ(caution.buttons, Buttons::YesNo);
        EXPECT_EQ(caution.icon, Icon::Warning);
        const std::vector<std::string> texts = prompter.texts();
        EXPECT_EQ(std::vector<std::string>(texts.begin() + 1, texts.end()), row.told) << row.what;
        EXPECT_EQ(requests.size(), row.caution == Reply::Yes ? 1u : 0u);
        if (!requests.empty()) {
            EXPECT_EQ(requests[0].title, "Kvr DatabaseFile Select");
            EXPECT_EQ(requests[0].filters.at(0).label, "Kvr DatabaseFile (*.kvr)");
            EXPECT_EQ(requests[0].startFolder, existing.folder());
            EXPECT_EQ(requests[0].proposedName, "DBv3.kvr");
        }
    }
}

TEST(EditorOptions, TheUserNameMustBeStorableAsAHeaderField)
{
    EXPECT_FALSE(optionsRefusal({ sj("太郎"), "/d", false }));
    EXPECT_TRUE(optionsRefusal({ ".me", "/d", false }));
    EXPECT_TRUE(optionsRefusal({ "a\nb", "/d", false }));
    EXPECT_EQ(optionsRefusal({ "me", "/d", true }), unmappableTextMessage());

    CEditorSettings settings;
    settings.DefaultUser = "u";
    settings.DatabaseFilename = "/d/DBv3.kvr";
    const EditorOptionsView view = editorOptionsView(settings);
    EXPECT_EQ(view.caption, sj("オプション設定"));
    EXPECT_EQ(view.form, (EditorOptionsForm { "u", "/d/DBv3.kvr", false }));
}

} // namespace
} // namespace kvr
