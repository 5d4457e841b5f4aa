#pragma once

#include <functional>

#include <QUrl>

#include "app/weblookup.h"

namespace kvr::ui {

// Opens look-up URLs with the desktop's handler (QDesktopServices::openUrl, which runs the
// user's browser). The URLs come percent-encoded from the core; one that Qt does not accept
// as a strictly encoded URL is refused without asking the desktop.
class CQtUrlOpener final : public IUrlOpener
{
public:
    using Handler = std::function<bool(const QUrl &url)>;
    // handler: what opens a URL; the desktop's handler when left empty.
    explicit CQtUrlOpener(Handler handler = {});

    bool openUrl(const std::string &url) override;

private:
    Handler m_handler;
};

} // namespace kvr::ui
