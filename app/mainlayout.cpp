#include "app/mainlayout.h"

#include <algorithm>
#include <cstdlib>

#include "platform/cp932.h"

namespace kvr {

namespace {

// One row of the info block: its distance from the bottom to the top and to the bottom.
struct Row
{
    int top;
    int bottom;
};
constexpr Row kNoteRow { 165, 110 };
constexpr Row kCopyrightRow { 100, 77 };
constexpr Row kInputterRow { 70, 47 };
constexpr Row kCountRow { 40, 17 };
constexpr int kLabelDrop = 3; // the label text's top below its field's top

Rect span(int x, int width, int clientHeight, Row row)
{
    return { x, clientHeight - row.top, std::max(0, width), row.top - row.bottom };
}

InfoLabel label(const char *utf8, int clientHeight, Row row)
{
    return { cp932::text(utf8),
             { kPaneMargin, clientHeight - row.top + kLabelDrop, kInfoLabelWidth,
               kInfoLabelFontPixels } };
}

Rect sizeGripRect(Size client)
{
    return { client.width - kSizeGripSize, client.height - kSizeGripSize, kSizeGripSize,
             kSizeGripSize };
}

} // namespace

std::string infoLabelFontFamily()
{
    return cp932::text("ＭＳ 明朝");
}

int visibleTreeLogPeriod(int clientWidth, int treeLogPeriod)
{
    return std::clamp(treeLogPeriod, 0, std::max(0, clientWidth - kSplitterWidth - kMinPaneWidth));
}

MainLayout layoutMainWindow(Size client, int treeLogPeriod, int toolbarHeight)
{
    const int period = visibleTreeLogPeriod(client.width, treeLogPeriod);
    const int paneWidth = std::max(0, client.width - period - kSplitterWidth);
    const int innerWidth = paneWidth - 2 * kPaneMargin;
    const int fieldX = kPaneMargin + kInfoLabelWidth + kInfoLabelGap;
    const int fieldWidth = paneWidth - fieldX - kPaneMargin;
    const int h = client.height;

    MainLayout layout;
    layout.toolbar = { 0, 0, client.width, toolbarHeight };
    const int treeBottom = h - kNoteRow.top - kTreeGap;
    layout.tree = { kPaneMargin, toolbarHeight, std::max(0, innerWidth),
                    std::max(0, treeBottom - toolbarHeight) };
    layout.tabArea = { client.width - period, toolbarHeight, period,
                       std::max(0, h - toolbarHeight) };
    layout.noteField = span(kPaneMargin, innerWidth, h, kNoteRow);
    layout.copyrightField = span(fieldX, fieldWidth, h, kCopyrightRow);
    layout.inputterField = span(fieldX, fieldWidth, h, kInputterRow);
    layout.countField = span(fieldX, fieldWidth, h, kCountRow);
    layout.labels = { label("著作権者", h, kCopyrightRow), label("問題入力者", h, kInputterRow),
                      label("問題数", h, kCountRow) };
    layout.sizeGrip = sizeGripRect(client);
    return layout;
}

bool splitterHit(int x, int y, Size client, int treeLogPeriod)
{
    const int period = visibleTreeLogPeriod(client.width, treeLogPeriod);
    return std::abs(client.width - x - period) <= kSplitterHitTolerance && y >= kSplitterEdgeMargin
        && y <= client.height - kSplitterEdgeMargin;
}

int treeLogPeriodAfterDrop(int x, int clientWidth)
{
    return std::clamp(clientWidth - x, kMinTreeLogPeriod, kMaxTreeLogPeriod);
}

Rect splitterDragBand(int x, Size client)
{
    return { x - kSplitterBandHalfWidth, 0, 2 * kSplitterBandHalfWidth + 1, client.height };
}

Rect windowOverOwner(Size window, const Rect &owner, const Rect &screen)
{
    const int width = std::clamp(window.width, 0, screen.width);
    const int height = std::clamp(window.height, 0, screen.height);
    const int x = owner.x + (owner.width - width) / 2;
    const int y = owner.y + (owner.height - height) / 2;
    return { std::clamp(x, screen.x, screen.right() - width),
             std::clamp(y, screen.y, screen.bottom() - height), width, height };
}

bool sizeGripHit(int x, int y, Size client)
{
    return sizeGripRect(client).contains(x, y);
}

} // namespace kvr
