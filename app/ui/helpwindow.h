#pragma once

#include <QUrl>
#include <QWidget>

class QTextBrowser;

namespace kvr::ui {

// The help pages, shown from the program's resources in a window of their own. Links
// between the pages stay inside the window; links to web sites open in the browser.
class CHelpWindow final : public QWidget
{
    Q_OBJECT
public:
    static QUrl topPage(); // qrc:/help/top.html

    explicit CHelpWindow(QWidget *parent = nullptr);

    void showPage(const QUrl &page);
    QTextBrowser *browser() const { return m_browser; }

private:
    QTextBrowser *m_browser;
};

} // namespace kvr::ui
