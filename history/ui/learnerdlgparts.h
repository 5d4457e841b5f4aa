#pragma once

#include <functional>
#include <string>
#include <string_view>

#include <QDialog>
#include <QHBoxLayout>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>

#include "history/learners.h"
#include "platform/ui/guarded.h"
#include "platform/ui/qtext.h"

// Pieces shared by the learner dialogs.
namespace kvr::ui {

// The text of a failure that escaped a learner operation (UTF-8, one %s).
constexpr std::string_view kLearnerFailure = "利用者の操作に失敗しました。(%s)";

// "&OK" (default, calls onOk) and "ｷｬﾝｾﾙ" (rejects), right-aligned.
inline QHBoxLayout *okCancelRow(QDialog *dialog, std::function<void()> onOk)
{
    auto *ok = new QPushButton(utext("&OK"), dialog);
    auto *cancel = new QPushButton(utext("ｷｬﾝｾﾙ"), dialog);
    ok->setObjectName("ok");
    cancel->setObjectName("cancel");
    ok->setDefault(true);
    ok->setMinimumWidth(80);
    cancel->setMinimumWidth(80);
    QObject::connect(ok, &QPushButton::clicked, dialog, std::move(onOk));
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

// A dialog that keeps the size its layout asks for.
inline void fixSize(QDialog *dialog)
{
    dialog->layout()->setSizeConstraint(QLayout::SetFixedSize);
}

// The OK of the add and rename dialogs: takes the typed name when the learner rules accept
// it and closes the dialog; otherwise the rules have said why and the field keeps focus.
inline void confirmLearnerName(QDialog *dialog, QLineEdit *field, IPrompter &prompter,
                               std::string &name)
{
    guarded(prompter, kLearnerFailure, [&] {
        const TypedName typed = cp932Exact(field->text());
        if (!acceptLearnerName(typed, prompter)) {
            field->setFocus();
            return;
        }
        name = *typed;
        dialog->accept();
    });
}

} // namespace kvr::ui
