#include "drill/ui/drillwidgets.h"

#include <algorithm>

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "drill/drillsession.h"
#include "drill/drilltimers.h"
#include "drill/drillwindow.h"
#include "drill/skin.h"
#include "drill/ui/answeredit.h"
#include "platform/ui/buttons.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qcolour.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

constexpr int kControlFontPx = 13;
constexpr int kSmallestFontPx = 12;

// Fonts grow with the skin's rectangles, so that a skin of large controls also has large
// text: the height of the standard skin's rectangle of the kind gives its standard font.
enum class FontKind { Field, Line, Feedback, Counter, Caption, Button };

int fontPxFor(FontKind kind, int height)
{
    struct Scale
    {
        int px;
        int height;
    };
    static constexpr Scale scales[] = {
        { 15, 22 }, // Field: answer and hint fields, choice texts
        { 15, 20 }, // Line: the top line and its notice
        { 15, 18 }, // Feedback
        { 15, 20 }, // Counter: the numbers of "回答情報"
        { 13, 20 }, // Caption: the labels of "回答情報", the typing speed
        { 13, 22 }, // Button
    };
    const Scale scale = scales[static_cast<int>(kind)];
    const int px = height * scale.px / scale.height;
    // Buttons of the standard skin are small already; they never shrink below it.
    return std::max(kind == FontKind::Button ? kControlFontPx : kSmallestFontPx, px);
}

template <typename Widget> Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QPushButton *button(QWidget *parent, const char *name, std::string_view label)
{
    // Enter belongs to the drill (it confirms the answer), never to a default button.
    QPushButton *b = namedButton(parent, name, label);
    b->setDefault(false);
    return b;
}

QLineEdit *readOnlyField(QWidget *parent, const char *name)
{
    auto *field = named(new QLineEdit(parent), name);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    return field;
}

QLabel *label(QWidget *parent, const char *name, std::string_view text = {})
{
    auto *l = named(new QLabel(utext(text), parent), name);
    l->setTextFormat(Qt::PlainText);
    return l;
}

QProgressBar *bar(QWidget *parent, const char *name, int maximum)
{
    auto *b = named(new QProgressBar(parent), name);
    b->setTextVisible(false);
    b->setRange(0, maximum);
    b->setValue(0);
    return b;
}

void setTextColour(QLabel *l, Rgb rgb)
{
    const QColor colour = toQColor(rgb);
    if (l->palette().color(QPalette::WindowText) == colour)
        return;
    QPalette palette = l->palette();
    palette.setColor(QPalette::WindowText, colour);
    l->setPalette(palette);
}

void place(QWidget *widget, const SkinRect &rect)
{
    widget->setGeometry(rect.left, rect.top, rect.width(), rect.height());
}

// Padding a button's text keeps from its frame, either side.
constexpr int kButtonTextPadding = 6;
constexpr int kSmallestButtonFontPx = 10;

void place(QWidget *widget, const SkinRect &rect, FontKind font)
{
    place(widget, rect);
    int px = fontPxFor(font, rect.height());
    // A button's text stays clear of its frame in a narrow button: its font shrinks to fit.
    if (auto *b = qobject_cast<QPushButton *>(widget)) {
        const QString text = QString(b->text()).remove(QLatin1Char('&'));
        while (px > kSmallestButtonFontPx
               && QFontMetrics(gothicFont(px)).horizontalAdvance(text) + 2 * kButtonTextPadding
                   > rect.width())
            --px;
    }
    widget->setFont(gothicFont(px));
}

void showControl(QWidget *widget, const ControlView &control)
{
    widget->setVisible(control.visible);
    widget->setEnabled(control.enabled);
}

void showField(QLineEdit *field, const ControlView &control, const QString &text)
{
    showControl(field, control);
    if (field->text() != text) {
        field->setText(text);
        field->setCursorPosition(0);
    }
}

void showCounter(QLabel *l, const CounterView &counter)
{
    l->setText(qtext(counter.text));
    setTextColour(l, counter.colour);
}

// Several hints go on one line of the hint field; the tooltip keeps one per line.
QString hintLine(const QString &hints)
{
    QString line = hints;
    line.replace(QStringLiteral("\r\n"), QStringLiteral("  /  "));
    return line;
}

void createControls(DrillWidgets &w, QWidget *parent)
{
    w.input = named(new CAnswerEdit(parent), "input");
    w.confirmButton = button(parent, "confirmButton", "これでよい");
    w.acceptButton = button(parent, "acceptButton", "正解にする(&O)");
    w.acceptButton->setToolTip(QStringLiteral("Ctrl+Enter"));
    w.addAnswerButton = button(parent, "addAnswerButton", "この答えも正解に追加(&A)");
    w.cancelButton = button(parent, "cancelButton", "逃げる");
    w.hintButton = button(parent, "hintButton", "ヒント(&G)");
    w.hintField = readOnlyField(parent, "hintField");
    w.lastQuestionButton = button(parent, "lastQuestionButton", "さっきの問題を...(&B)");
    // The skin menu, where a learner sees it; clicking it leaves the focus on the answer.
    w.menuButton = button(parent, "menuButton", "メニュー");
    w.menuButton->setFocusPolicy(Qt::NoFocus);
    w.answerDisplay = readOnlyField(parent, "answerDisplay");
    static const char *const buttonNames[] = { "choiceButtons0", "choiceButtons1", "choiceButtons2",
                                               "choiceButtons3" };
    static const char *const fieldNames[] = { "choiceFields0", "choiceFields1", "choiceFields2",
                                              "choiceFields3" };
    static const char *const buttonLabels[] = { "&1", "&2", "&3", "&4" };
    for (int row = 0; row < kChoiceCount; ++row) {
        w.choiceButtons[row] = button(parent, buttonNames[row], buttonLabels[row]);
        w.choiceFields[row] = readOnlyField(parent, fieldNames[row]);
    }
    w.progress = bar(parent, "progress", 0);
    w.limitBar = bar(parent, "TransLimitBar", kLimitBarRange);
}

void createTexts(DrillWidgets &w, QWidget *parent)
{
    w.infoGroup = named(new QGroupBox(utext("回答情報"), parent), "infoGroup");
    static const char *const infoNames[] = { "allQuestionsLabel", "remainingLabel", "correctLabel",
                                             "incorrectLabel" };
    static const char *const infoTexts[] = { "全問題数", "残り問題数", "正解数", "不正解数" };
    for (std::size_t i = 0; i < w.infoLabels.size(); ++i)
        w.infoLabels[i] = label(parent, infoNames[i], infoTexts[i]);
    w.allQuestions = label(parent, "allQuestions");
    w.remaining = label(parent, "remaining");
    w.correctNow = label(parent, "correctNow");
    w.incorrectNow = label(parent, "incorrectNow");
    w.correctTotal = label(parent, "correctTotal");
    w.incorrectTotal = label(parent, "incorrectTotal");

    w.instruction = label(parent, "instruction");
    w.notice = label(parent, "notice");
    setTextColour(w.notice, kNoticeColour);
    w.feedback = label(parent, "feedback");
    w.typingSpeed = label(parent, "typingSpeed");
}

} // namespace

DrillWidgets createDrillWidgets(QWidget *parent)
{
    parent->setFont(gothicFont(kControlFontPx));
    DrillWidgets w;
    // The group box first, so that the labels inside it lie above it.
    createTexts(w, parent);
    createControls(w, parent);
    return w;
}

void layoutDrillWidgets(const DrillWidgets &w, const CSkin &skin, bool choiceMode)
{
    place(w.input, skin.InputArea_rc, FontKind::Field);
    place(w.confirmButton, skin.OkButton_rc, FontKind::Button);
    place(w.acceptButton, acceptButtonRect(skin), FontKind::Button);
    place(w.addAnswerButton, addAnswerButtonRect(skin), FontKind::Button);
    place(w.cancelButton, skin.CancelButton_rc, FontKind::Button);
    const HintPlacement hint = hintPlacement(skin, choiceMode);
    place(w.hintButton, hint.button, FontKind::Button);
    place(w.hintField, hint.field, FontKind::Field);
    place(w.lastQuestionButton, skin.LastQuestionModify_rc, FontKind::Button);
    place(w.menuButton, menuButtonRect(skin), FontKind::Button);
    place(w.answerDisplay, skin.AnswerIndicater_rc, FontKind::Field);
    for (int row = 0; row < kChoiceCount; ++row) {
        place(w.choiceButtons[row], *skin.replyButton(row + 1), FontKind::Button);
        place(w.choiceFields[row], *skin.replyAnswer(row + 1), FontKind::Field);
    }
    place(w.progress, skin.Progress_rc);
    place(w.limitBar, hint.limitBar);

    place(w.infoGroup, skin.InfoGroup_rc);
    const SkinRect *captions[] = { &skin.AllQuestionsStatic_rc, &skin.RemindQuestionsStatic_rc,
                                   &skin.CorrectsStatic_rc, &skin.IncorrectsStatic_rc };
    for (std::size_t i = 0; i < w.infoLabels.size(); ++i)
        place(w.infoLabels[i], *captions[i], FontKind::Caption);
    w.infoGroup->setFont(w.infoLabels[0]->font());
    place(w.allQuestions, skin.AllQuestions_rc, FontKind::Counter);
    place(w.remaining, skin.RemindQuestions_rc, FontKind::Counter);
    place(w.correctNow, skin.CorrectsNow_rc, FontKind::Counter);
    place(w.incorrectNow, skin.IncorrectsNow_rc, FontKind::Counter);
    place(w.correctTotal, skin.CorrectsTotal_rc, FontKind::Counter);
    place(w.incorrectTotal, skin.IncorrectsTotal_rc, FontKind::Counter);
    place(w.instruction, skin.TitleMessage_rc, FontKind::Line);
    place(w.notice, skin.TitleMessage_rc, FontKind::Line);
    place(w.feedback, skin.ResultComment_rc, FontKind::Feedback);
    place(w.typingSpeed, skin.CorrectingRate_rc, FontKind::Caption);
}

void renderDrillWidgets(const DrillWidgets &w, const DrillView &view)
{
    showControl(w.input, view.input);
    showControl(w.confirmButton, view.confirmButton);
    showControl(w.acceptButton, view.acceptButton);
    showControl(w.addAnswerButton, view.addAnswerButton);
    showControl(w.cancelButton, view.cancelButton);
    showControl(w.hintButton, view.hintButton);
    const QString hints = qtext(view.hintField.text);
    showField(w.hintField, view.hintField, hintLine(hints));
    w.hintField->setToolTip(hints);
    showControl(w.lastQuestionButton, view.lastQuestionButton);
    showField(w.answerDisplay, view.answerDisplay, qtext(view.answerDisplay.text));
    for (int row = 0; row < kChoiceCount; ++row) {
        showControl(w.choiceButtons[row], view.choiceButtons[row]);
        showField(w.choiceFields[row], view.choiceFields[row], qtext(view.choiceFields[row].text));
    }
    w.progress->setRange(0, view.progressMax);
    w.progress->setValue(view.progressValue);
    w.limitBar->setVisible(view.limitBarVisible);
    w.limitBar->setValue(view.limitBarValue);

    const bool noticeShown = !view.notice.empty();
    w.instruction->setText(qtext(view.instruction));
    w.instruction->setVisible(!noticeShown);
    w.notice->setText(qtext(view.notice));
    w.notice->setVisible(noticeShown);
    w.feedback->setText(qtext(view.feedback));
    w.typingSpeed->setText(qtext(view.typingSpeed));

    showCounter(w.allQuestions, view.allQuestions);
    showCounter(w.remaining, view.remaining);
    showCounter(w.correctNow, view.correctNow);
    showCounter(w.incorrectNow, view.incorrectNow);
    showCounter(w.correctTotal, view.correctTotal);
    showCounter(w.incorrectTotal, view.incorrectTotal);
}

} // namespace kvr::ui
