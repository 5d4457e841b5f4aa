#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

#include "drill/skin.h"
#include "platform/cp932.h"
#include "platform/environment.h"
#include "platform/testsupport.h"
#include "platform/textfile.h"
#include "platform/textformat.h"

namespace kvr {
namespace {

std::string shippedSkin(const char *name)
{
    const char *source = std::getenv("KVR_TEST_SOURCE_DIR");
    const std::string root = source
        ? std::string(source)
        : std::filesystem::path(__FILE__).parent_path().parent_path().string();
    return root + "/data/skin/" + name;
}

// A skin file with the given lines under [Design], CR LF ended.
std::string writeSkin(const TempFolder &folder, const std::string &name,
                      std::initializer_list<std::string> lines)
{
    std::string text = "[Design]\r\n";
    for (const std::string &line : lines)
        text += line + "\r\n";
    const std::string path = folder.file(name);
    EXPECT_TRUE(replaceFileAtomically(path, text));
    return path;
}

CSkin loaded(std::initializer_list<std::string> lines)
{
    TempFolder folder;
    CSkin skin;
    EXPECT_TRUE(skin.loadSkin(writeSkin(folder, "s.ini", lines), folder.path()));
    return skin;
}

// The defaults with the texts of a file that names none.
CSkin defaultsWithoutTexts()
{
    CSkin skin;
    skin.DesignName.clear();
    skin.QuestionTitle_str.clear();
    skin.AnswerTitle_str.clear();
    skin.HintTitle_str.clear();
    return skin;
}

TEST(Skin, ShippedDefaultHoldsExactlyTheBuiltInDefaults)
{
    CSkin skin;
    skin.DlgWidth_n = 1;
    ASSERT_TRUE(skin.loadSkin(shippedSkin("default.ini"), "/nonexistent"));
    EXPECT_TRUE(skin == CSkin());
    EXPECT_EQ(skin.DesignName, cp932::text("標準設定"));
    EXPECT_EQ(skin.InputArea_rc, (SkinRect { 189, 265, 789, 287 }));
    EXPECT_EQ(*skin.replyButton(4), (SkinRect { 120, 285, 170, 307 }));
    EXPECT_EQ(*skin.replyAnswer(3), (SkinRect { 190, 255, 780, 277 }));
    EXPECT_EQ(skin.replyButton(5), nullptr);
}

TEST(Skin, ShippedSkinsKeepEveryControlInsideTheirWindow)
{
    for (const char *name : { "default.ini", "compact.ini", "large.ini" }) {
        CSkin skin;
        ASSERT_TRUE(skin.loadSkin(shippedSkin(name), "/nonexistent")) << name;
        EXPECT_FALSE(skin.DesignName.empty()) << name;
        const SkinRect rects[] = { skin.TitleMessage_rc,  skin.LastQuestionModify_rc,
                                   skin.InfoGroup_rc,     skin.AnswerIndicater_rc,
                                   skin.Question_rc,      skin.InputArea_rc,
                                   skin.Hint_rc,          skin.OkButton_rc,
                                   skin.CancelButton_rc,  skin.Progress_rc,
                                   skin.TransLimitBar_rc, *skin.replyAnswer(4),
                                   skin.EJQuestion_rc,    skin.CorrectingRate_rc };
        for (const SkinRect &rect : rects) {
            EXPECT_GT(rect.left, skin.PaddingX_n - 15) << name;
            EXPECT_LE(rect.right, skin.DlgWidth_n - 6) << name;
            EXPECT_LE(rect.bottom, skin.DlgHeight_n - 30) << name;
        }
    }
}

TEST(Skin, OneKeySetsOneValueAndTheTextsBecomeEmpty)
{
    CSkin expected = defaultsWithoutTexts();
    expected.DlgWidth_n = 640;
    EXPECT_TRUE(loaded({ "DlgWidth_n=640" }) == expected);
}

TEST(Skin, IntegerKeys)
{
    const struct
    {
        std::string value;
        int padding;
    } rows[] = { { "-1", 95 }, { "", 95 },    { "120", 120 }, { "12abc", 12 },
                 { "abc", 0 }, { " -3", -3 }, { "0", 0 } };
    for (const auto &row : rows)
        EXPECT_EQ(loaded({ "PaddingX_n=" + row.value }).PaddingX_n, row.padding) << row.value;
}

TEST(Skin, RectangleKeysNeedFourIntegersEachWithItsComma)
{
    const SkinRect fallback = CSkin().InputArea_rc;
    const SkinRect placed { 10, 20, 310, 42 };
    const struct
    {
        std::string value;
        SkinRect rect;
    } rows[] = {
        { "10,20,300,22", placed },
        { "10, 20, 300, 22", placed },
        { "10,\t20,  300,22", placed },
        { "\"10, 20, 300, 22\"", placed },
        { "10,20,300,22 trailing", placed },
        { "10,20,300,22,99", placed },
        { "+10,20,300,22", placed },
        { "-10,-20,5,5", { -10, -20, -5, -15 } },
        { "10 ,20,300,22", fallback },
        { "10,20,300", fallback },
        { "10;20;300;22", fallback },
        { "a,20,300,22", fallback },
        { "10,20,,22", fallback },
        { "", fallback },
        { "10,20,99999999999,22", fallback },
        { "10,20,2147483647,22", fallback },
    };
    for (const auto &row : rows)
        EXPECT_EQ(loaded({ "InputArea_rc=" + row.value }).InputArea_rc, row.rect) << row.value;
}

TEST(Skin, PositionKeysNeedTwoIntegers)
{
    const SkinPoint fallback = CSkin().QuestionTitle_pos;
    const struct
    {
        std::string value;
        SkinPoint point;
    } rows[] = { { "5, 6", { 5, 6 } }, { "5,6", { 5, 6 } }, { "5 , 6", fallback },
                 { "5", fallback },    { "x", fallback },   { "5,6,7", { 5, 6 } } };
    for (const auto &row : rows)
        EXPECT_EQ(loaded({ "QuestionTitle_pos=" + row.value }).QuestionTitle_pos, row.point)
            << row.value;
}

TEST(Skin, TextKeysAreTakenAsTheyAre)
{
    const std::string title = cp932::text("問題ソ表>>");
    const CSkin skin = loaded({ "DesignName=" + cp932::text("青い空"), "QuestionTitle_str=" + title,
                                "AnswerTitle_str=  A  >>  " });
    EXPECT_EQ(skin.DesignName, cp932::text("青い空"));
    EXPECT_EQ(skin.QuestionTitle_str, title);
    EXPECT_EQ(skin.AnswerTitle_str, "A  >>");
    EXPECT_EQ(skin.HintTitle_str, "");
}

TEST(Skin, LongTextsAreCutAtTheProfileBufferOnACharacterBoundary)
{
    const std::string head(1022, 'x');
    const CSkin skin = loaded({ "HintTitle_str=" + head + cp932::text("表") + "yy" });
    EXPECT_EQ(skin.HintTitle_str, head);
    EXPECT_EQ(loaded({ "HintTitle_str=" + head + "yzz" }).HintTitle_str, head + "y");
}

TEST(Skin, RelativePathFallsBackToTheProgramFolder)
{
    TempFolder program;
    ASSERT_TRUE(env::makeFolders(program.file("skin")));
    writeSkin(program, "skin/blue.ini", { "DlgHeight_n=480" });
    CSkin skin;
    EXPECT_TRUE(skin.loadSkin("skin/blue.ini", program.path()));
    EXPECT_EQ(skin.DlgHeight_n, 480);
}

TEST(Skin, NoFileLeavesEveryDefault)
{
    TempFolder folder;
    const std::string existing = writeSkin(folder, "s.ini", { "DlgWidth_n=640" });
    for (const std::string &path :
         { std::string(), folder.file("missing.ini"), std::string("missing.ini"), folder.path() }) {
        CSkin skin;
        ASSERT_TRUE(skin.loadSkin(existing, folder.path()));
        EXPECT_FALSE(skin.loadSkin(path, folder.path())) << path;
        EXPECT_TRUE(skin == CSkin()) << path;
    }
}

TEST(Skin, ListOfTheFolderWithDesignNamesAndTheFirstTwentySelectable)
{
    TempFolder folder;
    for (int i = 0; i < 22; ++i) {
        const std::string name = formatText("s%02d.ini", i);
        writeSkin(folder, name, { "DesignName=" + cp932::text("スキン") + std::to_string(i) });
    }
    writeSkin(folder, "UPPER.INI", { "DesignName=up" });
    writeSkin(folder, "notes.txt", { "DesignName=no" });
    writeSkin(folder, cp932::text("表.ini"), {});
    ASSERT_TRUE(env::makeFolders(folder.file("dir.ini")));

    const std::vector<SkinMenuEntry> entries = listSkins(folder.file("s00.ini"), "/nonexistent");
    ASSERT_EQ(entries.size(), 24u);
    EXPECT_EQ(entries[0].path, folder.file("UPPER.INI"));
    EXPECT_EQ(entries[0].designName, "up");
    EXPECT_EQ(entries[1].designName, cp932::text("スキン0"));
    EXPECT_EQ(entries[22].path, folder.file("s21.ini"));
    EXPECT_EQ(entries[23].path, folder.file(cp932::text("表.ini")));
    EXPECT_EQ(entries[23].designName, "");
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].selectable, i < 20) << i;
        EXPECT_EQ(entries[i].current, i == 1) << i; // s00.ini
    }
    // A name that differs in case or only ends the same is not the current one.
    for (const char *other : { "S00.ini", "0.ini", "none.ini" }) {
        for (const SkinMenuEntry &entry : listSkins(folder.file(other), "/nonexistent"))
            EXPECT_FALSE(entry.current) << other << " " << entry.path;
    }
}

TEST(Skin, ListOfARelativeFolderUnderTheProgramFolder)
{
    TempFolder program;
    ASSERT_TRUE(env::makeFolders(program.file("skins-x")));
    writeSkin(program, "skins-x/a.ini", { "DesignName=A" });
    const std::vector<SkinMenuEntry> entries = listSkins("skins-x/current.ini", program.path());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].designName, "A");
    EXPECT_TRUE(listSkins("no-such-folder/x.ini", program.path()).empty());
}

} // namespace
} // namespace kvr
