// Start-up loading: the database, the log and the web dictionaries, read on a worker
// thread behind the loading window.
#include "app/startup.h"
#include "app/ui/kvrapp.h"
#include "app/ui/splashdlg.h"
#include "app/ui/splashloader.h"
#include "app/ui/uithread.h"
#include "platform/ui/guarded.h"

namespace kvr::ui {

bool CKvrApp::loadBehindSplash()
{
    CSplashDlg splash;
    CUiThreadPrompter prompter(m_prompter, &splash);
    CUiThreadFileDialogs fileDialogs(m_fileDialogs, &splash);
    StartupContext startup { m_settings,        *m_store, m_database,  m_log,
                             m_webDictionaries, prompter, fileDialogs, &m_clock };
    return runBehindSplash(splash, [&](const StatusReport &status) {
        bool loaded = false;
        guarded(prompter, [&] { loaded = loadStartupData(startup, status); });
        return loaded;
    });
}

} // namespace kvr::ui
