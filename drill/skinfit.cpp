#include "drill/skinfit.h"

#include <algorithm>

namespace kvr {

namespace {

int bounded(long long value, long long low, long long high)
{
    return static_cast<int>(std::clamp(value, low, std::max(low, high)));
}

struct WindowBox
{
    long long width;
    long long height;
};

void fitPoint(SkinPoint &point, WindowBox box)
{
    point.x = bounded(point.x, 0, box.width);
    point.y = bounded(point.y, 0, box.height);
}

void fitRect(SkinRect &rect, WindowBox box)
{
    rect.left = bounded(rect.left, 0, box.width);
    rect.top = bounded(rect.top, 0, box.height);
    rect.right = bounded(rect.right, rect.left, box.width);
    rect.bottom = bounded(rect.bottom, rect.top, box.height);
}

} // namespace

CSkin fittedToScreen(const CSkin &skin, ScreenSize available)
{
    CSkin fitted = skin;
    fitted.DlgWidth_n = bounded(skin.DlgWidth_n, kSmallestSkinWidth, available.width);
    fitted.DlgHeight_n = bounded(skin.DlgHeight_n, kSmallestSkinHeight, available.height);
    const WindowBox box { fitted.DlgWidth_n, fitted.DlgHeight_n };

    fitted.ReplyInfoNormalFontSize_n = bounded(skin.ReplyInfoNormalFontSize_n, 1, box.height);
    fitted.ReplyInfoBigFontSize_n = bounded(skin.ReplyInfoBigFontSize_n, 1, box.height);
    fitted.ReplyInfo_OutputSpan_n = bounded(skin.ReplyInfo_OutputSpan_n, 0, box.height);
    fitted.PaddingX_n = bounded(skin.PaddingX_n, 0, box.width);

    for (SkinPoint *point : skinPoints(fitted))
        fitPoint(*point, box);
    for (SkinRect *rect : skinRects(fitted))
        fitRect(*rect, box);
    return fitted;
}

} // namespace kvr
