#include <gtest/gtest.h>

#include "history/answerlog.h"
#include "history/learners.h"
#include "history/testsupport_learners.h"
#include "platform/cp932.h"
#include "platform/prompter.h"
#include "platform/testsupport.h"
#include "platform/testsupport_prompter.h"

namespace kvr {
namespace {

std::string lastText(const test::CScriptedPrompter &prompter)
{
    return prompter.asked.empty() ? "(none)" : prompter.asked.back().text;
}

// The UserName setting with a save that records the name it stored.
struct Setting
{
    std::string userName;
    std::vector<std::string> saved;
    bool saveWorks = true;
    LearnerSetting bind()
    {
        return { userName, [this] {
                    saved.push_back(userName);
                    return saveWorks;
                } };
    }
};

CAnswerLog logOf(std::initializer_list<const char *> names)
{
    CAnswerLog log;
    for (const char *name : names)
        log.addUserLog(name).sections.emplace_back().sectionName = std::string("s-") + name;
    return log;
}

std::vector<std::string> logNames(const CAnswerLog &log)
{
    return learnerNames(log);
}

const std::string kUnstorable =
    sj("利用者名に使えない文字が含まれています。\n\n"
       "改行や、このプログラムで扱えない文字（一部の記号や外国の文字など）を除いて"
       "入力してください。");

TEST(Learners, WelcomeBoxHasItsTextCaptionAndIcon)
{
    test::CScriptedPrompter prompter;
    showFirstRunWelcome(prompter);
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(
        prompter.asked[0].text,
        sj("Kelvora をご利用いただきありがとうございます。\n\nまず最初に利用者を登録する必要が"
           "あります。（履歴の作成時に利用されます）\n次に表示される画面で、利用者名を入力し、"
           "OKボタンを押してください。\n（次回からこの画面は表示されません。）"));
    EXPECT_EQ(prompter.asked[0].caption, "Kelvora");
    EXPECT_EQ(prompter.asked[0].icon, Icon::Information);
    EXPECT_TRUE(needsFirstLearner(""));
    EXPECT_FALSE(needsFirstLearner(" "));
}

TEST(Learners, RegistrationListsTheLogInOrderAndPreselectsTheFirst)
{
    Setting setting;
    test::CScriptedPrompter prompter;
    const CAnswerLog log = logOf({ "b", "a", "b" });
    CLearnerRegistration registration(setting.bind(), log, prompter);
    EXPECT_EQ(registration.names(), (std::vector<std::string> { "b", "a", "b" }));
    EXPECT_EQ(registration.initialText(), "b");
    EXPECT_EQ(CLearnerRegistration(setting.bind(), CAnswerLog(), prompter).initialText(), "");
}

TEST(Learners, RegistrationOkRefusesEmptyAndUnstorableNamesAndStoresAnyOther)
{
    const std::string empty =
        sj("利用者名が記入されていません\n\n解決策：\n ・新しく始めるときは、利用者名を"
           "記入してください。\n ・以前の利用履歴を引き継ぐ場合は、リストから選んで"
           "ください。");
    const struct
    {
        TypedName typed;
        std::string refusal; // empty: accepted
    } rows[] = {
        { "", empty },           { std::nullopt, kUnstorable }, { "a\r\nb", kUnstorable },
        { "a\nb", kUnstorable }, { sj(" [鈴木] "), "" },        { "x", "" },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.typed.value_or("(unstorable)"));
        Setting setting;
        test::CScriptedPrompter prompter;
        CLearnerRegistration registration(setting.bind(), CAnswerLog(), prompter);
        const bool closed = registration.confirm(row.typed);
        EXPECT_EQ(closed, row.refusal.empty());
        if (closed) {
            EXPECT_TRUE(prompter.asked.empty());
            EXPECT_EQ(setting.saved, (std::vector<std::string> { *row.typed }));
        } else {
            ASSERT_EQ(prompter.asked.size(), 1u);
            EXPECT_EQ(prompter.asked[0].text, row.refusal);
            EXPECT_EQ(prompter.asked[0].caption, sj("利用者名の書式エラー"));
            EXPECT_EQ(prompter.asked[0].icon, Icon::Warning);
            EXPECT_EQ(setting.userName, "");
            EXPECT_TRUE(setting.saved.empty());
        }
    }
}

TEST(Learners, AFailedSettingsSaveIsSaidButTheNameHoldsForThisRun)
{
    Setting setting;
    setting.saveWorks = false;
    test::CScriptedPrompter prompter;
    CLearnerRegistration registration(setting.bind(), CAnswerLog(), prompter);
    EXPECT_TRUE(registration.confirm("x"));
    EXPECT_EQ(setting.userName, "x");
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].icon, Icon::Error);
}

TEST(Learners, AddAndRenameDialogsRefuseEmptyAndUnstorableNames)
{
    const struct
    {
        TypedName typed;
        std::string refusal;
    } rows[] = {
        { "", sj("新しい利用者名を入力してください。") },
        { std::nullopt, kUnstorable },
        { "a\rb", kUnstorable },
        { " ", "" },
        { sj("Ａ"), "" },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.typed.value_or("(unstorable)"));
        test::CScriptedPrompter prompter;
        EXPECT_EQ(acceptLearnerName(row.typed, prompter), row.refusal.empty());
        EXPECT_EQ(prompter.asked.empty() ? "" : lastText(prompter), row.refusal);
    }
}

struct Manager
{
    explicit Manager(std::initializer_list<const char *> names, const char *user)
        : log(logOf(names))
    {
        setting.userName = user;
    }
    CLearnerManager &model()
    {
        if (!m_model)
            m_model.emplace(setting.bind(), log, prompter, dialogs);
        return *m_model;
    }
    CAnswerLog log;
    Setting setting;
    test::CScriptedPrompter prompter;
    test::ScriptedLearnerNames dialogs;

private:
    std::optional<CLearnerManager> m_model;
};

TEST(LearnerManager, OpensOnTheCurrentLearnerWhoMayBeMissingFromTheLog)
{
    Manager m({ "a", "b", "b" }, "b");
    EXPECT_EQ(m.model().entries(), (std::vector<std::string> { "a", "b", "b" }));
    EXPECT_EQ(m.model().selected(), 1);

    // Registered at first run, no drill finished yet: not in the list, nothing selected,
    // and OK is refused until an entry is chosen.
    Manager fresh({ "a" }, "new");
    EXPECT_EQ(fresh.model().selected(), -1);
    EXPECT_FALSE(fresh.model().ok());
    EXPECT_EQ(lastText(fresh.prompter), sj("利用者を選択してください。"));
    EXPECT_EQ(fresh.setting.userName, "new");
}

TEST(LearnerManager, AddRefusesAnExactDuplicateOnlyAndAppends)
{
    Manager m({ "Bob" }, "Bob");
    m.dialogs.next = "Bob";
    m.model().add();
    EXPECT_EQ(lastText(m.prompter), sj("既にその名前は存在します。"));
    m.dialogs.next = "bob";
    m.model().add();
    m.dialogs.next = std::nullopt; // cancelled
    m.model().add();
    EXPECT_EQ(m.model().entries(), (std::vector<std::string> { "Bob", "bob" }));
    EXPECT_EQ(logNames(m.log), m.model().entries());
    EXPECT_TRUE(m.log.users[1].sections.empty());
    EXPECT_EQ(m.model().selected(), 0);
    EXPECT_EQ(m.prompter.asked.size(), 1u);
}

TEST(LearnerManager, RenameActsOnTheSelectionAndAllowsDuplicates)
{
    Manager m({ "A", "B" }, "A");
    m.model().select(-1);
    m.dialogs.next = "X";
    m.model().rename();
    EXPECT_TRUE(m.dialogs.asked.empty());

    m.model().select(1);
    m.dialogs.next = "A";
    m.model().rename();
    EXPECT_EQ(m.dialogs.asked, (std::vector<std::string> { "rename B" }));
    EXPECT_EQ(m.model().entries(), (std::vector<std::string> { "A", "A" }));
    EXPECT_EQ(m.model().selected(), 1);
    EXPECT_EQ(&m.log.findUserLog("A"), &m.log.users[0]);
    EXPECT_EQ(m.log.users[1].sections[0].sectionName, "s-B");
    EXPECT_EQ(m.model().currentName(), "A");
    EXPECT_TRUE(m.prompter.asked.empty());
}

TEST(LearnerManager, RenamingTheCurrentLearnerMovesTheRememberedNameNotTheSetting)
{
    Manager m({ "A", "B" }, "A");
    m.dialogs.next = "C";
    m.model().rename();
    EXPECT_EQ(m.model().currentName(), "C");
    EXPECT_EQ(logNames(m.log), (std::vector<std::string> { "C", "B" }));
    // Cancel touches nothing: UserName stays on the old name.
    EXPECT_EQ(m.setting.userName, "A");
    EXPECT_TRUE(m.setting.saved.empty());
    // OK on the renamed entry needs no confirmation.
    EXPECT_TRUE(m.model().ok());
    EXPECT_TRUE(m.prompter.asked.empty());
    EXPECT_EQ(m.setting.saved, (std::vector<std::string> { "C" }));
}

TEST(LearnerManager, DeleteIsRefusedForTheLastLearnerAndAsksFirst)
{
    for (int selection : { 0, -1 }) {
        Manager single({ "A" }, "A");
        single.model().select(selection);
        single.model().remove();
        EXPECT_EQ(
            lastText(single.prompter),
            sj("利用者が１人しかいないので、削除できません。まず最初に利用者を追加してください。"));
        EXPECT_EQ(single.log.users.size(), 1u);
    }

    Manager m({ "A", "B" }, "A");
    m.prompter.replies = { Reply::No };
    m.model().remove();
    ASSERT_EQ(m.prompter.asked.size(), 1u);
    EXPECT_EQ(
        m.prompter.asked[0].text,
        sj("利用者 A を削除してもよろしいですか？\n\n＜注意＞A さんの履歴は全て削除されます。"));
    EXPECT_EQ(m.prompter.asked[0].caption, sj("削除警告"));
    EXPECT_EQ(m.prompter.asked[0].buttons, Buttons::YesNo);
    EXPECT_EQ(m.log.users.size(), 2u);

    m.prompter.replies = { Reply::Yes };
    m.model().remove();
    EXPECT_EQ(logNames(m.log), (std::vector<std::string> { "B" }));
    EXPECT_EQ(m.model().entries(), (std::vector<std::string> { "B" }));
    EXPECT_EQ(m.model().selected(), -1);
}

TEST(LearnerManager, OkOnAnotherLearnerAsksAndStaysOnNo)
{
    Manager m({ "A", "B", "C" }, "A");
    m.prompter.replies = { Reply::Yes };
    m.model().remove(); // the current learner
    m.model().select(1);
    m.prompter.replies = { Reply::No };
    EXPECT_FALSE(m.model().ok());
    EXPECT_EQ(lastText(m.prompter), sj("利用者をCに変更しますか？"));
    EXPECT_EQ(m.prompter.asked.back().caption, sj("変更確認"));
    EXPECT_EQ(m.setting.userName, "A");
    m.prompter.replies = { Reply::Yes };
    EXPECT_TRUE(m.model().ok());
    EXPECT_EQ(m.setting.userName, "C");
    EXPECT_EQ(m.setting.saved, (std::vector<std::string> { "C" }));
}

TEST(LearnerManager, HelpShowsItsBox)
{
    Manager m({ "A" }, "A");
    m.model().help();
    ASSERT_EQ(m.prompter.asked.size(), 1u);
    EXPECT_EQ(m.prompter.asked[0].caption, sj("簡易ヘルプ"));
    EXPECT_EQ(m.prompter.asked[0].icon, Icon::Information);
    EXPECT_EQ(
        m.prompter.asked[0].text,
        sj("・新しい利用者を作るには「利用者の追加」ボタンを押してください。\n・名称を変更するには"
           "「利用者の名称変更」ボタンを押してください。\n・既存の利用者を削除するには「利用者の"
           "削除」ボタンを押してください。\n・利用者を変更するには、一覧から利用者を選び、OKボタン"
           "を押してください。"));
}

} // namespace
} // namespace kvr
