#include "app/ui/shortcutdlg.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "db/questiondatabase.h"
#include "platform/environment.h"
#include "platform/prompter.h"
#include "platform/shell.h"
#include "platform/textfile.h"
#include "platform/ui/buttons.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

CShortcutDlg::CShortcutDlg(const std::string &collectionPath, int questionCount, QWidget *parent)
    : QDialog(parent)
    , m_slider(new QSlider(Qt::Horizontal, this))
    , m_count(new QLineEdit(this))
    , m_speedReply(new QCheckBox(utext("スピードリプライを行う(&S)"), this))
    , m_worstFirst(new QCheckBox(utext("正解率の低い問題を優先して出題する(&W)"), this))
{
    setWindowTitle(utext("ショートカットオプション"));
    const ShortcutSlider range = shortcutSlider(questionCount);
    m_slider->setObjectName("countSlider");
    m_slider->setRange(range.minimum, range.maximum);
    m_slider->setValue(range.initial);
    m_slider->setMinimumWidth(240);
    m_count->setObjectName("count");
    m_count->setReadOnly(true);
    m_count->setFocusPolicy(Qt::NoFocus);
    m_count->setMaximumWidth(60);
    m_count->setText(QString::number(range.initial));
    connect(m_slider, &QSlider::valueChanged, this,
            [this](int value) { m_count->setText(QString::number(value)); });
    m_speedReply->setObjectName("speedReply");
    m_worstFirst->setObjectName("worstFirst");

    auto *path = new QLineEdit(qtext(collectionPath), this);
    path->setObjectName("collectionPath");
    path->setReadOnly(true);
    path->setMinimumWidth(300);
    auto *countLabel = new QLabel(qtext(shortcutCountLabel(questionCount)), this);
    countLabel->setObjectName("countLabel");

    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(utext("問題集："), this), 0, 0);
    grid->addWidget(path, 0, 1, 1, 2);
    grid->addWidget(countLabel, 1, 0, 1, 3);
    grid->addWidget(m_slider, 2, 1);
    grid->addWidget(m_count, 2, 2);
    grid->addWidget(m_speedReply, 3, 0, 1, 3);
    grid->addWidget(m_worstFirst, 4, 0, 1, 3);
    grid->setColumnStretch(1, 1);

    QPushButton *create = namedButton(this, "create", "作成(&G)", ButtonRole::Answer);
    QPushButton *cancel = namedButton(this, "cancel", "ｷｬﾝｾﾙ(&C)", ButtonRole::Answer);
    create->setDefault(true);
    connect(create, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(create);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        utext("ショートカットのオプションを選んで、作成ボタンを押してください。"), this));
    layout->addSpacing(6);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addWidget(new QLabel(utext("（ショートカットはデスクトップに作成されます）"), this));
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

ShortcutChoice CShortcutDlg::choice() const
{
    return ShortcutChoice { m_count->text().toInt(), m_speedReply->isChecked(),
                            m_worstFirst->isChecked() };
}

ShortcutEnvironment ShortcutEnvironment::current(IShell &shell)
{
    // GNOME runs a desktop-folder launcher only once it is marked trusted. gio needs the
    // session's services and may be missing: it runs detached with a time limit, unwatched.
    return ShortcutEnvironment {
        env::desktopFolder(), QCoreApplication::applicationFilePath().toStdString(),
        [&shell](const std::string &file) {
            shell.startDetached("timeout",
                                { "10", "gio", "set", file, "metadata::trusted", "true" }, {});
        }
    };
}

void makeShortcut(QWidget *parent, const CQuestionDatabase &database,
                  const std::string &collectionPath, IPrompter &prompter,
                  const ShortcutEnvironment &environment)
{
    if (!hasSection(database.root, collectionPath))
        return;
    const int questionCount = findSection(database.root, collectionPath).questionCount();
    CShortcutDlg dialog(collectionPath, questionCount, parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::string file = writeDesktopShortcut(
        environment.desktopFolder,
        DesktopShortcut { environment.programPath, collectionPath, dialog.choice() });
    if (file.empty()) {
        prompter.tell(shortcutFailedMessage(environment.desktopFolder));
        return;
    }
    if (environment.markTrusted)
        environment.markTrusted(file);
    prompter.tell(shortcutCreatedMessage(collectionPath, file));
}

} // namespace kvr::ui
