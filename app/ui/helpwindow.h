#pragma once

#include <QUrl>
#include <QWidget>

#include "app/ui/appinfo.h"

class QTextBrowser;

namespace kvr::ui {

// The help pages of both programs, shown from the resources in a window of their own. Links
// between the pages stay inside the window; links to web sites open in the browser. The
// page the window opens on is its home ("目次").
class CHelpWindow final : public QWidget
{
    Q_OBJECT
public:
    static QUrl topPage(); // qrc:/help/top.html
    static QUrl startPage(const ProgramIdentity &program); // qrc:/help/ + its help page

    explicit CHelpWindow(QWidget *parent = nullptr); // on the top page
    explicit CHelpWindow(const QUrl &page, QWidget *parent = nullptr);

    void showPage(const QUrl &page);
    QTextBrowser *browser() const { return m_browser; }

private:
    QTextBrowser *m_browser;
};

} // namespace kvr::ui
