#include "platform/ui/buttons.h"

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

} // namespace kvr::ui
