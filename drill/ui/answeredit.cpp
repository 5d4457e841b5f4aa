#include "drill/ui/answeredit.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>

namespace kvr::ui {

CAnswerEdit::CAnswerEdit(QWidget *parent)
    : QLineEdit(parent)
{
}

void CAnswerEdit::setInputMethodAllowed(bool allowed)
{
    if (allowed == m_inputMethodAllowed)
        return;
    m_inputMethodAllowed = allowed;
    if (hasFocus())
        QGuiApplication::inputMethod()->update(Qt::ImEnabled);
}

// Only this query switches ibus and fcitx off for the field; the widget attribute and the
// Latin-only hints do not.
QVariant CAnswerEdit::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImEnabled && !m_inputMethodAllowed)
        return false;
    return QLineEdit::inputMethodQuery(query);
}

void CAnswerEdit::inputMethodEvent(QInputMethodEvent *event)
{
    m_composing = !event->preeditString().isEmpty();
    QLineEdit::inputMethodEvent(event);
}

void CAnswerEdit::focusOutEvent(QFocusEvent *event)
{
    // Leaving the field commits or drops the composition.
    m_composing = false;
    QLineEdit::focusOutEvent(event);
}

} // namespace kvr::ui
