#pragma once

#include <QString>

#include "platform/prompter.h"

class QWidget;

namespace kvr::ui {

// The message boxes of the programs: a QMessageBox per Message, owned by the active
// window (or by none when the message is system-modal), with the Japanese button texts.
class CQtPrompter final : public IPrompter
{
public:
    // defaultCaption is the program's title, used when a message has no caption.
    explicit CQtPrompter(QString defaultCaption);
    Reply ask(const Message &message) override;

private:
    QString m_defaultCaption;
};

} // namespace kvr::ui
