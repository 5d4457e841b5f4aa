#pragma once

#include "drill/skin.h"

namespace kvr {

// The space a window may take on its screen (the screen's available area), in pixels.
struct ScreenSize
{
    int width = 0;
    int height = 0;
};

// The smallest window a skin can ask for: the drill window's controls need some room.
constexpr int kSmallestSkinWidth = 106;
constexpr int kSmallestSkinHeight = 130;

// The skin bounded so that a skin file cannot ask for more than the screen holds: the window
// size between the smallest window and the screen's available size, the font heights and the
// pass list's step between 1 (0 for the step) and the window's height, and every position
// and rectangle inside the window (a rectangle's right and bottom never before its left and
// top). Values already inside are kept, so the shipped skins are untouched. Worked out in
// 64-bit arithmetic: any int the file holds is safe.
CSkin fittedToScreen(const CSkin &skin, ScreenSize available);

} // namespace kvr
