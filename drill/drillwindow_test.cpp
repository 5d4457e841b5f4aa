#include <cstdlib>
#include <gtest/gtest.h>

#include "app/kvrsettings.h"
#include "drill/drillwindow.h"
#include "drill/testsupport_session.h"
#include "platform/cp932.h"
#include "platform/settingsstore.h"
#include "platform/textfile.h"

namespace kvr::session_test {
namespace {

using cp932::text;

TEST(DrillWindow, OpacityOnlyBetweenOffAndOpaque)
{
    const struct
    {
        int percent;
        std::optional<double> opacity;
    } rows[] = { { 0, std::nullopt },   { -5, std::nullopt }, { 100, std::nullopt },
                 { 120, std::nullopt }, { 80, 204 / 255.0 },  { 1, 2 / 255.0 },
                 { 99, 252 / 255.0 } };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.percent);
        EXPECT_EQ(drillWindowOpacity(row.percent), row.opacity);
    }
}

TEST(DrillWindow, InputMethodOffWhereEnglishIsTyped)
{
    EXPECT_FALSE(answerKeepsInputMethod(DrillMode::JapaneseToEnglishTyped));
    EXPECT_FALSE(answerKeepsInputMethod(DrillMode::SpeedReply));
    EXPECT_TRUE(answerKeepsInputMethod(DrillMode::EnglishToJapaneseTyped));
}

TEST(DrillWindow, ClientAreaLeavesTheFrameOutOfTheSkinsWindowSize)
{
    CSkin skin;
    const ClientSize standard = drillClientSize(skin);
    EXPECT_EQ(standard.width, 794);
    EXPECT_EQ(standard.height, 370);
    // The controls of the standard skin end inside it.
    EXPECT_LE(skin.AnswerIndicater_rc.right, standard.width);
    EXPECT_LE(skin.OkButton_rc.bottom, standard.height);
    EXPECT_EQ(separatorBottom(skin), standard.height);
    skin.DlgWidth_n = 0; // a broken skin still gives a usable window
    EXPECT_GE(drillClientSize(skin).width, 100);
}

TEST(DrillWindow, HintMovesOffTheChoiceRowsWhereThereIsRoom)
{
    CSkin skin;
    const HintPlacement typed = hintPlacement(skin, false);
    EXPECT_EQ(typed.field, skin.Hint_rc);
    EXPECT_EQ(typed.button, skin.HintButton_rc);
    EXPECT_EQ(typed.limitBar, skin.TransLimitBar_rc);

    // The standard skin: a row as high as the choices, 4 under choice row 4 (bottom 307);
    // the time-limit bar moves below it, 2 above the progress bar at 347.
    const HintPlacement choices = hintPlacement(skin, true);
    EXPECT_EQ(choices.button, (SkinRect { 103, 311, 188, 333 }));
    EXPECT_EQ(choices.field, (SkinRect { 190, 311, 780, 333 }));
    EXPECT_EQ(choices.title, (SkinPoint { 105, 313 }));
    EXPECT_EQ(choices.limitBar, (SkinRect { 105, 337, 565, 345 }));

    // Too little room for the bar: the skin's own places.
    skin.Progress_rc = { 105, 341, 545, 356 };
    EXPECT_EQ(hintPlacement(skin, true).field, skin.Hint_rc);
    EXPECT_EQ(hintPlacement(skin, true).limitBar, skin.TransLimitBar_rc);
    // A skin whose hint row is clear of the choices keeps it.
    skin.Hint_rc = { 190, 330, 790, 352 };
    skin.HintButton_rc = { 103, 330, 188, 352 };
    EXPECT_EQ(hintPlacement(skin, true).field, skin.Hint_rc);
}

std::string shippedSkin(const char *name)
{
    const char *source = std::getenv("KVR_TEST_SOURCE_DIR");
    return std::string(source ? source : ".") + "/data/skin/" + name;
}

bool apart(const SkinRect &a, const SkinRect &b)
{
    return a.right < b.left || b.right < a.left || a.bottom < b.top || b.bottom < a.top;
}

// In the four-choice modes of every shipped skin no two controls touch: the choice rows,
// the question band, the hint row, the bars, the buttons and the menu button.
TEST(DrillWindow, ShippedSkinsKeepTheChoiceLayoutApart)
{
    for (const char *name : { "default.ini", "compact.ini", "large.ini" }) {
        SCOPED_TRACE(name);
        CSkin skin;
        ASSERT_TRUE(skin.loadSkin(shippedSkin(name), "/nonexistent"));
        const HintPlacement hint = hintPlacement(skin, true);
        std::vector<SkinRect> rects = { skin.EJQuestion_rc,   hint.button,         hint.field,
                                        hint.limitBar,        skin.Progress_rc,    skin.OkButton_rc,
                                        skin.CancelButton_rc, menuButtonRect(skin) };
        for (int n = 1; n <= 4; ++n) {
            rects.push_back(*skin.replyButton(n));
            rects.push_back(*skin.replyAnswer(n));
        }
        const ClientSize client = drillClientSize(skin);
        for (std::size_t i = 0; i < rects.size(); ++i) {
            EXPECT_LE(rects[i].right, client.width) << i;
            EXPECT_LE(rects[i].bottom, client.height) << i;
            for (std::size_t j = i + 1; j < rects.size(); ++j)
                EXPECT_TRUE(apart(rects[i], rects[j])) << i << " " << j;
        }
        // The menu button lies left of the pass list's separator line.
        EXPECT_LT(menuButtonRect(skin).right, skin.PaddingX_n);
    }
}

TEST(DrillWindow, SkinEntriesWithoutADesignNameShowTheirFileName)
{
    EXPECT_EQ(skinMenuText({ "/s/blue.ini", text("青"), true }), text("青"));
    EXPECT_EQ(skinMenuText({ "/s/blue.ini", "", true }), "blue.ini");
}

TEST(DrillWindow, ChosenSkinIsStoredAndLoaded)
{
    TempFolder folder;
    folder.put("skin/small.ini", "[Design]\r\nDesignName=small\r\nDlgWidth_n=640\r\n");
    CKvrSettings settings;
    CMemorySettingsStore store;
    CSkin skin;
    EXPECT_TRUE(chooseSkin(settings, store, skin, folder.file("skin/small.ini")));
    EXPECT_EQ(settings.SkinPath, folder.file("skin/small.ini"));
    EXPECT_EQ(store.readString("Options", "SkinPath"), folder.file("skin/small.ini"));
    EXPECT_EQ(skin.DlgWidth_n, 640);

    store.setReadOnly(true);
    EXPECT_FALSE(chooseSkin(settings, store, skin, folder.file("skin/none.ini")));
    EXPECT_EQ(skin.DlgWidth_n, 800); // the defaults, as for any missing skin
}

TEST(DrillWindow, KeepsTheQuestionBeforeTheCurrentOne)
{
    DrillRig rig;
    const std::vector<std::string> lines = simpleQuestions(3);
    rig.start(setupOf(lines));
    CQuestionDatabase database;
    const KeepPlaces places { rig.folder.path(), &database, rig.folder.file("DBv3.kvr"), "owner" };
    ASSERT_TRUE(rig.awaitingAnswer());
    keepLastQuestion(rig.session(), KeepTarget::TextFile, places);
    EXPECT_TRUE(rig.view().notice.empty()); // no question before the first one

    rig.answerAndWait("a0");
    keepLastQuestion(rig.session(), KeepTarget::TextFile, places);
    EXPECT_EQ(rig.view().notice, text("追加しました"));
    keepLastQuestion(rig.session(), KeepTarget::TextFile, places);
    EXPECT_EQ(rig.view().notice, text("すでに登録されています"));
    EXPECT_EQ(readWholeFile(lastQuestionsFilePath(rig.folder.path())), lines[0] + "\r\n");

    keepLastQuestion(rig.session(), KeepTarget::Database, places);
    EXPECT_EQ(rig.view().notice, text("問題集 【回答中に保存された問題】 に追加しました"));
    EXPECT_TRUE(readWholeFile(places.databasePath).has_value());
    EXPECT_TRUE(rig.prompter.asked.empty());
}

} // namespace
} // namespace kvr::session_test
