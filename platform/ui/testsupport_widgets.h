#pragma once

// Helpers shared by the widget tests of every ui/ folder: screenshots, answering the
// message boxes a real CQtPrompter shows, and the leak check for cleanup().

#include <functional>
#include <memory>

#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

namespace kvr::test {

// Saves w->grab() as <name>.png in the folder named by KVR_SCREENSHOT_DIR (created when
// missing). Does nothing when the variable is not set.
void saveScreenshot(QWidget *w, const QString &name);

// What the answered box showed, filled in just before it is answered.
struct SeenMessageBox
{
    bool seen = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttonTexts; // in the box's layout order
    QString defaultButtonText;
    bool hasParent = false;
    Qt::WindowModality modality = Qt::NonModal;
    bool staysOnTop = false;
};

// Answers the next modal message box that appears within timeoutMs: clicks the box's
// standard button `button`; QMessageBox::Escape presses the Escape key and
// QMessageBox::NoButton closes the box as its title-bar button does. Call it before the
// code that opens the box; read the result after that code has returned.
std::shared_ptr<const SeenMessageBox> answerNextMessageBox(QMessageBox::StandardButton button,
                                                           int timeoutMs = 5000);
// The same, saving the box as it is shown (saveScreenshot) before answering it.
std::shared_ptr<const SeenMessageBox> answerNextMessageBox(QMessageBox::StandardButton button,
                                                           const QString &screenshot);

// The child of parent with the object name; the test program stops when there is none, so a
// renamed widget is reported by its name rather than as a crash.
template <typename T> T *child(QWidget *parent, const char *name)
{
    T *widget = parent->findChild<T *>(name);
    if (!widget)
        qFatal("no child %s", name);
    return widget;
}

// Types text into a widget the way an input method commits it (QTest::keyClicks cannot
// type Japanese). The focus stays where it is.
void commitText(QWidget *field, const QString &text);

// Clicks the push button of that object name.
void click(QWidget *parent, const char *button);

// Watches the modal windows of a run on real timers: every 20 ms while it lives, calls
// onPoll(window, fresh) when the window on top is the newest one seen (fresh: the first such
// call for it). Windows are told apart by instance, not by name: on a busy machine a poll
// can run between one window's close and the next one's show, while an earlier window is on
// top again; those polls are skipped.
class ModalWindowPoll
{
public:
    using Handler = std::function<void(QWidget *window, bool fresh)>;
    explicit ModalWindowPoll(Handler onPoll);
    void stop() { m_timer.stop(); }

private:
    Handler m_onPoll;
    QList<QPointer<QWidget>> m_windows;
    QTimer m_timer;
};

// For cleanup(): fails the current test when a top-level widget is still visible (after
// pending deletions ran), naming it, and hides it so that one leak does not fail the next
// test too.
void expectNoTopLevelWindows();

} // namespace kvr::test
