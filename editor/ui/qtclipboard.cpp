#include "editor/ui/qtclipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/ui/qtext.h"

namespace kvr::ui {

void CQtClipboard::setText(const std::string &text)
{
    QGuiApplication::clipboard()->setText(qtext(text));
}

bool CQtClipboard::hasText() const
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
}

EnteredText CQtClipboard::text() const
{
    return cp932Exact(QGuiApplication::clipboard()->text());
}

} // namespace kvr::ui
