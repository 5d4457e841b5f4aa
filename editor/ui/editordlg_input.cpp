// The editor's keyboard, focus and closing: every key goes to the core before a control
// sees it, and the window closes only when the core lets it.
#include <QApplication>
#include <QCloseEvent>
#include <QInputMethod>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTableView>

#include "app/ui/databasetreewidget.h"
#include "drill/ui/answeredit.h"
#include "editor/editorlayout.h"
#include "editor/editorsession.h"
#include "editor/ui/editordlg.h"
#include "platform/ui/guarded.h"

namespace kvr::ui {

namespace {

EditorKeyEvent keyEventOf(const QKeyEvent &event)
{
    EditorKeyEvent key;
    const int code = event.key();
    if (code >= Qt::Key_F1 && code <= Qt::Key_F12) {
        key.key = EditorKey::Function;
        key.functionNumber = code - Qt::Key_F1 + 1;
    } else {
        switch (code) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            key.key = EditorKey::Enter;
            break;
        case Qt::Key_Up:
            key.key = EditorKey::Up;
            break;
        case Qt::Key_Down:
            key.key = EditorKey::Down;
            break;
        case Qt::Key_Escape:
            key.key = EditorKey::Escape;
            break;
        case Qt::Key_C:
            key.key = EditorKey::C;
            break;
        case Qt::Key_X:
            key.key = EditorKey::X;
            break;
        case Qt::Key_V:
            key.key = EditorKey::V;
            break;
        case Qt::Key_S:
            key.key = EditorKey::S;
            break;
        case Qt::Key_Shift:
            key.key = EditorKey::Shift;
            break;
        default:
            key.key = EditorKey::Other;
            break;
        }
    }
    key.shift = event.modifiers().testFlag(Qt::ShiftModifier);
    key.ctrl = event.modifiers().testFlag(Qt::ControlModifier);
    key.released = event.type() == QEvent::KeyRelease;
    return key;
}

} // namespace

EditorFocus CEditorDlg::focusPlace() const
{
    const QWidget *focus = QApplication::focusWidget();
    if (!focus)
        return EditorFocus::Other;
    if (focus == m_tree)
        return EditorFocus::Tree;
    if (focus == m_grid)
        return EditorFocus::Grid;
    if (focus == m_answerField)
        return EditorFocus::AnswerField;
    if (focus == m_questionField)
        return EditorFocus::QuestionField;
    if (focus == m_hintField)
        return EditorFocus::HintField;
    return EditorFocus::Other;
}

bool CEditorDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        // Once per key: at its first receiver, the focused control of this window (a
        // dialog or popup opened from here has keys of its own).
        QWidget *focus = QApplication::focusWidget();
        const QObject *first = focus ? static_cast<QObject *>(focus) : this;
        if (watched == first && (focus ? focus->window() == this : isActiveWindow()))
            return filterKey(static_cast<QKeyEvent *>(event));
    }
    return QDialog::eventFilter(watched, event);
}

bool CEditorDlg::filterKey(QKeyEvent *event)
{
    EditorKeyEvent key = keyEventOf(*event);
    // Of the releases only Shift's matters (the key help).
    if (key.released && key.key != EditorKey::Shift)
        return false;
    key.focus = focusPlace();
    EditorKeyAction action;
    guarded(m_context.prompter, [&] { action = m_session.key(key); });
    switch (action.kind) {
    case KeyActionKind::PassOn:
        return false;
    case KeyActionKind::RepaintKeyHelp:
        m_shiftHeld = !key.released;
        update();
        return false;
    case KeyActionKind::Swallow:
        return true;
    case KeyActionKind::LineBreak:
        if (auto *field = qobject_cast<QPlainTextEdit *>(QApplication::focusWidget()))
            field->insertPlainText(QStringLiteral("\n"));
        return true;
    default:
        render();
        return true;
    }
}

void CEditorDlg::focusChanged(QWidget *now)
{
    if (!now || now->window() != this)
        return;
    const std::optional<bool> inputMethod = inputMethodOnFocus(focusPlace());
    if (!inputMethod)
        return;
    if (now == m_answerField)
        m_answerField->setInputMethodAllowed(*inputMethod);
    else
        now->setAttribute(Qt::WA_InputMethodEnabled, *inputMethod);
    QGuiApplication::inputMethod()->update(Qt::ImEnabled);
}

void CEditorDlg::reject()
{
    // Esc is the core's (it does nothing); the close box goes through closeEvent.
}

void CEditorDlg::closeEvent(QCloseEvent *event)
{
    if (!m_closing) {
        bool mayClose = false;
        guarded(m_context.prompter, [&] { mayClose = m_session.requestClose(); });
        render();
        if (!mayClose) {
            event->ignore();
            return;
        }
        m_closing = true;
    }
    event->accept();
    QDialog::done(QDialog::Accepted);
}

} // namespace kvr::ui
