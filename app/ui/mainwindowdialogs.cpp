#include "app/ui/mainwindowdialogs.h"

#include <QUrl>

#include "app/ui/maindlg.h"
#include "app/ui/optionsdlg.h"
#include "app/ui/shortcutdlg.h"
#include "drill/ui/questionlistdlg.h"
#include "history/ui/learnerdialogs.h"

namespace kvr::ui {

CQtMainWindowDialogs::CQtMainWindowDialogs(MainWindowContext &context, IShell &shell,
                                           std::function<void(const QUrl &)> showHelp,
                                           std::function<void(std::int32_t)> previewBackground)
    : m_context(context)
    , m_shell(shell)
    , m_showHelp(std::move(showHelp))
    , m_previewBackground(std::move(previewBackground))
{
}

void CQtMainWindowDialogs::showQuestionList(const CSection &section, const QString &name,
                                            QWidget *parent)
{
    CQuestionListDlg dialog(section, name, m_context.prompter, m_context.fileDialogs, parent);
    dialog.exec();
}

bool CQtMainWindowDialogs::manageLearners(QWidget *parent)
{
    return kvr::ui::manageLearners(parent, m_context.settings, m_context.store, m_context.log,
                                   m_context.prompter);
}

void CQtMainWindowDialogs::showOptions(QWidget *parent)
{
    OptionsContext options { m_context.settings, m_context.store,    m_context.webDictionaries,
                             m_context.voice,    m_context.sound,    m_context.prompter,
                             m_showHelp,         m_previewBackground };
    runOptionsSheet(parent, options);
}

void CQtMainWindowDialogs::makeShortcut(const std::string &sectionPath, QWidget *parent)
{
    kvr::ui::makeShortcut(parent, m_context.database, sectionPath, m_context.prompter,
                          ShortcutEnvironment::current(m_shell));
}

} // namespace kvr::ui
