#pragma once

#include <string_view>

#include <QDialogButtonBox>
#include <QPushButton>

namespace kvr::ui {

enum class ButtonRole {
    // A command inside a window: Enter never presses it for being focused.
    Command,
    // One of a small dialog's answers (OK, Cancel): Qt's usual Enter handling, a width that
    // keeps a row of them even.
    Answer,
};

// A push button with a UTF-8 label and the object name tests find it by.
QPushButton *namedButton(QWidget *parent, const char *name, std::string_view utf8Label,
                         ButtonRole role = ButtonRole::Command);

// The "OK" / "ｷｬﾝｾﾙ" row of a dialog (objects "ok" and "cancel"): Cancel rejects, OK is the
// default button. OK accepts unless the caller connects accepted itself (acceptOnOk false).
QDialogButtonBox *okCancelBox(QDialog *dialog, bool acceptOnOk = true);

} // namespace kvr::ui
