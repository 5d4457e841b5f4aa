#include "app/ui/aboutdlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ui/toolicons.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

QIcon iconOf(ProgramIcon icon)
{
    return icon == ProgramIcon::Editor ? toolIcon(ToolIcon::Editor) : programIcon();
}

} // namespace

CAboutDlg::CAboutDlg(QWidget *parent)
    : CAboutDlg(kStudyProgram, parent)
{
}

CAboutDlg::CAboutDlg(const ProgramIdentity &program, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("aboutDlg"));
    setWindowTitle(utext(program.aboutCaption));
    setWindowIcon(iconOf(program.icon));

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("aboutIcon"));
    icon->setPixmap(iconOf(program.icon).pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);

    auto *version = new QLabel(utext(program.versionLine), this);
    version->setObjectName(QStringLiteral("aboutVersion"));
    version->setFont(gothicFont(14));
    auto *copyright = new QLabel(utext(program.copyright), this);
    copyright->setObjectName(QStringLiteral("aboutCopyright"));
    copyright->setFont(gothicFont(12));

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("aboutOk"));
    ok->setDefault(true);
    ok->setMinimumWidth(80);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *texts = new QVBoxLayout;
    texts->setSpacing(8);
    texts->addWidget(version);
    texts->addWidget(copyright);
    texts->addStretch();
    auto *body = new QHBoxLayout;
    body->setSpacing(18);
    body->addWidget(icon);
    body->addLayout(texts, 1);
    body->addWidget(ok, 0, Qt::AlignTop);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 14, 18);
    layout->addLayout(body);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace kvr::ui
