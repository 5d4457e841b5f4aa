#pragma once

#include <functional>

#include <QPoint>
#include <QRect>

class QMouseEvent;
class QRubberBand;
class QWidget;

namespace kvr::ui {

// A divider between two panes moved with the left button: the cursor shows where it can be
// taken, a line band follows the mouse while it is dragged, and the drop hands the place to
// the window. Positions are in the window's coordinates.
class CDividerDrag
{
public:
    struct Window
    {
        std::function<bool(QPoint at)> onDivider; // the divider can be taken at `at`
        std::function<QRect()> bandSpan; // where the band runs (its x is the mouse's)
        std::function<void(QPoint at)> drop; // the divider was let go at `at`
    };
    CDividerDrag(QWidget *window, Window parts);

    // Each is true when it took the event; otherwise the window's base handler runs.
    bool mouseMove(QMouseEvent *event);
    bool mousePress(QMouseEvent *event);
    bool mouseRelease(QMouseEvent *event);

private:
    void showBand(int x);
    void finish(QPoint at);

    QWidget *m_window;
    Window m_parts;
    QRubberBand *m_band = nullptr; // made on the first drag, owned by the window
    bool m_dragging = false;
};

} // namespace kvr::ui
