#include "app/ui/splashloader.h"

#include <QEventLoop>
#include <QFutureWatcher>
#include <QMetaObject>
#include <QtConcurrent/QtConcurrentRun>

#include "app/ui/splashdlg.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

bool runBehindSplash(CSplashDlg &splash, const std::function<bool(const StatusReport &)> &load)
{
    // The status line changes on the splash's own thread; a report still on its way when the
    // splash is gone is dropped with it.
    const StatusReport status = [&splash](std::string text) {
        QMetaObject::invokeMethod(
            &splash, [&splash, shown = qtext(text)] { splash.setStatus(shown); },
            Qt::QueuedConnection);
    };
    QFutureWatcher<bool> watcher;
    QEventLoop loop;
    QObject::connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(QtConcurrent::run([&load, &status]() noexcept {
        try {
            return load(status);
        } catch (...) {
            return false;
        }
    }));
    // Modal like a dialog, but on a loop of its own: showing a window may already deliver
    // the watcher's "finished", which would end a dialog's exec() before it began.
    splash.setWindowModality(Qt::ApplicationModal);
    splash.show();
    if (!watcher.isFinished())
        loop.exec();
    watcher.waitForFinished();
    splash.hide();
    return watcher.result();
}

} // namespace kvr::ui
