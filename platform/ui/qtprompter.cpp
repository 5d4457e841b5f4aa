#include "platform/ui/qtprompter.h"

#include <algorithm>

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

struct ButtonEntry
{
    Reply reply;
    QMessageBox::StandardButton standard;
    std::string_view text;
    const char *objectName;
};

constexpr ButtonEntry kOk { Reply::Ok, QMessageBox::Ok, "OK", "okButton" };
constexpr ButtonEntry kCancel { Reply::Cancel, QMessageBox::Cancel, "キャンセル", "cancelButton" };
constexpr ButtonEntry kYes { Reply::Yes, QMessageBox::Yes, "はい", "yesButton" };
constexpr ButtonEntry kNo { Reply::No, QMessageBox::No, "いいえ", "noButton" };

// The buttons of a box in their order, and the reply that Escape or the close button gives.
std::vector<ButtonEntry> buttonsOf(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok:
        return { kOk };
    case Buttons::OkCancel:
        return { kOk, kCancel };
    case Buttons::YesNo:
        return { kYes, kNo };
    case Buttons::YesNoCancel:
        return { kYes, kNo, kCancel };
    }
    return { kOk };
}

Reply escapeReply(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok:
        return Reply::Ok;
    case Buttons::YesNo:
        return Reply::No;
    case Buttons::OkCancel:
    case Buttons::YesNoCancel:
        return Reply::Cancel;
    }
    return Reply::Cancel;
}

QMessageBox::Icon iconOf(Icon icon)
{
    switch (icon) {
    case Icon::None:
        return QMessageBox::NoIcon;
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Warning:
        return QMessageBox::Warning;
    case Icon::Error:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton standardOf(Reply reply, const std::vector<ButtonEntry> &entries)
{
    for (const ButtonEntry &entry : entries) {
        if (entry.reply == reply)
            return entry.standard;
    }
    return entries.front().standard; // a default the box does not have: its first button
}

void addButtons(QMessageBox &box, const Message &message)
{
    const std::vector<ButtonEntry> entries = buttonsOf(message.buttons);
    for (const ButtonEntry &entry : entries) {
        QAbstractButton *button = box.addButton(entry.standard);
        button->setText(utext(entry.text));
        button->setObjectName(QString::fromLatin1(entry.objectName));
    }
    box.setDefaultButton(
        standardOf(message.defaultButton.value_or(entries.front().reply), entries));
    box.setEscapeButton(standardOf(escapeReply(message.buttons), entries));
}

Reply replyOf(QMessageBox::StandardButton clicked, Buttons buttons)
{
    for (const ButtonEntry &entry : buttonsOf(buttons)) {
        if (entry.standard == clicked)
            return entry.reply;
    }
    return escapeReply(buttons);
}

// The text's width: its longest line up to kMaxTextWidth, so that a short line never wraps
// a character onto a line of its own, and a long one wraps at a readable width.
constexpr int kMaxTextWidth = 560;

void keepTextWidth(QMessageBox &box)
{
    auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    if (!label)
        return;
    int longest = 0;
    const QFontMetrics metrics(label->font());
    for (const QString &line : label->text().split(QLatin1Char('\n')))
        longest = std::max(longest, metrics.horizontalAdvance(line));
    label->setMinimumWidth(std::min(longest + 4, kMaxTextWidth));
}

} // namespace

CQtPrompter::CQtPrompter(QString defaultCaption)
    : m_defaultCaption(std::move(defaultCaption))
{
}

Reply CQtPrompter::ask(const Message &message)
{
    QWidget *parent = message.systemModal ? nullptr : QApplication::activeWindow();
    // On the heap behind a QPointer: the owner window may go away while the box waits.
    QPointer<QMessageBox> box = new QMessageBox(parent);
    box->setObjectName(QStringLiteral("kvrMessageBox"));
    box->setWindowTitle(message.caption.empty() ? m_defaultCaption : qtext(message.caption));
    box->setText(qtext(message.text));
    box->setTextFormat(Qt::PlainText);
    box->setIcon(iconOf(message.icon));
    keepTextWidth(*box);
    addButtons(*box, message);
    if (message.systemModal) {
        box->setWindowModality(Qt::ApplicationModal);
        box->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    }
    box->exec();
    if (!box)
        return escapeReply(message.buttons);
    const Reply reply = replyOf(box->standardButton(box->clickedButton()), message.buttons);
    delete box.data();
    return reply;
}

} // namespace kvr::ui
