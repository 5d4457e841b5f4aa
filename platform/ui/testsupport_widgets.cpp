#include "platform/ui/testsupport_widgets.h"

#include <algorithm>

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace kvr::test {

void saveScreenshot(QWidget *w, const QString &name)
{
    const QString folder = qEnvironmentVariable("KVR_SCREENSHOT_DIR");
    if (folder.isEmpty() || !w)
        return;
    QDir().mkpath(folder);
    const QString file = QDir(folder).filePath(name + QStringLiteral(".png"));
    if (!w->grab().save(file))
        qWarning("screenshot not saved: %s", qPrintable(file));
}

namespace {

QStringList buttonTextsOf(QMessageBox *box)
{
    QStringList texts;
    // The button box orders the buttons by platform rules: read them as laid out.
    auto *buttonBox = box->findChild<QDialogButtonBox *>();
    const QList<QAbstractButton *> buttons = buttonBox ? buttonBox->buttons() : box->buttons();
    for (QAbstractButton *button : buttons)
        texts << button->text();
    return texts;
}

void record(QMessageBox *box, SeenMessageBox &seen)
{
    seen.seen = true;
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    seen.buttonTexts = buttonTextsOf(box);
    seen.defaultButtonText = box->defaultButton() ? box->defaultButton()->text() : QString();
    seen.hasParent = box->parentWidget() != nullptr;
    seen.modality = box->windowModality();
    seen.staysOnTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void answer(QMessageBox *box, QMessageBox::StandardButton button)
{
    if (button == QMessageBox::Escape) {
        QTest::keyClick(box, Qt::Key_Escape);
    } else if (button == QMessageBox::NoButton) {
        box->close();
    } else if (QAbstractButton *target = box->button(button)) {
        target->click();
    } else {
        qWarning("answerNextMessageBox: the box has no such button; pressing Escape");
        QTest::keyClick(box, Qt::Key_Escape);
    }
}

void pollForBox(std::shared_ptr<SeenMessageBox> seen, QMessageBox::StandardButton button,
                std::shared_ptr<QElapsedTimer> clock, int timeoutMs, const QString &screenshot)
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (box && box->isVisible()) {
        record(box, *seen);
        if (!screenshot.isEmpty()) {
            (void)QTest::qWaitForWindowExposed(box);
            saveScreenshot(box, screenshot);
        }
        answer(box, button);
        return;
    }
    if (clock->elapsed() > timeoutMs) {
        qWarning("answerNextMessageBox: no message box appeared");
        return;
    }
    QTimer::singleShot(10, [=] { pollForBox(seen, button, clock, timeoutMs, screenshot); });
}

std::shared_ptr<const SeenMessageBox> answerBox(QMessageBox::StandardButton button, int timeoutMs,
                                                const QString &screenshot)
{
    auto seen = std::make_shared<SeenMessageBox>();
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QTimer::singleShot(0, [=] { pollForBox(seen, button, clock, timeoutMs, screenshot); });
    return seen;
}

} // namespace

std::shared_ptr<const SeenMessageBox> answerNextMessageBox(QMessageBox::StandardButton button,
                                                           int timeoutMs)
{
    return answerBox(button, timeoutMs, {});
}

std::shared_ptr<const SeenMessageBox> answerNextMessageBox(QMessageBox::StandardButton button,
                                                           const QString &screenshot)
{
    return answerBox(button, 5000, screenshot);
}

void expectNoTopLevelWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QStringList leaked;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (!w->isVisible())
            continue;
        leaked << QStringLiteral("%1 \"%2\"")
                      .arg(QString::fromLatin1(w->metaObject()->className()), w->objectName());
        w->hide();
    }
    QVERIFY2(leaked.isEmpty(),
             qPrintable(QStringLiteral("windows left open: ") + leaked.join(QStringLiteral(", "))));
}

void commitText(QWidget *field, const QString &text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(field, &event);
}

void click(QWidget *parent, const char *button)
{
    QTest::mouseClick(child<QPushButton>(parent, button), Qt::LeftButton);
}

ModalWindowPoll::ModalWindowPoll(Handler onPoll)
    : m_onPoll(std::move(onPoll))
{
    m_timer.setInterval(20);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        QWidget *window = QApplication::activeModalWidget();
        if (!window)
            return;
        const bool fresh =
            std::none_of(m_windows.begin(), m_windows.end(),
                         [window](const QPointer<QWidget> &w) { return w == window; });
        if (fresh)
            m_windows << window;
        else if (m_windows.last() != window)
            return; // an earlier window, on top for a moment
        m_onPoll(window, fresh);
    });
    m_timer.start();
}

} // namespace kvr::test
