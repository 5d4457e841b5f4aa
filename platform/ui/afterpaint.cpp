#include "platform/ui/afterpaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace kvr::ui {

namespace {

// Owned by the window; gone with it or after the work ran.
class CFirstPaintWatch final : public QObject
{
public:
    CFirstPaintWatch(QWidget &window, std::function<void()> work)
        : QObject(&window)
        , m_work(std::move(work))
    {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched == parent() && m_work) {
            watched->removeEventFilter(this);
            // After this paint event has returned and its picture has been flushed.
            QTimer::singleShot(0, this, [this] {
                const std::function<void()> work = std::move(m_work);
                deleteLater();
                work();
            });
        }
        return false;
    }

private:
    std::function<void()> m_work;
};

} // namespace

void runAfterFirstPaint(QWidget &window, std::function<void()> work)
{
    new CFirstPaintWatch(window, std::move(work));
}

} // namespace kvr::ui
