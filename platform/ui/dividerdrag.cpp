#include "platform/ui/dividerdrag.h"

#include <QMouseEvent>
#include <QRubberBand>
#include <QWidget>

namespace kvr::ui {

CDividerDrag::CDividerDrag(QWidget *window, Window parts)
    : m_window(window)
    , m_parts(std::move(parts))
{
}

bool CDividerDrag::mouseMove(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    if (m_dragging) {
        if (!(event->buttons() & Qt::LeftButton))
            finish(at); // the button went up outside the window: the drop happens now
        else
            showBand(at.x());
        return true;
    }
    if (m_parts.onDivider(at))
        m_window->setCursor(Qt::SplitHCursor);
    else
        m_window->unsetCursor();
    return false;
}

bool CDividerDrag::mousePress(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !m_parts.onDivider(at))
        return false;
    if (!m_band) {
        m_band = new QRubberBand(QRubberBand::Line, m_window);
        m_band->setObjectName(QStringLiteral("dividerBand"));
    }
    m_dragging = true;
    showBand(at.x());
    m_band->show();
    m_band->raise();
    return true;
}

bool CDividerDrag::mouseRelease(QMouseEvent *event)
{
    if (!m_dragging || event->button() != Qt::LeftButton)
        return false;
    finish(event->position().toPoint());
    return true;
}

void CDividerDrag::showBand(int x)
{
    const QRect span = m_parts.bandSpan();
    m_band->setGeometry(x - 1, span.top(), 3, span.height());
}

void CDividerDrag::finish(QPoint at)
{
    m_dragging = false;
    m_band->hide();
    m_window->unsetCursor();
    m_parts.drop(at);
}

} // namespace kvr::ui
