#include "history/ui/learnerdialogs.h"

#include <QTimer>

#include "app/kvrsettings.h"
#include "history/ui/useradddlg.h"
#include "history/ui/usermanagerdlg.h"
#include "history/ui/userregistrationdlg.h"
#include "history/ui/userrenamedlg.h"

namespace kvr::ui {

namespace {

LearnerSetting bindUserName(CKvrSettings &settings, ISettingsStore &store)
{
    return { settings.UserName, [&settings, &store] { return settings.saveAll(store); } };
}

} // namespace

bool registerFirstLearner(QWidget *parent, CKvrSettings &settings, ISettingsStore &store,
                          const CAnswerLog &log, IPrompter &prompter)
{
    if (!needsFirstLearner(settings.UserName))
        return true;
    showFirstRunWelcome(prompter);
    CLearnerRegistration model(bindUserName(settings, store), log, prompter);
    CUserRegistrationDlg dialog(model, prompter, parent);
    // Start-up has no window of its own yet: bring the dialog to the front once it shows.
    QTimer::singleShot(0, &dialog, [&dialog] {
        dialog.raise();
        dialog.activateWindow();
    });
    return dialog.exec() == QDialog::Accepted;
}

bool manageLearners(QWidget *parent, CKvrSettings &settings, ISettingsStore &store, CAnswerLog &log,
                    IPrompter &prompter)
{
    CQtLearnerNameDialogs names(prompter, parent);
    CLearnerManager model(bindUserName(settings, store), log, prompter, names);
    CUserManagerDlg dialog(model, prompter, parent);
    names.setParent(&dialog);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<std::string> CQtLearnerNameDialogs::askNewName()
{
    CUserAddDlg dialog(m_prompter, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.name();
}

std::optional<std::string> CQtLearnerNameDialogs::askRenamedName(const std::string &oldName)
{
    CUserRenameDlg dialog(oldName, m_prompter, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.name();
}

} // namespace kvr::ui
