#include "editor/ui/editoroptionsdlg.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

QPushButton *button(QWidget *parent, const char *name, const std::string &text)
{
    auto *b = new QPushButton(qtext(text), parent);
    b->setObjectName(name);
    b->setMinimumWidth(88);
    return b;
}

} // namespace

CEditorOptionsDlg::CEditorOptionsDlg(const EditorOptionsView &view, IPrompter &prompter,
                                     IFileDialogs &fileDialogs, QWidget *parent)
    : QDialog(parent)
    , m_form(view.form)
    , m_prompter(prompter)
    , m_fileDialogs(fileDialogs)
    , m_user(new QLineEdit(qtext(view.form.defaultUser), this))
    , m_database(new QLineEdit(qtext(view.form.databasePath), this))
{
    setWindowTitle(qtext(view.caption));
    m_user->setObjectName("defaultUser");
    m_database->setObjectName("databasePath");
    m_database->setReadOnly(true);
    m_database->setMinimumWidth(360);

    auto *userGroup = new QGroupBox(qtext(view.userGroup), this);
    (new QVBoxLayout(userGroup))->addWidget(m_user);

    auto *databaseGroup = new QGroupBox(qtext(view.databaseGroup), this);
    auto *databaseRow = new QHBoxLayout(databaseGroup);
    databaseRow->addWidget(m_database);
    QPushButton *browse = button(this, "browse", view.browseText);
    databaseRow->addWidget(browse);

    QPushButton *ok = button(this, "ok", "OK");
    QPushButton *cancel = button(this, "cancel", view.cancelText);
    QPushButton *defaults = button(this, "defaults", view.defaultsText);
    defaults->setEnabled(false);
    ok->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(defaults);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(userGroup);
    layout->addWidget(databaseGroup);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(browse, &QPushButton::clicked, this, &CEditorOptionsDlg::browse);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CEditorOptionsDlg::browse()
{
    if (const std::optional<std::string> path =
            browseDatabaseFile(m_prompter, m_fileDialogs, m_form.databasePath)) {
        m_form.databasePath = *path;
        m_database->setText(qtext(*path));
    }
}

EditorOptionsForm CEditorOptionsDlg::form() const
{
    EditorOptionsForm form = m_form;
    const std::optional<std::string> user = cp932Exact(m_user->text());
    form.unmappable = !user;
    if (user)
        form.defaultUser = *user;
    return form;
}

std::optional<EditorOptionsForm> CEditorOptionsDlg::ask(QWidget *parent,
                                                        const EditorOptionsView &view,
                                                        IPrompter &prompter,
                                                        IFileDialogs &fileDialogs)
{
    CEditorOptionsDlg dialog(view, prompter, fileDialogs, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.form();
}

} // namespace kvr::ui
