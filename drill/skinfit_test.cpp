#include <climits>
#include <gtest/gtest.h>

#include "drill/drillwindow.h"
#include "drill/skinfit.h"

namespace kvr {
namespace {

constexpr ScreenSize kScreen { 1920, 1040 };

TEST(SkinFit, ShippedDefaultsStayAsTheyAre)
{
    const CSkin skin;
    EXPECT_EQ(fittedToScreen(skin, kScreen), skin);
}

TEST(SkinFit, WindowSizeIsBoundedByTheScreenAndTheSmallestWindow)
{
    struct Case
    {
        int width, height;
        int fittedWidth, fittedHeight;
    };
    const Case cases[] = {
        { 640, 480, 640, 480 },
        { 99999, 99999, 1920, 1040 },
        { INT_MAX, INT_MAX, 1920, 1040 },
        { INT_MIN, INT_MIN, kSmallestSkinWidth, kSmallestSkinHeight },
        { 0, -5, kSmallestSkinWidth, kSmallestSkinHeight },
    };
    for (const Case &c : cases) {
        CSkin skin;
        skin.DlgWidth_n = c.width;
        skin.DlgHeight_n = c.height;
        const CSkin fitted = fittedToScreen(skin, kScreen);
        EXPECT_EQ(fitted.DlgWidth_n, c.fittedWidth) << c.width;
        EXPECT_EQ(fitted.DlgHeight_n, c.fittedHeight) << c.height;
    }
}

TEST(SkinFit, AScreenSmallerThanTheSmallestWindowStillGivesTheSmallestWindow)
{
    const CSkin fitted = fittedToScreen(CSkin(), { 0, 0 });
    EXPECT_EQ(fitted.DlgWidth_n, kSmallestSkinWidth);
    EXPECT_EQ(fitted.DlgHeight_n, kSmallestSkinHeight);
}

TEST(SkinFit, PositionsAndRectanglesStayInsideTheWindow)
{
    struct Case
    {
        SkinRect rect;
        SkinRect fitted;
    };
    // Window 800 x 400.
    const Case cases[] = {
        { { 10, 20, 310, 42 }, { 10, 20, 310, 42 } },
        { { INT_MIN, INT_MIN, INT_MAX, INT_MAX }, { 0, 0, 800, 400 } },
        { { 790, 390, 2000000000, 2000000000 }, { 790, 390, 800, 400 } },
        { { 900, 500, 950, 550 }, { 800, 400, 800, 400 } },
        { { 300, 200, 100, 50 }, { 300, 200, 300, 200 } }, // right before left
    };
    for (const Case &c : cases) {
        CSkin skin;
        skin.InputArea_rc = c.rect;
        skin.EJQuestion_rc = c.rect;
        const CSkin fitted = fittedToScreen(skin, kScreen);
        EXPECT_EQ(fitted.InputArea_rc, c.fitted) << c.rect.left << "," << c.rect.top;
        EXPECT_EQ(fitted.EJQuestion_rc, c.fitted) << c.rect.left << "," << c.rect.top;
    }
    CSkin skin;
    skin.HintTitle_pos = { INT_MIN, INT_MAX };
    skin.PaddingX_n = INT_MAX;
    EXPECT_EQ(fittedToScreen(skin, kScreen).HintTitle_pos, (SkinPoint { 0, 400 }));
    EXPECT_EQ(fittedToScreen(skin, kScreen).PaddingX_n, 800);
}

TEST(SkinFit, FontHeightsAndThePassListStepAreBounded)
{
    struct Case
    {
        int value, font, span;
    };
    const Case cases[] = { { 15, 15, 15 }, { INT_MAX, 400, 400 }, { INT_MIN, 1, 0 }, { 0, 1, 0 } };
    for (const Case &c : cases) {
        CSkin skin;
        skin.ReplyInfoNormalFontSize_n = c.value;
        skin.ReplyInfoBigFontSize_n = c.value;
        skin.ReplyInfo_OutputSpan_n = c.value;
        const CSkin fitted = fittedToScreen(skin, kScreen);
        EXPECT_EQ(fitted.ReplyInfoNormalFontSize_n, c.font) << c.value;
        EXPECT_EQ(fitted.ReplyInfoBigFontSize_n, c.font) << c.value;
        EXPECT_EQ(fitted.ReplyInfo_OutputSpan_n, c.span) << c.value;
    }
}

TEST(SkinFit, ExtremeWindowSizesDoNotWrapTheClientArea)
{
    CSkin skin;
    skin.DlgWidth_n = INT_MIN;
    skin.DlgHeight_n = INT_MIN;
    EXPECT_GT(drillClientSize(skin).width, 0);
    EXPECT_GT(drillClientSize(skin).height, 0);
    EXPECT_EQ(separatorBottom(skin), 0);
}

} // namespace
} // namespace kvr
