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
    CUiThreadFileChooser fileChooser(m_fileChooser, &splash);
    StartupContext startup { m_settings,        *m_store, m_database, m_log,
                             m_webDictionaries, prompter, fileChooser, &m_clock };
    return runBehindSplash(splash, [&](const StatusReport &status) {
        bool loaded = false;
        guarded(prompter, "%s", [&] { loaded = loadStartupData(startup, status); });
        return loaded;
    });
}

} // namespace kvr::ui
