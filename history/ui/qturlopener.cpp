#include "history/ui/qturlopener.h"

#include <QDesktopServices>

namespace kvr::ui {

CQtUrlOpener::CQtUrlOpener(Handler handler)
    : m_handler(std::move(handler))
{
    if (!m_handler)
        m_handler = [](const QUrl &url) { return QDesktopServices::openUrl(url); };
}

bool CQtUrlOpener::openUrl(const std::string &url)
{
    const QUrl parsed = QUrl::fromEncoded(QByteArray::fromStdString(url), QUrl::StrictMode);
    if (!parsed.isValid() || parsed.scheme().isEmpty())
        return false;
    return m_handler(parsed);
}

} // namespace kvr::ui
