#pragma once

#include <string>

#include "platform/rgb.h"

// What the history pages paint, as plain data: the pages draw these records in order and
// decide nothing themselves. Coordinates are pixels in the page's client area, origin at
// the top left, y growing downwards; they may be fractional.
namespace kvr {

// The fonts of the pages: "ＭＳ ゴシック" 13 and 10 pixels, "ＭＳ 明朝" 13 pixels (Shift_JIS).
enum class PageFont { Gothic13, Gothic10, Mincho13 };

// A text drawn with its top-left corner at (x, y) on a transparent background.
struct PaintText
{
    std::string text; // CP932
    double x = 0;
    double y = 0;
    Rgb colour;
    PageFont font = PageFont::Gothic13;
    bool operator==(const PaintText &) const = default;
};

// A rectangle from (left, top) to (right, bottom); right and bottom lie outside it, so its
// width is right - left.
struct RectF
{
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
    double width() const { return right - left; }
    double height() const { return bottom - top; }
    bool operator==(const RectF &) const = default;
};

struct PointF
{
    double x = 0;
    double y = 0;
    bool operator==(const PointF &) const = default;
};

inline constexpr Rgb kPaintBlack { 0, 0, 0 };
inline constexpr Rgb kPaintWhite { 255, 255, 255 };
inline constexpr Rgb kPaintGrey { 128, 128, 128 };
inline constexpr Rgb kRateRed { 255, 0, 0 }; // rate below 0.5
inline constexpr Rgb kRateNavy { 0, 0, 128 }; // 0.5 to below 0.8
inline constexpr Rgb kRateBlue { 0, 0, 255 }; // 0.8 and above
inline constexpr Rgb kKeySpeedGreen { 0, 96, 0 };
inline constexpr Rgb kGraphHighlight { 224, 224, 224 };
inline constexpr Rgb kGraphLine { 0, 0, 255 };
inline constexpr Rgb kProgressDone { 0, 0, 255 }; // questions taken by the series
inline constexpr Rgb kProgressFill { 0, 255, 0 };
inline constexpr Rgb kSeedText { 64, 128, 64 };

} // namespace kvr
