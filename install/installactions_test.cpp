#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

#include "install/installactions.h"
#include "platform/cp932.h"
#include "platform/testsupport_prompter.h"

namespace kvr::install {
namespace {

using test::CScriptedPrompter;

class CFakeSession final : public IInstallerSession
{
public:
    bool readProperty(std::string_view name, std::string &value) override
    {
        names.push_back(std::string(name));
        value = folder;
        return readable;
    }
    void sendError(const std::string &text) override { errors.push_back(text); }

    std::string folder = "/opt/kvr/";
    bool readable = true;
    std::vector<std::string> names;
    std::vector<std::string> errors;
};

class CRecordingShell final : public IInstallShell
{
public:
    bool openDocument(const std::string &path) override
    {
        opened.push_back(path);
        return canOpen;
    }
    bool startProgram(const std::string &path, const std::string &folder) override
    {
        started.push_back(path + " in " + folder);
        return canStart;
    }
    bool deleteFile(const std::string &path) override
    {
        deleted.push_back(path);
        return !undeletable.count(path);
    }

    bool canOpen = true, canStart = true;
    std::set<std::string> undeletable;
    std::vector<std::string> opened, started, deleted;
};

struct Fixture
{
    CFakeSession session;
    CScriptedPrompter prompter;
    CRecordingShell shell;
    ActionServices services() { return { session, prompter, shell }; }
    std::vector<std::string> captions() const
    {
        std::vector<std::string> result;
        for (const Message &message : prompter.asked)
            result.push_back(message.caption);
        return result;
    }
};

const std::string kDb = "/opt/kvr/Datas/DBv3.kvr";
const std::string kLog = "/opt/kvr/Datas/translog.txt";

TEST(InstallCommit, OpensTheReadmeAndStartsTheProgramFromTheFolder)
{
    Fixture f;
    EXPECT_EQ(commitAction(f.services()), kActionSuccess);
    EXPECT_EQ(f.session.names, std::vector<std::string> { "CustomActionData" });
    EXPECT_EQ(f.shell.opened, std::vector<std::string> { "/opt/kvr/Readme.txt" });
    EXPECT_EQ(f.shell.started, std::vector<std::string> { "/opt/kvr/Kvr in /opt/kvr/" });
    EXPECT_TRUE(f.prompter.asked.empty());
}

TEST(InstallCommit, FailuresAreToldAndStillSucceed)
{
    Fixture f;
    f.session.readable = false;
    f.session.folder = "/partial/";
    f.shell.canOpen = f.shell.canStart = false;
    EXPECT_EQ(commitAction(f.services()), kActionSuccess);
    EXPECT_EQ(f.prompter.texts(),
              (std::vector<std::string> { "cannot get property...", cp932::text("起動失敗(r)"),
                                          cp932::text("起動失敗(p)") }));
    EXPECT_EQ(f.captions(),
              (std::vector<std::string> { "", "/partial/Readme.txt", "/partial/Kvr" }));
    for (const Message &message : f.prompter.asked)
        EXPECT_EQ(message.buttons, Buttons::Ok);
}

TEST(InstallCommit, FolderIsCutToThePropertyBuffer)
{
    Fixture f;
    f.session.folder = std::string(300, 'a');
    commitAction(f.services());
    EXPECT_EQ(f.shell.opened.at(0), std::string(259, 'a') + "Readme.txt");
}

struct UninstallCase
{
    const char *name;
    std::vector<Reply> replies;
    unsigned result;
    std::vector<std::string> deleted;
    std::vector<std::string> captions;
};

class InstallUninstall : public testing::TestWithParam<UninstallCase>
{
};

TEST_P(InstallUninstall, AnswersDecideWhatIsDeletedAndTheResult)
{
    const UninstallCase &c = GetParam();
    Fixture f;
    for (Reply reply : c.replies)
        f.prompter.push(reply);
    EXPECT_EQ(uninstallAction(f.services()), c.result);
    EXPECT_EQ(f.shell.deleted, c.deleted);
    EXPECT_EQ(f.captions(), c.captions);
    EXPECT_EQ(f.prompter.replies.size(), 0u) << "fewer boxes than answers";
    const std::vector<std::string> stopped = { cp932::text(
        "Kvr のアンインストールを中止します。") };
    EXPECT_EQ(f.session.errors, c.result == kActionUserExit ? stopped : std::vector<std::string>());
}

using R = Reply;
INSTANTIATE_TEST_SUITE_P(
    Cases, InstallUninstall,
    testing::Values(
        UninstallCase {
            "CancelFirstDeletesNothing", { R::Cancel }, kActionUserExit, {}, { "delete DB?" } },
        UninstallCase { "CancelSecondAfterDeletingTheDatabase",
                        { R::Yes, R::Yes, R::Ok, R::Cancel },
                        kActionUserExit,
                        { kDb },
                        { "delete DB?", "delete ok?", "", "delete log?" } },
        UninstallCase { "NoAtTheConfirmationKeepsTheDatabaseAndAsksOn",
                        { R::Yes, R::No, R::No },
                        kActionSuccess,
                        {},
                        { "delete DB?", "delete ok?", "delete log?" } },
        UninstallCase { "NoTwiceDeletesNothing",
                        { R::No, R::No },
                        kActionSuccess,
                        {},
                        { "delete DB?", "delete log?" } },
        UninstallCase { "YesToEverythingDeletesBoth",
                        { R::Yes, R::Yes, R::Ok, R::Yes, R::Yes, R::Ok },
                        kActionSuccess,
                        { kDb, kLog },
                        { "delete DB?", "delete ok?", "", "delete log?", "delete ok?", "" } },
        UninstallCase { "OnlyTheLog",
                        { R::No, R::Yes, R::Yes, R::Ok },
                        kActionSuccess,
                        { kLog },
                        { "delete DB?", "delete log?", "delete ok?", "" } }),
    [](const testing::TestParamInfo<UninstallCase> &info) { return info.param.name; });

TEST(InstallUninstallBoxes, QuestionsDefaultToNoWithTheirTextsAndPaths)
{
    Fixture f;
    for (Reply reply : { R::Yes, R::Yes, R::Ok, R::Yes, R::No })
        f.prompter.push(reply);
    uninstallAction(f.services());
    const std::vector<Message> &asked = f.prompter.asked;
    ASSERT_EQ(asked.size(), 5u);
    EXPECT_EQ(asked[0].buttons, Buttons::YesNoCancel);
    EXPECT_EQ(
        asked[0].text.rfind(cp932::text("問題集データベース(DB)を削除しますか？\n\n・Kvr "), 0),
        0u);
    EXPECT_NE(asked[0].text.find(cp932::text("(1.1)～(1.3)")), std::string::npos);
    EXPECT_EQ(asked[1].text,
              cp932::text("問題集DBファイル ") + kDb
                  + cp932::text(" を削除します。よろしいですか？"));
    EXPECT_EQ(asked[1].buttons, Buttons::YesNo);
    EXPECT_EQ(asked[2].text, cp932::text("削除しました。"));
    EXPECT_EQ(asked[3].text,
              cp932::text("履歴ファイルを削除しますか？\n\n・Kvr をこのコンピュータから完全に削除"
                          "する場合は、「はい」を選んでください。\n・バージョンアップを行う場合は、"
                          "「いいえ」を選んでください。\n・アンインストールを中止する場合は、"
                          "「キャンセル」を選んでください。"));
    EXPECT_EQ(asked[4].text,
              cp932::text("履歴ファイル ") + kLog + cp932::text(" を削除します。よろしいですか？"));
    for (int i : { 0, 1, 3, 4 })
        EXPECT_EQ(asked[i].defaultButton, Reply::No) << i;
    EXPECT_FALSE(asked[2].defaultButton);
}

TEST(InstallUninstallBoxes, FailedDeleteIsToldAndTheRemovalGoesOn)
{
    Fixture f;
    f.session.readable = false;
    f.shell.undeletable = { kDb };
    for (Reply reply : { R::Ok, R::Yes, R::Yes, R::Ok, R::No })
        f.prompter.push(reply);
    EXPECT_EQ(uninstallAction(f.services()), kActionSuccess);
    EXPECT_EQ(f.prompter.texts().at(0), "cannot get property...");
    EXPECT_EQ(f.prompter.texts().at(3), cp932::text("失敗しました。"));
    EXPECT_EQ(f.captions().at(4), "delete log?");
}

TEST(InstallHost, ExitStatusOfTheActionResults)
{
    EXPECT_EQ(hostExitStatus(kActionSuccess), 0);
    EXPECT_EQ(hostExitStatus(kActionUserExit), 3);
    EXPECT_EQ(hostExitStatus(1603), 1);
}

} // namespace
} // namespace kvr::install
