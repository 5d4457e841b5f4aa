#pragma once

#include <string>

#include <QWidget>

class QLabel;
class QPushButton;
class QStackedWidget;

namespace kvr {
class IShell;
}

namespace kvr::ui {

// The "Web辞書" tab: the looked-up page inside the window when the program was built with
// Qt WebEngine; otherwise (or when the page cannot be loaded) the address, why it is not
// shown, and a button that opens it in the user's browser.
class CWebPane final : public QWidget
{
    Q_OBJECT
public:
    // Whether this build can show pages itself.
    static bool canEmbed();

    // embedded: show pages inside (only where canEmbed()).
    explicit CWebPane(IShell &shell, QWidget *parent = nullptr, bool embedded = canEmbed());

    // Shows the page at address (CP932, percent-encoded); empty: the pane's own note.
    void showAddress(const std::string &address);
    const QString &address() const { return m_address; }

private:
    void showNote(const QString &text);
    void createBrowser();

    IShell &m_shell;
    bool m_embedded;
    QString m_address;
    QStackedWidget *m_stack = nullptr;
    QWidget *m_notePage = nullptr;
    QLabel *m_note = nullptr;
    QPushButton *m_openButton = nullptr;
    QWidget *m_browser = nullptr; // the QWebEngineView, made at the first page
};

} // namespace kvr::ui
