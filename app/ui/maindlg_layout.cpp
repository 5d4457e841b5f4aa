// The main window's geometry: panes, info labels, background, divider and size grip.
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QSizeGrip>
#include <QTextEdit>
#include <QToolBar>

#include "app/kvrsettings.h"
#include "app/ui/databasetreewidget.h"
#include "app/ui/maindlg.h"
#include "platform/rgb.h"
#include "platform/ui/backgroundpalette.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

QRect toQRect(const Rect &rect, int top)
{
    return QRect(rect.x, rect.y + top, rect.width, rect.height);
}

} // namespace

// Below the menu bar: what the layout rules call the client area.
QRect CMainDlg::clientRect() const
{
    const int top = m_menuBar ? m_menuBar->height() : 0;
    return QRect(0, top, width(), std::max(0, height() - top));
}

Size CMainDlg::clientSize() const
{
    const QRect client = clientRect();
    return Size { client.width(), client.height() };
}

QPoint CMainDlg::toClient(const QPoint &windowPos) const
{
    return windowPos - clientRect().topLeft();
}

void CMainDlg::layoutChildren()
{
    if (m_menuBar)
        m_menuBar->setGeometry(0, 0, width(), m_menuBar->sizeHint().height());
    const int top = clientRect().top();
    const MainLayout layout = layoutMainWindow(clientSize(), m_context.settings.TreeLogPeriod);
    m_toolBar->setGeometry(toQRect(layout.toolbar, top));
    m_tree->setGeometry(toQRect(layout.tree, top));
    m_noteField->setGeometry(toQRect(layout.noteField, top));
    m_copyrightField->setGeometry(toQRect(layout.copyrightField, top));
    m_inputterField->setGeometry(toQRect(layout.inputterField, top));
    m_countField->setGeometry(toQRect(layout.countField, top));
    // The tab area keeps clear of the size grip in the corner.
    QRect tabArea = toQRect(layout.tabArea, top);
    tabArea.setBottom(tabArea.bottom() - 2);
    tabArea.setRight(tabArea.right() - 4);
    m_tabArea->setGeometry(tabArea);
    if (auto *grip = findChild<QSizeGrip *>())
        grip->raise(); // above the panes, in the corner
    update();
}

void CMainDlg::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    layoutChildren();
    m_context.settings.KvrWindowWidth = width();
    m_context.settings.KvrWindowHeight = height();
}

void CMainDlg::applyBackground()
{
    applyBackground(m_context.settings.BackgroundColor);
}

void CMainDlg::applyBackground(std::int32_t colorRef)
{
    applyBackgroundColour(*this, rgbFromColorRef(colorRef));
    setAutoFillBackground(true);
    // The bars keep the system's colours, like the frame around the window. (Their styles
    // paint through the parent's background, so a palette alone does not do it.)
    const QString system = QApplication::palette().color(QPalette::Window).name();
    const QString systemText = QApplication::palette().color(QPalette::WindowText).name();
    m_menuBar->setStyleSheet(
        QStringLiteral("QMenuBar { background-color: %1; color: %2; }").arg(system, systemText));
    m_toolBar->setStyleSheet(QStringLiteral("QToolBar { background-color: %1; border: none;"
                                            " padding: 0px; spacing: 1px; }"
                                            "QToolButton { padding: 1px; color: %2; }")
                                 .arg(system, systemText));
}

void CMainDlg::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setFont(minchoFont(kInfoLabelFontPixels));
    painter.setPen(palette().color(QPalette::WindowText));
    const int top = clientRect().top();
    const MainLayout layout = layoutMainWindow(clientSize(), m_context.settings.TreeLogPeriod);
    for (const InfoLabel &label : layout.labels) {
        // The rectangle is the text's height; let the glyphs overflow it rather than clip.
        QRect box = toQRect(label.rect, top);
        box.setHeight(box.height() + 6);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, qtext(label.text));
    }
}

void CMainDlg::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_splitterDrag.mouseMove(event))
        QDialog::mouseMoveEvent(event);
}

void CMainDlg::mousePressEvent(QMouseEvent *event)
{
    if (!m_splitterDrag.mousePress(event))
        QDialog::mousePressEvent(event);
}

void CMainDlg::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_splitterDrag.mouseRelease(event))
        QDialog::mouseReleaseEvent(event);
}

CDividerDrag::Window CMainDlg::splitterParts()
{
    return {
        [this](QPoint at) {
            const QPoint client = toClient(at);
            return splitterHit(client.x(), client.y(), clientSize(),
                               m_context.settings.TreeLogPeriod);
        },
        [this] { return clientRect(); },
        [this](QPoint at) {
            m_context.settings.TreeLogPeriod =
                treeLogPeriodAfterDrop(toClient(at).x(), clientSize().width);
            layoutChildren();
        },
    };
}

} // namespace kvr::ui
