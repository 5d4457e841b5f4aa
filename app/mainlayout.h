#pragma once

#include <array>
#include <string>

namespace kvr {

// Geometry of the main window's client area, in pixels; y grows downwards.
struct Rect
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int right() const { return x + width; } // one past the last column
    int bottom() const { return y + height; }
    bool contains(int px, int py) const
    {
        return px >= x && px < right() && py >= y && py < bottom();
    }
    bool operator==(const Rect &) const = default;
};

struct Size
{
    int width = 0;
    int height = 0;
    bool operator==(const Size &) const = default;
};

constexpr int kToolbarHeight = 25;
constexpr int kSplitterWidth = 3; // between the left pane and the tab area
constexpr int kPaneMargin = 4; // around the controls of the left pane
constexpr int kInfoLabelFontPixels = 13;
constexpr int kInfoLabelWidth = 5 * kInfoLabelFontPixels; // "問題入力者", the widest label
constexpr int kInfoLabelGap = 6; // between a label and its field
constexpr int kTreeGap = 5; // between the tree and the note field
constexpr Size kMinTrackSize { 630, 460 }; // the window, frame included
constexpr Size kMaxTrackSize { 1014, 728 };

// "ＭＳ 明朝", the info labels' font (CP932).
std::string infoLabelFontFamily();

// A label painted left of its field; the text's top sits 3 pixels below the field's top,
// so the 13-pixel text is centred in the 23-pixel field.
struct InfoLabel
{
    std::string text; // CP932: "著作権者", "問題入力者", "問題数"
    Rect rect;
};

struct MainLayout
{
    Rect toolbar;
    Rect tree; // left pane, below the toolbar down to the note field
    Rect tabArea; // TreeLogPeriod wide, at the right edge
    Rect noteField; // 165 … 110 above the bottom
    Rect copyrightField; // "著作権者": 100 … 77
    Rect inputterField; // "問題入力者": 70 … 47
    Rect countField; // "問題数": 40 … 17
    std::array<InfoLabel, 3> labels; // text tops 97, 67 and 37 above the bottom
    Rect sizeGrip; // the 16 × 16 square in the bottom-right corner
};

// The divider's distance from the right edge as laid out: TreeLogPeriod, but never so
// large that the left pane gets narrower than kMinPaneWidth, where the fields "著作権者",
// "問題入力者" and "問題数" keep kMinInfoFieldWidth (the divider stays on the client area,
// where it can be dragged back).
constexpr int kMinInfoFieldWidth = 100;
constexpr int kMinPaneWidth =
    kPaneMargin + kInfoLabelWidth + kInfoLabelGap + kMinInfoFieldWidth + kPaneMargin;
int visibleTreeLogPeriod(int clientWidth, int treeLogPeriod);

// The left pane is clientWidth − TreeLogPeriod − 3 wide. Sizes never go below 0.
MainLayout layoutMainWindow(Size client, int treeLogPeriod, int toolbarHeight = kToolbarHeight);

// The splitter.
constexpr int kSplitterHitTolerance = 3;
constexpr int kSplitterEdgeMargin = 20; // no hit this close to the top or bottom
constexpr int kSplitterBandHalfWidth = 13; // repainted either side of the cursor while dragging
constexpr int kMinTreeLogPeriod = 370;
constexpr int kMaxTreeLogPeriod = 700;
constexpr int kSizeGripSize = 16;

// Whether the cursor at (x, y) is on the divider (and the splitter cursor shows).
bool splitterHit(int x, int y, Size client, int treeLogPeriod);
// TreeLogPeriod after the divider is dropped at x: clientWidth − x within 370 … 700.
int treeLogPeriodAfterDrop(int x, int clientWidth);
// The band to repaint around the cursor while dragging.
Rect splitterDragBand(int x, Size client);
// Where a window of the given outer size (frame included) opens over its owner: centred
// on the owner, made no larger than the screen's available area and moved wholly onto it
// (the help window, which would otherwise open partly off the screen).
Rect windowOverOwner(Size window, const Rect &owner, const Rect &screen);

// Whether (x, y) is in the size-grip square (diagonal cursor; a click resizes).
bool sizeGripHit(int x, int y, Size client);

} // namespace kvr
