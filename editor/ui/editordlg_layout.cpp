// The editor's geometry: the two panes either side of the divider, the key help along the
// bottom, the divider's drag.
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>

#include "editor/editorlabels.h"
#include "editor/editorlayout.h"
#include "editor/editorsession.h"
#include "editor/editorsettings.h"
#include "editor/ui/editordlg.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

constexpr int kMargin = 4;
constexpr int kDividerGap = 3; // either side of the divider's x
constexpr int kKeyHelpHeight = 30; // the bottom of the window
constexpr int kKeyHelpFontPixels = 12;
constexpr int kPartButtonsInOneRow = 620; // the right pane's width for one row of eight

} // namespace

// Below the menu bar: where the divider and size grip rules measure.
QRect CEditorDlg::clientRect() const
{
    const int top = m_menuBar ? m_menuBar->height() : 0;
    return QRect(0, top, width(), std::max(0, height() - top));
}

int CEditorDlg::divider() const
{
    return m_session.view().divider;
}

void CEditorDlg::layoutChildren()
{
    m_menuBar->setGeometry(0, 0, width(), m_menuBar->sizeHint().height());
    const QRect client = clientRect();
    const int top = client.top() + kMargin;
    const int bottom = client.bottom() - kKeyHelpHeight;
    const int left = std::min(divider(), std::max(0, width() - 2 * kMargin));
    m_leftPane->setGeometry(kMargin, top, std::max(0, left - kDividerGap - kMargin),
                            std::max(0, bottom - top));
    const int rightX = left + kDividerGap;
    const int rightWidth = std::max(0, width() - kMargin - rightX);
    arrangePartButtons(rightWidth >= kPartButtonsInOneRow ? kPartOfSpeechCount : 4);
    m_rightPane->setGeometry(rightX, top, rightWidth, std::max(0, bottom - top));
    update();
}

void CEditorDlg::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    layoutChildren();
    m_session.setWindowSize(width(), height());
}

void CEditorDlg::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    const EditorLabels labels = editorLabels();
    QPainter painter(this);
    painter.setFont(gothicFont(kKeyHelpFontPixels));
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect band(kMargin * 2, height() - kKeyHelpHeight, width() - 4 * kMargin - 16,
                     kKeyHelpHeight);
    const std::string help =
        m_shiftHeld ? labels.partKeyHelp + "  " + labels.partKeyShift : labels.keyHelp;
    painter.drawText(band, Qt::AlignLeft | Qt::AlignVCenter, qtext(help));
}

void CEditorDlg::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dividerDrag.mouseMove(event))
        QDialog::mouseMoveEvent(event);
}

void CEditorDlg::mousePressEvent(QMouseEvent *event)
{
    if (!m_dividerDrag.mousePress(event))
        QDialog::mousePressEvent(event);
}

void CEditorDlg::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_dividerDrag.mouseRelease(event))
        QDialog::mouseReleaseEvent(event);
}

CDividerDrag::Window CEditorDlg::dividerParts()
{
    return {
        [this](QPoint at) {
            const QPoint client = at - clientRect().topLeft();
            return onDivider(client.x(), client.y(), divider(), clientRect().height());
        },
        [this] {
            const QRect client = clientRect();
            return QRect(0, client.top() + 20, 0, std::max(0, client.height() - 30));
        },
        [this](QPoint at) {
            m_session.setDivider((at - clientRect().topLeft()).x());
            layoutChildren();
        },
    };
}

} // namespace kvr::ui
