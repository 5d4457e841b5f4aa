#include <deque>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>

#include "app/commandline.h"
#include "app/kvrsettings.h"
#include "app/shell/mainsession.h"
#include "db/questiondatabase.h"
#include "drill/testsupport_drillstart.h"
#include "history/answerlog.h"
#include "platform/namedmutex.h"
#include "platform/settingsstore.h"
#include "platform/testsupport.h"
#include "platform/testsupport_clock.h"
#include "platform/testsupport_prompter.h"

namespace kvr {
namespace {

void fill(CSection &section, const char *name, int questions)
{
    section.name = name;
    for (int i = 0; i < questions; ++i)
        section.appendLine("?q" + std::to_string(i) + ",,,,,a" + std::to_string(i) + ",,,");
}

// The tree "F" (folder) holding "F/words" (3 questions), then "Z" (2 questions).
struct Rig
{
    Rig()
    {
        CFolder &folder = database.root.addFolder();
        folder.name = "F";
        fill(folder.addSection(), "words", 3);
        fill(database.root.addSection(), "Z", 2);
        settings.UserName = "learner";
        settings.LogMode = 1;
    }
    CMainSession &session()
    {
        if (!m_session)
            m_session = std::make_unique<CMainSession>(context);
        return *m_session;
    }
    bool markerFree() const
    {
        CNamedMutex probe;
        return probe.acquire(context.markerName);
    }

    CQuestionDatabase database;
    CKvrSettings settings;
    CMemorySettingsStore store;
    CAnswerLog log;
    test::CScriptedPrompter prompter;
    test::FixedClock clock;
    test::ScriptedModeChooser modes;
    test::ScriptedStartPrompter setupDialogs;
    test::RecordingDrillRunner drills;
    MainSessionContext context {
        settings, store, database,     log,    prompter,
        clock,    modes, setupDialogs, drills, "kvr-main-session-test-" + std::to_string(::getpid())
    };

private:
    std::unique_ptr<CMainSession> m_session;
};

TEST(MainSession, TheTreeSelectsTheLastSectionAndShowsItsHeader)
{
    struct Row
    {
        std::string lastSection;
        std::string selected;
        bool folder;
        std::string countText;
        std::optional<bool> commands;
    } rows[] = {
        { "F/words", "F/words", false, "3", true },
        { "Z", "Z", false, "2", true },
        { "F", "F", true, "", false },
        { "gone", "F", true, "", false }, // not found: the first item
    };
    for (const Row &row : rows) {
        Rig rig;
        rig.settings.LastSection = row.lastSection;
        CMainSession &session = rig.session();
        session.rebuildTree();
        const MainView &view = session.view();
        EXPECT_EQ(view.treeRevision, 1) << row.lastSection;
        EXPECT_EQ(view.selectedPath, row.selected) << row.lastSection;
        EXPECT_EQ(view.folderSelected, row.folder) << row.lastSection;
        EXPECT_EQ(view.header.questionCountText, row.countText) << row.lastSection;
        EXPECT_EQ(view.selectionCommands, row.commands) << row.lastSection;
        EXPECT_EQ(view.selectionRevision, 1) << row.lastSection;
        EXPECT_EQ(rig.settings.LastSection, row.selected) << row.lastSection;
        CKvrSettings stored;
        stored.load(rig.store);
        EXPECT_EQ(stored.LastSection, row.selected) << row.lastSection;
        EXPECT_TRUE(rig.prompter.asked.empty()) << row.lastSection;
    }

    Rig empty;
    empty.database = CQuestionDatabase {};
    empty.session().rebuildTree();
    EXPECT_TRUE(empty.session().view().selectedChain.empty());
    EXPECT_EQ(empty.session().view().selectionCommands, std::nullopt);
    EXPECT_EQ(empty.session().view().selectionRevision, 0);
    EXPECT_FALSE(empty.session().selectedCollectionPath());
}

TEST(MainSession, SelectionLogModeAndAnUnreadableHeader)
{
    Rig rig;
    CMainSession &session = rig.session();
    session.rebuildTree();
    session.selectPath("Z");
    EXPECT_EQ(session.selectedCollectionPath(), std::optional<std::string>("Z"));
    session.selectPath("F");
    EXPECT_EQ(session.selectedCollectionPath(), std::nullopt);
    const int shown = session.view().selectionRevision;

    session.chooseLogMode(3);
    EXPECT_EQ(rig.settings.LogMode, 3);
    EXPECT_EQ(session.view().logMode, 3);
    EXPECT_EQ(session.view().selectionRevision, shown + 1);

    // The editor took the collection away while the tree still shows it.
    session.selectPath("Z");
    rig.database.root.entries.pop_back();
    session.refresh();
    ASSERT_EQ(rig.prompter.asked.size(), 1u);
    EXPECT_EQ(rig.prompter.asked[0].text, session.view().header.error);
    EXPECT_FALSE(session.view().header.ok());
}

TEST(MainSession, DrillStartsFromTheTree)
{
    using M = DrillMode;
    struct Row
    {
        const char *what;
        std::string selected;
        std::optional<DrillMode> command; // nothing: a double-click
        std::deque<std::optional<int>> modeReplies;
        std::optional<int> count;
        bool markerTaken;
        bool runs;
        int logMode; // afterwards
        int modeDialogs;
    } rows[] = {
        { "mode command", "Z", M::SpeedReply, {}, 10, false, true, 4, 0 },
        { "double-click asks the mode", "F/words", std::nullopt, { 3 }, 10, false, true, 2, 1 },
        { "mode cancelled", "Z", std::nullopt, {}, 10, false, false, 1, 1 },
        { "count cancelled: the mode stays",
          "Z",
          M::JapaneseToEnglishChoice,
          {},
          std::nullopt,
          false,
          false,
          3,
          0 },
        { "a folder starts nothing", "F", M::SpeedReply, {}, 10, false, false, 1, 0 },
        { "marker taken", "Z", M::SpeedReply, {}, 10, true, false, 1, 0 },
    };
    for (const Row &row : rows) {
        Rig rig;
        rig.settings.LastSection = row.selected;
        rig.modes.replies = row.modeReplies;
        rig.setupDialogs.count = row.count;
        CNamedMutex editor;
        if (row.markerTaken) {
            ASSERT_TRUE(editor.acquire(rig.context.markerName)) << row.what;
        }
        CMainSession &session = rig.session();
        session.rebuildTree();
        const int shown = session.view().selectionRevision;

        EXPECT_EQ(session.startFromTree(row.command), row.runs) << row.what;
        ASSERT_EQ(rig.drills.drills.size(), row.runs ? 1u : 0u) << row.what;
        EXPECT_EQ(rig.settings.LogMode, row.logMode) << row.what;
        EXPECT_EQ(session.view().logMode, row.logMode) << row.what;
        EXPECT_EQ(rig.modes.asked, row.modeDialogs) << row.what;
        EXPECT_EQ(session.view().drillRevision, row.runs ? 1 : 0) << row.what;
        if (row.runs) {
            EXPECT_EQ(rig.drills.drills[0].sectionPath, row.selected) << row.what;
            EXPECT_EQ(session.view().lastDrillMode, rig.drills.drills[0].drillMode) << row.what;
        }
        EXPECT_EQ(session.view().selectionRevision, shown + 1) << row.what; // shown again
        editor.close();
        EXPECT_TRUE(rig.markerFree()) << row.what;
        const std::size_t boxes = row.markerTaken ? 1 : 0;
        ASSERT_EQ(rig.prompter.asked.size(), boxes) << row.what;
        if (row.markerTaken) {
            EXPECT_EQ(rig.prompter.asked[0].text, sj("既に回答中なので、回答できません。"));
        }
    }
}

TEST(MainSession, HistoryPageStartsAndRepeats)
{
    Rig rig;
    CMainSession &session = rig.session();
    session.rebuildTree();
    session.selectPath("F/words");

    // A ticked selection with its count: no count dialog.
    WindowDrillRequest request { "F/words", { 0, 2 }, 2, 0 };
    EXPECT_TRUE(session.startDrill(request));
    ASSERT_EQ(rig.drills.drills.size(), 1u);
    EXPECT_EQ(rig.drills.drills[0].selection, (std::vector<int> { 0, 2 }));
    EXPECT_EQ(rig.setupDialogs.countsAsked(), 0);

    // Without a history there is nothing to repeat: told, and nothing runs.
    Rig fresh;
    fresh.session().rebuildTree();
    fresh.session().selectPath("Z");
    EXPECT_FALSE(fresh.session().repeatLastDrill(DrillMode::JapaneseToEnglishTyped));
    EXPECT_FALSE(fresh.session().repeatLastMissed(DrillMode::JapaneseToEnglishTyped));
    EXPECT_TRUE(fresh.drills.drills.empty());
    EXPECT_EQ(fresh.prompter.asked.size(), 2u);
}

TEST(MainSession, AFailingDrillWindowIsToldAndReleasesTheMarker)
{
    Rig rig;
    rig.drills.failure = "no window";
    rig.settings.LastSection = "Z";
    CMainSession &session = rig.session();
    session.rebuildTree();
    EXPECT_TRUE(session.startFromTree(DrillMode::SpeedReply));
    ASSERT_EQ(rig.prompter.asked.size(), 1u);
    EXPECT_EQ(rig.prompter.asked[0].text, "no window");
    EXPECT_EQ(rig.prompter.asked[0].icon, Icon::Error);
    EXPECT_TRUE(rig.markerFree());
}

} // namespace
} // namespace kvr

namespace kvr {
namespace {

TEST(ShortcutDrill, RunsWithoutTheMainWindowAndTellsWhatStopsIt)
{
    struct Row
    {
        const char *what;
        std::string section;
        bool markerTaken;
        bool windowFails;
        bool runs;
        std::string told; // the start of the one box shown, or empty
    } rows[] = {
        { "runs", "Z", false, false, true, "" },
        { "marker taken", "Z", true, false, false, sj("既に回答中なので、回答できません。") },
        { "missing collection", "gone", false, false, false, sj("問題集を取得できませんでした。") },
        { "drill window fails", "Z", false, true, true, "no window" },
    };
    for (const Row &row : rows) {
        Rig rig;
        CNamedMutex editor;
        if (row.markerTaken) {
            ASSERT_TRUE(editor.acquire(rig.context.markerName)) << row.what;
        }
        DrillStartContext starter { rig.database.root, rig.log,   rig.settings,
                                    rig.prompter,      rig.clock, rig.context.markerName };
        if (row.windowFails)
            rig.drills.failure = "no window";
        const CCommandLine line = parseCommandLine({ "/autorun=0", "/s", row.section });
        EXPECT_EQ(runShortcutDrill(starter, line, rig.drills), row.runs) << row.what;
        EXPECT_EQ(rig.drills.drills.size(), row.runs && !row.windowFails ? 1u : 0u) << row.what;
        ASSERT_EQ(rig.prompter.asked.size(), row.told.empty() ? 0u : 1u) << row.what;
        if (!row.told.empty()) {
            EXPECT_EQ(rig.prompter.asked[0].text.rfind(row.told, 0), 0u) << row.what;
        }
        EXPECT_EQ(rig.modes.asked, 0) << row.what; // no dialog at all
        EXPECT_TRUE(rig.setupDialogs.asked.empty()) << row.what;
        editor.close();
        EXPECT_TRUE(rig.markerFree()) << row.what;
    }
}

} // namespace
} // namespace kvr
