#pragma once

// Timing a Qt program's start, as a user meets it, in a fresh child process: from the fork
// to the end of the first paint of the window the program shows when it is ready. The
// parent must not have created a QApplication (nor any thread) before.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <poll.h>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QMessageBox>
#include <QObject>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace kvr::bench {

// What one start reported; times in seconds since the child began, -1 when not seen.
struct StartTimes
{
    double painted = -1; // the awaited window's first paint has ended
    double loadingPainted = -1; // the loading window's first paint began
    double loadingHidden = -1; // the loading window went away: loading has ended
    double shown = -1; // the awaited window was shown (built, not yet painted)
    char error[256] = {}; // why the start failed; empty when it did not

    bool ok() const { return error[0] == '\0' && painted >= 0; }
};

namespace detail {

struct ChildState
{
    std::chrono::steady_clock::time_point start;
    int channel = -1;
    QString awaited;
    QString loading;
    StartTimes times;
    bool finishing = false;
};

inline ChildState &child()
{
    static ChildState state;
    return state;
}

inline double elapsed()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - child().start).count();
}

[[noreturn]] inline void report()
{
    const StartTimes &times = child().times;
    const bool sent = ::write(child().channel, &times, sizeof times) == sizeof times;
    ::_exit(sent ? 0 : 1); // no clean-up: ending the program is not part of its start
}

[[noreturn]] inline void fail(const QString &why)
{
    std::snprintf(child().times.error, sizeof child().times.error, "%s", qPrintable(why));
    report();
}

// With KVR_SCREENSHOT_DIR set, the window as it was painted goes there as <name>.png, so
// one can see that the start ended where it should.
inline void saveScreenshot(QWidget *window)
{
    const QString folder = qEnvironmentVariable("KVR_SCREENSHOT_DIR");
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return;
    window->grab().save(QDir(folder).filePath(window->objectName() + QStringLiteral(".png")));
}

// Watches every event of the main thread; lets each through unchanged.
class CStartWatcher final : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!watched->isWidgetType())
            return false;
        auto *widget = static_cast<QWidget *>(watched);
        ChildState &state = child();
        const QString name = widget->objectName();
        switch (event->type()) {
        case QEvent::Paint:
            if (name == state.loading && state.times.loadingPainted < 0)
                state.times.loadingPainted = elapsed();
            if (name == state.awaited && !state.finishing) {
                // The window and its children paint in one pass; the call runs after it.
                state.finishing = true;
                QTimer::singleShot(0, widget, [widget] {
                    child().times.painted = elapsed();
                    saveScreenshot(widget);
                    report();
                });
            }
            break;
        case QEvent::Hide:
            if (name == state.loading && state.times.loadingHidden < 0)
                state.times.loadingHidden = elapsed();
            break;
        case QEvent::Show:
            if (name == state.awaited && state.times.shown < 0)
                state.times.shown = elapsed();
            if (widget->isWindow() && name != state.awaited && name != state.loading) {
                // A message box or a dialog would wait for a user who is not there.
                QString what = QString::fromLatin1(widget->metaObject()->className()) + " " + name
                    + " \"" + widget->windowTitle() + "\"";
                if (auto *box = qobject_cast<QMessageBox *>(widget))
                    what += ": " + box->text();
                fail("unexpected window " + what);
            }
            break;
        default:
            break;
        }
        return false;
    }
};

// Runs inside the QApplication's constructor, before any window exists.
inline void installWatcher()
{
    QCoreApplication *application = QCoreApplication::instance();
    application->installEventFilter(new CStartWatcher(application));
}

} // namespace detail

// Forks a child that sets the environment variables, then runs start, which must create
// the QApplication and run its event loop. The child ends when the top-level widget named
// awaitedWindow has painted for the first time, or fails when another window shows (a
// message box, say) than that one and the loading window named loadingWindow.
inline StartTimes
timeStartInChild(const std::vector<std::pair<std::string, std::string>> &environment,
                 const QString &awaitedWindow, const QString &loadingWindow,
                 const std::function<void()> &start, int timeoutSeconds = 120)
{
    StartTimes times;
    int channel[2];
    if (::pipe(channel) != 0) {
        std::snprintf(times.error, sizeof times.error, "no pipe");
        return times;
    }
    std::fflush(nullptr); // a child must not print what the parent still holds
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(channel[0]);
        detail::ChildState &state = detail::child();
        state.start = std::chrono::steady_clock::now();
        state.channel = channel[1];
        state.awaited = awaitedWindow;
        state.loading = loadingWindow;
        // A start without sound devices complains on every start; KVR_BENCH_VERBOSE shows it.
        if (!std::getenv("KVR_BENCH_VERBOSE")) {
            const int quiet = ::open("/dev/null", O_WRONLY);
            ::dup2(quiet, STDERR_FILENO);
            ::close(quiet);
        }
        for (const auto &[name, value] : environment)
            ::setenv(name.c_str(), value.c_str(), 1);
        qAddPreRoutine(detail::installWatcher);
        start();
        detail::fail(QStringLiteral("the program ended without showing its window"));
    }
    ::close(channel[1]);
    pollfd wait { channel[0], POLLIN, 0 };
    if (pid < 0) {
        std::snprintf(times.error, sizeof times.error, "fork failed");
    } else if (::poll(&wait, 1, timeoutSeconds * 1000) != 1) {
        std::snprintf(times.error, sizeof times.error, "no window within %d s", timeoutSeconds);
        ::kill(pid, SIGKILL);
    } else if (::read(channel[0], &times, sizeof times) != sizeof times) {
        times = StartTimes();
        std::snprintf(times.error, sizeof times.error, "the child died without a report");
    }
    ::close(channel[0]);
    if (pid > 0)
        ::waitpid(pid, nullptr, 0);
    return times;
}

} // namespace kvr::bench
