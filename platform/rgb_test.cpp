#include <gtest/gtest.h>

#include "platform/rgb.h"

namespace kvr {
namespace {

TEST(Rgb, TextOnABackgroundIsBlackOnLightAndWhiteOnDark)
{
    const struct
    {
        Rgb background;
        bool dark;
    } rows[] = {
        { { 160, 208, 255 }, false }, // the default light blue
        { { 255, 255, 255 }, false },
        { { 255, 255, 0 }, false }, // yellow is light although blue is 0
        { { 0, 255, 0 }, false },
        { { 0, 0, 128 }, true }, // navy
        { { 0, 0, 255 }, true }, // pure blue is dark to the eye
        { { 128, 0, 0 }, true },
        { { 0, 0, 0 }, true },
        { { 128, 128, 128 }, false }, // mid grey stays with black text
        { { 127, 127, 127 }, true },
    };
    for (const auto &row : rows) {
        EXPECT_EQ(isDarkColour(row.background), row.dark)
            << int(row.background.red) << "," << int(row.background.green) << ","
            << int(row.background.blue);
        const TextColours colours = textColoursOn(row.background);
        EXPECT_EQ(colours.text, row.dark ? (Rgb { 255, 255, 255 }) : (Rgb { 0, 0, 0 }));
        // Disabled text is neither the text nor the background, and still on the text's side.
        EXPECT_NE(colours.disabled, colours.text);
        EXPECT_NE(colours.disabled, row.background);
    }
    EXPECT_EQ(textColoursOn({ 0, 0, 0 }).disabled, (Rgb { 140, 140, 140 }));
    EXPECT_EQ(textColoursOn({ 255, 255, 255 }).disabled, (Rgb { 114, 114, 114 }));
}

} // namespace
} // namespace kvr
