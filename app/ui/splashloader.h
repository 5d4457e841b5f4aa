#pragma once

#include <functional>
#include <string>

namespace kvr::ui {

class CSplashDlg;

using StatusReport = std::function<void(std::string status)>;

// Runs load on a worker thread while splash is shown application-modal, and returns load's result
// once it has ended. The status texts (CP932) load reports appear in the splash's status
// line. load must not touch widgets; whatever it needs to ask goes through
// CUiThreadPrompter / CUiThreadFileChooser with the splash as their context. An exception
// escaping load counts as a failed load.
bool runBehindSplash(CSplashDlg &splash, const std::function<bool(const StatusReport &)> &load);

} // namespace kvr::ui
