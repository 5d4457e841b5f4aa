#include "history/ui/usermanagerdlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "history/learners.h"
#include "history/ui/learnerdlgparts.h"
#include "platform/ui/buttons.h"
#include "platform/ui/guarded.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

CUserManagerDlg::CUserManagerDlg(CLearnerManager &model, IPrompter &prompter, QWidget *parent)
    : QDialog(parent)
    , m_model(model)
    , m_prompter(prompter)
    , m_entries(new QListWidget(this))
{
    setWindowTitle(utext("利用者の管理"));
    m_entries->setObjectName("entries");
    m_entries->setFixedSize(220, 200);

    QPushButton *add = namedButton(this, "add", "利用者の追加(&A)...");
    QPushButton *rename = namedButton(this, "rename", "利用者の名称変更(&R)...");
    QPushButton *remove = namedButton(this, "remove", "利用者の削除(&D)...");
    QPushButton *help = namedButton(this, "help", "ヘルプ");
    QPushButton *ok = namedButton(this, "ok", "OK");
    QPushButton *cancel = namedButton(this, "cancel", "キャンセル");
    ok->setDefault(true);
    for (QPushButton *b : { ok, cancel })
        b->setMinimumWidth(90);

    auto *side = new QVBoxLayout;
    for (QPushButton *b : { add, rename, remove })
        side->addWidget(b);
    side->addStretch();
    side->addWidget(help);

    auto *grid = new QGridLayout(this);
    grid->setHorizontalSpacing(12);
    auto *label = new QLabel(utext("利用者一覧"), this);
    label->setBuddy(m_entries);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_entries, 1, 0);
    grid->addLayout(side, 1, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    grid->addLayout(bottom, 2, 0, 1, 2);
    fixSize(this);

    connect(m_entries, &QListWidget::currentRowChanged, this,
            [this](int row) { forward([this, row] { m_model.select(row); }); });
    connect(add, &QPushButton::clicked, this, [this] { forward([this] { m_model.add(); }); });
    connect(rename, &QPushButton::clicked, this, [this] { forward([this] { m_model.rename(); }); });
    connect(remove, &QPushButton::clicked, this, [this] { forward([this] { m_model.remove(); }); });
    connect(help, &QPushButton::clicked, this, [this] { forward([this] { m_model.help(); }); });
    connect(ok, &QPushButton::clicked, this, [this] {
        forward([this] {
            if (m_model.ok())
                accept();
        });
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    render();
}

template <typename Operation> void CUserManagerDlg::forward(Operation operation)
{
    guarded(m_prompter, kLearnerFailure, operation);
    render();
}

void CUserManagerDlg::render()
{
    const QSignalBlocker blocker(m_entries); // the list follows the model, not the reverse
    if (m_shown != m_model.entries()) {
        m_shown = m_model.entries();
        m_entries->clear();
        for (const std::string &name : m_shown)
            m_entries->addItem(qtext(name));
    }
    m_entries->setCurrentRow(m_model.selected());
    if (m_model.selected() < 0)
        m_entries->clearSelection();
}

} // namespace kvr::ui
