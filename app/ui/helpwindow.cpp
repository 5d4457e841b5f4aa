#include "app/ui/helpwindow.h"

#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/ui/toolicons.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qtext.h"

// The pages are compiled into this library; a static library must register them itself.
static void registerHelpPages()
{
    Q_INIT_RESOURCE(kvr);
}

namespace kvr::ui {

namespace {

QString titleOf(const QString &pageTitle)
{
    return pageTitle.isEmpty() ? utext("Kelvora ヘルプ") : pageTitle;
}

} // namespace

QUrl CHelpWindow::topPage()
{
    return startPage(kStudyProgram);
}

QUrl CHelpWindow::startPage(const ProgramIdentity &program)
{
    return QUrl(QStringLiteral("qrc:/help/") + utext(program.helpPage));
}

CHelpWindow::CHelpWindow(QWidget *parent)
    : CHelpWindow(topPage(), parent)
{
}

CHelpWindow::CHelpWindow(const QUrl &page, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_browser(new QTextBrowser(this))
{
    registerHelpPages();
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(titleOf({}));
    setWindowIcon(programIcon());
    resize(720, 560);

    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    m_browser->setOpenExternalLinks(true);
    m_browser->setFont(gothicFont(14));
    m_browser->setFrameShape(QFrame::NoFrame);
    m_browser->document()->setDocumentMargin(14);

    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("helpToolBar"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QAction *back = bar->addAction(utext("← 戻る"), m_browser, &QTextBrowser::backward);
    QAction *forward = bar->addAction(utext("進む →"), m_browser, &QTextBrowser::forward);
    bar->addSeparator();
    bar->addAction(utext("目次"), m_browser, &QTextBrowser::home);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this,
            [this] { setWindowTitle(titleOf(m_browser->documentTitle())); });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_browser, 1);

    // The first source set is the browser's home.
    m_browser->setSource(page);
}

void CHelpWindow::showPage(const QUrl &page)
{
    if (m_browser->source() != page)
        m_browser->setSource(page);
}

} // namespace kvr::ui
