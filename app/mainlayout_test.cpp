#include <gtest/gtest.h>

#include "app/mainlayout.h"
#include "platform/cp932.h"

namespace kvr {

void PrintTo(const Rect &r, std::ostream *os)
{
    *os << "{" << r.x << "," << r.y << " " << r.width << "x" << r.height << "}";
}

namespace {

TEST(MainLayout, PanesAndInfoFieldsOfADefaultWindow)
{
    const MainLayout l = layoutMainWindow({ 600, 420 }, 370);
    // Left pane 600 - 370 - 3 = 227 wide; fields right of the 65-pixel label column.
    EXPECT_EQ(l.toolbar, (Rect { 0, 0, 600, 25 }));
    EXPECT_EQ(l.tree, (Rect { 4, 25, 219, 420 - 165 - 5 - 25 }));
    EXPECT_EQ(l.tabArea, (Rect { 230, 25, 370, 395 }));
    EXPECT_EQ(l.noteField, (Rect { 4, 420 - 165, 219, 55 }));
    EXPECT_EQ(l.copyrightField, (Rect { 75, 420 - 100, 148, 23 }));
    EXPECT_EQ(l.inputterField, (Rect { 75, 420 - 70, 148, 23 }));
    EXPECT_EQ(l.countField, (Rect { 75, 420 - 40, 148, 23 }));
    EXPECT_EQ(l.sizeGrip, (Rect { 584, 404, 16, 16 }));
    const char *texts[] = { "著作権者", "問題入力者", "問題数" };
    const int tops[] = { 97, 67, 37 };
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(l.labels[i].text, cp932::text(texts[i]));
        EXPECT_EQ(l.labels[i].rect, (Rect { 4, 420 - tops[i], 65, 13 }));
        EXPECT_LE(l.labels[i].rect.right(), l.copyrightField.x);
    }
    EXPECT_EQ(infoLabelFontFamily(), cp932::text("ＭＳ 明朝"));
}

TEST(MainLayout, FieldsFollowTheBottomAndThePaneFollowsTheDivider)
{
    const struct
    {
        Size client;
        int period;
        int paneWidth; // the note field spans it less the margins
        int tabX;
    } rows[] = {
        { { 998, 690 }, 370, 625, 628 },
        { { 998, 690 }, 700, 295, 298 },
        // A divider too far left stops where the info fields keep their minimum width.
        { { 614, 421 }, 700, 179, 182 },
        { { 100, 100 }, 370, 97, 100 },
    };
    for (const auto &row : rows) {
        const MainLayout l = layoutMainWindow(row.client, row.period);
        const int h = row.client.height;
        EXPECT_EQ(l.noteField.width, std::max(0, row.paneWidth - 8)) << row.client.width;
        EXPECT_EQ(l.tabArea.x, row.tabX);
        EXPECT_EQ(l.tabArea.right(), row.client.width);
        EXPECT_EQ(h - l.noteField.y, 165);
        EXPECT_EQ(h - l.noteField.bottom(), 110);
        EXPECT_EQ(h - l.countField.bottom(), 17);
        EXPECT_GE(l.tree.height, 0);
        if (row.client.width > kMinPaneWidth + kSplitterWidth) {
            for (const Rect &field : { l.copyrightField, l.inputterField, l.countField })
                EXPECT_GE(field.width, kMinInfoFieldWidth) << row.client.width;
        }
    }
}

TEST(MainLayout, WindowOverOwnerStaysWhollyOnTheScreen)
{
    const Rect screen { 0, 0, 1280, 800 };
    const Rect second { 1280, 0, 1024, 768 };
    const struct
    {
        Size window;
        Rect owner;
        Rect screen;
        Rect placed;
    } rows[] = {
        { { 720, 590 }, { 300, 100, 630, 460 }, screen, { 255, 35, 720, 590 } }, // centred
        { { 720, 590 }, { 0, 0, 630, 460 }, screen, { 0, 0, 720, 590 } }, // top-left corner
        { { 720, 590 }, { 900, 600, 630, 460 }, screen, { 560, 210, 720, 590 } }, // off right
        { { 720, 590 }, { 1400, 300, 630, 460 }, second, { 1355, 178, 720, 590 } },
        { { 1500, 900 }, { 100, 100, 630, 460 }, screen, { 0, 0, 1280, 800 } }, // too large
    };
    for (const auto &row : rows)
        EXPECT_EQ(windowOverOwner(row.window, row.owner, row.screen), row.placed) << row.owner.x;
}

TEST(MainLayout, SplitterHitDropAndGrip)
{
    const Size client { 600, 400 };
    // The divider lies 370 pixels from the right edge: x = 230.
    const struct
    {
        int x, y;
        bool hit;
    } rows[] = {
        { 230, 200, true },  { 227, 200, true },  { 233, 200, true },
        { 226, 200, false }, { 234, 200, false }, { 230, 20, true },
        { 230, 19, false },  { 230, 380, true },  { 230, 381, false },
    };
    for (const auto &row : rows)
        EXPECT_EQ(splitterHit(row.x, row.y, client, 370), row.hit) << row.x << "," << row.y;
    EXPECT_TRUE(splitterHit(182, 200, { 614, 400 }, 700)); // where it was kept

    EXPECT_EQ(treeLogPeriodAfterDrop(0, 1000), 700); // far left
    EXPECT_EQ(treeLogPeriodAfterDrop(-200, 600), 700);
    EXPECT_EQ(treeLogPeriodAfterDrop(999, 1000), 370); // far right
    EXPECT_EQ(treeLogPeriodAfterDrop(1200, 1000), 370);
    EXPECT_EQ(treeLogPeriodAfterDrop(500, 1000), 500);

    EXPECT_EQ(splitterDragBand(230, client), (Rect { 217, 0, 27, 400 }));

    EXPECT_TRUE(sizeGripHit(599, 399, client));
    EXPECT_TRUE(sizeGripHit(584, 384, client));
    EXPECT_FALSE(sizeGripHit(583, 399, client));
    EXPECT_FALSE(sizeGripHit(599, 383, client));
}

} // namespace
} // namespace kvr
