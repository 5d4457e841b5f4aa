#include "app/ui/aboutdlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ui/appinfo.h"
#include "app/ui/toolicons.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

CAboutDlg::CAboutDlg(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("aboutDlg"));
    setWindowTitle(utext(kAboutCaption));
    setWindowIcon(programIcon());

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("aboutIcon"));
    icon->setPixmap(programIcon().pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);

    auto *version = new QLabel(utext(kAboutVersionLine), this);
    version->setObjectName(QStringLiteral("aboutVersion"));
    version->setFont(gothicFont(14));
    auto *copyright = new QLabel(utext(kAboutCopyright), this);
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
