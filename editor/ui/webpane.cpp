#include "editor/ui/webpane.h"

#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QUrl>
#include <QVBoxLayout>

#ifdef KVR_HAVE_WEBENGINE
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineView>
#endif

#include "platform/shell.h"
#include "platform/ui/buttons.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

constexpr const char *kEmptyNote =
    "「Web辞書検索」ボタンを押すと、ここに辞書のページが表示されます。";
constexpr const char *kExternalNote = "このページはブラウザで開いてください。";
constexpr const char *kFailedNote = "ページを表示できませんでした。（%1）";

} // namespace

bool CWebPane::canEmbed()
{
#ifdef KVR_HAVE_WEBENGINE
    return true;
#else
    return false;
#endif
}

CWebPane::CWebPane(IShell &shell, QWidget *parent, bool embedded)
    : QWidget(parent)
    , m_shell(shell)
    , m_embedded(embedded && canEmbed())
    , m_stack(new QStackedWidget(this))
    , m_notePage(new QWidget(m_stack))
    , m_note(new QLabel(m_notePage))
{
    setObjectName(QStringLiteral("webPane"));
    m_note->setObjectName(QStringLiteral("webNote"));
    m_note->setWordWrap(true);
    m_note->setFont(gothicFont(12));
    m_note->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_openButton = namedButton(m_notePage, "openInBrowser", "ブラウザで開く(&B)");
    connect(m_openButton, &QPushButton::clicked, this,
            [this] { m_shell.openAddress(cp932(m_address)); });

    auto *noteLayout = new QVBoxLayout(m_notePage);
    noteLayout->setContentsMargins(8, 8, 8, 8);
    noteLayout->addWidget(m_note);
    noteLayout->addWidget(m_openButton, 0, Qt::AlignLeft);
    noteLayout->addStretch(1);
    m_stack->addWidget(m_notePage);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_stack);
    showNote(utext(kEmptyNote));
}

void CWebPane::showNote(const QString &text)
{
    m_note->setText(text);
    m_openButton->setVisible(!m_address.isEmpty());
    m_stack->setCurrentWidget(m_notePage);
}

void CWebPane::showAddress(const std::string &address)
{
    m_address = qtext(address);
    if (m_address.isEmpty()) {
        showNote(utext(kEmptyNote));
        return;
    }
    if (!m_embedded) {
        showNote(utext(kExternalNote) + QStringLiteral("\n\n") + m_address);
        return;
    }
#ifdef KVR_HAVE_WEBENGINE
    createBrowser();
    // The browser first: a failure told while load() runs must not be covered by it.
    m_stack->setCurrentWidget(m_browser);
    static_cast<QWebEngineView *>(m_browser)->load(QUrl(m_address));
#endif
}

void CWebPane::createBrowser()
{
#ifdef KVR_HAVE_WEBENGINE
    if (m_browser)
        return;
    auto *view = new QWebEngineView(m_stack);
    view->setObjectName(QStringLiteral("webView"));
    m_browser = view;
    m_stack->addWidget(view);
    connect(view->page(), &QWebEnginePage::loadingChanged, this,
            [this](const QWebEngineLoadingInfo &info) {
                if (info.status() != QWebEngineLoadingInfo::LoadFailedStatus)
                    return;
                const QString why = info.errorString().isEmpty() ? QString::number(info.errorCode())
                                                                 : info.errorString();
                showNote(utext(kFailedNote).arg(why) + QStringLiteral("\n\n") + m_address);
            });
#endif
}

} // namespace kvr::ui
