#include "app/ui/splashloader.h"

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
    QObject::connect(&watcher, &QFutureWatcherBase::finished, &splash, &QDialog::accept);
    watcher.setFuture(QtConcurrent::run([&load, &status]() noexcept {
        try {
            return load(status);
        } catch (...) {
            return false;
        }
    }));
    splash.exec();
    watcher.waitForFinished();
    return watcher.result();
}

} // namespace kvr::ui
