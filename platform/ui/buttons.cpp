#include "platform/ui/buttons.h"

#include <QDialog>

#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

constexpr int kAnswerButtonMinimumWidth = 88;

} // namespace

QPushButton *namedButton(QWidget *parent, const char *name, std::string_view utf8Label,
                         ButtonRole role)
{
    auto *button = new QPushButton(utext(utf8Label), parent);
    button->setObjectName(QLatin1String(name));
    if (role == ButtonRole::Command)
        button->setAutoDefault(false);
    else
        button->setMinimumWidth(kAnswerButtonMinimumWidth);
    return button;
}

QDialogButtonBox *okCancelBox(QDialog *dialog, bool acceptOnOk)
{
    auto *buttons = new QDialogButtonBox(dialog);
    QPushButton *ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    QPushButton *cancel = buttons->addButton(utext("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    ok->setObjectName(QStringLiteral("ok"));
    cancel->setObjectName(QStringLiteral("cancel"));
    ok->setDefault(true);
    if (acceptOnOk)
        QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace kvr::ui
