#pragma once

#include <QLineEdit>

namespace kvr::ui {

// The drill window's answer field. It can refuse the input method (where English is typed,
// a running Japanese input method would otherwise compose the answer) and it knows whether a
// composition is pending, so that the Enter that commits one never confirms the answer.
class CAnswerEdit final : public QLineEdit
{
    Q_OBJECT
public:
    explicit CAnswerEdit(QWidget *parent = nullptr);

    void setInputMethodAllowed(bool allowed);
    bool inputMethodAllowed() const { return m_inputMethodAllowed; }
    // An input-method composition is under way (pre-edit text shown, not yet committed).
    bool composing() const { return m_composing; }

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    void inputMethodEvent(QInputMethodEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    bool m_inputMethodAllowed = true;
    bool m_composing = false;
};

} // namespace kvr::ui
